#include "texture_editor/TextureSaver.h"

#include <algorithm>

#include <QBuffer>
#include <QImageWriter>

#include "platform/Files.h"
#include "platform/PathText.h"
#include "texture_editor/OutsideTools.h"
#include "textures/ContainerFormat.h"
#include "textures/ImageAdapter.h"
#include "textures/TextureContainers.h"

namespace texture_editor {
namespace fs = std::filesystem;
using platform::ByteView;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

platform::Error notSaved(const fs::path& path, ErrorKind kind, const std::string& reason)
{
    return makeError(kind, platform::quoted(path) + " was not saved: " + reason);
}

// The converter's TPL holds one image per picture, or it is not the texture that was asked for.
bool holdsImages(ByteView tpl, std::size_t count)
{
    return tpl.size() >= textures::TPL_FILE_HEADER_SIZE &&
           std::equal(textures::TPL_MAGIC_BYTES.begin(), textures::TPL_MAGIC_BYTES.end(), tpl.begin()) &&
           platform::readBe32(tpl, textures::TPL_IMAGE_COUNT) == count;
}

// Every picture as "n.tga" and the script that names them, in the work folder.
Result<void> writeConverterInput(const WorkFolder& work, std::span<const QImage> pictures,
                                 textures::TextureFormat format, bool transparency)
{
    const int count = static_cast<int>(pictures.size());
    if (auto written =
            textures::writeConverterScript(work.file(textures::EDITOR_SCRIPT_FILE), count, format, transparency);
        !written)
        return written.error();
    for (int n = 0; n < count; ++n)
        if (auto saved = textures::SaveImage(pictures[n], work.file(std::to_string(n) + ".tga")); !saved)
            return saved.error();
    return {};
}

} // namespace

Result<void> checkTarget(const fs::path& path, SaveKind kind)
{
    const fs::path existing = platform::findExisting(path);
    if (!platform::fileExists(existing))
        return {};
    auto bytes = platform::readFile(existing);
    if (!bytes)
        return notSaved(path, bytes.error().kind, bytes.error().message);
    const bool sameKind = kind == SaveKind::Tpl ? isTplFile(*bytes) : isBitmapFile(*bytes);
    if (!sameKind)
        return notSaved(path, ErrorKind::BadArgument,
                        std::string("the file there is not a ") + (kind == SaveKind::Tpl ? "TPL texture" : "bitmap") +
                            ", so it is not written over.");
    return {};
}

Result<void> saveTpl(const WorkFolder& work, std::span<const QImage> pictures, const fs::path& path,
                     textures::TextureFormat format, bool transparency)
{
    for (std::size_t n = 0; n < pictures.size(); ++n)
        if (pictures[n].isNull())
            return notSaved(path, ErrorKind::BadArgument,
                            "box " + std::to_string(n) + " holds no picture. Open a texture or a picture first.");
    if (auto input = writeConverterInput(work, pictures, format, transparency); !input)
        return notSaved(path, input.error().kind, input.error().message);

    const fs::path output = textures::tempTplPath(work.programFolder());
    auto code = runConverter(work, textures::EDITOR_SCRIPT_FILE, output);
    if (!code)
        return notSaved(path, code.error().kind, "tpl_converter cannot be started.\r\n" + code.error().message);
    auto tpl = platform::readFile(output);
    if (!tpl || !holdsImages(*tpl, pictures.size()))
        return notSaved(path, ErrorKind::WriteFailed,
                        "tpl_converter wrote no texture of the " + std::to_string(pictures.size()) + " picture" +
                            (pictures.size() == 1 ? "" : "s") + " (exit code " + std::to_string(*code) + ").");
    return platform::writeFileAtomic(platform::pathForCreate(path), *tpl);
}

Result<void> saveBitmap(const QImage& picture, const fs::path& path)
{
    if (picture.isNull())
        return notSaved(path, ErrorKind::BadArgument, "box 0 holds no picture. Open a texture or a picture first.");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(picture))
        return notSaved(path, ErrorKind::BadFormat,
                        "the picture cannot be encoded as a bitmap (" + writer.errorString().toStdString() + ").");
    const QByteArray& data = buffer.data();
    return platform::writeFileAtomic(
        platform::pathForCreate(path),
        ByteView(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())));
}

} // namespace texture_editor
