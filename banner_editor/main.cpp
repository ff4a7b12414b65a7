// Lorvane: with arguments an unattended edit of a banner layout, without them the main window. One
// model serves both; only its message sink differs.

#include <optional>

#include <QApplication>

#include "banner_editor/BannerModel.h"
#include "banner_editor/CommandLine.h"
#include "banner_editor/UnattendedRun.h"
#include "banner_editor/window/Form1.h"
#include "platform/CommandLine.h"
#include "platform/MessageBoxSink.h"
#include "platform/ProgramFolder.h"

int main(int argc, char** argv)
{
    constexpr const char* PROGRAM = "Lorvane";
    const auto args = platform::argumentsOf(argc, argv);
    if (auto status = platform::handleHelpOrVersion(args, PROGRAM, banner_editor::LORVANE_USAGE))
        return *status;
    const bool unattended = !args.empty();

    // An unattended run needs no display: the application object is made only for the window.
    std::optional<QApplication> app;
    if (!unattended)
        app.emplace(argc, argv);
    platform::StderrMessageSink stderrSink(PROGRAM);
    platform::MessageBoxSink boxSink(nullptr, PROGRAM);
    platform::MessageSink& sink = unattended ? static_cast<platform::MessageSink&>(stderrSink) : boxSink;
    banner_editor::BannerModel model(sink, platform::programFolder());
    if (unattended)
        return banner_editor::runUnattended(model, args);

    banner_editor::Form1 window(model);
    boxSink.setParent(&window);
    window.show();
    return app->exec();
}
