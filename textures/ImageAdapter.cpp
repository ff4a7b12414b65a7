#include "textures/ImageAdapter.h"

#include <limits>
#include <memory>
#include <mutex>

#include <FreeImage.h>

#include "platform/ByteReader.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace textures {
namespace fs = std::filesystem;
using platform::Bytes;
using platform::ByteView;
using platform::Error;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

struct BitmapDeleter
{
    void operator()(FIBITMAP* b) const { FreeImage_Unload(b); }
};
using BitmapPtr = std::unique_ptr<FIBITMAP, BitmapDeleter>;

struct MemoryDeleter
{
    void operator()(FIMEMORY* m) const { FreeImage_CloseMemory(m); }
};
using MemoryPtr = std::unique_ptr<FIMEMORY, MemoryDeleter>;

// FreeImage reports decoder failures through a callback; the last one explains a failed load.
thread_local std::string t_lastFreeImageMessage;

void DLL_CALLCONV rememberFreeImageMessage(FREE_IMAGE_FORMAT, const char* message)
{
    t_lastFreeImageMessage = message ? message : "";
}

void installMessageHandler()
{
    static std::once_flag once;
    std::call_once(once, [] { FreeImage_SetOutputMessage(rememberFreeImageMessage); });
}

Error adapterError(ErrorKind kind, int number, std::string description)
{
    return makeError(kind, std::move(description), std::string(ADAPTER_SOURCE) + " error " + std::to_string(number));
}

constexpr const char* ERROR_5_TEXT = "Invalid procedure call or argument";

// The last four characters of the path, lower-cased: how the loader picks its decoder.
std::string lastFourLower(const fs::path& path)
{
    const std::string text = platform::utf8FromUtf16(platform::pathToText(path));
    return platform::asciiLower(text.size() > 4 ? text.substr(text.size() - 4) : text);
}

// FreeImage trusts a TGA file: it reads pixels past the end of short data, and its RLE reader reads
// past its own buffers (on damaged files, and also on valid small ones). So before FreeImage gets a
// TGA, the header must be one of the kinds FreeImage reads (colour-mapped with 8-bit indexes into at
// most 256 entries, true colour of 15, 16, 24 or 32 bits, 8-bit grey) and the pixel data must all be
// there: raw data of the declared size, or RLE packets that are complete and end exactly at the last
// pixel. RLE pixel data is then expanded here, and FreeImage reads the same picture uncompressed.
// Returns the bytes to hand to FreeImage.
Result<Bytes> tgaForFreeImage(ByteView bytes)
{
    platform::ByteReader in(bytes);
    const unsigned idLength = in.u8();
    const unsigned colourMapType = in.u8();
    const unsigned imageType = in.u8();
    const std::uint64_t colourMapFirst = in.le16();
    const std::uint64_t colourMapLength = in.le16();
    const unsigned colourMapBits = in.u8();
    in.skip(4);
    const std::uint64_t width = in.le16();
    const std::uint64_t height = in.le16();
    const unsigned bitsPerPixel = in.u8();
    in.skip(1);
    if (in.failed())
        return makeError(ErrorKind::BadFormat, "the file is shorter than the 18-byte TGA header");
    const bool rle = imageType >= 9;
    const unsigned baseType = rle ? imageType - 8 : imageType;
    if (baseType < 1 || baseType > 3)
        return makeError(ErrorKind::BadFormat,
                         "image type " + std::to_string(imageType) + " is not a TGA picture type");
    if (width == 0 || height == 0)
        return makeError(ErrorKind::BadFormat, "the picture has no pixels");
    if (colourMapType > 1)
        return makeError(ErrorKind::BadFormat, "colour-map type " + std::to_string(colourMapType) + " is unknown");
    const bool validMapBits = colourMapBits == 15 || colourMapBits == 16 || colourMapBits == 24 || colourMapBits == 32;
    if (colourMapType == 1 && colourMapLength > 0 && !validMapBits)
        return makeError(ErrorKind::BadFormat,
                         "colour-map entries of " + std::to_string(colourMapBits) + " bits are not a TGA depth");
    if (baseType == 1) {
        if (colourMapType != 1 || colourMapLength == 0 || colourMapFirst + colourMapLength > 256 || bitsPerPixel != 8)
            return makeError(ErrorKind::BadFormat, "a colour-mapped picture needs 8-bit indexes into a colour map of "
                                                   "at most 256 entries");
    } else if (baseType == 3) {
        if (bitsPerPixel != 8)
            return makeError(ErrorKind::BadFormat, std::to_string(bitsPerPixel) + "-bit grey is not supported");
    } else if (bitsPerPixel != 15 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) {
        return makeError(ErrorKind::BadFormat, std::to_string(bitsPerPixel) + " bits per pixel is not a TGA depth");
    }

    in.skip(idLength);
    if (colourMapType == 1)
        in.skip(colourMapLength * ((colourMapBits + 7) / 8));
    if (in.failed())
        return makeError(ErrorKind::BadFormat, "the colour map runs past the end of the file");
    const std::uint64_t pixels = width * height;
    const std::uint64_t bytesPerPixel = (bitsPerPixel + 7) / 8;
    const std::string tooShort =
        "the file ends before its " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (!rle) {
        if (in.remaining() < pixels * bytesPerPixel)
            return makeError(ErrorKind::BadFormat, tooShort);
        return Bytes(bytes.begin(), bytes.end());
    }
    // Every packet is checked before the expanded data is allocated: complete packets that end at the
    // last pixel bound the picture by the file's size (at most 128 pixels per packet).
    const std::size_t pixelStart = in.position();
    for (std::uint64_t done = 0; done < pixels;) {
        // A count byte (bit 7 = run), then one pixel value for a run or count values.
        const unsigned packet = in.u8();
        const std::uint64_t count = (packet & 0x7Fu) + 1;
        in.skip((packet & 0x80u) ? bytesPerPixel : count * bytesPerPixel);
        if (in.failed())
            return makeError(ErrorKind::BadFormat, tooShort);
        if (count > pixels - done)
            return makeError(ErrorKind::BadFormat, "an RLE packet runs past the last pixel");
        done += count;
    }
    Bytes raw(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(pixelStart));
    raw[2] = static_cast<std::uint8_t>(baseType);
    raw.reserve(pixelStart + pixels * bytesPerPixel);
    in.seek(pixelStart);
    while (raw.size() < pixelStart + pixels * bytesPerPixel) {
        const unsigned packet = in.u8();
        const std::size_t count = (packet & 0x7Fu) + 1;
        if (packet & 0x80u) {
            const ByteView value = in.bytes(bytesPerPixel);
            for (std::size_t i = 0; i < count; ++i)
                raw.insert(raw.end(), value.begin(), value.end());
        } else {
            const ByteView values = in.bytes(count * bytesPerPixel);
            raw.insert(raw.end(), values.begin(), values.end());
        }
    }
    return raw;
}

Result<QImage> decodeWithFreeImage(ByteView bytes, const fs::path& path, FREE_IMAGE_FORMAT format)
{
    installMessageHandler();
    Bytes prepared;
    if (format == FIF_TARGA) {
        auto tga = tgaForFreeImage(bytes);
        if (!tga)
            return makeError(ErrorKind::BadFormat,
                             "Cannot load the picture " + platform::quoted(path) + ": " + tga.error().message + ".");
        prepared = std::move(tga.value());
        bytes = prepared;
    }
    if (bytes.size() > std::numeric_limits<DWORD>::max())
        return makeError(ErrorKind::BadFormat,
                         "Cannot load the picture " + platform::quoted(path) + ": the file is too large.");
    // FreeImage only reads from the memory it is given; the cast drops const for its C interface.
    MemoryPtr memory(FreeImage_OpenMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())));
    t_lastFreeImageMessage.clear();
    BitmapPtr bitmap(memory ? FreeImage_LoadFromMemory(format, memory.get(), 0) : nullptr);
    QImage picture = pictureFromBitmap(bitmap.get());
    if (picture.isNull()) {
        std::string reason = t_lastFreeImageMessage.empty()
                                 ? std::string("it is not a valid ") + FreeImage_GetFormatFromFIF(format) + " picture"
                                 : t_lastFreeImageMessage;
        return makeError(ErrorKind::BadFormat,
                         "Cannot load the picture " + platform::quoted(path) + ": " + reason + ".");
    }
    return picture;
}

Result<QImage> decodeWithQt(ByteView bytes, const fs::path& path)
{
    QImage picture;
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()) ||
        !picture.loadFromData(bytes.data(), static_cast<int>(bytes.size())))
        return makeError(ErrorKind::BadFormat, "Cannot load the picture " + platform::quoted(path) +
                                                   ": its format is unknown or the file is damaged.");
    return picture;
}

// True when the file name's extension is one TGA's plugin lists; compared with letter case.
bool hasExtensionOf(const fs::path& path, const char* extensionList)
{
    std::string extension = path.extension().string();
    if (extension.empty())
        return false;
    extension.erase(0, 1);
    std::string_view list(extensionList);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        if (list.substr(0, comma) == extension)
            return true;
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    }
    return false;
}

} // namespace

std::string unknownFormatText()
{
    return std::string(ERROR_5_TEXT) + "\r\n\r\n" +
           "Unknown image format. Neither an explicit image format "
           "was specified nor any known image format was parsed "
           "from the filename given.";
}

std::string formatNotWritableText(const std::string& formatName)
{
    return std::string(ERROR_5_TEXT) + "\r\n\r\n" + "FreeImage Library plugin '" + formatName + "' " +
           "is unable to write images of the image format requested.";
}

std::string depthNotWritableText(const std::string& formatName, int bitsPerPixel)
{
    return std::string(ERROR_5_TEXT) + "\r\n\r\n" + "FreeImage Library plugin '" + formatName + "' " +
           "is unable to write images with a color depth " + "of " + std::to_string(bitsPerPixel) + " bpp.";
}

Result<QImage> LoadImage(const fs::path& path)
{
    auto bytes = platform::readFile(path);
    if (!bytes)
        return bytes.error();
    return pictureFromFileBytes(bytes.value(), path);
}

Result<QImage> pictureFromFileBytes(ByteView bytes, const fs::path& path)
{
    const std::string tail = lastFourLower(path);
    if (tail == ".tga")
        return decodeWithFreeImage(bytes, path, FIF_TARGA);
    if (tail == ".png")
        return decodeWithFreeImage(bytes, path, FIF_PNG);
    return decodeWithQt(bytes, path);
}

QImage pictureFromBitmap(FIBITMAP* bitmap)
{
    if (!bitmap || !FreeImage_HasPixels(bitmap))
        return {};
    // 48/64-bit colour converts directly and 16-bit grey keeps its high bytes; other one-channel types
    // (floats, 32-bit integers) are scaled to 8 bits first.
    BitmapPtr converted;
    if (FreeImage_GetImageType(bitmap) == FIT_UINT16) {
        BitmapPtr grey(FreeImage_ConvertTo8Bits(bitmap));
        if (grey)
            converted.reset(FreeImage_ConvertTo32Bits(grey.get()));
    } else {
        converted.reset(FreeImage_ConvertTo32Bits(bitmap));
    }
    if (!converted && FreeImage_GetImageType(bitmap) != FIT_BITMAP) {
        BitmapPtr standard(FreeImage_ConvertToStandardType(bitmap, TRUE));
        if (standard)
            converted.reset(FreeImage_ConvertTo32Bits(standard.get()));
    }
    if (!converted)
        return {};
    const int width = static_cast<int>(FreeImage_GetWidth(converted.get()));
    const int height = static_cast<int>(FreeImage_GetHeight(converted.get()));
    QImage picture(width, height, QImage::Format_ARGB32);
    if (picture.isNull())
        return {};
    // FreeImage keeps the bottom row first.
    for (int y = 0; y < height; ++y) {
        const BYTE* in = FreeImage_GetScanLine(converted.get(), height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x, in += 4)
            out[x] = qRgba(in[FI_RGBA_RED], in[FI_RGBA_GREEN], in[FI_RGBA_BLUE], in[FI_RGBA_ALPHA]);
    }
    return picture;
}

FIBITMAP* bitmapFromPicture(const QImage& picture)
{
    if (picture.isNull())
        return nullptr;
    const bool alpha = picture.hasAlphaChannel();
    const QImage source = picture.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int width = source.width();
    const int height = source.height();
    const int bitsPerPixel = alpha ? 32 : 24;
    const int bytesPerPixel = bitsPerPixel / 8;
    FIBITMAP* bitmap =
        FreeImage_Allocate(width, height, bitsPerPixel, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (!bitmap)
        return nullptr;
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        BYTE* out = FreeImage_GetScanLine(bitmap, height - 1 - y);
        for (int x = 0; x < width; ++x, out += bytesPerPixel) {
            out[FI_RGBA_RED] = static_cast<BYTE>(qRed(in[x]));
            out[FI_RGBA_GREEN] = static_cast<BYTE>(qGreen(in[x]));
            out[FI_RGBA_BLUE] = static_cast<BYTE>(qBlue(in[x]));
            if (alpha)
                out[FI_RGBA_ALPHA] = static_cast<BYTE>(qAlpha(in[x]));
        }
    }
    return bitmap;
}

Result<fs::path> SaveImage(const QImage& picture, const fs::path& path)
{
    auto encoded = encodeTga(picture, path);
    if (!encoded)
        return encoded.error();
    if (auto written = platform::writeFileAtomic(encoded->path, encoded->bytes); !written)
        return written.error();
    return encoded->path;
}

Result<EncodedPicture> encodeTga(const QImage& picture, const fs::path& path)
{
    installMessageHandler();
    if (picture.isNull())
        return adapterError(ErrorKind::BadArgument, ERROR_NO_PICTURE,
                            "There is no picture to save as " + platform::quoted(path) + ".");
    BitmapPtr bitmap(bitmapFromPicture(picture));
    if (!bitmap)
        return adapterError(ErrorKind::BadFormat, ERROR_INVALID_PICTURE,
                            "Invalid picture: its pixels cannot be copied for saving as " + platform::quoted(path) +
                                ".");

    const FREE_IMAGE_FORMAT format = FIF_TARGA;
    const char* formatName = FreeImage_GetFormatFromFIF(format);
    const char* extensions = FreeImage_GetFIFExtensionList(format);
    if (!formatName || !extensions)
        return adapterError(ErrorKind::BadArgument, ERROR_INVALID_CALL, unknownFormatText());

    fs::path target = path;
    if (!hasExtensionOf(target, extensions)) {
        const std::string_view list(extensions);
        target += "." + std::string(list.substr(0, list.find(',')));
    }
    if (!FreeImage_FIFSupportsWriting(format) || !FreeImage_FIFSupportsExportType(format, FIT_BITMAP))
        return adapterError(ErrorKind::WriteFailed, ERROR_INVALID_CALL, formatNotWritableText(formatName));
    constexpr int TARGET_BITS = 32;
    if (FreeImage_GetBPP(bitmap.get()) != TARGET_BITS) {
        if (!FreeImage_FIFSupportsExportBPP(format, TARGET_BITS))
            return adapterError(ErrorKind::WriteFailed, ERROR_INVALID_CALL,
                                depthNotWritableText(formatName, TARGET_BITS));
        bitmap.reset(FreeImage_ConvertTo32Bits(bitmap.get()));
        if (!bitmap)
            return adapterError(ErrorKind::BadFormat, ERROR_INVALID_PICTURE,
                                "Invalid picture: it cannot be converted to 32 bits per pixel for " +
                                    platform::quoted(target) + ".");
    }

    MemoryPtr memory(FreeImage_OpenMemory());
    BYTE* data = nullptr;
    DWORD size = 0;
    if (!memory || !FreeImage_SaveToMemory(format, bitmap.get(), memory.get(), 0) ||
        !FreeImage_AcquireMemory(memory.get(), &data, &size))
        return makeError(ErrorKind::WriteFailed, "Cannot encode the picture " + platform::quoted(target) + " as " +
                                                     formatName + ": " + t_lastFreeImageMessage);
    return EncodedPicture{target, Bytes(data, data + size)};
}

} // namespace textures
