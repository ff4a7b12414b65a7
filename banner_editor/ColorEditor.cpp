#include "banner_editor/ColorEditor.h"

#include <algorithm>

#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace banner_editor {

namespace {

// The entries' colours before anything is loaded: light grey boxes on white.
ColorScheme startColors()
{
    ColorScheme colors;
    colors.fill(MaterialColors{192, 192, 192, 255, 255, 255});
    return colors;
}

LanguageItems languagesOf(const BannerModel& model)
{
    LanguageItems languages;
    for (int list = TitleList; list <= RatingList; ++list)
        languages[static_cast<std::size_t>(list)] = model.regionItem(list);
    return languages;
}

} // namespace

std::optional<std::uint8_t> colorComponent(std::u16string_view text)
{
    const std::u16string digits = platform::trimSpaces(text);
    if (digits.empty() || digits.size() > 3)
        return std::nullopt;
    int value = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    if (value > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

ColorEditor::ColorEditor(BannerModel& model) : m_model(model), m_colors(startColors()) {}

Rgb ColorEditor::color(std::size_t entry, int box) const
{
    return boxColor(m_colors.at(entry), box);
}

// ---- the scheme list -----------------------------------------------------------------------------------

platform::Result<void> ColorEditor::start()
{
    refreshSchemeList(true);
    bannerPathText = m_model.pathText();
    // The main window's item is found by its text: the folder may have changed since its list was filled.
    const auto& mainItems = m_model.schemeItems;
    const int mainSelection = m_model.schemeSelection;
    if (mainSelection < 0 || mainSelection >= static_cast<int>(mainItems.size()))
        return {};
    const auto found = std::find(m_schemeItems.begin(), m_schemeItems.end(), mainItems[std::size_t(mainSelection)]);
    if (found == m_schemeItems.end())
        return {};
    return selectScheme(static_cast<int>(found - m_schemeItems.begin()));
}

void ColorEditor::finish()
{
    m_model.schemeItems = m_schemeItems;
    m_model.schemeSelection = m_schemeSelection;
}

void ColorEditor::refreshSchemeList(bool dont_Set)
{
    m_schemeItems.assign(1, std::u16string(CURRENT_SCHEME_ITEM));
    for (const auto& name : schemeNames(m_model.programFolder()))
        m_schemeItems.push_back(platform::utf16FromUtf8(name));
    m_schemeSelection = -1;
    if (!dont_Set) {
        m_model.schemeItems = m_schemeItems;
        m_model.schemeSelection = -1;
    }
}

platform::Result<void> ColorEditor::selectScheme(int index)
{
    if (index < 0 || index >= static_cast<int>(m_schemeItems.size()))
        return {};
    m_schemeSelection = index;
    if (index == 0)
        return readFromLayout();
    return loadScheme(platform::utf8FromUtf16(m_schemeItems[std::size_t(index)]));
}

platform::Result<void> ColorEditor::loadScheme(std::string_view name)
{
    auto scheme = banner_editor::loadScheme(m_model.programFolder(), name);
    if (!scheme)
        return scheme.error();
    m_colors = *scheme;
    return {};
}

platform::Result<void> ColorEditor::readFromLayout()
{
    const auto path = platform::resolvePathText(bannerPathText, m_model.programFolder());
    if (bannerPathText.empty() || !platform::fileExists(path))
        return platform::makeError(platform::ErrorKind::NotFound, std::string(FILE_NOT_FOUND_MESSAGE));
    // A copy of its own: the main window's layout buffer is not touched.
    auto layout = readLayoutFile(path);
    if (!layout)
        return layout.error();
    readSchemeFromLayout(*layout, languagesOf(m_model), m_colors);
    return {};
}

platform::Result<void> ColorEditor::saveScheme(std::string_view name)
{
    if (auto saved = banner_editor::saveScheme(m_model.programFolder(), name, m_colors); !saved)
        return saved;
    m_model.sink().message("Color Scheme saved as " + std::string(name));
    refreshSchemeList(false);
    return {};
}

// ---- editing one colour ----------------------------------------------------------------------------------

void ColorEditor::selectBox(std::size_t entry, int box)
{
    if (entry >= SCHEME_ENTRY_COUNT || box < 0 || box > 1)
        return;
    m_edited = EditedBox{entry, box};
    m_swatch = color(entry, box);
}

std::string ColorEditor::editedLabel() const
{
    if (!m_edited)
        return {};
    return std::string(SCHEME_ENTRIES[m_edited->entry].name) + " " + std::to_string(m_edited->box);
}

bool ColorEditor::setSwatchFromFields(std::u16string_view red, std::u16string_view green, std::u16string_view blue)
{
    const auto r = colorComponent(red), g = colorComponent(green), b = colorComponent(blue);
    if (!r || !g || !b)
        return false;
    m_swatch = Rgb{*r, *g, *b};
    return true;
}

bool ColorEditor::applySwatch()
{
    if (!m_edited)
        return false;
    setBoxColor(m_colors[m_edited->entry], m_edited->box, m_swatch);
    return true;
}

// ---- preview -------------------------------------------------------------------------------------------

PreviewScene ColorEditor::preview(const TextMeasure& measure) const
{
    PreviewFields fields;
    fields.title = m_model.txtName;
    fields.year = m_model.txtYear;
    fields.players = m_model.txtPlayers;
    fields.rating = m_model.txtESRB;
    fields.system = m_model.txtSystem;
    fields.languages = languagesOf(m_model);
    return MakePreview(m_colors, fields, m_model.buffer(), measure);
}

} // namespace banner_editor
