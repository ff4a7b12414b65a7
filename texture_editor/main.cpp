// Pexmo: the texture editor window. It has no unattended run: with any argument (but --help and
// --version) it ends without opening its window.

#include <QApplication>

#include "platform/CommandLine.h"
#include "platform/MessageBoxSink.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "texture_editor/CommandLine.h"
#include "texture_editor/EditorModel.h"
#include "texture_editor/window/Form1.h"

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    if (auto status = platform::handleHelpOrVersion(args, texture_editor::PROGRAM_NAME, texture_editor::PEXMO_USAGE))
        return *status;
    if (!args.empty()) {
        platform::StderrMessageSink sink(texture_editor::PROGRAM_NAME);
        const platform::Error refused = texture_editor::argumentsRefused(args);
        sink.error(refused);
        return platform::exitStatusFor(refused);
    }

    QApplication app(argc, argv);
    platform::MessageBoxSink sink(nullptr, texture_editor::PROGRAM_NAME);
    texture_editor::EditorModel model(sink, platform::programFolder());
    // A folder that cannot be made is reported by the first open or save that needs it.
    (void)model.start();
    texture_editor::Form1 window(model);
    sink.setParent(&window);
    window.show();
    return app.exec();
}
