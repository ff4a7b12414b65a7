// layout_panes: prints every text pane of a banner layout, one per line, as the pane's name, a tab and
// its field text ("^" for each line break), in UTF-8. A developer's tool, used by the demo.

#include <iostream>

#include "banner_editor/LayoutBuffer.h"
#include "platform/CommandLine.h"
#include "platform/TextCodec.h"

int main(int argc, char** argv)
{
    const auto args = platform::argumentsOf(argc, argv);
    const std::string usage = "Usage: layout_panes LAYOUT.brlyt\n"
                              "Prints each text pane's name and text, one pane per line.";
    if (const auto status = platform::handleHelpOrVersion(args, "layout_panes", usage))
        return *status;
    if (args.size() != 1) {
        std::cerr << usage << '\n';
        return platform::EXIT_BAD_COMMAND_LINE;
    }
    const auto layout = banner_editor::readLayoutFile(args[0]);
    if (!layout) {
        std::cerr << "layout_panes: " << layout.error().message << '\n';
        return platform::EXIT_FAILED;
    }
    for (const auto& name : banner_editor::textPaneNames(*layout))
        std::cout << name << '\t' << platform::utf8FromUtf16(banner_editor::Get_Txt1_Text(*layout, name)) << '\n';
    return platform::EXIT_DONE;
}
