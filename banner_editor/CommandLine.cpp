#include "banner_editor/CommandLine.h"

#include <algorithm>
#include <array>

#include "banner_editor/LayoutFormat.h"
#include "banner_editor/SaveOptions.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace banner_editor {

const char* const LORVANE_USAGE =
    "Usage: Lorvane [LAYOUT] [-OPTION VALUE]...\n"
    "Without arguments the window opens. With arguments the layout is loaded, the options are applied\n"
    "in order (a later one wins), the layout is saved in place and the program ends.\n"
    "LAYOUT is absolute, or relative to the program folder; left out, the last layout is used.\n"
    "\n"
    "  -TITLE text      title in every language (\"^\" for a line break)\n"
    "  -YEAR year       release year in every language\n"
    "  -PLAY n          maximum number of players in every language (2 gives 1-2)\n"
    "  -SYSTEM text     system name\n"
    "  -ESRB rating     rating in every language\n"
    "  -T_xxx text      title of one language (xxx = ENG, GER, FRA, ITA, SPA, NED, JPN)\n"
    "  -Y_xxx year      year of one language\n"
    "  -E_xxx rating    rating of one language\n"
    "  -H_pane text     text of any pane: the last one whose name begins with pane\n"
    "  -FORCE xxx       force the banner to one language (NONE: no forcing)\n"
    "  -PAD size        padding: a total size such as 12000 (the default), +n for n more bytes, 0 for none\n"
    "  -LOGO file       copy a logo (a name in the logos folder) over the my_Back texture in ../timg\n"
    "  -COLOR scheme    apply a colour scheme from the schemes folder\n"
    "\n"
    "Exit status: 0 saved, 1 failed (reason on standard error), 2 unusable command line (nothing written).\n";

namespace {

using Kind = CommandOption::Kind;
using platform::ErrorKind;
using platform::makeError;

// The keyed options: the key, what it sets, and N, the characters cut off the piece before its value.
struct KeyedOption
{
    std::u16string_view key;
    Kind kind;
    std::size_t valueFrom;
};
constexpr std::array<KeyedOption, 9> KEYED{{{u"LOGO", Kind::Logo, 5},
                                            {u"FORCE", Kind::Force, 5},
                                            {u"COLOR", Kind::Color, 6},
                                            {u"TITLE", Kind::Title, 6},
                                            {u"YEAR", Kind::Year, 5},
                                            {u"PLAY", Kind::Players, 5},
                                            {u"SYSTEM", Kind::System, 7},
                                            {u"ESRB", Kind::Rating, 5},
                                            {u"PAD", Kind::Padding, 4}}};

// The options of one language: the key's prefix, then its last three characters name the language.
struct LanguageOption
{
    std::u16string_view prefix;
    Kind kind;
};
constexpr std::array<LanguageOption, 3> PER_LANGUAGE{
    {{u"T_", Kind::LanguageTitle}, {u"Y_", Kind::LanguageYear}, {u"E_", Kind::LanguageRating}}};
constexpr std::size_t PER_LANGUAGE_VALUE_FROM = 6;
constexpr std::u16string_view ANY_PANE_PREFIX = u"H_";
// Help and version options, which are answered only when they stand alone.
constexpr std::array<std::u16string_view, 4> HELP_KEYS{u"H", u"HELP", u"?", u"VERSION"};

// The piece without its first n characters, trimmed of spaces; without quotes unless keepQuotes.
std::u16string valueAfter(std::u16string_view piece, std::size_t n, bool keepQuotes = false)
{
    std::u16string value = platform::trimSpaces(n < piece.size() ? piece.substr(n) : std::u16string_view());
    if (!keepQuotes)
        std::erase(value, u'"');
    return value;
}

std::string languageOfKey(std::u16string_view key)
{
    const auto last = key.size() > 3 ? key.substr(key.size() - 3) : key;
    return platform::utf8FromUtf16(platform::asciiUpper(last));
}

platform::Error needsValue(std::u16string_view typedKey)
{
    return makeError(ErrorKind::BadArgument,
                     "-" + platform::utf8FromUtf16(typedKey) + " needs a value; nothing was changed (see --help)");
}

// The option a piece holds. Values are checked where an unusable one would otherwise be applied
// silently: a region force that names no language item, a padding that is not a size.
platform::Result<CommandOption> optionOf(std::u16string_view piece)
{
    const std::u16string typedKey(piece.substr(0, piece.find(u' ')));
    const std::u16string key = platform::asciiUpper(typedKey);
    CommandOption option;

    const auto keyed = std::find_if(KEYED.begin(), KEYED.end(), [&](const KeyedOption& k) { return k.key == key; });
    if (keyed != KEYED.end()) {
        option.kind = keyed->kind;
        option.value = valueAfter(piece, keyed->valueFrom, option.kind == Kind::Year);
        // An empty padding means none, so "-PAD" needs something after it, if only an empty argument.
        const bool given = option.kind == Kind::Padding ? piece.size() > typedKey.size() : !option.value.empty();
        if (!given)
            return needsValue(typedKey);
        if (option.kind == Kind::Force) {
            const std::string code = platform::utf8FromUtf16(platform::asciiUpper(option.value));
            if (std::find(layout::LANGUAGE_CODES.begin(), layout::LANGUAGE_CODES.end(), code) ==
                    layout::LANGUAGE_CODES.end() &&
                code != layout::NO_LANGUAGE)
                return makeError(ErrorKind::BadArgument, "Unknown region for -FORCE: \"" +
                                                             platform::utf8FromUtf16(option.value) +
                                                             "\" (use ENG, GER, FRA, ITA, SPA, NED, JPN or NONE)");
        }
        if (option.kind == Kind::Padding) {
            if (auto padding = parsePadding(option.value); !padding)
                return padding.error();
        }
        return option;
    }
    // Help asked for among other arguments: the rest is not run, for the user wanted to read first.
    if (std::find(HELP_KEYS.begin(), HELP_KEYS.end(), key) != HELP_KEYS.end())
        return makeError(ErrorKind::BadArgument, "-" + platform::utf8FromUtf16(typedKey) +
                                                     " is answered on its own (Lorvane -" +
                                                     platform::utf8FromUtf16(typedKey) + "); nothing was changed");
    if (key == u"2" || key == u"3" || key == u"4" || key == u"5")
        return CommandOption{Kind::PlayersField, key, {}};
    for (const auto& language : PER_LANGUAGE) {
        if (key.starts_with(language.prefix)) {
            option = {language.kind, valueAfter(piece, PER_LANGUAGE_VALUE_FROM), languageOfKey(key)};
            if (option.value.empty())
                return needsValue(typedKey);
            return option;
        }
    }
    if (key.starts_with(ANY_PANE_PREFIX)) {
        // Any pane, by its name as typed.
        option = {Kind::AnyPane, valueAfter(piece, typedKey.size()),
                  platform::utf8FromUtf16(typedKey.substr(ANY_PANE_PREFIX.size()))};
        if (option.value.empty())
            return needsValue(typedKey);
        return option;
    }
    return CommandOption{Kind::Unknown, u"-" + typedKey, {}};
}

} // namespace

platform::Result<CommandLineOptions> parseCommandLine(const std::vector<std::u16string>& pieces)
{
    CommandLineOptions options;
    if (pieces.empty())
        return options;
    // The path: absolute as typed, anything else relative to the program folder.
    options.path = platform::trimSpaces(pieces.front());
    if (!options.path.empty() && !platform::isAbsolutePathText(options.path) &&
        !platform::isProgramRelativePathText(options.path))
        options.path.insert(options.path.begin(), u'\\');

    for (std::size_t i = 1; i < pieces.size(); ++i) {
        auto option = optionOf(pieces[i]);
        if (!option)
            return option.error();
        options.options.push_back(std::move(option.value()));
    }
    return options;
}

} // namespace banner_editor
