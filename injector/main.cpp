// Stavik: with arguments an unattended injection, without them the main window.

#include <QApplication>

#include "injector/InjectorModel.h"
#include "injector/UnattendedRun.h"
#include "injector/window/Form1.h"
#include "platform/CommandLine.h"
#include "platform/MessageBoxSink.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    if (auto status = platform::handleHelpOrVersion(args, "Stavik", injector::STAVIK_USAGE))
        return *status;
    platform::setProgramName("Stavik");
    const auto folder = platform::programFolder();
    if (!args.empty())
        return injector::runUnattended(args, folder);

    QApplication app(argc, argv);
    platform::MessageBoxSink sink;
    platform::setMessageSink(&sink);
    injector::InjectorModel model(folder, false);
    injector::Form1 window(model);
    sink.setParent(&window);
    window.show();
    const int status = app.exec();
    platform::setMessageSink(nullptr);
    return status;
}
