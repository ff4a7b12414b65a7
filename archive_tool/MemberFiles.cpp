#include "archive_tool/MemberFiles.h"

#include <vector>

#include "archive_tool/MemberName.h"
#include "platform/TextCodec.h"

namespace archive_tool {
namespace {

// The key two names share exactly when they are equal without regard to letter case (Unicode simple
// case folding, as file names are matched). Characters outside the first plane are kept as they are:
// only the archive's own name can hold them, and no member name can equal it there.
std::u16string folded(std::u16string_view name)
{
    std::u16string key;
    key.reserve(name.size());
    for (char16_t c : name)
        key += static_cast<char16_t>(c >= 0xD800 && c < 0xE000 ? c : platform::foldCase(c));
    return key;
}

} // namespace

MemberFiles::MemberFiles(const std::u16string& archiveName)
{
    if (!archiveName.empty())
        m_taken.emplace(folded(archiveName), Owner{NO_MEMBER, archiveName});
}

platform::Result<void> MemberFiles::claim(std::size_t index, const CcfEntry& entry)
{
    std::vector<std::u16string> names{entry.FileName};
    if (entry.compressed())
        names.push_back(entry.FileName + std::u16string(ZLIB_SUFFIX));
    for (const auto& name : names) {
        const auto found = m_taken.find(folded(name));
        if (found == m_taken.end())
            continue;
        const Owner& owner = found->second;
        const std::string file = quotedName(name);
        if (owner.index == NO_MEMBER)
            return platform::makeError(platform::ErrorKind::BadFormat,
                                       "its file " + file + " would replace the archive being extracted");
        return platform::makeError(platform::ErrorKind::BadFormat,
                                   "its file " + file + " would be the file " + quotedName(owner.name) + " of member " +
                                       std::to_string(owner.index + 1) +
                                       " (file names are matched without regard to letter case)");
    }
    for (const auto& name : names)
        m_taken.emplace(folded(name), Owner{index, name});
    return {};
}

} // namespace archive_tool
