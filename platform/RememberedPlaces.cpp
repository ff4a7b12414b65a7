#include "RememberedPlaces.h"

#include "Files.h"
#include "PathText.h"
#include "TextCodec.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view CONFIG_FOLDER = "cfgs";
constexpr std::string_view DIALOG_KEY_PREFIX = "dialog.";

} // namespace

RememberedPlaces::RememberedPlaces(const fs::path& programFolder, std::string_view fileName)
    : m_file(programFolder / CONFIG_FOLDER / fileName)
{
    auto bytes = readFile(m_file);
    if (!bytes)
        return;
    const std::string text(bytes->begin(), bytes->end());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (const auto eq = line.find('='); eq != std::string::npos && eq > 0)
            m_values[line.substr(0, eq)] = utf16FromUtf8(line.substr(eq + 1));
        start = end + 1;
    }
}

std::u16string RememberedPlaces::value(std::string_view key) const
{
    const auto it = m_values.find(key);
    return it == m_values.end() ? std::u16string() : it->second;
}

void RememberedPlaces::remember(std::string_view key, std::u16string_view value)
{
    if (key.empty() || key.find_first_of("=\r\n") != std::string_view::npos ||
        value.find_first_of(u"\r\n") != std::u16string_view::npos)
        return;
    auto& slot = m_values[std::string(key)];
    if (slot == value)
        return;
    slot = value;
    std::string text;
    for (const auto& [name, stored] : m_values)
        text += name + "=" + utf8FromUtf16(stored) + "\n";
    if (!createFolders(m_file.parent_path()))
        return;
    (void)writeFileAtomic(m_file, bytesOf(text));
}

fs::path RememberedPlaces::dialogFolder(std::string_view dialog) const
{
    const std::u16string folder = value(std::string(DIALOG_KEY_PREFIX) + std::string(dialog));
    if (folder.empty())
        return {};
    const fs::path path = textToPath(folder);
    return folderExists(path) ? findExisting(path) : fs::path();
}

void RememberedPlaces::rememberDialogPath(std::string_view dialog, const fs::path& chosen, bool isFolder)
{
    if (chosen.empty())
        return;
    const fs::path folder = isFolder ? chosen : chosen.parent_path();
    remember(std::string(DIALOG_KEY_PREFIX) + std::string(dialog), pathToText(folder));
}

} // namespace platform
