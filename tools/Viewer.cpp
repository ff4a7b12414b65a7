#include "Viewer.h"

#include "TgaFile.h"
#include "TplFile.h"
#include "platform/Files.h"
#include "platform/PathText.h"

namespace tools {

namespace fs = std::filesystem;
using platform::ErrorKind;
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
    if (!bytes && bytes.error().kind == ErrorKind::NotFound)
        return makeError(ErrorKind::NotFound, "The TPL file " + platform::quoted(tplPath) + " was not found.");
    if (!bytes)
        return bytes.error();
    auto images = decodeTpl(*bytes);
    if (!images)
        return makeError(images.error().kind, platform::quoted(tplPath) + " is " + images.error().message + ".");

    // One batch: every picture is replaced, or none is (a picture that cannot be written leaves the
    // ones before it as they were).
    std::vector<platform::FileWrite> pictures;
    std::vector<fs::path> written;
    const std::string stem = tplPath.stem().string();
    for (std::size_t i = 0; i < images->size(); ++i) {
        const fs::path target = platform::pathForCreate(outputFolder / viewerPictureName(stem, i, images->size()));
        pictures.push_back({target, writeTga((*images)[i])});
        written.push_back(target);
    }
    if (auto ok = platform::writeFilesAtomic(pictures); !ok)
        return ok.error();
    return written;
}

} // namespace tools
