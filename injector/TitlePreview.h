#pragma once

// How the Wii cuts a save title: a short hover text and two summary lines.

#include <string>
#include <string_view>

namespace injector {

struct TitlePreview
{
    std::u16string hover;
    std::u16string line1;
    std::u16string line2;
};

// Line 1 is the text before the first "^" and line 2 the rest; without "^", a text over 32 units is
// cut after 32. The hover text is line 1, cut to 20 units and "..." when longer. Consoles whose
// second summary line is fixed (NeoGeo, Genesis, Master System, MSX) show that line instead.
TitlePreview previewOf(std::u16string_view tmpTxt, int conIndex);

} // namespace injector
