#include "icon_generator/FrameComposer.h"

#include <QPainter>

#include "textures/ContainerFormat.h"

namespace icon_generator {

QImage& Frames::operator[](FrameBox box)
{
    switch (box) {
    case FrameBox::Banner:
        return banner;
    case FrameBox::FrameA:
        return frameA;
    case FrameBox::Blend3:
        return blend3;
    case FrameBox::Blend4:
        return blend4;
    case FrameBox::FrameB:
        break;
    }
    return frameB;
}

const QImage& Frames::operator[](FrameBox box) const
{
    return const_cast<Frames&>(*this)[box];
}

QSize boxSize(FrameBox box)
{
    if (box == FrameBox::Banner)
        return {static_cast<int>(textures::SAVE_BANNER_WIDTH), static_cast<int>(textures::SAVE_BANNER_HEIGHT)};
    return {static_cast<int>(textures::SAVE_ICON_SIZE), static_cast<int>(textures::SAVE_ICON_SIZE)};
}

std::uint8_t blendComponent(int a, int b, int quartersOfA)
{
    const int sum = quartersOfA * a + (4 - quartersOfA) * b;
    int value = sum / 4;
    const int rest = sum % 4;
    if (rest > 2 || (rest == 2 && value % 2 == 1))
        ++value;
    return static_cast<std::uint8_t>(value);
}

QImage blendFrames(const QImage& a, const QImage& b, int quartersOfA)
{
    const QImage first = a.convertToFormat(QImage::Format_RGB32);
    const QImage second = b.convertToFormat(QImage::Format_RGB32);
    QImage out(first.size(), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(first.constScanLine(y));
        const auto* pb = reinterpret_cast<const QRgb*>(second.constScanLine(y));
        auto* po = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            po[x] = qRgb(blendComponent(qRed(pa[x]), qRed(pb[x]), quartersOfA),
                         blendComponent(qGreen(pa[x]), qGreen(pb[x]), quartersOfA),
                         blendComponent(qBlue(pa[x]), qBlue(pb[x]), quartersOfA));
    }
    return out;
}

QImage paintedBox(const QImage& picture, QSize box, const QImage& source, std::optional<Rect> where)
{
    QImage canvas(box, QImage::Format_RGB32);
    canvas.fill(BOX_BACKGROUND);
    QPainter painter(&canvas);
    if (!picture.isNull())
        painter.drawImage(0, 0, picture);
    // Scaling first with Qt's smooth filter averages every source pixel, which a scaled drawImage
    // (bilinear, four samples) does not when a large photo shrinks to a few dozen pixels.
    if (!source.isNull() && where && where->width > 0 && where->height > 0)
        painter.drawImage(where->x, where->y,
                          source.scaled(where->width, where->height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    painter.end();
    return canvas;
}

QImage resizedPicture(const QImage& source, QSize size)
{
    return paintedBox({}, size, source, Rect{0, 0, size.width(), size.height()});
}

void ComposeFrames(Frames& frames, const QImage& source, int consoleIndex)
{
    const Console& console = consoleAt(consoleIndex);
    frames.frameA = paintedBox(frames.frameA, boxSize(FrameBox::FrameA), source, console.frameARect);
    frames.frameB = paintedBox(frames.frameB, boxSize(FrameBox::FrameB), source, console.frameBRect);
    frames.banner = paintedBox(frames.banner, boxSize(FrameBox::Banner), source, console.bannerRect);
    frames.blend3 = blendFrames(frames.frameA, frames.frameB, 3);
    frames.blend4 = blendFrames(frames.frameA, frames.frameB, 1);
}

} // namespace icon_generator
