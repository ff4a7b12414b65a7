#include "textures/ImageAdapter.h"

#include <optional>
#include <random>

#include <QBuffer>

#include <FreeImage.h>
#include <gtest/gtest.h>

#include "platform/ByteReader.h"
#include "platform/Files.h"
#include "support/TempFolder.h"
#include "tools/TgaFile.h"

using platform::Bytes;
using platform::ErrorKind;
using test_support::readAll;
using test_support::TempFolder;
using namespace textures;

namespace {

// A picture whose every pixel differs, with varying alpha when asked.
QImage pattern(int w, int h, bool alpha)
{
    QImage image(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(x * 5 % 256, y * 7 % 256, (x + y) % 256, alpha ? (x * 16 + y) % 256 : 255));
    return image;
}

// Equal pixels, or each channel within tolerance (16-to-8-bit reductions truncate or round).
void expectSamePixels(const QImage& a, const QImage& b, int tolerance = 0)
{
    ASSERT_EQ(a.size(), b.size());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int shift : {0, 8, 16, 24})
                ASSERT_LE(std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)), tolerance)
                    << x << "," << y << " " << std::hex << p << " " << q;
        }
}

// An uncompressed or RLE TGA of a 2x2 picture: top-left red, top-right green, bottom-left blue,
// bottom-right half-transparent white, stored with the chosen origin.
Bytes twoByTwoTga(bool topFirst, bool rle)
{
    const std::uint8_t red[4] = {0, 0, 255, 255}, green[4] = {0, 255, 0, 255}, blue[4] = {255, 0, 0, 255},
                       white[4] = {255, 255, 255, 128};
    const std::uint8_t* top[2] = {red, green};
    const std::uint8_t* bottom[2] = {blue, white};
    platform::ByteWriter out;
    out.u8(0).u8(0).u8(rle ? 10 : 2).zeros(5).le16(0).le16(0).le16(2).le16(2).u8(32).u8(topFirst ? 0x28 : 0x08);
    for (const auto* row : topFirst ? std::array{top, bottom} : std::array{bottom, top}) {
        if (rle)
            out.u8(0x01); // raw packet of two pixels
        for (int x = 0; x < 2; ++x)
            out.bytes(platform::ByteView(row[x], 4));
    }
    return out.take();
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(SaveImage, WritesThirtyTwoBitTgaFromAnyDepth)
{
    TempFolder dir;
    for (bool alpha : {false, true}) {
        const QImage picture = pattern(37, 21, alpha);
        auto saved = SaveImage(picture, dir / "pic.tga");
        ASSERT_TRUE(saved.ok()) << saved.error().message;
        EXPECT_EQ(saved.value(), dir / "pic.tga");
        const Bytes file = readAll(dir / "pic.tga");
        ASSERT_GE(file.size(), 18u);
        EXPECT_EQ(file[2], 2) << "uncompressed true colour";
        EXPECT_EQ(file[16], 32) << "bits per pixel";
        // Read back by the converter's own TGA reader, independent of FreeImage.
        auto tga = tools::readTga(file);
        ASSERT_TRUE(tga.ok()) << tga.error().message;
        ASSERT_EQ(tga->image.width, 37u);
        ASSERT_EQ(tga->image.height, 21u);
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 37; ++x) {
                const QRgb want = picture.pixel(x, y);
                const auto got = tga->image.at(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
                ASSERT_EQ(got[0], qRed(want));
                ASSERT_EQ(got[1], qGreen(want));
                ASSERT_EQ(got[2], qBlue(want));
                ASSERT_EQ(got[3], alpha ? qAlpha(want) : 255);
            }
    }
}

TEST(SaveImage, AppendsTgaUnlessNameHasATgaExtension)
{
    TempFolder dir;
    const struct
    {
        const char* given;
        const char* written;
    } cases[] = {
        {"plain", "plain.tga"}, {"a.tga", "a.tga"},     {"b.targa", "b.targa"},
        {"c.TGA", "c.TGA.tga"}, {"d.bmp", "d.bmp.tga"}, {"e.tga.png", "e.tga.png.tga"},
    };
    const QImage picture = pattern(4, 4, false);
    for (const auto& c : cases) {
        auto saved = SaveImage(picture, dir / c.given);
        ASSERT_TRUE(saved.ok()) << c.given;
        EXPECT_EQ(saved.value(), dir / c.written);
        EXPECT_TRUE(std::filesystem::exists(dir / c.written)) << c.written;
    }
}

TEST(SaveImage, FailuresAreErrorValues)
{
    TempFolder dir;
    EXPECT_EQ(SaveImage(QImage(), dir / "x.tga").error().title, "MFreeImage error 91");
    EXPECT_FALSE(std::filesystem::exists(dir / "x.tga"));
    EXPECT_EQ(SaveImage(pattern(2, 2, false), dir / "missing" / "x.tga").error().kind, ErrorKind::WriteFailed);

    // An old file survives a failed write.
    const auto old = dir.write("keep.tga", std::string("old"));
    platform::setWriteFailureAfterForTesting(10);
    EXPECT_FALSE(SaveImage(pattern(8, 8, true), old).ok());
    platform::setWriteFailureAfterForTesting(std::nullopt);
    EXPECT_EQ(readAll(old), (Bytes{'o', 'l', 'd'}));
}

TEST(SaveImage, ErrorTextsOfTheAdapter)
{
    const std::string lead = "Invalid procedure call or argument\r\n\r\n";
    EXPECT_EQ(unknownFormatText(), lead + "Unknown image format. Neither an explicit image format was specified nor "
                                          "any known image format was parsed from the filename given.");
    EXPECT_EQ(formatNotWritableText("TARGA"),
              lead + "FreeImage Library plugin 'TARGA' is unable to write images of the image format requested.");
    EXPECT_EQ(depthNotWritableText("TARGA", 32),
              lead + "FreeImage Library plugin 'TARGA' is unable to write images with a color depth of 32 bpp.");
}

TEST(LoadImage, TgaBothOriginsAndRleThroughFreeImage)
{
    TempFolder dir;
    for (bool topFirst : {false, true})
        for (bool rle : {false, true}) {
            // Upper-case extension: still a TGA by the lower-cased last four characters.
            const auto path = dir.write("pic.TGA", twoByTwoTga(topFirst, rle));
            auto picture = LoadImage(path);
            ASSERT_TRUE(picture.ok()) << picture.error().message;
            ASSERT_EQ(picture->size(), QSize(2, 2));
            EXPECT_EQ(picture->pixel(0, 0), qRgba(255, 0, 0, 255)) << topFirst << rle;
            EXPECT_EQ(picture->pixel(1, 0), qRgba(0, 255, 0, 255));
            EXPECT_EQ(picture->pixel(0, 1), qRgba(0, 0, 255, 255));
            EXPECT_EQ(picture->pixel(1, 1), qRgba(255, 255, 255, 128));
        }
}

TEST(LoadImage, SavedPicturesLoadBackUnchanged)
{
    TempFolder dir;
    const QImage picture = pattern(48, 48, true);
    ASSERT_TRUE(SaveImage(picture, dir / "frame.tga").ok());
    auto tga = LoadImage(dir / "frame.tga");
    ASSERT_TRUE(tga.ok());
    expectSamePixels(tga.value(), picture);

    ASSERT_TRUE(picture.save(QString::fromStdString((dir / "frame.png").string()), "PNG"));
    auto png = LoadImage(dir / "frame.png");
    ASSERT_TRUE(png.ok()) << png.error().message;
    expectSamePixels(png.value(), picture);

    // 16 bits per channel and 16-bit grey PNGs come out as their 8-bit pictures.
    for (auto format : {QImage::Format_RGBA64, QImage::Format_Grayscale16}) {
        const QImage deep = picture.convertToFormat(format);
        ASSERT_TRUE(deep.save(QString::fromStdString((dir / "deep.png").string()), "PNG"));
        QImage expected = deep.convertToFormat(QImage::Format_ARGB32);
        if (format == QImage::Format_Grayscale16)
            for (int y = 0; y < deep.height(); ++y)
                for (int x = 0; x < deep.width(); ++x) {
                    const int grey = reinterpret_cast<const quint16*>(deep.constScanLine(y))[x] / 257;
                    expected.setPixel(x, y, qRgb(grey, grey, grey));
                }
        auto loaded = LoadImage(dir / "deep.png");
        ASSERT_TRUE(loaded.ok()) << format;
        expectSamePixels(loaded.value(), expected, 1);
    }
}

TEST(LoadImage, OtherExtensionsGoThroughQt)
{
    TempFolder dir;
    const QImage picture = pattern(9, 5, false);
    ASSERT_TRUE(picture.save(QString::fromStdString((dir / "a.bmp").string()), "BMP"));
    auto bmp = LoadImage(dir / "a.bmp");
    ASSERT_TRUE(bmp.ok()) << bmp.error().message;
    expectSamePixels(bmp->convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));

    // A TGA named .bmp is not read by FreeImage, and a BMP named .tga is not read by Qt.
    dir.write("tga.bmp", twoByTwoTga(true, false));
    EXPECT_FALSE(LoadImage(dir / "tga.bmp").ok());
    std::filesystem::copy_file(dir / "a.bmp", dir / "bmp.tga");
    EXPECT_FALSE(LoadImage(dir / "bmp.tga").ok());

    EXPECT_EQ(LoadImage(dir / "none.png").error().kind, ErrorKind::NotFound);
}

TEST(LoadImage, DamagedTgaIsAnErrorNeverACrash)
{
    TempFolder dir;
    const QImage picture = pattern(16, 8, true);
    ASSERT_TRUE(SaveImage(picture, dir / "good.tga").ok());
    const Bytes good = readAll(dir / "good.tga");
    // Every copy cut short of its pixels fails cleanly.
    const std::size_t pixelsEnd = 18 + 16 * 8 * 4;
    for (std::size_t n = 0; n < pixelsEnd; ++n) {
        // A fresh name each time: rewriting one file in place makes the file system flush it.
        const auto cut = dir.write("cut" + std::to_string(n) + ".tga",
                                   Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)));
        auto loaded = LoadImage(cut);
        ASSERT_FALSE(loaded.ok()) << n;
        EXPECT_EQ(loaded.error().kind, ErrorKind::BadFormat);
    }
    // Huge declared sizes in a tiny file are refused before anything is allocated.
    Bytes huge = twoByTwoTga(false, true);
    huge[12] = huge[13] = huge[14] = huge[15] = 0xFF;
    dir.write("huge.tga", huge);
    EXPECT_FALSE(LoadImage(dir / "huge.tga").ok());
    // Random damage: any result, but no crash.
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        Bytes damaged = round % 2 ? good : twoByTwoTga(round % 4 == 1, true);
        for (int k = 0; k < 6; ++k)
            damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
        damaged.resize(random() % (damaged.size() + 1));
        (void)LoadImage(dir.write("damaged" + std::to_string(round) + ".tga", damaged));
    }
}

// FreeImage reads RLE packets without looking at the end of its data or at the picture's last pixel
// (and its RLE reader overruns its buffers even on small valid files), so packets cut short or claiming
// more pixels than are left are refused, and whole ones are expanded before FreeImage reads them.
TEST(LoadImage, RleTgaLoadsOnlyWhenEveryPacketIsWholeAndEndsAtTheLastPixel)
{
    const Bytes good = twoByTwoTga(false, true); // two raw packets of two 32-bit pixels
    auto header = [&](std::uint8_t type, std::uint8_t bits) {
        Bytes h(good.begin(), good.begin() + 18);
        h[2] = type;
        h[16] = bits;
        return h;
    };
    const Bytes pixel{1, 2, 3, 255}; // B, G, R, A
    constexpr QRgb SAME = qRgba(3, 2, 1, 255);
    const struct
    {
        const char* name;
        Bytes file;
        std::optional<QRgb> everyPixel; // nothing: refused
    } cases[] = {
        {"one run packet across both rows", header(10, 32) + Bytes{0x83} + pixel, SAME},
        {"24-bit run, then a raw packet", header(10, 24) + Bytes{0x82, 1, 2, 3, 0x00, 1, 2, 3}, SAME},
        {"grey run", header(11, 8) + Bytes{0x83, 0x40}, qRgba(0x40, 0x40, 0x40, 255)},
        {"last packet cut inside its pixels", Bytes(good.begin(), good.end() - 3), std::nullopt},
        {"last packet without its pixels", Bytes(good.begin(), good.end() - 8), std::nullopt},
        {"run of 128 over four pixels", header(10, 32) + Bytes{0xFF} + pixel, std::nullopt},
        {"raw packet of three, then a run of two",
         header(10, 32) + Bytes{0x02} + pixel + pixel + pixel + Bytes{0x81} + pixel, std::nullopt},
        {"grey run of 128 over four pixels", header(11, 8) + Bytes{0xFF, 0x40}, std::nullopt},
    };
    for (const auto& c : cases) {
        auto loaded = pictureFromFileBytes(c.file, "case.tga");
        ASSERT_EQ(loaded.ok(), c.everyPixel.has_value()) << c.name;
        if (!c.everyPixel) {
            EXPECT_EQ(loaded.error().kind, ErrorKind::BadFormat) << c.name;
            continue;
        }
        ASSERT_EQ(loaded->size(), QSize(2, 2)) << c.name;
        for (const QPoint at : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
            EXPECT_EQ(loaded->pixel(at), *c.everyPixel) << c.name;
    }
    // A picture with several packets per row keeps its pixels in place.
    auto mixed = pictureFromFileBytes(good, "good.tga");
    ASSERT_TRUE(mixed.ok());
    EXPECT_EQ(mixed->pixel(0, 0), qRgba(255, 0, 0, 255));
    EXPECT_EQ(mixed->pixel(1, 1), qRgba(255, 255, 255, 128));
}

TEST(PictureConversions, PaletteBitmapsExpandBottomRowLast)
{
    std::unique_ptr<FIBITMAP, decltype(&FreeImage_Unload)> indexed(FreeImage_Allocate(2, 2, 8), FreeImage_Unload);
    RGBQUAD* palette = FreeImage_GetPalette(indexed.get());
    palette[1] = RGBQUAD{20, 10, 200, 0};           // blue, green, red
    FreeImage_GetScanLine(indexed.get(), 1)[0] = 1; // FreeImage's scan line 1 of 2 is the top row
    const QImage shown = pictureFromBitmap(indexed.get());
    ASSERT_EQ(shown.size(), QSize(2, 2));
    EXPECT_EQ(shown.pixel(0, 0), qRgba(200, 10, 20, 255));
    EXPECT_EQ(shown.pixel(1, 1), qRgba(0, 0, 0, 255));
    EXPECT_TRUE(pictureFromBitmap(nullptr).isNull());
    EXPECT_EQ(bitmapFromPicture(QImage()), nullptr);
}
