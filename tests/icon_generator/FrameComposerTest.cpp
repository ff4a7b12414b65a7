#include "icon_generator/FrameComposer.h"

#include <gtest/gtest.h>

#include "MintrelFixture.h"

using namespace icon_generator;
using mintrel_test::solid;

namespace {

constexpr QRgb TEMPLATE_A = 0xFF204060;
constexpr QRgb TEMPLATE_B = 0xFFA0C0E0;
constexpr QRgb TEMPLATE_BANNER = 0xFF102030;
constexpr QRgb SOURCE = 0xFFF08010;

Frames templates()
{
    Frames frames;
    frames.banner = solid(boxSize(FrameBox::Banner), TEMPLATE_BANNER);
    frames.frameA = solid(boxSize(FrameBox::FrameA), TEMPLATE_A);
    frames.frameB = solid(boxSize(FrameBox::FrameB), TEMPLATE_B);
    return frames;
}

// The pixels inside the rectangle are the source's and those outside the template's.
void expectPainted(const QImage& frame, const Rect& where, QRgb inside, QRgb outside)
{
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const bool in = x >= where.x && x < where.x + where.width && y >= where.y && y < where.y + where.height;
            ASSERT_EQ(frame.pixel(x, y), in ? inside : outside) << x << "," << y;
        }
}

} // namespace

TEST(FrameComposer, BlendRoundsHalvesToEven)
{
    struct Case
    {
        int a, b, quarters, expected;
    };
    for (const Case c : {Case{10, 20, 3, 12},
                         {10, 20, 1, 18},
                         {77, 77, 3, 77},
                         {77, 77, 1, 77},
                         {0, 2, 3, 0},
                         {0, 6, 3, 2},
                         {0, 255, 3, 64},
                         {0, 255, 1, 191},
                         {255, 0, 3, 191},
                         {1, 0, 3, 1}})
        EXPECT_EQ(blendComponent(c.a, c.b, c.quarters), c.expected) << c.a << " " << c.b << " " << c.quarters;
}

TEST(FrameComposer, PaintsTheSourceIntoFrameAAndTheBannerByConsole)
{
    struct Case
    {
        int console;
        Rect icon, banner;
    };
    for (const Case c : {Case{2, {4, 9, 40, 30}, {10, 10, 58, 44}},
                         {5, {2, 8, 44, 32}, {8, 8, 69, 48}},
                         {MSX, {2, 9, 44, 31}, {8, 8, 69, 48}},
                         {NO_CONSOLE, {4, 9, 40, 30}, {10, 10, 58, 44}}}) {
        SCOPED_TRACE(c.console);
        Frames frames = templates();
        ComposeFrames(frames, solid({300, 200}, SOURCE), c.console);
        expectPainted(frames.frameA, c.icon, SOURCE, TEMPLATE_A);
        expectPainted(frames.banner, c.banner, SOURCE, TEMPLATE_BANNER);
        EXPECT_EQ(frames.frameB, solid(boxSize(FrameBox::FrameB), TEMPLATE_B));
        // Each blend pixel is computed from the composed A and the template B.
        const QRgb mixed3 = frames.blend3.pixel(c.icon.x, c.icon.y);
        EXPECT_EQ(qRed(mixed3), blendComponent(qRed(SOURCE), qRed(TEMPLATE_B), 3));
        EXPECT_EQ(qBlue(frames.blend4.pixel(0, 0)), blendComponent(qBlue(TEMPLATE_A), qBlue(TEMPLATE_B), 1));
    }
}

TEST(FrameComposer, C64KeepsFrameAAndPutsTheWholeSourceIntoFrameB)
{
    Frames frames = templates();
    ComposeFrames(frames, solid({320, 240}, SOURCE), C64);
    EXPECT_EQ(frames.frameA, solid(boxSize(FrameBox::FrameA), TEMPLATE_A));
    EXPECT_EQ(frames.frameB, solid(boxSize(FrameBox::FrameB), SOURCE));
    expectPainted(frames.banner, {0, 0, 85, 64}, SOURCE, TEMPLATE_BANNER);
    // The blends fade from the template into the source.
    EXPECT_EQ(frames.blend3.pixel(20, 20),
              qRgb(blendComponent(0x20, 0xF0, 3), blendComponent(0x40, 0x80, 3), blendComponent(0x60, 0x10, 3)));
}

TEST(FrameComposer, EmptyBoxesOddTemplatesAndClearSourcesGiveBoxSizedFrames)
{
    // No templates and no source: every box becomes the background at its own size.
    Frames frames;
    ComposeFrames(frames, QImage(), NO_CONSOLE);
    for (const FrameBox box :
         {FrameBox::Banner, FrameBox::FrameA, FrameBox::Blend3, FrameBox::Blend4, FrameBox::FrameB})
        EXPECT_EQ(frames[box], solid(boxSize(box), BOX_BACKGROUND));

    // A template larger than the box is cut at the box, a smaller one leaves the background showing.
    frames.frameA = solid({60, 60}, TEMPLATE_A);
    frames.frameB = solid({10, 10}, TEMPLATE_B);
    ComposeFrames(frames, QImage(), 1);
    EXPECT_EQ(frames.frameA, solid({48, 48}, TEMPLATE_A));
    EXPECT_EQ(frames.frameB.size(), QSize(48, 48));
    EXPECT_EQ(frames.frameB.pixel(9, 9), TEMPLATE_B);
    EXPECT_EQ(frames.frameB.pixel(10, 10), BOX_BACKGROUND);

    // Transparent source pixels show what is behind them.
    QImage clear(40, 30, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    EXPECT_EQ(resizedPicture(clear, {128, 96}), solid({128, 96}, BOX_BACKGROUND));
    frames = templates();
    ComposeFrames(frames, clear, 1);
    EXPECT_EQ(frames.frameA, solid({48, 48}, TEMPLATE_A));
}
