#include "injector/UnattendedRun.h"

#include "injector/CommandLine.h"
#include "platform/CommandLine.h"

namespace injector {

int runUnattended(InjectorModel& model, const std::vector<std::string>& args)
{
    const auto options = parseCommandLine(platform::commandPieces(args));
    if (!options) {
        model.sink().error(options.error());
        return platform::exitStatusFor(options.error());
    }
    model.applyOptions(*options);
    const auto outcome = model.inject();
    if (!outcome) {
        model.sink().error(outcome.error());
        return platform::EXIT_FAILED;
    }
    return outcome->complete ? platform::EXIT_DONE : platform::EXIT_FAILED;
}

} // namespace injector
