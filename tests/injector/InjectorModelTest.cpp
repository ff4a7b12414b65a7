// The window's state as the model holds it: console defaults, title slots, the preview and the
// command line.
#include "injector/InjectorModel.h"

#include "InjectorFixture.h"
#include "platform/CommandLine.h"
#include "platform/PathText.h"

using namespace injector;
using namespace injector_test;
using platform::Bytes;

class InjectorModelTest : public InjectorTest
{
protected:
    std::u16string inFolder(std::u16string_view relative) const
    {
        return platform::pathToText(folder.path()) + std::u16string(relative);
    }
    platform::Result<void> parse(InjectorModel& model, const std::vector<std::string>& args)
    {
        return model.ParseClo(platform::commandPieces(args));
    }
};

TEST_F(InjectorModelTest, ChoosingAConsoleFillsItsDefaults)
{
    InjectorModel model(folder.path(), false);
    EXPECT_EQ(model.conIndex(), NO_CONSOLE);
    model.setTitle(4, u"left over");

    model.cmbCon_Click(CON_NES);
    EXPECT_EQ(model.source(), u"\\banner.tpl");
    EXPECT_EQ(model.destination(), u"\\00000001.app");
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"NES Save");
    EXPECT_EQ(model.title(4), u""); // every slot emptied by the destination change
    EXPECT_EQ(model.language(), ENGLISH_SLOT);
    EXPECT_EQ(model.tmpTitle(), u"NES Save");

    model.setSource(u"/somewhere/new.tpl");
    model.cmbCon_Click(CON_SNES); // keeps the source
    EXPECT_EQ(model.source(), u"/somewhere/new.tpl");
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"SNES Save");
    model.cmbCon_Click(CON_NEOGEO);
    EXPECT_EQ(model.source(), u"\\banner.tpl");
    EXPECT_EQ(model.destination(), u"\\banner.bin");

    model.cmbCon_Click(CON_MASTER_SYSTEM);
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"Master Sys Save");
    EXPECT_EQ(model.destination(), u"\\00000005_app_out\\meta\\data_ccf_out\\misc_ccf_zlib_out\\banner.cfg.txt");
    EXPECT_TRUE(model.wteMode());
    EXPECT_TRUE(model.layout().allTitleSlots);
    model.cmbCon_Click(CON_N64);
    EXPECT_FALSE(model.wteMode());
    EXPECT_TRUE(model.layout().folderDestination);
}

TEST_F(InjectorModelTest, DestinationChangeLoadsTitlesAlsoInTheProgramFolder)
{
    folder.write("t/00000001.app", test_support::c64App(0x40, u"Boulder", u"Dash"));
    InjectorModel model(folder.path(), false);
    model.cmbCon_Click(CON_C64);
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"C64 Save"); // nothing at the default destination
    model.setDestination(u"\\t\\00000001.app");
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"Boulder^Dash");
    EXPECT_EQ(model.tmpTitle(), u"Boulder^Dash");
}

TEST_F(InjectorModelTest, EditingBoxSetAndSetAll)
{
    InjectorModel model(folder.path(), false);
    model.cmbCon_Click(CON_NEOGEO); // slots 0 and 2..6 hidden, still set by Set ALL
    model.cmbReg_Click(3);
    model.setTmpTitle(u"Titre");
    model.cmdSet_Click();
    EXPECT_EQ(model.title(3), u"Titre");
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"NeoGeo Save");
    model.setTmpTitle(u"All");
    model.cmdSETall_Click();
    for (int i = 0; i < TITLE_SLOTS; ++i)
        EXPECT_EQ(model.title(i), u"All");
    model.cmbReg_Click(-1);
    EXPECT_EQ(model.language(), 0);
}

TEST(TitlePreviewTest, CutsLinesAndHoverText)
{
    const std::u16string forty = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    auto p = SetPrev(forty, CON_NES);
    EXPECT_EQ(p.line1, forty.substr(0, 32));
    EXPECT_EQ(p.line2, u"6789abcd");
    EXPECT_EQ(p.hover, forty.substr(0, 20) + u"...");

    p = SetPrev(u"Short^Second^Third", CON_C64);
    EXPECT_EQ(p.line1, u"Short");
    EXPECT_EQ(p.line2, u"Second^Third");
    EXPECT_EQ(p.hover, u"Short");

    p = SetPrev(std::u16string(20, u'x'), NO_CONSOLE);
    EXPECT_EQ(p.hover, std::u16string(20, u'x'));

    struct Fixed
    {
        int console;
        std::u16string line2;
    };
    for (const auto& f : {Fixed{CON_NEOGEO, u"NeoGeo"}, Fixed{CON_GENESIS, u"Genesis"},
                          Fixed{CON_MASTER_SYSTEM, u"Master System"}, Fixed{CON_MSX, u"MSX"}})
        EXPECT_EQ(SetPrev(u"a^b", f.console).line2, f.line2);
}

TEST_F(InjectorModelTest, CommandLineOptionsApplyInOrder)
{
    {
        InjectorModel model(folder.path(), true);
        ASSERT_TRUE(parse(model, {"-C", "n64", "-EN", "Wave", "Race"}).ok());
        EXPECT_EQ(model.conIndex(), CON_N64);
        EXPECT_EQ(model.title(ENGLISH_SLOT), u"Wave Race");
    }
    {
        InjectorModel model(folder.path(), true);
        ASSERT_TRUE(parse(model, {"-EN", "Wave Race", "-C", "N64"}).ok());
        EXPECT_EQ(model.title(ENGLISH_SLOT), u"N64 Save");
        EXPECT_FALSE(model.wteMode()); // no layout in an unattended run
    }
    {
        InjectorModel model(folder.path(), true);
        ASSERT_TRUE(parse(model, {"title/00000001.app",
                                  "-C",
                                  "gen",
                                  "-DST",
                                  "/x/banner.cfg.txt",
                                  "-SRC",
                                  "\"wte\"",
                                  "-JP",
                                  "j",
                                  "-GE",
                                  "g",
                                  "-FR",
                                  "f",
                                  "-SP",
                                  "s",
                                  "-IT",
                                  "i",
                                  "-DU",
                                  "d",
                                  "-TITLE",
                                  "t",
                                  "-XYZ",
                                  "ignored"})
                        .ok());
        EXPECT_EQ(model.destination(), u"/x/banner.cfg.txt");
        EXPECT_EQ(model.source(), u"wte");
        for (const auto& [slot, value] : std::vector<std::pair<int, std::u16string>>{
                 {0, u"j"}, {1, u"t"}, {2, u"g"}, {3, u"f"}, {4, u"s"}, {5, u"i"}, {6, u"d"}})
            EXPECT_EQ(model.title(slot), value);
        EXPECT_EQ(sink.messages.back().prompt, "Ignoring the unknown option -XYZ.");
    }
}

TEST_F(InjectorModelTest, CommandLineDestinationForms)
{
    struct Case
    {
        std::string arg;
        std::u16string dest;
    };
    const std::vector<Case> cases = {
        {"C:\\games\\00000001.app", u"C:\\games\\00000001.app"},
        {"/abs/00000001.app", u"/abs/00000001.app"},
        {"00000001.app", inFolder(u"\\00000001.app")},
        {"\\sub\\banner.bin", inFolder(u"\\sub\\banner.bin")},
    };
    for (const auto& c : cases) {
        InjectorModel model(folder.path(), true);
        ASSERT_TRUE(parse(model, {c.arg, "-N", "x"}).ok());
        EXPECT_EQ(model.destination(), c.dest) << c.arg;
        EXPECT_EQ(model.title(ENGLISH_SLOT), u"x");
    }
    InjectorModel model(folder.path(), true);
    ASSERT_TRUE(parse(model, {"-DST", "x", "-N", "a", "-", "-JP", "j"}).ok()); // a lone "-" is an empty option
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"a");
    EXPECT_EQ(model.title(0), u"j");
}

TEST_F(InjectorModelTest, UnknownConsoleCodeIsRefused)
{
    InjectorModel model(folder.path(), true);
    auto r = parse(model, {"-C", "snesx", "-DST", "/x/00000001.app"});
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().message.find("snesx"), std::string::npos);
    EXPECT_TRUE(model.setConsole("TG16"));
    EXPECT_EQ(model.conIndex(), CON_TG16);
    EXPECT_FALSE(model.setConsole("amiga"));
    EXPECT_EQ(model.conIndex(), CON_NEOGEO);
}

TEST_F(InjectorModelTest, InjectMakesPathsAbsoluteWithoutReloadingTitles)
{
    folder.write("banner.tpl", test_support::neoGeoBannerTpl(16, 3));
    folder.write("banner.bin", Bytes{1});
    InjectorModel model(folder.path(), false);
    model.cmbCon_Click(CON_NEOGEO);
    model.setTitle(ENGLISH_SLOT, u"Blazing Star");
    EXPECT_EQ(model.cmdInject2_Click().status, InjectionStatus::Done);
    EXPECT_EQ(model.source(), inFolder(u"\\banner.tpl"));
    EXPECT_EQ(model.destination(), inFolder(u"\\banner.bin"));
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"Blazing Star");
    EXPECT_EQ(model.buffers().headerData, headerTemplate);
}
