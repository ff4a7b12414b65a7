#include "ToolArguments.h"

#include <cstdio>

#include "platform/CommandLine.h"

namespace tools {

std::optional<int> checkArguments(const std::vector<std::string>& args, std::size_t expected, const char* usage,
                                  platform::MessageSink& sink)
{
    bool unknown = false;
    for (const auto& arg : args) {
        if (arg.size() > 1 && arg[0] == '-') {
            sink.message("Unknown option " + arg + "; nothing was done.");
            unknown = true;
        }
    }
    if (!unknown && args.size() == expected)
        return std::nullopt;
    std::fputs(usage, stderr);
    return platform::EXIT_BAD_COMMAND_LINE;
}

} // namespace tools
