#include "CommandLine.h"

#include <cstdio>

#include "TextCodec.h"

#ifndef SUITE_VERSION
#define SUITE_VERSION "0.0.0"
#endif

namespace platform {

std::vector<std::u16string> commandPieces(const std::vector<std::string>& args)
{
    std::vector<std::u16string> pieces(1);
    for (const auto& arg : args) {
        if (!arg.empty() && arg[0] == '-') {
            const auto start = arg.find_first_not_of('-');
            pieces.push_back(start == std::string::npos ? std::u16string() : utf16FromUtf8(arg.substr(start)));
        } else {
            auto& piece = pieces.back();
            if (!piece.empty() || &piece != &pieces.front())
                piece += u' ';
            piece += utf16FromUtf8(arg);
        }
    }
    return pieces;
}

std::vector<std::string> argumentsOf(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return args;
}

std::optional<int> handleHelpOrVersion(const std::vector<std::string>& args, const std::string& program,
                                       const std::string& usage)
{
    if (args.size() != 1)
        return std::nullopt;
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "-help" || args[0] == "-?") {
        std::fputs(usage.c_str(), stdout);
        if (!usage.empty() && usage.back() != '\n')
            std::fputc('\n', stdout);
        return 0;
    }
    if (args[0] == "--version") {
        std::printf("%s %s\n", program.c_str(), suiteVersion());
        return 0;
    }
    return std::nullopt;
}

const char* suiteVersion()
{
    return SUITE_VERSION;
}

int exitStatusFor(const Error& error)
{
    return error.kind == ErrorKind::BadArgument ? EXIT_BAD_COMMAND_LINE : EXIT_FAILED;
}

} // namespace platform
