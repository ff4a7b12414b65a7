#pragma once

// The files an extraction writes into its destination folder, claimed member by member. A member X
// ends as the file X (stored as it is) or X + ".zlib" (compressed; X holds the stored bytes only when
// they do not inflate, and is removed otherwise). Where file names are matched without regard to
// letter case, two members can name one file ("Readme" and "readme", or a plain "a.zlib" and a
// compressed "a"): the later one would overwrite or remove the earlier one's file. Claiming first
// lets extraction skip such a member instead.

#include <cstddef>
#include <string>
#include <unordered_map>

#include "archive_tool/CcfFormat.h"
#include "platform/Result.h"

namespace archive_tool {

class MemberFiles
{
public:
    // archiveName: the name of the archive being extracted when it lies in the destination folder
    // ("" otherwise); no member may write over it.
    explicit MemberFiles(const std::u16string& archiveName);

    // Claims the files member `index` (0-based, in table order) needs. Fails (BadFormat), claiming
    // nothing, when one of them is, without regard to letter case, the archive or a file an earlier
    // member claimed; the message says which (it completes "was not extracted: ").
    [[nodiscard]] platform::Result<void> claim(std::size_t index, const CcfEntry& entry);

private:
    struct Owner
    {
        std::size_t index; // the member that claimed the file; NO_MEMBER for the archive
        std::u16string name;
    };
    static constexpr std::size_t NO_MEMBER = static_cast<std::size_t>(-1);

    // Folded names (Unicode simple case folding) to who holds them: a lookup per name, so a table of
    // any length costs no more than its length.
    std::unordered_map<std::u16string, Owner> m_taken;
};

} // namespace archive_tool
