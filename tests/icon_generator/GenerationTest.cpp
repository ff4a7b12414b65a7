// The "Make" run through the model, with the built tpl_converter and gbalzss in a temporary program
// folder. What was written is decoded and compared with the composed frames.

#include "icon_generator/Generation.h"

#include <gtest/gtest.h>

#include "MintrelFixture.h"
#include "icon_generator/GeneratorModel.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"
#include "support/ReadOnly.h"
#include "support/RecordingSink.h"
#include "textures/TextureContainers.h"
#include "tools/Lz77.h"
#include "tools/TplFile.h"

using namespace icon_generator;
using mintrel_test::maxDifference;
using mintrel_test::ProgramFolder;
using mintrel_test::solid;
using platform::Bytes;
using test_support::readAll;

namespace {

namespace fs = std::filesystem;

// RGB5A3 keeps five bits of each component, RGB565 five or six: a decoded pixel is within 8.
constexpr int TEXTURE_TOLERANCE = 8;

// A source with a gradient in both directions, so scaling and placement errors show.
QImage gradientSource()
{
    QImage picture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 5, 200 - x - y));
    return picture;
}

class Generation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const auto& console : consoles()) {
            const std::string code(console.code);
            folder.writeTemplate("save icons", code + "1.bmp", solid({192, 64}, 0xFF3050A0));
            folder.writeTemplate("save icons", code + "2.bmp", solid({48, 48}, 0xFF20C040));
            folder.writeTemplate("save icons", code + std::to_string(console.frameBTemplate) + ".bmp",
                                 solid({48, 48}, 0xFFE0E020));
        }
        gradientSource().save(QString::fromStdString((out / "moon.bmp").string()), "BMP");
    }

    // Sets the model up as the command line would and makes the textures.
    GenerationReport make(GeneratorModel& m, int console, bool save, bool picture, bool icon)
    {
        m.selectConsole(console);
        m.setSourceText(platform::pathToText(out / "moon.bmp"));
        m.setDestinationText(platform::pathToText(out.path()) + u"/");
        m.setOutputs(save, picture, icon);
        auto report = m.make();
        EXPECT_TRUE(report.ok()) << report.error().message;
        return report.ok() ? report.value() : GenerationReport{};
    }

    std::vector<tools::RgbaImage> decoded(const std::string& name) const { return decodedFile(out / name); }

    static std::vector<tools::RgbaImage> decodedFile(const fs::path& path)
    {
        auto images = tools::decodeTpl(readAll(path));
        EXPECT_TRUE(images.ok()) << path;
        return images.ok() ? images.value() : std::vector<tools::RgbaImage>{};
    }

    std::string prefix() const { return (out.path() / "").string(); }

    ProgramFolder folder;
    test_support::TempFolder out;
    test_support::RecordingSink sink{"Mintrel"};
    GeneratorModel model{sink, folder.path(), false};
};

} // namespace

TEST_F(Generation, SnesMakesTheSaveBannerAndChannelTexturesFromTheFrames)
{
    // What a killed run left in the program folder goes with the next run.
    for (const char* leftover : {"7.tga", "in.tpl", "IconVCpic.tga"})
        folder.folder.write(leftover, "left by a killed run");
    const auto report = make(model, 2, true, true, true);
    EXPECT_TRUE(report.complete());
    const auto save = decoded("banner.tpl");
    ASSERT_EQ(save.size(), 5u);
    const Frames& frames = model.frames();
    const std::vector<FrameBox> order{FrameBox::Banner, FrameBox::FrameA, FrameBox::Blend3, FrameBox::Blend4,
                                      FrameBox::FrameB};
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_LE(maxDifference(save[i], frames[order[i]]), TEXTURE_TOLERANCE) << i;
    // The source sits in frame A at 4, 9 (40 x 30): its top-left corner is the source's.
    EXPECT_NEAR(save[1].at(4, 9)[2], 200, TEXTURE_TOLERANCE);
    EXPECT_EQ(readAll(out / "banner.tpl").size(), 43264u);

    const auto picture = decoded("VCPic.tpl");
    const auto icon = decoded("IconVCPic.tpl");
    ASSERT_EQ(picture.size(), 1u);
    ASSERT_EQ(icon.size(), 1u);
    EXPECT_LE(maxDifference(picture[0], resizedPicture(gradientSource(), {256, 192})), TEXTURE_TOLERANCE);
    EXPECT_LE(maxDifference(icon[0], resizedPicture(gradientSource(), {128, 96})), TEXTURE_TOLERANCE);

    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].prompt, prefix() + "banner.tpl successfully created!\r\n" + prefix() +
                                           "VCPic.tpl successfully created!\r\n" + prefix() +
                                           "IconVCPic.tpl successfully created!");
    EXPECT_EQ(sink.messages[0].title, "Mintrel");
    // Nothing of the run is left in the program folder.
    EXPECT_EQ(folder.fileNames(), mintrel_test::freshFolderFiles());
}

TEST_F(Generation, MessageLinesFollowTheOutputsChosen)
{
    make(model, 3, true, false, false);
    EXPECT_EQ(sink.messages.back().prompt, prefix() + "save_banner.tpl successfully created!");
    make(model, 3, false, true, false);
    EXPECT_EQ(sink.messages.back().prompt, "\r\n" + prefix() + "VCPic.tpl successfully created!");
    make(model, NEOGEO, true, false, false);
    EXPECT_EQ(sink.messages.back().prompt, prefix() + "banner.tpl suggessfully created!");
    // Nothing chosen: the window still shows the (empty) message.
    const auto report = make(model, 2, false, false, false);
    EXPECT_TRUE(report.written.empty());
    EXPECT_EQ(sink.messages.back().prompt, "");
    EXPECT_EQ(sink.messages.size(), 4u);
}

TEST_F(Generation, DestinationDefaultsToTheSourceStemAndShortPathsAreCompleted)
{
    fs::create_directories(folder / "pics");
    gradientSource().save(QString::fromStdString((folder / "pics" / "mario.png").string()), "PNG");
    model.selectConsole(1);
    model.setSourceText(u"\\pics\\mario.png");
    model.setOutputs(true, false, false);
    ASSERT_TRUE(model.make().ok());
    const std::u16string programFolder = platform::pathToText(folder.path());
    EXPECT_EQ(model.sourceText(), programFolder + u"\\pics\\mario.png");
    EXPECT_EQ(model.destinationText(), programFolder + u"\\pics\\mario");
    EXPECT_EQ(decodedFile(folder / "pics" / "mariobanner.tpl").size(), 5u);

    // Without a destination, a source shorter than four characters names none: nothing is made.
    model.setDestinationText(u"");
    model.setSourceText(u"a.b");
    const auto stopped = model.make();
    ASSERT_FALSE(stopped.ok());
    EXPECT_EQ(stopped.error().kind, platform::ErrorKind::BadArgument);
}

TEST_F(Generation, GenesisWritesTheWteSetAndReplacesTheLastBannerWte)
{
    const Bytes us = textures::wteFromTpl(Bytes(64 + 24576, 1), 192, 64).value();
    out.write("banner_us.wte", us);
    out.write("banner_jp.wte", us);
    const auto report = make(model, 5, true, false, false);
    ASSERT_TRUE(report.complete()) << report.failures.front();
    EXPECT_EQ(report.written.size(), 7u);
    EXPECT_EQ(readAll(out / "banner_us.wte"), us);
    EXPECT_FALSE(fs::exists(out / "banner.wte"));
    EXPECT_EQ(sink.messages.back().prompt, "WTE files successfully created!");

    const Bytes single = readAll(fs::path(SUITE_SOURCE_DIR) / "data" / "headers" / "single.hdr");
    const auto expectFrame = [&](const std::string& name, FrameBox frame) {
        const Bytes wte = readAll(out / name);
        const QSize size = boxSize(frame);
        ASSERT_EQ(wte.size(), 32u + std::size_t(size.width() * size.height() * 2)) << name;
        EXPECT_EQ(Bytes(wte.begin(), wte.begin() + 8),
                  (Bytes{'W', 'T', 'E', 0, std::uint8_t(size.width()), 0, std::uint8_t(size.height()), 0}));
        EXPECT_EQ(Bytes(wte.begin() + 8, wte.begin() + 32), Bytes(24, 0));
        auto images = tools::decodeTpl(textures::tplFromWte(wte, single).value());
        ASSERT_TRUE(images.ok());
        EXPECT_LE(maxDifference(images->at(0), model.frames()[frame]), TEXTURE_TOLERANCE) << name;
    };
    expectFrame("01.wte", FrameBox::FrameA);
    expectFrame("03.wte", FrameBox::Blend3);
    expectFrame("04.wte", FrameBox::Blend4);
    expectFrame("06.wte", FrameBox::FrameB);
    expectFrame("banner_jp.wte", FrameBox::Banner);
    EXPECT_EQ(readAll(out / "01.wte"), readAll(out / "02.wte"));
    EXPECT_EQ(readAll(out / "05.wte"), readAll(out / "06.wte"));
    EXPECT_EQ(folder.fileNames(), mintrel_test::freshFolderFiles());
}

TEST_F(Generation, WteSetIsWrittenWholeOrNotAtAll)
{
    // A single-frame script that gives RGB565 makes WTEs no reader would decode right: none is written.
    folder.folder.write("single.tcs", std::string("path = \r\nfile 1 = in.tga\r\nimage 1 = 1, , RGB565\r\n"
                                                  "texture 1 = 1, x\r\n"));
    const Bytes old = textures::wteFromTpl(Bytes(64 + 4608, 9), 48, 48).value();
    out.write("03.wte", old);
    const auto report = make(model, 7, true, false, false);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_NE(report.failures[0].find("RGB5A3"), std::string::npos) << report.failures[0];
    EXPECT_EQ(readAll(out / "03.wte"), old);
    EXPECT_FALSE(fs::exists(out / "01.wte"));
    EXPECT_EQ(sink.messages.back().icon, platform::MessageIcon::Exclamation);
}

TEST_F(Generation, AFailedWteSetLeavesTheOtherOutputsAndTheReportOrder)
{
    // The WTE set cannot be written whole, so none of it is; the channel textures after it are written,
    // and the report lists the failure first, as its step comes first.
    const Bytes old = textures::wteFromTpl(Bytes(64 + 4608, 9), 48, 48).value();
    out.write("04.wte", old);
    test_support::ReadOnlyGuard guard(out / "04.wte");
    if (!guard.ok())
        GTEST_SKIP() << "no read-only files here";
    const auto report = make(model, 5, true, true, true);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].rfind(prefix() + "01.wte to 06.wte and " + prefix() + "banner.wte were not", 0), 0u);
    EXPECT_EQ(readAll(out / "04.wte"), old);
    EXPECT_FALSE(fs::exists(out / "01.wte"));
    EXPECT_EQ(report.written.size(), 2u);
    EXPECT_EQ(sink.messages.back().prompt, report.failures[0] + "\r\n" + prefix() +
                                               "VCPic.tpl successfully created!\r\n" + prefix() +
                                               "IconVCPic.tpl successfully created!");
    EXPECT_EQ(folder.fileNames(), mintrel_test::freshFolderFiles());
}

TEST_F(Generation, NeoGeoTplCarriesTheNeoGeoHeaderAndNineFrames)
{
    make(model, NEOGEO, true, false, false);
    const Bytes tpl = readAll(out / "banner.tpl");
    const Bytes header = readAll(fs::path(SUITE_SOURCE_DIR) / "data" / "headers" / "neogeo.hdr");
    ASSERT_EQ(header.size(), 416u);
    ASSERT_GT(tpl.size(), header.size());
    EXPECT_EQ(Bytes(tpl.begin(), tpl.begin() + 416), header);
    const auto images = decoded("banner.tpl");
    ASSERT_EQ(images.size(), 9u);
    const std::vector<FrameBox> order{FrameBox::Banner, FrameBox::FrameA, FrameBox::FrameA,
                                      FrameBox::FrameA, FrameBox::Blend3, FrameBox::Blend4,
                                      FrameBox::FrameB, FrameBox::FrameB, FrameBox::FrameB};
    for (std::size_t i = 0; i < order.size(); ++i)
        EXPECT_LE(maxDifference(images[i], model.frames()[order[i]]), TEXTURE_TOLERANCE) << i;
}

TEST_F(Generation, C64SaveBannerIsCompressedOrKeptUncompressedWithoutGbalzss)
{
    folder.removeTool("gbalzss");
    auto report = make(model, C64, true, false, false);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].rfind(prefix() + "LZ77_banner.tpl was not written: gbalzss", 0), 0u);
    EXPECT_EQ(sink.messages.front().prompt, "gbalzss not found! You need to compress LZ77_banner.tpl !");
    const Bytes uncompressed = readAll(out / "LZ77_banner.arc");
    EXPECT_EQ(uncompressed.size(), 43264u);
    EXPECT_FALSE(fs::exists(out / "LZ77_banner.tpl"));

    folder.installTool("gbalzss");
    report = make(model, C64, true, false, false);
    EXPECT_TRUE(report.complete());
    const auto unpacked = tools::decompressLz77(readAll(out / "LZ77_banner.tpl"));
    ASSERT_TRUE(unpacked.ok());
    auto images = tools::decodeTpl(*unpacked);
    ASSERT_TRUE(images.ok());
    ASSERT_EQ(images->size(), 5u);
    // Frame B is the whole source shrunk to 48 x 48.
    EXPECT_LE(maxDifference(images->at(4), resizedPicture(gradientSource(), {48, 48})), TEXTURE_TOLERANCE);
    EXPECT_FALSE(fs::exists(out / "LZ77_banner.arc"));
    EXPECT_EQ(folder.fileNames(), mintrel_test::freshFolderFiles());
}

TEST_F(Generation, FailedOutsideProgramsAreReportedAndOldFilesKept)
{
    const Bytes oldTpl{0x00, 0x20, 0xAF, 0x30, 1, 2, 3};
    out.write("banner.tpl", oldTpl);

    struct Case
    {
        std::string converter; // "" = none in the program folder
        std::string reason;
    };
    for (const auto& c :
         {Case{"", "tpl_converter could not be started"}, Case{"#!/bin/sh\nexit 0\n", "tpl_converter wrote no file"},
          Case{"#!/bin/sh\nexit 3\n", "tpl_converter failed (exit status 3)"}}) {
        folder.removeTool("tpl_converter");
        if (!c.converter.empty())
            fs::permissions(folder.folder.write("tpl_converter", c.converter), fs::perms::owner_all);
        sink.messages.clear();
        const auto report = make(model, 2, true, true, true);
        ASSERT_EQ(report.failures.size(), 3u);
        EXPECT_EQ(report.failures[0], prefix() + "banner.tpl was not written: " + c.reason + ".");
        EXPECT_TRUE(report.written.empty());
        EXPECT_EQ(readAll(out / "banner.tpl"), oldTpl);
        EXPECT_FALSE(fs::exists(out / "VCPic.tpl"));
        // The final message names each output that was not written.
        EXPECT_EQ(sink.messages.back().prompt,
                  report.failures[0] + "\r\n" + report.failures[1] + "\r\n" + report.failures[2]);
        EXPECT_EQ(folder.fileNames().count("1.tga") + folder.fileNames().count("in.tpl"), 0u);
        // A converter that cannot be started is also shown at once, with its command line.
        if (c.converter.empty()) {
            EXPECT_EQ(sink.messages[0].prompt.rfind("Error running 'tpl_converter.exe save_icon.tcs \"", 0), 0u);
        }
        EXPECT_EQ(sink.messages.size(), c.converter.empty() ? 4u : 1u);
    }
}

TEST_F(Generation, FilesOfAnotherKindAndReadOnlyFilesAreNotWrittenOver)
{
    out.write("VCPic.tpl", "my notes");
    out.write("IconVCPic.tpl", Bytes{0x00, 0x20, 0xAF, 0x30});
    test_support::ReadOnlyGuard guard(out / "IconVCPic.tpl");
    const auto report = make(model, 2, true, true, true);
    EXPECT_EQ(report.written, std::vector<std::u16string>{platform::utf16FromUtf8(prefix() + "banner.tpl")});
    ASSERT_EQ(report.failures.size(), guard.ok() ? 2u : 1u);
    EXPECT_NE(report.failures[0].find("not a TPL texture"), std::string::npos);
    EXPECT_EQ(readAll(out / "VCPic.tpl"), platform::bytesOf("my notes"));
    if (guard.ok()) {
        EXPECT_EQ(readAll(out / "IconVCPic.tpl"), (Bytes{0x00, 0x20, 0xAF, 0x30}));
    }
}

TEST_F(Generation, UnreadableSourceOrMissingDestinationStopsBeforeAnythingIsWritten)
{
    out.write("fake.png", "not a picture");
    model.selectConsole(2);
    model.setSourceText(platform::pathToText(out / "fake.png"));
    model.setDestinationText(platform::pathToText(out.path()) + u"/");
    auto stopped = model.make();
    ASSERT_FALSE(stopped.ok());
    EXPECT_NE(stopped.error().message.find("fake.png"), std::string::npos);

    model.setSourceText(platform::pathToText(out / "moon.bmp"));
    model.setDestinationText(platform::pathToText(out / "missing") + u"/");
    stopped = model.make();
    ASSERT_FALSE(stopped.ok());
    EXPECT_NE(stopped.error().message.find("missing"), std::string::npos);

    model.setSourceText(u"");
    EXPECT_EQ(model.make().error().kind, platform::ErrorKind::BadArgument);

    EXPECT_EQ(platform::listFolder(out.path(), "*.tpl"), std::vector<std::string>{});
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(folder.fileNames(), mintrel_test::freshFolderFiles());
}
