#include "archive_tool/UnattendedRun.h"

#include "archive_tool/ArchiveToolModel.h"
#include "archive_tool/CommandLine.h"
#include "platform/CommandLine.h"
#include "platform/TextCodec.h"

namespace archive_tool {

const char* const CRAMBLE_USAGE =
    "Usage: Cramble                                        open the window\n"
    "       Cramble -e -file <archive> [-folder <dir>]     extract an archive\n"
    "       Cramble -pack -folder <dir> [-file <archive>]  pack a folder into an archive\n"
    "\n"
    "Any option beginning with p selects packing, any beginning with e extracting; the later one wins.\n"
    "Paths beginning with \\ are relative to the program folder. Without -folder an archive game.ccf\n"
    "extracts into game_ccf_OUT; a -folder that is given is used as it stands. Without -file a folder\n"
    "game_ccf_OUT packs into game.ccf. A member X stored compressed is extracted as X.zlib, and a file\n"
    "X.zlib is packed compressed as member X.\n"
    "Exit status: 0 done, 1 failed (the reason on standard error), 2 unusable command line.\n";

namespace {

// Names on the sink what the command line holds that the run passes over.
void nameIgnored(const CommandLineOptions& options, platform::MessageSink& sink)
{
    if (!options.leadingText.empty())
        sink.message("The text before the first option (\"" + platform::utf8FromUtf16(options.leadingText) +
                     "\") is not an option and was ignored.");
    for (const auto& piece : options.ignored)
        sink.message("The option -" + platform::utf8FromUtf16(piece) + " is not known and was ignored.");
}

int failed(const platform::Error& error, platform::MessageSink& sink)
{
    sink.error(error, failureIcon(error));
    return platform::exitStatusFor(error);
}

} // namespace

int runUnattended(ArchiveToolModel& model, const std::vector<std::string>& args)
{
    platform::MessageSink& sink = model.sink();
    auto options = parseCommandLine(platform::commandPieces(args));
    if (!options)
        return failed(options.error(), sink);
    nameIgnored(options.value(), sink);
    if (options->mode == Mode::Extract && options->file.empty()) {
        sink.message("Nothing to extract: give the archive with -file <archive>.");
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    if (options->mode == Mode::Pack && options->folder.empty()) {
        sink.message("Nothing to pack: give the folder with -folder <dir>.");
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    model.applyOptions(options.value());
    if (options->mode == Mode::Pack) {
        auto packed = model.pack();
        return packed ? platform::EXIT_DONE : failed(packed.error(), sink);
    }
    auto extracted = model.extract();
    if (!extracted)
        return failed(extracted.error(), sink);
    return extracted->complete() ? platform::EXIT_DONE : platform::EXIT_FAILED;
}

} // namespace archive_tool
