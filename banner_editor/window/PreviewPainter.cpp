#include "banner_editor/window/PreviewPainter.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QPainter>

#include "platform/QtText.h"

namespace banner_editor {

namespace {

QColor toQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

int px(int units)
{
    return static_cast<int>(std::lround(double(units) / PREVIEW_UNITS_PER_PIXEL));
}

QRect pixelRect(const PreviewRect& r)
{
    return QRect(QPoint(px(r.x), px(r.y)), QPoint(px(r.right()) - 1, px(r.bottom()) - 1));
}

void paintShape(QPainter& p, const PreviewShape& s)
{
    const QRect outer = pixelRect(s.rect);
    if (s.outlineWidth > 0) {
        p.fillRect(outer, toQColor(s.outline));
        const int w = std::max(1, px(s.outlineWidth));
        p.fillRect(outer.adjusted(w, w, -w, -w), toQColor(s.fill));
    } else {
        p.fillRect(outer, toQColor(s.fill));
    }
}

// Each band covers the pixels whose left (top) edge lies inside it; a later band wins a shared pixel.
void paintGradient(QPainter& p, const PreviewGradientArea& area)
{
    for (const auto& b : area.bands) {
        const int x0 = px(int(std::lround(b.x))), x1 = px(int(std::lround(b.x + b.width)));
        const int y0 = px(int(std::lround(b.y))), y1 = px(int(std::lround(b.y + b.height)));
        if (x1 > x0 && y1 > y0)
            p.fillRect(QRect(x0, y0, x1 - x0, y1 - y0), toQColor(b.color));
    }
}

QFont fontOf(const PreviewText& t)
{
    QString family = QString::fromStdString(t.font);
    if (family.startsWith(QLatin1Char('@')))
        family.remove(0, 1);
    QFont font(family);
    font.setPixelSize(t.pixelSize);
    font.setBold(t.bold);
    return font;
}

void paintText(QPainter& p, const PreviewText& t)
{
    p.save();
    p.setFont(fontOf(t));
    p.setPen(toQColor(t.color));
    const QRectF r(t.rect.x / double(PREVIEW_UNITS_PER_PIXEL), t.rect.y / double(PREVIEW_UNITS_PER_PIXEL),
                   t.rect.width / double(PREVIEW_UNITS_PER_PIXEL), t.rect.height / double(PREVIEW_UNITS_PER_PIXEL));
    const int flags = Qt::AlignLeft | Qt::AlignTop | (t.wrap ? Qt::TextWordWrap : 0);
    if (!t.font.empty() && t.font.front() == '@') {
        // Vertical writing: the line runs down the rectangle, turned a quarter turn clockwise.
        p.setClipRect(r);
        p.translate(r.right(), r.top());
        p.rotate(90);
        p.drawText(QRectF(0, 0, r.height(), r.width()), Qt::AlignLeft | Qt::AlignVCenter, platform::toQString(t.text));
    } else {
        p.drawText(r, flags, platform::toQString(t.text));
    }
    p.restore();
}

} // namespace

QImage renderPreview(const PreviewScene& s)
{
    QImage image(PREVIEW_WIDTH / PREVIEW_UNITS_PER_PIXEL, PREVIEW_HEIGHT / PREVIEW_UNITS_PER_PIXEL,
                 QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintShape(p, s.band);
    paintGradient(p, s.lowerMask);
    paintShape(p, s.secondMask);
    for (const auto& letters : s.logoLettering)
        paintText(p, letters);
    for (const auto& line : s.platformLines)
        paintShape(p, line);
    paintShape(p, s.pictureFrame);
    paintGradient(p, s.yearLine);
    paintGradient(p, s.playersLine);
    for (const PreviewText* t : {&s.system, &s.title, &s.year, &s.players, &s.rating})
        paintText(p, *t);
    return image;
}

int measureSystemText(std::u16string_view text)
{
    QFont font(QString::fromUtf8(BANNER_TEXT_FONT.data(), qsizetype(BANNER_TEXT_FONT.size())));
    font.setPixelSize(SYSTEM_TEXT_PIXEL_SIZE);
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(platform::toQString(text)) * PREVIEW_UNITS_PER_PIXEL;
}

} // namespace banner_editor
