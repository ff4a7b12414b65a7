#pragma once

// The five frames of a save icon and how they are composed: the source picture is painted into the
// first icon frame (A) and the banner frame at the console's rectangles, and the two in-between
// frames of the animation are blended from frames A and B pixel by pixel.
//
// A frame box has a fixed drawing area (192 x 64 for the banner, 48 x 48 for the icons). A picture
// in it is shown at its own size from the top-left corner; what it leaves uncovered shows the box's
// background. Composing draws onto that area and makes the drawing the box's picture, so every
// composed frame has exactly the box's size.

#include <cstdint>
#include <optional>

#include <QColor>
#include <QImage>
#include <QSize>

#include "icon_generator/Consoles.h"

namespace icon_generator {

enum class FrameBox { Banner, FrameA, Blend3, Blend4, FrameB };

// The frame boxes' pictures; a null image is an empty box.
struct Frames
{
    QImage banner; // the save banner, 192 x 64
    QImage frameA; // the first icon frame
    QImage blend3; // three quarters A, one quarter B
    QImage blend4; // one quarter A, three quarters B
    QImage frameB; // the last icon frame

    QImage& operator[](FrameBox box);
    const QImage& operator[](FrameBox box) const;
};

// The drawing area of a box.
QSize boxSize(FrameBox box);

// What an empty drawing area shows, and what a picture with transparency is painted over.
inline constexpr QRgb BOX_BACKGROUND = 0xFFFFFFFF;

// One colour component of a blend: (quartersOfA * a + (4 - quartersOfA) * b) / 4, rounded to the
// nearest integer with halves going to the even one (a = 10, b = 20 gives 12 at three quarters A and
// 18 at one quarter).
std::uint8_t blendComponent(int a, int b, int quartersOfA);

// The blend of two frames of the same size, component by component (opaque).
QImage blendFrames(const QImage& a, const QImage& b, int quartersOfA);

// A box's drawing area after painting: the box's picture at its own size over the background, then
// the source scaled to fill the rectangle (when both are given).
QImage paintedBox(const QImage& picture, QSize box, const QImage& source, std::optional<Rect> where);

// The source scaled to fill a cleared drawing area of the given size (the channel picture and icon).
QImage resizedPicture(const QImage& source, QSize size);

// Composes the frames for the console at index (NO_CONSOLE included) on what the boxes hold, which is
// the console's templates or an earlier composition. A null source paints nothing new. Afterwards
// every box holds a picture of its size.
void ComposeFrames(Frames& frames, const QImage& source, int consoleIndex);

} // namespace icon_generator
