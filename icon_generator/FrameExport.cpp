#include "icon_generator/FrameExport.h"

#include <QBuffer>

#include "platform/Files.h"
#include "platform/PathText.h"

namespace icon_generator {

const char* exportFileName(std::optional<FrameBox> box)
{
    if (!box)
        return "test.bmp";
    switch (*box) {
    case FrameBox::Banner:
        return "1.bmp";
    case FrameBox::FrameA:
        return "2.bmp";
    case FrameBox::Blend3:
        return "3.bmp";
    case FrameBox::Blend4:
        return "4.bmp";
    case FrameBox::FrameB:
        break;
    }
    return "5.bmp";
}

platform::Result<std::filesystem::path> saveFrameBitmap(const QImage& picture, const std::filesystem::path& path)
{
    if (picture.isNull())
        return platform::makeError(platform::ErrorKind::BadArgument,
                                   "There is no picture in this box to save as " + platform::quoted(path) + ".");
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "BMP"))
        return platform::makeError(platform::ErrorKind::WriteFailed,
                                   "The picture cannot be encoded as a BMP for " + platform::quoted(path) + ".");
    const platform::ByteView bytes(reinterpret_cast<const std::uint8_t*>(encoded.constData()),
                                   static_cast<std::size_t>(encoded.size()));
    if (auto written = platform::writeFileAtomic(path, bytes); !written)
        return written.error();
    return path;
}

} // namespace icon_generator
