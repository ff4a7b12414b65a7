#pragma once

#include <string>
#include <vector>


namespace archive_tool {

class ArchiveToolModel;

// The usage text of --help.
extern const char* const CRAMBLE_USAGE;

// Runs the archive tool without a window on its arguments (after the program name): reads them with
// parseCommandLine, names what it passes over, then packs or extracts once through the model.
// Success is silent; everything else goes to the sink, which is the model's. Returns 0 when the action
// succeeded, 1 when it failed (also when some members were not extracted), 2 when the command line
// gives no archive to extract or no folder to pack, or a value that cannot be used.
int runUnattended(ArchiveToolModel& model, const std::vector<std::string>& args);

} // namespace archive_tool
