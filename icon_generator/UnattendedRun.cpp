#include "icon_generator/UnattendedRun.h"

#include "icon_generator/CommandLine.h"
#include "icon_generator/GeneratorModel.h"
#include "platform/CommandLine.h"

namespace icon_generator {

int runUnattended(GeneratorModel& model, const std::vector<std::string>& args)
{
    auto options = parseCommandLine(platform::commandPieces(args));
    if (!options) {
        model.sink().error(options.error());
        return platform::exitStatusFor(options.error());
    }
    for (const auto& piece : options->ignored)
        model.sink().message("unknown option " + piece + " ignored");
    model.apply(*options);
    auto report = model.make();
    if (!report) {
        model.sink().error(report.error());
        return platform::exitStatusFor(report.error());
    }
    return report->complete() ? platform::EXIT_DONE : platform::EXIT_FAILED;
}

} // namespace icon_generator
