#pragma once

// Stavik's unattended run: apply the command line, inject once, return the exit status.

#include <filesystem>
#include <string>
#include <vector>

namespace injector {

extern const char* const STAVIK_USAGE;

// 0 when everything asked for was injected, 1 when the injection stopped or passed over a texture
// (the reason on standard error), 2 when the command line cannot be used.
int runUnattended(const std::vector<std::string>& args, const std::filesystem::path& programFolder);

} // namespace injector
