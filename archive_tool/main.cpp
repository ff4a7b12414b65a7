// Cramble: with arguments, one unattended extract or pack (no window); without, the window.

#include <QApplication>

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
    platform::setProgramName("Cramble");
    const auto programFolder = platform::programFolder();
    if (!args.empty())
        return archive_tool::runUnattended(args, programFolder);

    QApplication app(argc, argv);
    archive_tool::Form1 window(programFolder);
    platform::MessageBoxSink sink(&window);
    platform::setMessageSink(&sink);
    window.show();
    const int status = app.exec();
    platform::setMessageSink(nullptr);
    return status;
}
