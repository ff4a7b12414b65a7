#pragma once

// The colour window's state and operations without widgets: the nineteen entries' colours, the scheme
// list, the box being edited and the swatch, reading the colours out of a layout file, loading and saving
// schemes, and the preview scene.
//
// It works with the main window's model: the program folder, the main window's fields and language
// lists (for the preview and for "Get Color Scheme"), the main window's scheme list, which it takes over
// when it starts and hands back when it finishes, and the sink for its success message. It never
// changes the layout buffer: edited colours reach a layout only as a saved scheme chosen in the main
// window.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "banner_editor/BannerModel.h"
#include "banner_editor/ColorScheme.h"
#include "banner_editor/PreviewScene.h"
#include "platform/Result.h"

namespace banner_editor {

// The colour box being edited: an entry (index into SCHEME_ENTRIES) and its box, 0 (colour 1) or 1.
struct EditedBox
{
    std::size_t entry = 0;
    int box = 0;
    bool operator==(const EditedBox&) const = default;
};

// What "Get Color Scheme" says when the path names no file.
inline constexpr std::string_view FILE_NOT_FOUND_MESSAGE = "File Not Found!";
// The path field's text before the main window's path is taken over.
inline constexpr std::u16string_view DEFAULT_BANNER_PATH = u"gen.brlyt";

class ColorEditor
{
public:
    explicit ColorEditor(BannerModel& model);

    BannerModel& model() const { return m_model; }

    // --- colours -------------------------------------------------------------------------------------

    const ColorScheme& colors() const { return m_colors; }
    void setColors(const ColorScheme& colors) { m_colors = colors; }
    Rgb color(std::size_t entry, int box) const;

    // --- the scheme list and its sources ---------------------------------------------------------------

    // The list's items ("Current Brlyt", then the scheme names) and the selected one (-1: none).
    const std::vector<std::u16string>& schemeItems() const { return m_schemeItems; }
    int schemeSelection() const { return m_schemeSelection; }
    void setSchemeSelection(int index) { m_schemeSelection = index; }

    // The "Load From brlyt:" path text that "Current Brlyt" and "Get Color Scheme" read.
    std::u16string bannerPathText{DEFAULT_BANNER_PATH};

    // Opening: fills the list, takes the main window's path and selects the main window's scheme item
    // (by its text), which loads its colours. The error of that load is returned; the list stays.
    [[nodiscard]] platform::Result<void> start();
    // Closing: the main window's list and selection become this one's.
    void finish();

    // Rebuilds the list with nothing selected; unless dont_Set, the main window's list too.
    void refreshSchemeList(bool dont_Set);

    // Selects an item and loads it: "Current Brlyt" reads the layout named by bannerPathText, any other
    // item the scheme of that name.
    [[nodiscard]] platform::Result<void> selectScheme(int index);
    // Loads a named scheme; an unusable one leaves the colours as they are.
    [[nodiscard]] platform::Result<void> loadScheme(std::string_view name);
    // Reads every entry's colours out of the layout file named by bannerPathText, for the main window's
    // languages; entries whose material is missing keep their colours. No file there: FILE_NOT_FOUND_MESSAGE.
    [[nodiscard]] platform::Result<void> readFromLayout();
    // Saves the colours as a scheme of that name, says so on the sink and rebuilds both lists.
    [[nodiscard]] platform::Result<void> saveScheme(std::string_view name);

    // --- editing one colour ------------------------------------------------------------------------------

    // A colour box was clicked: it becomes the edited one and the swatch takes its colour.
    void selectBox(std::size_t entry, int box);
    const std::optional<EditedBox>& editedBox() const { return m_edited; }
    // The edited box as the window's label shows it: entry name, a space, the box ("Back0 1").
    std::string editedLabel() const;

    Rgb swatch() const { return m_swatch; }
    void setSwatch(Rgb color) { m_swatch = color; }
    // The swatch from the three component fields, when each holds a whole number 0-255 (spaces around it
    // allowed); otherwise the swatch keeps its colour and false is returned.
    bool setSwatchFromFields(std::u16string_view red, std::u16string_view green, std::u16string_view blue);
    // "Set": the edited box takes the swatch's colour; false (nothing changes) when no box is chosen.
    bool applySwatch();

    // --- preview ---------------------------------------------------------------------------------------

    // The preview for the current colours, the main window's fields and the loaded layout.
    PreviewScene preview(const TextMeasure& measure) const;

private:
    BannerModel& m_model;
    ColorScheme m_colors;
    std::vector<std::u16string> m_schemeItems;
    int m_schemeSelection = -1;
    std::optional<EditedBox> m_edited;
    Rgb m_swatch{255, 255, 255};
};

// A colour component as typed: a whole number 0-255, spaces around it allowed; otherwise nothing.
std::optional<std::uint8_t> colorComponent(std::u16string_view text);

} // namespace banner_editor
