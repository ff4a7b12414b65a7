// Lorvane: with arguments an unattended edit of a banner layout, without them the main window.

#include <QApplication>

#include "banner_editor/BannerModel.h"
#include "banner_editor/UnattendedRun.h"
#include "banner_editor/window/Form1.h"
#include "platform/CommandLine.h"
#include "platform/MessageBoxSink.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    if (auto status = platform::handleHelpOrVersion(args, "Lorvane", banner_editor::LORVANE_USAGE))
        return *status;
    platform::setProgramName("Lorvane");
    const auto folder = platform::programFolder();
    if (!args.empty())
        return banner_editor::runUnattended(args, folder);

    QApplication app(argc, argv);
    platform::MessageBoxSink sink;
    platform::setMessageSink(&sink);
    banner_editor::BannerModel model(folder);
    banner_editor::Form1 window(model);
    sink.setParent(&window);
    window.show();
    const int status = app.exec();
    platform::setMessageSink(nullptr);
    return status;
}
