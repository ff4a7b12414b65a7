#pragma once

// The state of the layout editor's main window as plain values, and the operations its controls run.
// The window binds its controls to this model; the unattended run drives the same model without any
// window. Nothing here depends on Qt.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "banner_editor/GameInfoLabels.h"
#include "banner_editor/LayoutBuffer.h"
#include "banner_editor/SaveOptions.h"
#include "platform/Bytes.h"
#include "platform/Result.h"

namespace banner_editor {

// The items of every language list, in order. The first seven suffix the pane names; "NONE" stands
// for the panes without a language suffix that single-language layouts carry.
inline constexpr std::array<std::string_view, 8> LANGUAGE_ITEMS{"ENG", "GER", "FRA", "ITA",
                                                                "SPA", "NED", "JPN", "NONE"};
inline constexpr int LANGUAGE_COUNT = 7; // the real language codes, LANGUAGE_ITEMS[0..6]
inline constexpr int NONE_ITEM = 7;      // index of "NONE"
inline constexpr int NO_SELECTION = -1;  // a list with no selected item

// The four language lists of the main window (cmbRegion(0)..(3)) and the fields they serve.
enum RegionList : int { TitleList = 0, YearList = 1, PlayersList = 2, RatingList = 3 };

// The fixed first items of the logo and scheme lists: keep what the layout already has.
inline constexpr std::u16string_view CURRENT_LOGO_ITEM = u"Current Logo";
inline constexpr std::u16string_view CURRENT_SCHEME_ITEM = u"Current Brlyt";

// The configuration file that remembers the last layout path, relative to the program folder.
inline constexpr std::u16string_view CONFIG_PATH_TEXT = u"\\cfgs\\vcinfopath.cfg";

class BannerModel
{
public:
    explicit BannerModel(std::filesystem::path programFolder);

    // --- state ---------------------------------------------------------------------------------------

    const std::filesystem::path& programFolder() const { return m_programFolder; }

    // The path field's text as the user sees it (absolute, or relative beginning with "\").
    const std::u16string& pathText() const { return m_pathText; }
    // The absolute path of the loaded layout (SrcPath); empty before a load.
    const std::filesystem::path& SrcPath() const { return m_srcPath; }
    // The language of a layout that has titles without language suffix, else empty.
    const std::string& SingleLang() const { return m_singleLang; }

    // The layout buffer, shared with the colour window and the manual editor.
    platform::Bytes& buffer() { return m_buffer; }
    const platform::Bytes& buffer() const { return m_buffer; }
    bool hasLayout() const { return !m_buffer.empty(); }

    // The five text fields, field texts with "^" for a line break.
    std::u16string txtName, txtYear, txtPlayers, txtESRB, txtSystem;

    // The selected item of each language list (index into LANGUAGE_ITEMS, or NO_SELECTION).
    int region(int list) const { return m_regions.at(static_cast<std::size_t>(list)); }
    // The selected item's text ("ENG" ... "NONE"), or "" without a selection.
    std::string regionItem(int list) const;
    // Selects an item without reading anything (the window mirrors its list this way).
    void setRegion(int list, int item);

    // Region force: index into LANGUAGE_ITEMS; "NONE" at start.
    int forceItem = NONE_ITEM;
    // Padding field, "12000" at start.
    std::u16string txtPad = u"12000";

    // Logo and scheme lists: items (the first is CURRENT_LOGO_ITEM / CURRENT_SCHEME_ITEM) and selection.
    std::vector<std::u16string> logoItems{std::u16string(CURRENT_LOGO_ITEM)};
    int logoSelection = 0;
    std::vector<std::u16string> schemeItems{std::u16string(CURRENT_SCHEME_ITEM)};
    int schemeSelection = 0;

    // True for an unattended run: the save skips the scheme and logo lists and the success message.
    bool commandLineMode = false;

    // --- operations ----------------------------------------------------------------------------------

    // Start-up: region force on "NONE", then the path from the configuration file (which loads it).
    void Form_Load();

    // The path field changed: empty the buffer; when the text names an existing file, load it and
    // record the text in the configuration file. The error of a failed load is returned (the window
    // ignores it, the unattended run reports it).
    platform::Result<void> txtSrc_Change(std::u16string text);

    // Loads the layout at SrcPath, cuts its padding and fills the fields and language lists.
    [[nodiscard]] platform::Result<void> Load_Brlyt();

    // Reads field `list` out of the buffer for its list's selected language.
    void cmbRegion_click(int list);
    // Selects an item of a language list and reads its field (a user's pick).
    void selectRegion(int list, int item);
    // Reads the four language fields and the system field again (after the manual editor changed the buffer).
    void rereadFields();

    // Writes title (0), year (1) or rating (2) for the selected language of its list.
    void cmdSet_Click(int index);
    // Writes title (0), year (1), players (2), system (3) or rating (4) to every language.
    void cmdSetAll_Click(int index);

    // The language code of the loaded single-language layout, from its year label.
    std::string Detect_Language() const;

    // The save sequence: normalise, size field, scheme and logo (window run), region force, padding,
    // write to the path field's file, success message (window run), reload. On failure nothing is
    // written, the buffer keeps the user's edits and the error names the path.
    [[nodiscard]] platform::Result<void> cmdSave_Click();

    // Selects the region force item equal to REG (upper-cased); no match leaves it as it was.
    void SetForce(std::u16string_view REG);

    // Copies a logo texture (a name in the logos folder, "\..." in the program folder, or absolute) over
    // the "my_Back*.tpl" texture beside the loaded layout. No texture folder or no such texture: nothing
    // happens. A missing logo file or a layout path without two folders above the file is an error.
    [[nodiscard]] platform::Result<void> ReplaceLogo(std::u16string_view lgPath);

    // Fill the logo list ("*.tpl" in the logos folder) and the scheme list ("*.vccs" in the schemes
    // folder, names without the extension); each selects its first item.
    void RefreshLogoList();
    void RefreshColorList_Here();

    // Applies the command line's pieces (the path first, then the options) in order. A piece that
    // cannot be applied (a scheme or logo that cannot be used) stops here with its error.
    [[nodiscard]] platform::Result<void> ParseClo(const std::vector<std::u16string>& pieces);

private:
    std::u16string readPane(int list, int item) const;
    void recordPath();

    std::filesystem::path m_programFolder;
    std::u16string m_pathText;
    std::filesystem::path m_srcPath;
    std::string m_singleLang;
    platform::Bytes m_buffer;
    std::array<int, 4> m_regions{NO_SELECTION, NO_SELECTION, NO_SELECTION, NO_SELECTION};
};

} // namespace banner_editor
