// Cramble: with arguments, one unattended extract or pack (no window); without, the window. The one
// model serves both, reporting through the sink of the run: standard error, or message boxes.

#include <optional>

#include <QApplication>

#include "archive_tool/ArchiveToolModel.h"
#include "archive_tool/UnattendedRun.h"
#include "archive_tool/window/Form1.h"
#include "platform/CommandLine.h"
#include "platform/MessageBoxSink.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    if (auto status = platform::handleHelpOrVersion(args, "Cramble", archive_tool::CRAMBLE_USAGE))
        return *status;
    const bool unattended = !args.empty();
    std::optional<QApplication> app;
    if (!unattended)
        app.emplace(argc, argv);
    platform::StderrMessageSink stderrSink("Cramble");
    platform::MessageBoxSink boxSink(nullptr, "Cramble");
    platform::MessageSink& sink = unattended ? static_cast<platform::MessageSink&>(stderrSink) : boxSink;
    archive_tool::ArchiveToolModel model(sink, platform::programFolder(), unattended);
    if (unattended)
        return archive_tool::runUnattended(model, args);

    archive_tool::Form1 window(model, sink);
    boxSink.setParent(&window);
    window.show();
    return app->exec();
}
