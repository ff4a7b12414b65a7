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
        const auto options = parseCommandLine(platform::commandPieces(args));
        if (!options)
            return options.error();
        model.applyOptions(*options);
        return {};
    }
};

TEST_F(InjectorModelTest, ChoosingAConsoleFillsItsDefaults)
{
    InjectorModel model(sink, folder.path(), false);
    EXPECT_EQ(model.conIndex(), NO_CONSOLE);
    model.setTitle(4, u"left over");

    model.chooseConsole(CON_NES);
    EXPECT_EQ(model.source(), u"\\banner.tpl");
    EXPECT_EQ(model.destination(), u"\\00000001.app");
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"NES Save");
    EXPECT_EQ(model.title(4), u""); // every slot emptied by the destination change
    EXPECT_EQ(model.language(), ENGLISH_SLOT);
    EXPECT_EQ(model.editText(), u"NES Save");

    model.setSource(u"/somewhere/new.tpl");
    model.chooseConsole(CON_SNES); // keeps the source
    EXPECT_EQ(model.source(), u"/somewhere/new.tpl");
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"SNES Save");
    model.chooseConsole(CON_NEOGEO);
    EXPECT_EQ(model.source(), u"\\banner.tpl");
    EXPECT_EQ(model.destination(), u"\\banner.bin");

    model.chooseConsole(CON_MASTER_SYSTEM);
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"Master Sys Save");
    EXPECT_EQ(model.destination(), u"\\00000005_app_out\\meta\\data_ccf_out\\misc_ccf_zlib_out\\banner.cfg.txt");
    EXPECT_TRUE(model.wteMode());
    EXPECT_TRUE(model.layout().allTitleSlots);
    model.chooseConsole(CON_N64);
    EXPECT_FALSE(model.wteMode());
    EXPECT_TRUE(model.layout().folderDestination);
}

TEST_F(InjectorModelTest, DestinationChangeLoadsTitlesAlsoInTheProgramFolder)
{
    folder.write("t/00000001.app", test_support::c64App(0x40, u"Boulder", u"Dash"));
    InjectorModel model(sink, folder.path(), false);
    model.chooseConsole(CON_C64);
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"C64 Save"); // nothing at the default destination
    model.setDestination(u"\\t\\00000001.app");
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"Boulder^Dash");
    EXPECT_EQ(model.editText(), u"Boulder^Dash");
}

TEST_F(InjectorModelTest, EditingBoxSetAndSetAll)
{
    InjectorModel model(sink, folder.path(), false);
    model.chooseConsole(CON_NEOGEO); // slots 0 and 2..6 hidden, still set by Set ALL
    model.chooseLanguage(3);
    model.setEditText(u"Titre");
    model.setChosenTitle();
    EXPECT_EQ(model.title(3), u"Titre");
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"NeoGeo Save");
    model.setEditText(u"All");
    model.setAllTitles();
    for (int i = 0; i < TITLE_SLOTS; ++i)
        EXPECT_EQ(model.title(i), u"All");
    model.chooseLanguage(-1);
    EXPECT_EQ(model.language(), 0);
}

TEST(TitlePreviewTest, CutsLinesAndHoverText)
{
    const std::u16string forty = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    auto p = previewOf(forty, CON_NES);
    EXPECT_EQ(p.line1, forty.substr(0, 32));
    EXPECT_EQ(p.line2, u"6789abcd");
    EXPECT_EQ(p.hover, forty.substr(0, 20) + u"...");

    p = previewOf(u"Short^Second^Third", CON_C64);
    EXPECT_EQ(p.line1, u"Short");
    EXPECT_EQ(p.line2, u"Second^Third");
    EXPECT_EQ(p.hover, u"Short");

    p = previewOf(std::u16string(20, u'x'), NO_CONSOLE);
    EXPECT_EQ(p.hover, std::u16string(20, u'x'));

    struct Fixed
    {
        int console;
        std::u16string line2;
    };
    for (const auto& f : {Fixed{CON_NEOGEO, u"NeoGeo"}, Fixed{CON_GENESIS, u"Genesis"},
                          Fixed{CON_MASTER_SYSTEM, u"Master System"}, Fixed{CON_MSX, u"MSX"}})
        EXPECT_EQ(previewOf(u"a^b", f.console).line2, f.line2);
}

TEST_F(InjectorModelTest, CommandLineOptionsApplyInOrder)
{
    {
        InjectorModel model(sink, folder.path(), true);
        ASSERT_TRUE(parse(model, {"-C", "n64", "-EN", "Wave", "Race"}).ok());
        EXPECT_EQ(model.conIndex(), CON_N64);
        EXPECT_EQ(model.title(ENGLISH_SLOT), u"Wave Race");
    }
    {
        InjectorModel model(sink, folder.path(), true);
        ASSERT_TRUE(parse(model, {"-EN", "Wave Race", "-C", "N64"}).ok());
        EXPECT_EQ(model.title(ENGLISH_SLOT), u"N64 Save");
        EXPECT_FALSE(model.wteMode()); // no layout in an unattended run
    }
    {
        InjectorModel model(sink, folder.path(), true);
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
        InjectorModel model(sink, folder.path(), true);
        ASSERT_TRUE(parse(model, {c.arg, "-N", "x"}).ok());
        EXPECT_EQ(model.destination(), c.dest) << c.arg;
        EXPECT_EQ(model.title(ENGLISH_SLOT), u"x");
    }
    InjectorModel model(sink, folder.path(), true);
    ASSERT_TRUE(parse(model, {"-DST", "x", "-N", "a", "-", "-JP", "j"}).ok()); // a lone "-" is an empty option
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"a");
    EXPECT_EQ(model.title(0), u"j");
}

TEST_F(InjectorModelTest, UnknownConsoleCodeIsRefused)
{
    InjectorModel model(sink, folder.path(), true);
    auto r = parse(model, {"-C", "snesx", "-DST", "/x/00000001.app"});
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().message.find("snesx"), std::string::npos);
    EXPECT_EQ(r.error().kind, platform::ErrorKind::BadArgument);
    EXPECT_EQ(model.destination(), u""); // nothing applied
    ASSERT_TRUE(parse(model, {"-C", "TG16"}).ok());
    EXPECT_EQ(model.conIndex(), CON_TG16);
    EXPECT_EQ(consoleOfCode("amiga"), NO_CONSOLE);
}

// An option that needs a value and has none is refused before anything is applied; a value given as
// an empty argument is a value.
TEST_F(InjectorModelTest, OptionWithoutValueIsRefusedAndChangesNothing)
{
    for (const auto& args : std::vector<std::vector<std::string>>{{"-C", "nes", "-EN"},
                                                                  {"-C", "nes", "-DST", "-EN", "x"},
                                                                  {"-C", "nes", "-SRC"},
                                                                  {"-C"},
                                                                  {"-JP", "-C", "nes"}}) {
        InjectorModel model(sink, folder.path(), true);
        const auto r = parse(model, args);
        ASSERT_FALSE(r.ok()) << args.back();
        EXPECT_EQ(r.error().kind, platform::ErrorKind::BadArgument);
        EXPECT_NE(r.error().message.find("needs a value"), std::string::npos) << r.error().message;
        EXPECT_EQ(model.conIndex(), NO_CONSOLE);
    }
    InjectorModel model(sink, folder.path(), true);
    ASSERT_TRUE(parse(model, {"-C", "nes", "-EN", ""}).ok());
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"");
}

TEST_F(InjectorModelTest, InjectMakesPathsAbsoluteWithoutReloadingTitles)
{
    folder.write("banner.tpl", test_support::neoGeoBannerTpl(16, 3));
    folder.write("banner.bin", test_support::saveBanner(8, 1));
    InjectorModel model(sink, folder.path(), false);
    model.chooseConsole(CON_NEOGEO);
    model.setTitle(ENGLISH_SLOT, u"Blazing Star");
    const auto outcome = model.inject();
    ASSERT_TRUE(outcome.ok()) << outcome.error().message;
    EXPECT_TRUE(outcome->complete);
    EXPECT_EQ(model.source(), inFolder(u"\\banner.tpl"));
    EXPECT_EQ(model.destination(), inFolder(u"\\banner.bin"));
    EXPECT_EQ(model.title(ENGLISH_SLOT), u"Blazing Star");
    EXPECT_EQ(slice(test_support::readAll(folder / "banner.bin"), 0, 32), slice(headerTemplate, 0, 32));
}
