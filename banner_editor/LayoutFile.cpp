#include "banner_editor/LayoutFile.h"

#include <algorithm>

#include "banner_editor/LayoutFormat.h"
#include "platform/Files.h"
#include "platform/PathText.h"

namespace banner_editor {

namespace fmt = layout;
using platform::Bytes;
using platform::ByteView;

bool isBannerLayout(ByteView bytes)
{
    return bytes.size() >= fmt::FILE_MAGIC.size() &&
           std::equal(fmt::FILE_MAGIC.begin(), fmt::FILE_MAGIC.end(), bytes.begin());
}

namespace {

platform::Error notALayout(const std::filesystem::path& path)
{
    const std::string magic(fmt::FILE_MAGIC.begin(), fmt::FILE_MAGIC.end());
    return platform::makeError(platform::ErrorKind::BadFormat, platform::quoted(path) +
                                                                   " is not a banner layout (a layout starts with \"" +
                                                                   magic + "\")");
}

} // namespace

platform::Result<Bytes> readLayoutFile(const std::filesystem::path& path)
{
    auto bytes = platform::readFile(path);
    if (bytes && !isBannerLayout(*bytes))
        return notALayout(path);
    return bytes;
}

platform::Result<void> checkLayoutTarget(const std::filesystem::path& path)
{
    if (!platform::fileExists(path))
        return {};
    // A symbolic link is read through, so the file it points to is the one judged.
    auto existing = platform::readFile(path);
    if (!existing)
        return existing.error();
    if (!isBannerLayout(*existing))
        return notALayout(path);
    return {};
}

platform::Result<void> writeLayoutFile(const std::filesystem::path& path, ByteView buffer)
{
    if (auto target = checkLayoutTarget(path); !target)
        return target;
    return platform::writeFileAtomic(path, buffer);
}

} // namespace banner_editor
