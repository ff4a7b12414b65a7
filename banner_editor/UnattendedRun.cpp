#include "UnattendedRun.h"

#include "platform/CommandLine.h"
#include "platform/ProgramFolder.h"

namespace banner_editor {

namespace {

int fail(platform::MessageSink& sink, const platform::Error& error)
{
    sink.error(error);
    return platform::exitStatusFor(error);
}

} // namespace

int runUnattended(BannerModel& model, const std::vector<std::string>& args)
{
    const auto options = parseCommandLine(platform::commandPieces(args));
    if (!options)
        return fail(model.sink(), options.error());

    const platform::ProgramFolderLock lock(model.programFolder());
    model.commandLineMode = true;
    model.start();
    if (options->path.empty() && !model.hasLayout()) {
        model.sink().message("no layout given, and no last layout to edit (see --help)");
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    if (auto applied = model.applyOptions(*options); !applied)
        return fail(model.sink(), applied.error());
    if (auto saved = model.save(); !saved)
        return fail(model.sink(), saved.error());
    return platform::EXIT_DONE;
}

} // namespace banner_editor
