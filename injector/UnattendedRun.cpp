#include "injector/UnattendedRun.h"

#include "injector/InjectorModel.h"
#include "platform/CommandLine.h"
#include "platform/Messages.h"

namespace injector {

const char* const STAVIK_USAGE =
    "Usage: Stavik [destination] [-C code] [-DST destination] [-SRC source] [-EN title] [-JP title]\n"
    "              [-GE title] [-FR title] [-SP title] [-IT title] [-DU title]\n"
    "\n"
    "Injects save textures and save titles into an extracted Virtual Console title, then exits.\n"
    "Without arguments the window opens.\n"
    "\n"
    "  -C code      console (required): neogeo, nes, snes, n64, gen, tg16, sms, c64, msx. It resets the\n"
    "               destination and the English title to the console's defaults, so give -DST\n"
    "               and the titles after it.\n"
    "  -DST path    the file (or, for n64, the meta folder) to inject into\n"
    "  -SRC path    the texture: a tpl file, or for gen, sms and msx a folder of WTE files\n"
    "  -EN, -N, -TITLE text   English title; -JP -GE -FR -SP -IT -DU: the other languages\n"
    "\n"
    "Options apply in order. \"^\" in a title is a line break. A path that begins with \\ is taken\n"
    "relative to the program folder.\n"
    "Exit status: 0 injected, 1 stopped on a failure (reason on standard error), 2 unusable command line.\n";

int runUnattended(const std::vector<std::string>& args, const std::filesystem::path& programFolder)
{
    InjectorModel model(programFolder, true);
    if (auto parsed = model.ParseClo(platform::commandPieces(args)); !parsed) {
        platform::showError(parsed.error());
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    // Without -C the console stays unset, which would run the NeoGeo branch: it rebuilds whatever file
    // the destination names as a save banner, so a forgotten -C could destroy an executable.
    if (model.conIndex() == NO_CONSOLE) {
        platform::showMessage("No console given: name one with -C (neogeo, nes, snes, n64, gen, tg16, sms, c64, msx).");
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    const InjectionOutcome outcome = model.cmdInject2_Click();
    return outcome.status == InjectionStatus::Done ? platform::EXIT_DONE : platform::EXIT_FAILED;
}

} // namespace injector
