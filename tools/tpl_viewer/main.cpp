// tpl_viewer <file.tpl>: writes every image of a TPL as a 32-bit TGA into the current folder.

#include <filesystem>

#include "platform/CommandLine.h"
#include "platform/Messages.h"
#include "tools/ToolArguments.h"
#include "tools/Viewer.h"

namespace {

const char* const USAGE = "usage: tpl_viewer <file.tpl>\n"
                          "Writes each image of the TPL as a 32-bit TGA into the current folder, named\n"
                          "<name>_00.tga, <name>_01.tga, ... in image order: all of them or, on an error, none.\n";

} // namespace

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    if (const auto done = platform::handleHelpOrVersion(args, "tpl_viewer", USAGE))
        return *done;
    platform::StderrMessageSink sink("tpl_viewer");
    if (const auto refused = tools::checkArguments(args, 1, USAGE, sink))
        return *refused;
    std::error_code ec;
    const auto current = std::filesystem::current_path(ec);
    const std::filesystem::path given(args[0]);
    const std::filesystem::path tpl = given.is_absolute() ? given : current / given;
    if (auto written = tools::viewTpl(tpl, current); !written) {
        sink.error(written.error());
        return platform::EXIT_FAILED;
    }
    return platform::EXIT_DONE;
}
