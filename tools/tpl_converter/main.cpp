// tpl_converter <script> <output.tpl>: encodes the TGA pictures a script names into a TPL.

#include <cstdio>
#include <filesystem>

#include "platform/CommandLine.h"
#include "platform/Messages.h"
#include "tools/Converter.h"

namespace {

const char* const USAGE = "usage: tpl_converter <script.tcs> <output.tpl>\n"
                          "Encodes the TGA pictures the script names into a TPL texture file.\n"
                          "The script is looked for in the current folder; its \"path =\" line names the\n"
                          "pictures' folder (empty: the current folder).\n";

} // namespace

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    if (const auto done = platform::handleHelpOrVersion(args, "tpl_converter", USAGE))
        return *done;
    platform::setProgramName("tpl_converter");
    if (args.size() != 2) {
        std::fputs(USAGE, stderr);
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    std::error_code ec;
    const auto current = std::filesystem::current_path(ec);
    if (auto ok = tools::convertScript(args[0], args[1], current); !ok) {
        platform::showError(ok.error());
        return platform::EXIT_FAILED;
    }
    return platform::EXIT_DONE;
}
