#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace archive_tool {

// The usage text of --help.
extern const char* const CRAMBLE_USAGE;

// Runs the archive tool without a window on its arguments (after the program name): reads them
// with ParseCLO, then packs or extracts once. Success is silent; failures are written to standard
// error through the message sink. Returns 0 when the action succeeded, 1 when it failed, 2 when the
// command line gives no archive to extract or no folder to pack.
int runUnattended(const std::vector<std::string>& args, const std::filesystem::path& programFolder);

} // namespace archive_tool
