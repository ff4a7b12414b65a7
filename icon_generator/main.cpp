// Mintrel: with arguments, one unattended make (no window, no display needed); without, the window.

#include <memory>

#include <QApplication>
#include <QCoreApplication>

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
    const bool unattended = !args.empty();
    const auto folder = platform::programFolder();

    // The frames are drawn on QImage, which needs no window system: an unattended run starts no GUI.
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<platform::MessageSink> sink;
    platform::MessageBoxSink* boxes = nullptr;
    if (unattended) {
        app = std::make_unique<QCoreApplication>(argc, argv);
        sink = std::make_unique<platform::StderrMessageSink>("Mintrel");
    } else {
        app = std::make_unique<QApplication>(argc, argv);
        auto boxSink = std::make_unique<platform::MessageBoxSink>(nullptr, "Mintrel");
        boxes = boxSink.get();
        sink = std::move(boxSink);
    }
    icon_generator::GeneratorModel model(folder, *sink, unattended);
    if (unattended)
        return icon_generator::runUnattended(args, model);

    icon_generator::Form1 window(model);
    boxes->setParent(&window);
    window.show();
    return app->exec();
}
