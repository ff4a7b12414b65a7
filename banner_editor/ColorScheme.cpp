#include "banner_editor/ColorScheme.h"

#include <charconv>

#include "platform/Files.h"
#include "platform/PathText.h"

namespace banner_editor {

namespace {

namespace fmt = layout;

constexpr std::string_view SCHEME_FOLDER = "schemes";
constexpr std::string_view SCHEME_EXTENSION = ".vccs";

bool isSchemeSeparator(std::uint8_t c)
{
    return c == ' ' || c == ',' || c == '\r' || c == '\n' || c == '\t';
}

std::string entryNameOf(std::size_t numberIndex)
{
    return std::string(SCHEME_ENTRIES[numberIndex / 6].name);
}

bool isUsableSchemeName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\' || c == '/' || c == ':' || u < 0x20 || u == 0x7F)
            return false;
    }
    return true;
}

} // namespace

std::size_t schemeEntryIndex(std::string_view entryName)
{
    for (std::size_t i = 0; i < SCHEME_ENTRIES.size(); ++i)
        if (SCHEME_ENTRIES[i].name == entryName)
            return i;
    return SCHEME_ENTRY_COUNT;
}

std::vector<std::string> writtenMaterials(const SchemeEntry& entry)
{
    std::vector<std::string> names;
    if (entry.language == SchemeLanguageList::None) {
        names.emplace_back(entry.material);
        return names;
    }
    const std::string base = std::string(entry.material) + std::string(fmt::LANGUAGE_SEPARATOR);
    for (const auto code : fmt::LANGUAGE_CODES) {
        if (entry.language == SchemeLanguageList::Title && code == fmt::JPN)
            names.push_back(base + std::string(fmt::JAP));
        names.push_back(base + std::string(code));
    }
    return names;
}

platform::Result<ColorScheme> parseScheme(platform::ByteView text)
{
    ColorScheme scheme{};
    std::size_t count = 0;
    std::size_t pos = 0;
    while (count < SCHEME_NUMBER_COUNT) {
        while (pos < text.size() && isSchemeSeparator(text[pos]))
            ++pos;
        if (pos == text.size())
            break;
        std::size_t end = pos;
        while (end < text.size() && !isSchemeSeparator(text[end]))
            ++end;
        const auto* first = reinterpret_cast<const char*>(text.data() + pos);
        const auto* last = reinterpret_cast<const char*>(text.data() + end);
        const std::string token(first, last);
        unsigned value = 0;
        const auto [stop, ec] = std::from_chars(first, last, value);
        if (ec == std::errc::result_out_of_range || (ec == std::errc{} && stop == last && value > 255))
            return platform::makeError(platform::ErrorKind::BadFormat, "colour value " + token + " of entry " +
                                                                           entryNameOf(count) + " is outside 0-255");
        if (ec != std::errc{} || stop != last) {
            const bool negative = !token.empty() && token[0] == '-' && token.size() > 1 &&
                                  token.find_first_not_of("0123456789", 1) == std::string::npos;
            return platform::makeError(
                platform::ErrorKind::BadFormat,
                negative ? "colour value " + token + " of entry " + entryNameOf(count) + " is outside 0-255"
                         : "\"" + token + "\" in entry " + entryNameOf(count) + " is not a colour value");
        }
        auto& colors = scheme[count / 6];
        std::uint8_t* const slots[6] = {&colors.r1, &colors.g1, &colors.b1, &colors.r2, &colors.g2, &colors.b2};
        *slots[count % 6] = static_cast<std::uint8_t>(value);
        ++count;
        pos = end;
    }
    if (count < SCHEME_NUMBER_COUNT)
        return platform::makeError(platform::ErrorKind::BadFormat,
                                   "the scheme holds " + std::to_string(count) + " of its " +
                                       std::to_string(SCHEME_NUMBER_COUNT) + " colour values (entry " +
                                       entryNameOf(count) + " is incomplete)");
    return scheme;
}

platform::Bytes formatScheme(const ColorScheme& scheme)
{
    std::string text;
    for (const auto& c : scheme) {
        for (const int v : {c.r1, c.g1, c.b1, c.r2, c.g2, c.b2})
            text += " " + std::to_string(v) + " ";
        text += "\r\n";
    }
    return platform::bytesOf(text);
}

std::filesystem::path schemePath(const std::filesystem::path& programFolder, std::string_view name)
{
    return platform::findExisting(programFolder / SCHEME_FOLDER / (std::string(name) + std::string(SCHEME_EXTENSION)));
}

bool schemeExists(const std::filesystem::path& programFolder, std::string_view name)
{
    return isUsableSchemeName(name) && platform::fileExists(schemePath(programFolder, name));
}

std::vector<std::string> schemeNames(const std::filesystem::path& programFolder)
{
    std::vector<std::string> names;
    const auto folder = platform::findExisting(programFolder / SCHEME_FOLDER);
    for (auto& file : platform::listFolder(folder, "*.vccs"))
        names.push_back(file.substr(0, file.size() - SCHEME_EXTENSION.size()));
    return names;
}

platform::Result<ColorScheme> loadScheme(const std::filesystem::path& programFolder, std::string_view name)
{
    const std::string shown = "\"" + std::string(name) + "\"";
    const auto path = schemePath(programFolder, name);
    if (!isUsableSchemeName(name))
        return platform::makeError(platform::ErrorKind::NotFound,
                                   "Colour scheme " + shown + " not found: it is not a file name");
    if (!platform::fileExists(path))
        return platform::makeError(platform::ErrorKind::NotFound,
                                   "Colour scheme " + shown + " not found: there is no " + platform::quoted(path));
    auto bytes = platform::readFile(path);
    if (!bytes)
        return platform::makeError(bytes.error().kind, "Colour scheme " + shown + ": " + bytes.error().message);
    auto scheme = parseScheme(*bytes);
    if (!scheme)
        return platform::makeError(scheme.error().kind, "Colour scheme " + shown + ": " + scheme.error().message);
    return scheme;
}

platform::Result<void> saveScheme(const std::filesystem::path& programFolder, std::string_view name,
                                  const ColorScheme& scheme)
{
    if (!isUsableSchemeName(name))
        return platform::makeError(platform::ErrorKind::BadArgument,
                                   "\"" + std::string(name) + "\" cannot be used as a scheme name");
    if (auto made = platform::createFolders(programFolder / SCHEME_FOLDER); !made)
        return made.error();
    const auto path =
        platform::pathForCreate(programFolder / SCHEME_FOLDER / (std::string(name) + std::string(SCHEME_EXTENSION)));
    return platform::writeFileAtomic(path, formatScheme(scheme));
}

void applyScheme(platform::Bytes& buffer, const ColorScheme& scheme)
{
    for (std::size_t i = 0; i < SCHEME_ENTRY_COUNT; ++i)
        for (const auto& material : writtenMaterials(SCHEME_ENTRIES[i]))
            Set_Mat_Colors(buffer, material, scheme[i]);
}

platform::Result<void> Apply_Scheme_brlyt(platform::Bytes& buffer, const std::filesystem::path& programFolder,
                                          std::string_view name)
{
    auto scheme = loadScheme(programFolder, name);
    if (!scheme)
        return scheme.error();
    applyScheme(buffer, *scheme);
    return {};
}

void readSchemeFromLayout(platform::ByteView buffer, const LanguageItems& languages, ColorScheme& scheme)
{
    for (std::size_t i = 0; i < SCHEME_ENTRY_COUNT; ++i) {
        const auto& entry = SCHEME_ENTRIES[i];
        const std::string base(entry.material);
        std::vector<std::string> candidates;
        if (entry.language != SchemeLanguageList::None) {
            const std::string& item = languages[static_cast<std::size_t>(entry.language)];
            if (!item.empty() && item != fmt::NO_LANGUAGE) {
                const std::string suffixed = base + std::string(fmt::LANGUAGE_SEPARATOR);
                candidates.push_back(suffixed + item);
                if (entry.language == SchemeLanguageList::Title && item == fmt::JPN)
                    candidates.push_back(suffixed + std::string(fmt::JAP));
            }
        }
        candidates.push_back(base);
        for (const auto& material : candidates) {
            if (const auto colors = readMaterialColors(buffer, material)) {
                scheme[i] = *colors;
                break;
            }
        }
    }
}

Rgb boxColor(const MaterialColors& colors, int box)
{
    return box == 0 ? Rgb{colors.r1, colors.g1, colors.b1} : Rgb{colors.r2, colors.g2, colors.b2};
}

void setBoxColor(MaterialColors& colors, int box, Rgb color)
{
    if (box == 0) {
        colors.r1 = color.r, colors.g1 = color.g, colors.b1 = color.b;
    } else {
        colors.r2 = color.r, colors.g2 = color.g, colors.b2 = color.b;
    }
}

} // namespace banner_editor
