// The unattended run's command line: the layout path, then options applied in order.

#include "BannerModel.h"
#include "banner_editor/ColorScheme.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace banner_editor {
namespace {

std::u16string withoutQuotes(std::u16string text)
{
    std::erase(text, u'"');
    return text;
}

// The piece without its first n characters, trimmed of spaces.
std::u16string valueAfter(std::u16string_view piece, std::size_t n)
{
    return platform::trimSpaces(n < piece.size() ? piece.substr(n) : std::u16string_view());
}

std::string languageOfKey(std::u16string_view key)
{
    const auto last = key.size() > 3 ? key.substr(key.size() - 3) : key;
    return platform::utf8FromUtf16(platform::asciiUpper(last));
}

} // namespace

platform::Result<void> BannerModel::ParseClo(const std::vector<std::u16string>& pieces)
{
    if (pieces.empty())
        return {};
    // The path: absolute as typed, anything else relative to the program folder.
    std::u16string path = platform::trimSpaces(pieces.front());
    if (!path.empty()) {
        if (!platform::isAbsolutePathText(path) && !platform::isProgramRelativePathText(path))
            path.insert(path.begin(), u'\\');
        auto loaded = txtSrc_Change(platform::pathToText(platform::resolvePathText(path, m_programFolder)));
        if (!loaded)
            return loaded;
    }

    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::u16string& piece = pieces[i];
        const std::u16string typedKey = piece.substr(0, piece.find(u' '));
        const std::u16string key = platform::asciiUpper(typedKey);
        const auto value = [&](std::size_t n) { return withoutQuotes(valueAfter(piece, n)); };

        if (key == u"LOGO") {
            if (auto replaced = ReplaceLogo(value(5)); !replaced)
                return replaced;
        } else if (key == u"FORCE") {
            const std::u16string region = value(5);
            SetForce(region);
            if (platform::utf8FromUtf16(platform::asciiUpper(region)) !=
                LANGUAGE_ITEMS[static_cast<std::size_t>(forceItem)])
                return platform::makeError(platform::ErrorKind::BadArgument,
                                           "Unknown region for -FORCE: \"" + platform::utf8FromUtf16(region) +
                                               "\" (use ENG, GER, FRA, ITA, SPA, NED, JPN or NONE)");
        } else if (key == u"COLOR") {
            if (auto applied = Apply_Scheme_brlyt(m_buffer, m_programFolder, platform::utf8FromUtf16(value(6)));
                !applied)
                return applied;
        } else if (key == u"TITLE") {
            txtName = value(6);
            cmdSetAll_Click(0);
        } else if (key == u"YEAR") {
            txtYear = valueAfter(piece, 5); // double quotes are kept in a year
            cmdSetAll_Click(1);
        } else if (key == u"PLAY") {
            txtPlayers = value(5);
            cmdSetAll_Click(2);
        } else if (key == u"SYSTEM") {
            txtSystem = value(7);
            cmdSetAll_Click(3);
        } else if (key == u"ESRB") {
            txtESRB = value(5);
            cmdSetAll_Click(4);
        } else if (key == u"PAD") {
            txtPad = value(4);
        } else if (key == u"2" || key == u"3" || key == u"4" || key == u"5") {
            txtPlayers = key;
        } else if (key.starts_with(u"T_")) {
            Set_Txt1_Text(m_buffer, "T_VCTitle_" + languageOfKey(key), value(6));
        } else if (key.starts_with(u"Y_")) {
            const std::string language = languageOfKey(key);
            Set_Txt1_Text(m_buffer, "T_Year_" + language, Make_Year(value(6), language));
        } else if (key.starts_with(u"E_")) {
            const std::string language = languageOfKey(key);
            Set_Txt1_Text(m_buffer, "T_ESRB_" + language, Make_ESRB(value(6), language));
        } else if (key.starts_with(u"H_")) {
            // Any pane, by its name as typed.
            const std::string name = platform::utf8FromUtf16(typedKey.substr(2));
            Set_Txt1_Text(m_buffer, name, value(typedKey.size()));
        }
        // Any other key is ignored.
    }
    return {};
}

} // namespace banner_editor
