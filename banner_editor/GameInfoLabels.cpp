#include "GameInfoLabels.h"

#include "banner_editor/LayoutFormat.h"
#include "platform/TextCodec.h"

namespace banner_editor {
namespace {

namespace fmt = layout;

// "Publi" + e acute + " en " and "A" + n tilde + "o": the French and Spanish year labels.
constexpr std::u16string_view FRENCH_YEAR = u"Publi\u00E9 en ";
constexpr std::u16string_view SPANISH_YEAR = u"A\u00F1o";
// Year suffix and players caption of the Japanese labels.
constexpr std::u16string_view JAPANESE_YEAR_SUFFIX = u"\u5E74\u767A\u58F2";
constexpr std::u16string_view JAPANESE_PLAYERS = u"\u30D7\u30EC\u30A4\u4EBA\u6570";
constexpr char16_t JAPANESE_PERSON = u'\u4EBA';
constexpr char16_t WAVE_DASH = u'\uFF5E';

std::u16string orQuestionMarks(std::u16string_view value)
{
    return value.empty() ? std::u16string(u"????") : std::u16string(value);
}

// The text between the first and the second occurrence of sep (to the end when there is no second).
std::u16string_view secondField(std::u16string_view text, char16_t sep)
{
    const auto first = text.find(sep);
    if (first == std::u16string_view::npos)
        return {};
    auto rest = text.substr(first + 1);
    return rest.substr(0, rest.find(sep));
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

std::u16string Make_Year(std::u16string_view yearVal, std::string_view tReg)
{
    const std::u16string year = orQuestionMarks(yearVal);
    if (tReg == fmt::GER)
        return u"Erschienen: " + year;
    if (tReg == fmt::FRA)
        return std::u16string(FRENCH_YEAR) + year;
    if (tReg == fmt::ITA)
        return u"Pubblicato: " + year;
    if (tReg == fmt::SPA)
        return std::u16string(SPANISH_YEAR) + u": " + year;
    if (tReg == fmt::NED)
        return u"Release: " + year;
    if (tReg == fmt::JPN)
        return year + std::u16string(JAPANESE_YEAR_SUFFIX);
    return u"Released: " + year;
}

std::u16string Make_ESRB(std::u16string_view esrbVal, std::string_view tReg)
{
    const std::u16string rating = orQuestionMarks(esrbVal);
    if (tReg == fmt::FRA)
        return u"Classement ESRB: " + rating;
    return u"ESRB Rating: " + rating;
}

std::u16string Make_Players(std::u16string_view playVal, std::string_view tReg)
{
    std::u16string value = playVal.empty() ? std::u16string(u"2") : std::u16string(playVal);
    if (value != u"1")
        value = u"1-" + value;
    if (tReg == fmt::GER)
        return value + u" Spieler";
    if (tReg == fmt::FRA)
        return u"Joueurs: " + value;
    if (tReg == fmt::ITA)
        return u"Giocatori: " + value;
    if (tReg == fmt::SPA)
        return u"Jugadores: " + value;
    if (tReg == fmt::NED)
        return value + u" speler(s)";
    if (tReg == fmt::JPN) {
        for (auto& c : value)
            if (c == u'-')
                c = WAVE_DASH;
        return std::u16string(JAPANESE_PLAYERS) + u'\n' + value + JAPANESE_PERSON;
    }
    return u"Players: " + value;
}

std::u16string yearFromLabel(std::u16string_view label)
{
    if (label.size() <= 4)
        return std::u16string(label);
    return std::u16string(isDigit(label.front()) ? label.substr(0, 4) : label.substr(label.size() - 4));
}

std::u16string playersFromLabel(std::u16string_view label)
{
    std::u16string taken;
    if (label.find(u':') != std::u16string_view::npos) {
        taken = platform::trimSpaces(secondField(label, u':'));
    } else if (label.empty()) {
        return {};
    } else if (const auto space = label.find(u' '); space != std::u16string_view::npos) {
        taken = platform::trimSpaces(label.substr(0, space));
    } else if (label.find(u'^') != std::u16string_view::npos) {
        // The Japanese label: caption, line break, "1~n" and the counter character, which is dropped.
        const auto line = secondField(label, u'^');
        if (!line.empty())
            taken = std::u16string(line.substr(0, line.size() - 1));
    }
    return taken.empty() ? std::u16string() : std::u16string(1, taken.back());
}

std::u16string ratingFromLabel(std::u16string_view label)
{
    const auto colon = label.find(u':');
    if (colon == std::u16string_view::npos)
        return {};
    return platform::trimSpaces(label.substr(colon + 1));
}

std::string languageOfYearLabel(std::u16string_view yearLabel)
{
    // The French label has no ":" and would otherwise pass for a Japanese one.
    if (yearLabel.starts_with(FRENCH_YEAR))
        return std::string(fmt::FRA);
    const auto colon = yearLabel.find(u':');
    if (colon == std::u16string_view::npos)
        return std::string(fmt::JPN);
    const auto head = yearLabel.substr(0, colon);
    if (head == u"Released")
        return std::string(fmt::ENG);
    if (head == u"Erschienen")
        return std::string(fmt::GER);
    if (head == FRENCH_YEAR)
        return std::string(fmt::FRA);
    if (head == u"Pubblicato")
        return std::string(fmt::ITA);
    if (head == SPANISH_YEAR)
        return std::string(fmt::SPA);
    if (head == u"Release")
        return std::string(fmt::NED);
    return std::string(fmt::ENG);
}

} // namespace banner_editor
