// Stavik: with arguments an unattended injection, without them the main window. One model serves
// both, reporting through the sink of the run: standard error, or message boxes over the window.

#include <QApplication>

#include "injector/CommandLine.h"
#include "injector/InjectorModel.h"
#include "injector/UnattendedRun.h"
#include "injector/window/Form1.h"
#include "platform/CommandLine.h"
#include "platform/MessageBoxSink.h"
#include "platform/ProgramFolder.h"

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    if (auto status = platform::handleHelpOrVersion(args, "Stavik", injector::STAVIK_USAGE))
        return *status;
    const bool unattended = !args.empty();
    platform::MessageBoxSink boxes(nullptr, "Stavik");
    platform::StderrMessageSink standardError("Stavik");
    injector::InjectorModel model(unattended ? static_cast<platform::MessageSink&>(standardError) : boxes,
                                  platform::programFolder(), unattended);
    if (unattended)
        return injector::runUnattended(model, args);

    QApplication app(argc, argv);
    injector::Form1 window(model);
    boxes.setParent(&window);
    window.show();
    return app.exec();
}
