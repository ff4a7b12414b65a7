// tpl_converter <script> <output.tpl>: encodes the TGA pictures a script names into a TPL.

#include <filesystem>

#include "platform/CommandLine.h"
#include "platform/Messages.h"
#include "tools/Converter.h"
#include "tools/ToolArguments.h"

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
    platform::StderrMessageSink sink("tpl_converter");
    if (const auto refused = tools::checkArguments(args, 2, USAGE, sink))
        return *refused;
    std::error_code ec;
    const auto current = std::filesystem::current_path(ec);
    if (auto ok = tools::convertScript(args[0], args[1], current); !ok) {
        sink.error(ok.error());
        return platform::EXIT_FAILED;
    }
    return platform::EXIT_DONE;
}
