// The shipped header templates against the converter: single.hdr must be the header of a one-image
// TPL and neogeo.hdr the header of the nine-image save TPL, byte for byte as tpl_converter writes them,
// and tpl_neogeo_header.bin the head of a real Virtual Console save banner.

#include <vector>

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"
#include "textures/ConverterScript.h"
#include "textures/ImageAdapter.h"
#include "textures/TextureContainers.h"
#include "textures/TextureTools.h"
#include "tools/TplLayout.h"

using platform::Bytes;
using test_support::readAll;
using test_support::TempFolder;

namespace {

Bytes shippedFile(const std::string& relative)
{
    return readAll(std::filesystem::path(SUITE_DATA_DIR) / relative);
}

const std::vector<tools::ImageShape> SINGLE{{48, 48, tools::TexFormat::RGB5A3}};

std::vector<tools::ImageShape> nineImageSave()
{
    std::vector<tools::ImageShape> shapes{{192, 64, tools::TexFormat::RGB5A3}};
    shapes.insert(shapes.end(), 8, {48, 48, tools::TexFormat::RGB5A3});
    return shapes;
}

std::filesystem::path converterProgram()
{
    for (const char* name : {"tpl_converter", "tpl_converter.exe"}) {
        const auto p = std::filesystem::path(SUITE_OUTPUT_DIR) / name;
        if (std::filesystem::exists(p))
            return p;
    }
    return {};
}

// Writes one picture per shape as n.tga, the editor's script for them, runs the converter and returns
// the TPL it wrote.
Bytes convert(const std::vector<tools::ImageShape>& shapes, bool transparency)
{
    TempFolder work;
    for (std::size_t n = 0; n < shapes.size(); ++n) {
        QImage picture(static_cast<int>(shapes[n].width), static_cast<int>(shapes[n].height), QImage::Format_ARGB32);
        picture.fill(qRgba(40 * static_cast<int>(n), 200, 90, n % 2 ? 255 : 128));
        EXPECT_TRUE(textures::SaveImage(picture, work / (std::to_string(n) + ".tga")).ok());
    }
    EXPECT_TRUE(textures::writeConverterScript(work / "temp.tcs", static_cast<int>(shapes.size()),
                                               textures::TextureFormat::RGB5A3, transparency)
                    .ok());
    EXPECT_TRUE(
        textures::copyToolInto(converterProgram().parent_path(), textures::CONVERTER_PROGRAM, work.path()).ok());
    test_support::RecordingSink sink;
    auto ran = textures::MakeTpl(sink, work / "out.tpl", "temp.tcs", work.path());
    EXPECT_TRUE(ran.ok());
    return readAll(work / "out.tpl");
}

} // namespace

TEST(HeaderTemplates, MatchWhatTheConverterWrites)
{
    if (converterProgram().empty())
        GTEST_SKIP() << "tpl_converter is not built";
    const Bytes single = shippedFile("headers/single.hdr");
    const Bytes neogeo = shippedFile("headers/neogeo.hdr");
    for (bool transparency : {false, true}) {
        const Bytes one = convert(SINGLE, transparency);
        ASSERT_EQ(one.size(), 64u + 4608u);
        EXPECT_EQ(Bytes(one.begin(), one.begin() + 64), single);

        const Bytes nine = convert(nineImageSave(), transparency);
        ASSERT_EQ(nine.size(), 61856u);
        EXPECT_EQ(Bytes(nine.begin(), nine.begin() + 416), neogeo);
    }
}

TEST(HeaderTemplates, SaveBannerHeadIsARealVirtualConsoleHead)
{
    const Bytes head = shippedFile("templates/tpl_neogeo_header.bin");
    ASSERT_EQ(head.size(), 32u);
    EXPECT_EQ(Bytes(head.begin(), head.begin() + 10), (Bytes{'W', 'I', 'B', 'N', 0, 0, 0, 0x10, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(head.begin() + 10, head.end()), Bytes(22, 0));

    const auto folder = test_support::realDataFolder("savebanner");
    if (folder.empty())
        GTEST_SKIP() << "real data absent";
    for (const char* name :
         {"vc_nes_46414150_banner.bin", "vc_snes_4a414150_banner.bin", "vc_md_4d414850_banner.bin"}) {
        const Bytes real = readAll(folder / name);
        ASSERT_GE(real.size(), 32u);
        EXPECT_EQ(Bytes(real.begin(), real.begin() + 32), head) << name;
    }
}
