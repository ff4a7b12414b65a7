#include "UnattendedRun.h"

#include "banner_editor/BannerModel.h"
#include "platform/CommandLine.h"
#include "platform/Messages.h"
#include "platform/TextCodec.h"

namespace banner_editor {

const char* const LORVANE_USAGE =
    "Usage: Lorvane [LAYOUT] [-OPTION VALUE]...\n"
    "Without arguments the window opens. With arguments the layout is loaded, the options are applied\n"
    "in order (a later one wins), the layout is saved in place and the program ends.\n"
    "LAYOUT is absolute, or relative to the program folder; left out, the last layout is used.\n"
    "\n"
    "  -TITLE text      title in every language (\"^\" for a line break)\n"
    "  -YEAR year       release year in every language\n"
    "  -PLAY n          maximum number of players in every language (2 gives 1-2)\n"
    "  -SYSTEM text     system name\n"
    "  -ESRB rating     rating in every language\n"
    "  -T_xxx text      title of one language (xxx = ENG, GER, FRA, ITA, SPA, NED, JPN)\n"
    "  -Y_xxx year      year of one language\n"
    "  -E_xxx rating    rating of one language\n"
    "  -H_pane text     text of any pane: the last one whose name begins with pane\n"
    "  -FORCE xxx       force the banner to one language (NONE: no forcing)\n"
    "  -PAD size        padding: a total size such as 12000, +n for n more bytes, 0 for none\n"
    "  -LOGO file       copy a logo (a name in the logos folder) over the my_Back texture in ../timg\n"
    "  -COLOR scheme    apply a colour scheme from the schemes folder\n"
    "\n"
    "Exit status: 0 saved, 1 failed (reason on standard error), 2 unusable command line.\n";

namespace {

int fail(const platform::Error& error)
{
    platform::showError(error);
    return error.kind == platform::ErrorKind::BadArgument ? platform::EXIT_BAD_COMMAND_LINE : platform::EXIT_FAILED;
}

} // namespace

int runUnattended(const std::vector<std::string>& args, const std::filesystem::path& programFolder)
{
    BannerModel model(programFolder);
    model.commandLineMode = true;
    model.Form_Load();

    const auto pieces = platform::commandPieces(args);
    if (platform::trimSpaces(pieces.front()).empty() && !model.hasLayout()) {
        platform::showMessage("no layout given, and no last layout to edit (see --help)");
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    if (auto applied = model.ParseClo(pieces); !applied)
        return fail(applied.error());
    if (auto saved = model.cmdSave_Click(); !saved)
        return fail(saved.error());
    return platform::EXIT_DONE;
}

} // namespace banner_editor
