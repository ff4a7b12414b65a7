#pragma once

// The command line of an outside program: a few positional arguments and no options besides the help
// and version ones that platform::handleHelpOrVersion answers first.

#include <optional>
#include <string>
#include <vector>

#include "platform/Messages.h"

namespace tools {

// Checks the arguments before anything is read or written. Every argument that begins with "-" (other
// than "-" alone) is an option the program does not know: each is named through the sink. When there
// is one, or when the count of arguments is not `expected`, the usage goes to standard error and the
// exit status (2) is returned; otherwise nothing.
std::optional<int> checkArguments(const std::vector<std::string>& args, std::size_t expected, const char* usage,
                                  platform::MessageSink& sink);

} // namespace tools
