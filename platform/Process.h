#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "Messages.h"
#include "Result.h"

namespace platform {

// Starts a command line with no window, waits for it to end and returns its exit code. The first word
// is the program: a name without a folder is looked for in the working folder, then in the program
// folder, then on the search path, and a ".exe" suffix is dropped on systems without one. Double quotes
// group words. While it waits, a running Qt event loop keeps handling events.
//
// When the program cannot be started, the message "Error running '" + commandLine + "'" + CR LF + the
// system's reason is shown through the sink (no title) and returned as the error.
[[nodiscard]] Result<int> ShellAndWait(MessageSink& sink, const std::string& commandLine,
                                       const std::filesystem::path& workingFolder = {});

// Called with true before ShellAndWait starts a program and with false after it ended; a window uses it
// to disable its actions meanwhile.
void setBusyHandler(std::function<void(bool)> handler);

} // namespace platform
