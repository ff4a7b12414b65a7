#include "icon_generator/OutputNames.h"

#include <set>

#include <gtest/gtest.h>

using namespace icon_generator;

namespace {

auto existing(std::set<std::string_view> names)
{
    return [names](std::string_view name) { return names.count(name) > 0; };
}

using Names = std::vector<std::string>;

} // namespace

TEST(OutputNames, EachConsoleWritesItsOwnFiles)
{
    const Names wte{"01.wte", "02.wte", "05.wte", "06.wte", "03.wte", "04.wte"};
    const auto withBanner = [&](const std::string& banner) {
        Names names = wte;
        names.push_back(banner);
        return names;
    };
    struct Case
    {
        int console;
        Names save;
    };
    for (const auto& c :
         {Case{NEOGEO, {"banner.tpl"}}, Case{1, {"banner.tpl"}}, Case{2, {"banner.tpl"}}, Case{3, {"save_banner.tpl"}},
          Case{MEGA_DRIVE, withBanner("banner_eu.wte")}, Case{5, withBanner("banner.wte")}, Case{6, {"savedata.tpl"}},
          Case{7, withBanner("banner.wte")}, Case{C64, {"LZ77_banner.tpl"}}, Case{9, {"banner.tpl"}},
          Case{10, {"banner.tpl"}}, Case{MSX, withBanner("banner.wte")}, Case{12, withBanner("banner.wte")},
          Case{13, {"banner.tpl"}}, Case{NO_CONSOLE, {"banner.tpl"}}}) {
        EXPECT_EQ(outputNames(c.console, true, false, false, existing({})), c.save) << c.console;
        Names all = c.save;
        all.insert(all.end(), {"VCPic.tpl", "IconVCPic.tpl"});
        EXPECT_EQ(outputNames(c.console, true, true, true, existing({})), all) << c.console;
        EXPECT_EQ(outputNames(c.console, false, true, false, existing({})), Names{"VCPic.tpl"});
    }
}

TEST(OutputNames, TheLastExistingBannerWteIsReplaced)
{
    EXPECT_EQ(bannerWteName(5, existing({"banner_us.wte", "banner_jp.wte"})), "banner_jp.wte");
    EXPECT_EQ(bannerWteName(5, existing({"banner_uk.wte", "banner.wte"})), "banner_uk.wte");
    EXPECT_EQ(bannerWteName(MEGA_DRIVE, existing({"banner.wte"})), "banner.wte");
    EXPECT_EQ(bannerWteName(MEGA_DRIVE, existing({"banner_eu.wte"})), "banner_eu.wte");
    EXPECT_EQ(bannerWteName(MEGA_DRIVE, existing({"other.wte"})), "banner_eu.wte");
    EXPECT_EQ(bannerWteName(7, existing({})), "banner.wte");
}

TEST(OutputNames, SaveScriptsReadTheFramesInTheirOrder)
{
    const auto five = savePictures(Family::Tpl);
    ASSERT_EQ(five.size(), 5u);
    EXPECT_EQ(five[0].name, "1.tga");
    EXPECT_EQ(five[0].frame, FrameBox::Banner);
    EXPECT_EQ(five[2].frame, FrameBox::Blend3);
    EXPECT_EQ(five[4].frame, FrameBox::FrameB);
    const auto nine = savePictures(Family::NeoGeo);
    ASSERT_EQ(nine.size(), 9u);
    const std::vector<FrameBox> order{FrameBox::Banner, FrameBox::FrameA, FrameBox::FrameA,
                                      FrameBox::FrameA, FrameBox::Blend3, FrameBox::Blend4,
                                      FrameBox::FrameB, FrameBox::FrameB, FrameBox::FrameB};
    for (std::size_t i = 0; i < nine.size(); ++i) {
        EXPECT_EQ(nine[i].name, std::to_string(i + 1) + ".tga");
        EXPECT_EQ(nine[i].frame, order[i]);
    }
}
