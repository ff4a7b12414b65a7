#include "injector/TitlePreview.h"

#include "injector/Consoles.h"

namespace injector {

namespace {
constexpr std::size_t SUMMARY_LINE_UNITS = 32;
constexpr std::size_t HOVER_UNITS = 20;
} // namespace

TitlePreview previewOf(std::u16string_view tmpTxt, int conIndex)
{
    TitlePreview p;
    if (const auto mark = tmpTxt.find(u'^'); mark != std::u16string_view::npos) {
        p.line1 = tmpTxt.substr(0, mark);
        p.line2 = tmpTxt.substr(mark + 1);
    } else if (tmpTxt.size() > SUMMARY_LINE_UNITS) {
        p.line1 = tmpTxt.substr(0, SUMMARY_LINE_UNITS);
        p.line2 = tmpTxt.substr(SUMMARY_LINE_UNITS);
    } else {
        p.line1 = tmpTxt;
    }
    p.hover = p.line1.size() <= HOVER_UNITS ? p.line1 : p.line1.substr(0, HOVER_UNITS) + u"...";
    if (conIndex >= 0 && conIndex < CONSOLE_COUNT && !consoleInfo(conIndex).previewLine2.empty())
        p.line2 = consoleInfo(conIndex).previewLine2;
    return p;
}

} // namespace injector
