// Any bytes as a banner layout: every pane and material search stays inside the buffer, a pane rewrite
// gives the canonical form (writing the same text again changes nothing), a refused rewrite changes no
// byte, a colour write reads back, and the edits that promise to keep the length (colours, region
// force, size field) keep it.
// Every text pane found is rewritten on a copy of the whole buffer, so the work grows with the square
// of the input; inputs are cut to MAX_LAYOUT bytes, room for dozens of panes and a materials section.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

#include "banner_editor/LayoutBuffer.h"
#include "banner_editor/SaveOptions.h"

namespace {

constexpr std::array<std::string_view, 8> PANES{"T_VCTitle_ENG", "T_VCTitle", "T_Year", "T_Year_NONE",
                                                "T_Play_JPN",    "T_ESRB_",   "T_PF",   ""};
constexpr std::array<std::string_view, 4> MATERIALS{"Back1", "Shade", "T_VCTitle_JPN", "BackMask2"};

constexpr std::size_t MAX_LAYOUT = 8 * 1024;

void abortUnless(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    size = std::min(size, MAX_LAYOUT);
    const platform::ByteView input(data, size);

    std::vector<std::string> names = banner_editor::textPaneNames(input);
    names.insert(names.end(), PANES.begin(), PANES.end());
    for (const auto& name : names)
        (void)banner_editor::Get_Txt1_Text(input, name);

    // The rewritten form is canonical: writing the same text again changes nothing.
    for (const auto& name : names) {
        platform::Bytes once(input.begin(), input.end());
        if (banner_editor::Set_Txt1_Text(once, name, u"Ab^\u5E74") != banner_editor::PaneWrite::Written)
            abortUnless(std::equal(once.begin(), once.end(), input.begin(), input.end()));
        platform::Bytes twice = once;
        banner_editor::Set_Txt1_Text(twice, name, u"Ab^\u5E74");
        abortUnless(twice == once);
    }

    for (const auto material : MATERIALS) {
        (void)banner_editor::readMaterialColors(input, material);
        platform::Bytes edited(input.begin(), input.end());
        banner_editor::Set_Mat_Colors(edited, material, {1, 2, 3, 4, 5, 6});
        abortUnless(edited.size() == size);
        if (edited != platform::Bytes(input.begin(), input.end()))
            abortUnless(banner_editor::readMaterialColors(edited, material) ==
                        banner_editor::MaterialColors{1, 2, 3, 4, 5, 6});
    }

    platform::Bytes forced(input.begin(), input.end());
    banner_editor::Region_Force(forced, "GER");
    abortUnless(forced.size() == size);

    platform::Bytes cut(input.begin(), input.end());
    banner_editor::CutPadding(cut);
    abortUnless(cut.size() <= size && std::equal(cut.begin(), cut.end(), input.begin()));

    platform::Bytes sized(input.begin(), input.end());
    banner_editor::Set_File_Len(sized);
    abortUnless(sized.size() == size);
    return 0;
}
