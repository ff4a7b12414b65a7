#pragma once

// The state of the layout editor's main window as plain values, and the operations its controls run.
// The window binds its controls to this model; the unattended run drives the same model without any
// window. Nothing here depends on Qt. Messages along the way (the success message of a save, options
// passed over) go to the sink the model is given; failures come back as the operation's Error.
//
// Members are defined by topic: BannerModel.cpp (loading and the game-info fields),
// BannerModel_Save.cpp (saving, region force, logo and lists), BannerModel_Options.cpp (the command
// line's options), BannerModel_Changes.cpp (what is not saved yet).

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "banner_editor/CommandLine.h"
#include "banner_editor/GameInfoLabels.h"
#include "banner_editor/LayoutBuffer.h"
#include "banner_editor/LayoutFormat.h"
#include "banner_editor/SaveOptions.h"
#include "platform/Bytes.h"
#include "platform/Messages.h"
#include "platform/Result.h"

namespace banner_editor {

// The items of every language list, in order. The first seven suffix the pane names; "NONE" stands
// for the panes without a language suffix that single-language layouts carry.
inline constexpr std::array<std::string_view, 8> LANGUAGE_ITEMS{
    layout::ENG, layout::GER, layout::FRA, layout::ITA, layout::SPA, layout::NED, layout::JPN, layout::NO_LANGUAGE};
inline constexpr int NONE_ITEM = 7;     // index of "NONE"
inline constexpr int NO_SELECTION = -1; // a list with no selected item

// The four language lists of the main window (cmbRegion(0)..(3)) and the fields they serve.
enum RegionList : int { TitleList = 0, YearList = 1, PlayersList = 2, RatingList = 3 };

// The base pane of a language list ("T_VCTitle", "T_Year", "T_Play", "T_ESRB"), and the pane its item
// addresses: base + "_" + item. With "NONE" that is "T_Year_NONE", which a write turns into exactly the
// pane "T_Year" (Set_Txt1_Text) and which a read finds nowhere.
std::string_view basePane(int list);
std::string languagePane(int list, std::string_view item);

// The game-info fields that Set and Set All write.
enum class GameField { Title, Year, Players, System, Rating };
inline constexpr std::size_t GAME_FIELD_COUNT = 5;

// The fixed first items of the logo and scheme lists: keep what the layout already has.
inline constexpr std::u16string_view CURRENT_LOGO_ITEM = u"Current Logo";
inline constexpr std::u16string_view CURRENT_SCHEME_ITEM = u"Current Brlyt";

// The configuration file that remembers the last layout path, relative to the program folder.
inline constexpr std::u16string_view CONFIG_PATH_TEXT = u"\\cfgs\\vcinfopath.cfg";

// A logo texture to copy over the layout's own: the logo file and the "my_Back" texture it replaces.
struct LogoCopy
{
    std::filesystem::path from;
    std::filesystem::path to;
};

class BannerModel
{
public:
    BannerModel(platform::MessageSink& sink, std::filesystem::path programFolder);

    // --- state ---------------------------------------------------------------------------------------

    platform::MessageSink& sink() const { return m_sink; }
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

    // True for an unattended run: the save skips the scheme and logo lists and the success message,
    // and copies the logo chosen by setLogo instead.
    bool commandLineMode = false;

    // --- loading and the fields ----------------------------------------------------------------------

    // Start-up: region force on "NONE", then the path from the configuration file (which loads it).
    void start();

    // The path field changed: empty the buffer; when the text names an existing banner layout, load it
    // and record the text in the configuration file. A path that names no file, or a file that is not a
    // banner layout, leaves the buffer empty and the fields as they were, and its error is returned (and
    // kept: a later save says why there is nothing to save).
    platform::Result<void> setPath(std::u16string text);

    // Loads the layout at SrcPath, cuts its padding and fills the fields and language lists.
    [[nodiscard]] platform::Result<void> load();

    // Reads field `list` out of the buffer for its list's selected language.
    void readField(int list);
    // Selects an item of a language list and reads its field (a user's pick).
    void selectLanguage(int list, int item);
    // Reads the four language fields and the system field again (after the manual editor changed the buffer).
    void rereadFields();

    // Writes the title, year or rating field for the selected language of its list ("Set").
    void setLanguageField(GameField field);
    // Writes a field to every language ("Set All"); the system field has no language and is written once.
    void setAllLanguages(GameField field);

    // The language code of the loaded single-language layout, from its year label.
    std::string detectLanguage() const;

    // The names of the text panes in file order, and the text of the pane with exactly that name.
    std::vector<std::string> paneNames() const;
    std::u16string paneText(std::string_view paneName) const;
    // Writes the text of the last pane whose name begins with paneName (the manual editor and -H_). An
    // empty text changes nothing. A name that matches no pane, or a pane that cannot be rewritten, is an
    // error that names the pane and the layout; the buffer is then unchanged.
    [[nodiscard]] platform::Result<void> setPaneText(std::string_view paneName, std::u16string_view text);

    // --- what is not saved yet -------------------------------------------------------------------------

    // True when a layout is loaded and its buffer differs from the file as loaded (or last saved), or a
    // game-info field holds text typed since the field was last read from or written to the buffer.
    bool hasUnsavedChanges() const;
    // The game-info fields typed since they were last read from or written to the buffer.
    std::vector<GameField> typedFields() const;
    // Writes each typed field as the first button of its row does: for its list's language (Set) the
    // title, year and rating; for every language the players, whose one button writes them all; and
    // the system. So a save that follows keeps what the fields show.
    void setTypedFields();

    // --- saving ----------------------------------------------------------------------------------------

    // The save sequence: normalise, size field, scheme and logo, region force, padding, write to the
    // path field's file (together with the logo texture, all or nothing), success message (window run),
    // reload. Nothing is written when no layout is loaded, when the file on disk is not a banner layout,
    // or when any step fails: the error names the path, and the buffer keeps the user's edits.
    [[nodiscard]] platform::Result<void> save();

    // Selects the region force item equal to region (upper-cased); no match leaves it as it was.
    void setForce(std::u16string_view region);

    // Chooses the logo the next save copies over the layout's "my_Back*.tpl" texture (the command line's
    // -LOGO). lgPath is a name in the logos folder, "\..." in the program folder, or absolute. A missing
    // logo, a layout without its "timg" folder two levels up or without a "my_Back*.tpl" in it is an
    // error naming what was looked for, and nothing is chosen.
    [[nodiscard]] platform::Result<void> setLogo(std::u16string_view lgPath);

    // Fill the logo list ("*.tpl" in the logos folder) and the scheme list ("*.vccs" in the schemes
    // folder, names without the extension); each selects its first item.
    void refreshLogoList();
    void refreshSchemeList();

    // --- command line ----------------------------------------------------------------------------------

    // Applies a parsed command line: the path first, then the options in order (a later one wins). An
    // option that cannot be applied stops here with its error; options that were passed over are named
    // on the sink.
    [[nodiscard]] platform::Result<void> applyOptions(const CommandLineOptions& options);

private:
    std::u16string readPane(int list, int item) const;
    const std::u16string& fieldText(GameField field) const;
    // The field's text is what the buffer holds for it now (it was just read or written).
    void markStored(GameField field);
    void markAllStored();
    void recordPath();
    [[nodiscard]] platform::Result<void> applyOption(const CommandOption& option);
    [[nodiscard]] platform::Result<LogoCopy> logoCopyFor(std::u16string_view lgPath) const;
    [[nodiscard]] platform::Result<platform::Bytes> savedBytes() const;
    [[nodiscard]] platform::Result<std::optional<LogoCopy>> logoToSave() const;

    platform::MessageSink& m_sink;
    std::filesystem::path m_programFolder;
    std::u16string m_pathText;
    std::filesystem::path m_srcPath;
    std::string m_singleLang;
    platform::Bytes m_buffer;
    std::array<int, 4> m_regions{NO_SELECTION, NO_SELECTION, NO_SELECTION, NO_SELECTION};
    std::optional<platform::Error> m_loadError;
    std::optional<LogoCopy> m_logo;
    // The buffer as loaded, and each field's text as last read or written (index: GameField).
    platform::Bytes m_loadedBuffer;
    std::array<std::u16string, GAME_FIELD_COUNT> m_storedFields;
};

} // namespace banner_editor
