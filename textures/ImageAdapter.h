#pragma once

// The picture adapter over FreeImage: loading a picture file for display and saving a picture as a
// 32-bit TGA for the texture converter, with the conversions between a FreeImage bitmap and a QImage.
//
// Files are read and written whole through platform/ (so names are matched without regard to case
// and a save replaces its target atomically); FreeImage works on the bytes in memory.

#include <filesystem>
#include <string>

#include <QImage>

#include "platform/Bytes.h"
#include "platform/Result.h"

struct FIBITMAP;

namespace textures {

// Errors raised by the adapter name it as their source; the error's title is
// "MFreeImage error <number>".
inline constexpr const char* ADAPTER_SOURCE = "MFreeImage";
inline constexpr int ERROR_INVALID_CALL = 5;      // format and depth errors
inline constexpr int ERROR_NO_PICTURE = 91;       // nothing to save
inline constexpr int ERROR_INVALID_PICTURE = 481; // the picture could not be turned into a bitmap

// The descriptions of the three format errors, each the text of error 5 ("Invalid procedure call or
// argument"), CR LF twice, then the adapter's own text.
std::string unknownFormatText();
std::string formatNotWritableText(const std::string& formatName);
std::string depthNotWritableText(const std::string& formatName, int bitsPerPixel);

// Loads a picture file for display, chosen by the last four characters of the path in lower case:
// ".tga" and ".png" through FreeImage, anything else (BMP, JPEG, GIF, icons, ...) through Qt's image
// loader. An unreadable or undecodable file is an error naming it.
[[nodiscard]] platform::Result<QImage> LoadImage(const std::filesystem::path& path);

// What LoadImage does with a file's bytes once read: the decoder is chosen by the path as above, and
// the path names the file in messages.
[[nodiscard]] platform::Result<QImage> pictureFromFileBytes(platform::ByteView bytes,
                                                            const std::filesystem::path& path);

// Saves the picture as a 32-bit uncompressed TGA. When the path's extension is not one of TGA's
// ("tga", "targa", compared with letter case) ".tga" is appended. Returns the path written.
[[nodiscard]] platform::Result<std::filesystem::path> SaveImage(const QImage& picture,
                                                                const std::filesystem::path& path);

// What SaveImage writes, without writing it: the path as completed and the file's bytes. For a caller
// that writes the file another way (a scratch picture that another program reads at once).
struct EncodedPicture
{
    std::filesystem::path path;
    platform::Bytes bytes;
};
[[nodiscard]] platform::Result<EncodedPicture> encodeTga(const QImage& picture, const std::filesystem::path& path);

// The displayable picture of a FreeImage bitmap of any standard depth (Format_ARGB32, top row first),
// or a null image when the bitmap cannot be converted. The bitmap stays the caller's.
QImage pictureFromBitmap(FIBITMAP* bitmap);

// A new FreeImage bitmap holding the picture: 32 bits per pixel when the picture has an alpha channel,
// else 24. The caller releases it with FreeImage_Unload; nullptr for a null picture or when FreeImage
// cannot allocate it.
FIBITMAP* bitmapFromPicture(const QImage& picture);

} // namespace textures
