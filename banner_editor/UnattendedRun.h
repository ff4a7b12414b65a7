#pragma once

// The run without a window: load the layout named on the command line, apply the options in order,
// save, end. Messages go to the installed sink (standard error in such a run).

#include <filesystem>
#include <string>
#include <vector>

namespace banner_editor {

// The usage text printed by --help.
extern const char* const LORVANE_USAGE;

// Runs the command line's arguments (without the program name) on the program folder and returns
// the exit status: 0 saved, 1 stopped on a failure (the reason went to the sink), 2 the command line
// cannot be used.
int runUnattended(const std::vector<std::string>& args, const std::filesystem::path& programFolder);

} // namespace banner_editor
