#include "Viewer.h"

#include "TgaFile.h"
#include "TplFile.h"
#include "platform/Files.h"

namespace tools {

namespace fs = std::filesystem;
using platform::makeError;
using platform::Result;

std::string viewerPictureName(const std::string& stem, std::size_t index, std::size_t count)
{
    const std::size_t highest = count == 0 ? 0 : count - 1;
    std::size_t digits = 1;
    for (std::size_t v = highest; v >= 10; v /= 10)
        ++digits;
    digits = std::max<std::size_t>(digits, 2);
    std::string number = std::to_string(index);
    if (number.size() < digits)
        number.insert(0, digits - number.size(), '0');
    return stem + "_" + number + ".tga";
}

Result<std::vector<fs::path>> viewTpl(const fs::path& tplPath, const fs::path& outputFolder)
{
    const fs::path source = platform::findExisting(tplPath);
    auto bytes = platform::readFile(source);
    if (!bytes)
        return makeError(bytes.error().kind, "\"" + tplPath.string() + "\" cannot be read: " + bytes.error().message);
    auto images = decodeTpl(*bytes);
    if (!images)
        return makeError(images.error().kind, "\"" + tplPath.string() + "\": " + images.error().message);

    std::vector<fs::path> written;
    const std::string stem = tplPath.stem().string();
    for (std::size_t i = 0; i < images->size(); ++i) {
        const fs::path target = platform::pathForCreate(outputFolder / viewerPictureName(stem, i, images->size()));
        if (auto ok = platform::writeFileAtomic(target, writeTga((*images)[i])); !ok)
            return ok.error();
        written.push_back(target);
    }
    return written;
}

} // namespace tools
