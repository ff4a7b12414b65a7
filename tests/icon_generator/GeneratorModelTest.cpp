#include "icon_generator/GeneratorModel.h"

#include <gtest/gtest.h>

#include "MintrelFixture.h"
#include "platform/PathText.h"
#include "support/RecordingSink.h"

using namespace icon_generator;
using mintrel_test::ProgramFolder;
using mintrel_test::solid;

namespace {

constexpr QRgb BANNER = 0xFF101010;
constexpr QRgb FRAME_A = 0xFF202020;
constexpr QRgb FRAME_B = 0xFF505050;
constexpr QRgb ALT_BANNER = 0xFF808080;

class Model : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.writeTemplate("save icons", "snes1.bmp", solid({192, 64}, BANNER));
        folder.writeTemplate("save icons", "snes2.bmp", solid({48, 48}, FRAME_A));
        folder.writeTemplate("save icons", "snes5.bmp", solid({48, 48}, FRAME_B));
        folder.writeTemplate("alt save icons", "snes1.bmp", solid({192, 64}, ALT_BANNER));
    }

    // The colour of the frame at the preview's current step (0 for an empty box), then one step on.
    QRgb tick()
    {
        const QImage& shown = model.previewTick();
        return shown.isNull() ? 0 : shown.pixel(0, 0);
    }

    ProgramFolder folder;
    test_support::RecordingSink sink{"Mintrel"};
    GeneratorModel model{sink, folder.path(), false};
};

} // namespace

TEST_F(Model, PreviewCyclesThroughTheFramesFromTheFirstTick)
{
    EXPECT_EQ(tick(), 0u); // no console, no composition: nothing to show
    model.selectConsole(2);
    EXPECT_EQ(model.previewStep(), 1);
    // Right after a selection the blends are empty.
    std::vector<QRgb> shown;
    for (int i = 0; i < 7; ++i)
        shown.push_back(tick());
    EXPECT_EQ(shown, (std::vector<QRgb>{0, 0, FRAME_B, FRAME_B, 0, 0, 0}));
    EXPECT_EQ(model.previewStep(), 0);

    model.setSourceText(u"C:\\nowhere\\x.png");
    model.makePreview();
    const QRgb blend3 = model.frames().blend3.pixel(0, 0);
    const QRgb blend4 = model.frames().blend4.pixel(0, 0);
    EXPECT_NE(blend3, blend4);
    std::vector<QRgb> twenty;
    for (int i = 0; i < 20; ++i)
        twenty.push_back(tick());
    const QRgb a = FRAME_A, b = FRAME_B, m = blend3, n = blend4;
    EXPECT_EQ(twenty, (std::vector<QRgb>{a, m, n, b, b, n, m, m, a, m, n, b, b, n, m, m, a, m, n, b}));
    // The preview writes nothing and fills the destination as the run does.
    EXPECT_EQ(model.destinationText(), u"C:\\nowhere\\x");
    EXPECT_EQ(folder.fileNames(), mintrel_test::freshFolderFiles());
}

TEST_F(Model, AlternateTemplatesReloadAndKeepWhatCannotBeLoaded)
{
    model.selectConsole(2);
    model.makePreview();
    model.setAlternate(true);
    // Banner from the alternate folder; frames A and B are not there and keep the last composition.
    EXPECT_EQ(model.frames().banner.pixel(0, 0), ALT_BANNER);
    EXPECT_TRUE(model.frames().blend3.isNull());
    EXPECT_EQ(model.frames().frameA.size(), QSize(48, 48));
    model.setAlternate(false);
    EXPECT_EQ(model.frames().banner.pixel(0, 0), BANNER);

    // The command line ticks the box after choosing the console, whatever the order it was typed in.
    CommandLineOptions options;
    options.system = u"snes";
    options.alternate = true;
    GeneratorModel other(sink, folder.path(), true);
    other.apply(options);
    EXPECT_EQ(other.consoleIndex(), 2);
    EXPECT_EQ(other.frames().banner.pixel(0, 0), ALT_BANNER);
    options.system.reset();
    GeneratorModel none(sink, folder.path(), true);
    none.apply(options);
    EXPECT_EQ(none.consoleIndex(), NO_CONSOLE);
    EXPECT_TRUE(none.frames().banner.isNull());
}

TEST_F(Model, FramesExportAsBitmapsInTheProgramFolder)
{
    EXPECT_FALSE(model.exportFrame(FrameBox::FrameA).ok());
    EXPECT_FALSE(model.exportFrame(std::nullopt).ok());
    model.selectConsole(2);
    solid({30, 20}, 0xFF0000FF).save(QString::fromStdString((folder / "src.bmp").string()), "BMP");
    model.setSourceText(u"\\src.bmp");
    model.makePreview();
    struct Case
    {
        std::optional<FrameBox> box;
        const char* file;
    };
    for (const Case c : {Case{FrameBox::Banner, "1.bmp"},
                         {FrameBox::FrameA, "2.bmp"},
                         {FrameBox::Blend3, "3.bmp"},
                         {FrameBox::Blend4, "4.bmp"},
                         {FrameBox::FrameB, "5.bmp"},
                         {std::nullopt, "test.bmp"}}) {
        const auto saved = model.exportFrame(c.box);
        ASSERT_TRUE(saved.ok()) << c.file;
        EXPECT_EQ(*saved, folder / c.file);
        const QImage back(QString::fromStdString(saved->string()));
        const QImage& expected = c.box ? model.frames()[*c.box] : model.sourcePicture();
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32)) << c.file;
    }
}

TEST_F(Model, BrowsedPathsAreShortInsideTheProgramFolder)
{
    model.sourceChosen(folder / "pics" / "a.png");
    EXPECT_EQ(model.sourceText(), u"\\pics\\a.png");
    model.destinationChosen(platform::pathToText(folder.path()));
    EXPECT_EQ(model.destinationText(), u"\\");
    EXPECT_EQ(model.destinationPickerStart(), platform::pathToText(folder.path()) + u"\\");
    model.destinationChosen(u"/elsewhere/out");
    EXPECT_EQ(model.destinationText(), u"/elsewhere/out\\");
    // The same folder again is kept as it is; cancelling empties the field.
    model.destinationChosen(u"/elsewhere/out\\");
    EXPECT_EQ(model.destinationText(), u"/elsewhere/out\\");
    model.destinationChosen(u"");
    EXPECT_EQ(model.destinationText(), u"");
}
