// Mintrel: with arguments, one unattended make (no window, no display needed); without, the window.

#include <QApplication>

#include "icon_generator/CommandLine.h"
#include "icon_generator/GeneratorModel.h"
#include "icon_generator/UnattendedRun.h"
#include "icon_generator/window/Form1.h"
#include "platform/CommandLine.h"
#include "platform/MessageBoxSink.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    if (auto status = platform::handleHelpOrVersion(args, "Mintrel", icon_generator::MINTREL_USAGE))
        return *status;
    const auto folder = platform::programFolder();
    const bool unattended = !args.empty();

    // One model for either run, reporting to standard error or in message boxes.
    platform::StderrMessageSink lines("Mintrel");
    platform::MessageBoxSink boxes(nullptr, "Mintrel");
    icon_generator::GeneratorModel model(unattended ? static_cast<platform::MessageSink&>(lines) : boxes, folder,
                                         unattended);

    // The frames are drawn on QImage, which needs no window system, so an unattended run makes no
    // application object at all: it needs no display, and each outside program is waited for
    // without an event loop polling beside it.
    if (unattended)
        return icon_generator::runUnattended(model, args);

    QApplication app(argc, argv);
    icon_generator::Form1 window(model);
    boxes.setParent(&window);
    window.show();
    return app.exec();
}
