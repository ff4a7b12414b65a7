#include "archive_tool/UnattendedRun.h"

#include "archive_tool/ArchiveToolModel.h"
#include "archive_tool/CommandLineOptions.h"
#include "platform/CommandLine.h"
#include "platform/Messages.h"

namespace archive_tool {

const char* const CRAMBLE_USAGE =
    "Usage: Cramble                                        open the window\n"
    "       Cramble -e -file <archive> [-folder <dir>]     extract an archive\n"
    "       Cramble -pack -folder <dir> [-file <archive>]  pack a folder into an archive\n"
    "\n"
    "Any option beginning with p selects packing, any beginning with e extracting; the later one wins.\n"
    "Paths beginning with \\ are relative to the program folder. Without -folder an archive game.ccf\n"
    "extracts into game_ccf_OUT; without -file a folder game_ccf_OUT packs into game.ccf. A member X\n"
    "stored compressed is extracted as X.zlib, and a file X.zlib is packed compressed as member X.\n"
    "Exit status: 0 done, 1 failed (the reason on standard error), 2 unusable command line.\n";

int runUnattended(const std::vector<std::string>& args, const std::filesystem::path& programFolder)
{
    auto options = ParseCLO(platform::commandPieces(args));
    if (!options) {
        platform::showError(options.error());
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    ArchiveToolModel model(programFolder, true);
    model.setFileText(options->file);
    model.setFolderText(options->folder);
    if (options->mode == Mode::Extract && options->file.empty()) {
        platform::showMessage("Nothing to extract: give the archive with -file <archive>.");
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    if (options->mode == Mode::Pack && options->folder.empty()) {
        platform::showMessage("Nothing to pack: give the folder with -folder <dir>.");
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    const bool done = options->mode == Mode::Pack ? model.pack() : model.extract();
    return done ? platform::EXIT_DONE : platform::EXIT_FAILED;
}

} // namespace archive_tool
