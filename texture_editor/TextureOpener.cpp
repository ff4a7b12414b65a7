#include "texture_editor/TextureOpener.h"

#include "platform/Files.h"
#include "platform/PathText.h"
#include "texture_editor/OutsideTools.h"
#include "textures/ImageAdapter.h"
#include "textures/TextureContainers.h"

namespace texture_editor {
namespace fs = std::filesystem;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

platform::Error notOpened(const fs::path& path, ErrorKind kind, const std::string& reason)
{
    return makeError(kind, "Cannot open " + platform::quoted(path) + ": " + reason);
}

std::string exitText(int code)
{
    return "exit code " + std::to_string(code);
}

// The TPL file the viewer is to read: the file itself, or for an LZ77-compressed one its decompressed
// copy in the work folder.
Result<fs::path> tplOfTplFile(const WorkFolder& work, const fs::path& path)
{
    auto bytes = platform::readFile(path);
    if (!bytes)
        return bytes.error();
    if (!isLz77Compressed(*bytes))
        return path;
    const fs::path plain = textures::tempTplPath(work.programFolder());
    auto code = runDecompressor(work, path, plain);
    if (!code)
        return notOpened(path, code.error().kind,
                         "it is LZ77-compressed and cannot be decompressed.\r\n" + code.error().message);
    if (!platform::fileExists(plain))
        return notOpened(path, ErrorKind::BadFormat,
                         "it is LZ77-compressed, and gbalzss could not decompress it (" + exitText(*code) + ").");
    return plain;
}

// The TPL of the chosen file, by its kind; the container readers write the work folder's temp.tpl.
Result<fs::path> tplOf(const WorkFolder& work, const fs::path& path, SourceKind kind)
{
    switch (kind) {
    case SourceKind::Tpl:
        return tplOfTplFile(work, path);
    case SourceKind::Wte:
        return textures::LoadWTE(path, work.programFolder());
    case SourceKind::SaveBanner:
        return textures::LoadNeoGeo(path, work.programFolder());
    case SourceKind::NesApp:
        return textures::LoadNes(path, work.programFolder());
    case SourceKind::Picture:
        break;
    }
    return makeError(ErrorKind::BadArgument, platform::quoted(path) + " is a picture, not a texture.");
}

} // namespace

Result<std::vector<QImage>> openTexture(const WorkFolder& work, const fs::path& chosen, SourceKind kind)
{
    const fs::path path = platform::findExisting(chosen);
    auto tpl = tplOf(work, path, kind);
    if (!tpl)
        return tpl.error();
    auto code = runViewer(work, *tpl);
    if (!code)
        return notOpened(path, code.error().kind, "its images cannot be shown.\r\n" + code.error().message);
    auto pictures = loadPictures(work.path());
    if (!pictures)
        return notOpened(path, pictures.error().kind, pictures.error().message);
    if (pictures->empty())
        return notOpened(path, ErrorKind::BadFormat,
                         "tpl_viewer could not decode it as a TPL texture (" + exitText(*code) + ").");
    return pictures;
}

Result<std::vector<QImage>> loadPictures(const fs::path& folder)
{
    std::vector<QImage> pictures;
    for (const auto& name : platform::listFolder(folder, "*.tga")) {
        auto picture = textures::LoadImage(folder / name);
        if (!picture)
            return picture.error();
        pictures.push_back(std::move(*picture));
    }
    return pictures;
}

} // namespace texture_editor
