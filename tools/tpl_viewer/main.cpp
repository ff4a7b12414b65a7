// tpl_viewer <file.tpl>: writes every image of a TPL as a 32-bit TGA into the current folder.

#include <cstdio>
#include <filesystem>

#include "platform/CommandLine.h"
#include "platform/Messages.h"
#include "tools/Viewer.h"

namespace {

const char* const USAGE = "usage: tpl_viewer <file.tpl>\n"
                          "Writes each image of the TPL as a 32-bit TGA into the current folder, named\n"
                          "<name>_00.tga, <name>_01.tga, ... in image order.\n";

} // namespace

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    if (const auto done = platform::handleHelpOrVersion(args, "tpl_viewer", USAGE))
        return *done;
    platform::setProgramName("tpl_viewer");
    if (args.size() != 1) {
        std::fputs(USAGE, stderr);
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    std::error_code ec;
    const auto current = std::filesystem::current_path(ec);
    const std::filesystem::path given(args[0]);
    const std::filesystem::path tpl = given.is_absolute() ? given : current / given;
    auto written = tools::viewTpl(tpl, current);
    if (!written) {
        platform::showError(written.error());
        return platform::EXIT_FAILED;
    }
    return platform::EXIT_DONE;
}
