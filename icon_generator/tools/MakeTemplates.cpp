// mintrel_templates <data folder> <sample folder>: draws the template pictures Mintrel ships
// ("save icons" and "alt save icons" in the data folder, three BMPs per console) and the sample
// source picture of the demo (moon_racer.png in the sample folder). Run it again after changing a
// design; the output is the same on every run.
//
// The normal designs: the banner is a background in the console's colours with a dark "screen"
// where the source picture goes and the console's name beside it; frame A frames the source with a
// border and the console's colour marks; frame B is the console's badge, so the animation turns from
// the picture into the badge. The alternate designs draw a cartridge around the picture and a game
// pad as frame B.

#include <algorithm>
#include <cstdio>
#include <random>
#include <tuple>
#include <vector>

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "icon_generator/Consoles.h"
#include "icon_generator/Templates.h"

namespace {

using icon_generator::Console;
using icon_generator::Rect;

struct Style
{
    const char* code;
    const char* title;         // the banner's name
    const char* badge;         // frame B's text ("\n" breaks it)
    QColor top, bottom;        // background gradient
    QColor ink;                // text
    QColor frame;              // borders
    std::vector<QColor> marks; // the colour marks that hint at the console
};

const std::vector<Style>& styles()
{
    static const std::vector<Style> list{
        {"neogeo",
         "NEO GEO",
         "NEO\nGEO",
         QColor(0x2A, 0x2A, 0x2A),
         QColor(0x05, 0x05, 0x05),
         QColor(0xE8, 0xC0, 0x40),
         QColor(0xC8, 0x1E, 0x1E),
         {QColor(0xD0, 0x20, 0x20), QColor(0xF0, 0xC0, 0x20), QColor(0x30, 0xA0, 0x40), QColor(0x20, 0x60, 0xD0)}},
        {"nes",
         "NES",
         "NES",
         QColor(0xD4, 0xD4, 0xD4),
         QColor(0x98, 0x98, 0x98),
         QColor(0x30, 0x30, 0x30),
         QColor(0x40, 0x40, 0x40),
         {QColor(0xC8, 0x1E, 0x1E), QColor(0xC8, 0x1E, 0x1E)}},
        {"snes",
         "SNES",
         "SNES",
         QColor(0xDC, 0xDC, 0xE6),
         QColor(0xA4, 0xA4, 0xB6),
         QColor(0x4B, 0x3C, 0x8C),
         QColor(0x5A, 0x4A, 0x9C),
         {QColor(0x8C, 0x7C, 0xC8), QColor(0x5A, 0x4A, 0x9C), QColor(0x8C, 0x7C, 0xC8), QColor(0x5A, 0x4A, 0x9C)}},
        {"n64",
         "N64",
         "N64",
         QColor(0x44, 0x44, 0x44),
         QColor(0x16, 0x16, 0x16),
         QColor(0xFF, 0xFF, 0xFF),
         QColor(0x90, 0x90, 0x90),
         {QColor(0xE0, 0x24, 0x2A), QColor(0xF4, 0xC4, 0x00), QColor(0x12, 0xA0, 0x4A), QColor(0x1E, 0x5A, 0xC8)}},
        {"smd",
         "MEGA DRIVE",
         "MD",
         QColor(0x26, 0x26, 0x26),
         QColor(0x00, 0x00, 0x00),
         QColor(0xFF, 0xFF, 0xFF),
         QColor(0xD2, 0x1E, 0x1E),
         {QColor(0xD2, 0x1E, 0x1E), QColor(0xE8, 0xB4, 0x00)}},
        {"gen",
         "GENESIS",
         "GEN",
         QColor(0x2C, 0x2C, 0x2C),
         QColor(0x00, 0x00, 0x00),
         QColor(0xEE, 0xEE, 0xEE),
         QColor(0xE0, 0x28, 0x28),
         {QColor(0xE0, 0x28, 0x28), QColor(0xE0, 0x28, 0x28), QColor(0xE0, 0x28, 0x28)}},
        {"tg16",
         "TG-16",
         "TG\n16",
         QColor(0x2A, 0x2A, 0x2A),
         QColor(0x00, 0x00, 0x00),
         QColor(0xF0, 0x8C, 0x00),
         QColor(0xF0, 0x8C, 0x00),
         {QColor(0xF0, 0x8C, 0x00), QColor(0xF0, 0x8C, 0x00)}},
        {"sms",
         "MASTER SYSTEM",
         "SMS",
         QColor(0x22, 0x22, 0x22),
         QColor(0x00, 0x00, 0x00),
         QColor(0xFF, 0xFF, 0xFF),
         QColor(0xD0, 0x18, 0x18),
         {QColor(0xD0, 0x18, 0x18), QColor(0xD0, 0x18, 0x18), QColor(0xD0, 0x18, 0x18), QColor(0xD0, 0x18, 0x18)}},
        {"c64",
         "C-64",
         "C64",
         QColor(0xB4, 0xA6, 0x8A),
         QColor(0x7E, 0x6E, 0x54),
         QColor(0x3A, 0x2A, 0x1A),
         QColor(0x5A, 0x4A, 0x36),
         {QColor(0xD0, 0x20, 0x20), QColor(0xF0, 0x80, 0x20), QColor(0xF0, 0xD0, 0x20), QColor(0x30, 0xA0, 0x40),
          QColor(0x20, 0x60, 0xC0)}},
        {"fc",
         "FAMICOM",
         "FC",
         QColor(0xF4, 0xF0, 0xE6),
         QColor(0xD8, 0xCE, 0xB8),
         QColor(0x8C, 0x1C, 0x1C),
         QColor(0x8C, 0x1C, 0x1C),
         {QColor(0xC8, 0xA0, 0x40), QColor(0x8C, 0x1C, 0x1C)}},
        {"sfc",
         "S FAMICOM",
         "SFC",
         QColor(0xD6, 0xD6, 0xD6),
         QColor(0xA0, 0xA0, 0xA0),
         QColor(0x30, 0x30, 0x30),
         QColor(0x50, 0x50, 0x50),
         {QColor(0xD0, 0x20, 0x2A), QColor(0xF0, 0xC0, 0x00), QColor(0x20, 0x50, 0xC0), QColor(0x20, 0xA0, 0x40)}},
        {"msx",
         "MSX",
         "MSX",
         QColor(0x24, 0x36, 0x6C),
         QColor(0x0C, 0x14, 0x34),
         QColor(0xFF, 0xFF, 0xFF),
         QColor(0xC8, 0xC8, 0xD2),
         {QColor(0x7C, 0xB4, 0xF0), QColor(0xC8, 0xC8, 0xD2)}},
        {"mdj",
         "MEGA DRIVE",
         "MD\nJP",
         QColor(0x20, 0x20, 0x20),
         QColor(0x00, 0x00, 0x00),
         QColor(0xFF, 0xFF, 0xFF),
         QColor(0x1E, 0x64, 0xD2),
         {QColor(0x1E, 0x64, 0xD2), QColor(0xE8, 0xB4, 0x00)}},
        {"pce",
         "PC ENGINE",
         "PCE",
         QColor(0xF6, 0xF6, 0xF6),
         QColor(0xD4, 0xD4, 0xD4),
         QColor(0xD0, 0x40, 0x00),
         QColor(0xD0, 0x40, 0x00),
         {QColor(0xD0, 0x40, 0x00), QColor(0x30, 0x30, 0x30)}},
    };
    return list;
}

// The consoles that also get the alternate (cartridge) designs.
const std::vector<const char*> ALTERNATES{"nes", "snes", "n64", "gen", "smd", "pce"};

QRect rectOf(const Rect& r)
{
    return {r.x, r.y, r.width, r.height};
}

// A bold font whose text fits the width (and the height, when given), at most maxPixels high.
QFont fittedFont(const QString& text, int width, int height, int maxPixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    for (int pixels = maxPixels; pixels > 5; --pixels) {
        font.setPixelSize(pixels);
        const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignCenter, text);
        if (needed.width() <= width && (height <= 0 || needed.height() <= height))
            return font;
    }
    font.setPixelSize(6);
    return font;
}

void fillBackground(QPainter& p, const QRect& area, const Style& s)
{
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, s.top);
    gradient.setColorAt(1, s.bottom);
    p.fillRect(area, gradient);
}

// Text with a one-pixel shadow in the darker of black and white opposite the ink.
void drawText(QPainter& p, const QRect& area, const QString& text, const QFont& font, const QColor& ink)
{
    p.setFont(font);
    p.setPen(ink.lightness() > 128 ? QColor(0, 0, 0, 150) : QColor(255, 255, 255, 150));
    p.drawText(area.translated(1, 1), Qt::AlignCenter, text);
    p.setPen(ink);
    p.drawText(area, Qt::AlignCenter, text);
}

// A row of colour marks (rounded squares with a faint outline) centred in the area, as large as fits
// (at most 6 pixels).
void drawMarks(QPainter& p, const QRect& area, const std::vector<QColor>& marks)
{
    const int count = static_cast<int>(marks.size());
    int size = std::min(area.height(), 6);
    while (size > 2 && count * size + (count - 1) * (size / 2 + 1) > area.width())
        --size;
    const int gap = size / 2 + 1;
    const int width = count * (size + gap) - gap;
    int x = area.center().x() - width / 2;
    const int y = area.center().y() - size / 2;
    p.setPen(QPen(QColor(0, 0, 0, 90), 0.6));
    for (const auto& colour : marks) {
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(x + 0.3, y + 0.3, size - 0.6, size - 0.6), 1.5, 1.5);
        x += size + gap;
    }
}

// The dark bezel the source picture is painted into (the picture covers its inside).
void drawScreen(QPainter& p, const QRect& where, const Style& s)
{
    p.setPen(QPen(s.frame, 1));
    p.setBrush(QColor(0x10, 0x10, 0x14));
    p.drawRoundedRect(QRectF(where).adjusted(-2.5, -2.5, 2.5, 2.5), 3, 3);
}

void drawBorder(QPainter& p, const QRect& area, const QColor& colour, int width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, width));
    const qreal half = width / 2.0;
    p.drawRoundedRect(QRectF(area).adjusted(half, half, -half, -half), 4, 4);
}

QImage newPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

QImage banner(const Console& console, const Style& s)
{
    QImage picture = newPicture({192, 64});
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    fillBackground(p, picture.rect(), s);
    const QRect screen = rectOf(console.bannerRect);
    drawScreen(p, screen, s);
    const int left = screen.right() + 6;
    const QRect textArea(left, 8, 192 - left - 6, 30);
    drawText(p, textArea, QString::fromLatin1(s.title),
             fittedFont(QString::fromLatin1(s.title), textArea.width(), 30, 22), s.ink);
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(9);
    small.setBold(true);
    drawText(p, QRect(left, 38, textArea.width(), 11), QStringLiteral("SAVE DATA"), small, s.frame);
    drawMarks(p, QRect(left, 50, textArea.width(), 8), s.marks);
    drawBorder(p, picture.rect(), s.frame, 2);
    return picture;
}

QImage badge(const Style& s)
{
    QImage picture = newPicture({48, 48});
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    fillBackground(p, picture.rect(), s);
    QRadialGradient shine(QPointF(14, 10), 30);
    shine.setColorAt(0, QColor(255, 255, 255, 70));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(picture.rect(), shine);
    const QString text = QString::fromLatin1(s.badge);
    const QRect textArea(4, 5, 40, 30);
    drawText(p, textArea, text, fittedFont(text, textArea.width(), textArea.height(), 22), s.ink);
    drawMarks(p, QRect(4, 36, 40, 6), s.marks);
    drawBorder(p, picture.rect(), s.frame, 2);
    return picture;
}

// An icon frame with a screen at the rectangle and the colour marks above it.
QImage framedScreen(const Rect& where, const Style& s)
{
    QImage picture = newPicture({48, 48});
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    fillBackground(p, picture.rect(), s);
    const QRect screen = rectOf(where);
    drawScreen(p, screen, s);
    drawMarks(p, QRect(6, 2, 36, screen.top() - 4), s.marks);
    drawBorder(p, picture.rect(), s.frame, 2);
    return picture;
}

// ---- Alternate designs: a cartridge and a game pad ----

QColor shade(const Style& s)
{
    return s.top.lightness() > 100 ? s.top : s.top.lighter(160);
}

void drawCartridge(QPainter& p, const QRect& body, const Style& s)
{
    QPainterPath outline;
    outline.addRoundedRect(QRectF(body), 5, 5);
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(shade(s));
    p.drawPath(outline);
    p.setPen(QPen(shade(s).darker(140), 1));
    for (int y = body.top() + 2; y < body.top() + 7; y += 2)
        p.drawLine(body.left() + 6, y, body.right() - 6, y);
}

QImage alternateBanner(const Console& console, const Style& s)
{
    QImage picture = newPicture({192, 64});
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(picture.rect(), QColor(0x1C, 0x20, 0x26));
    drawCartridge(p, QRect(2, 1, 188, 62), s);
    const QRect screen = rectOf(console.bannerRect);
    drawScreen(p, screen, s);
    const int left = screen.right() + 8;
    const QRect label(left, 10, 192 - left - 8, 44);
    p.setPen(Qt::NoPen);
    p.setBrush(s.frame);
    p.drawRoundedRect(QRectF(label), 4, 4);
    const QString title = QString::fromLatin1(s.title);
    const QColor ink = s.frame.lightness() > 150 ? QColor(0x20, 0x20, 0x20) : QColor(Qt::white);
    drawText(p, label.adjusted(3, 3, -3, -14), title, fittedFont(title, label.width() - 6, 26, 20), ink);
    drawMarks(p, QRect(label.left(), label.bottom() - 11, label.width(), 8), s.marks);
    return picture;
}

QImage alternateFrameA(const Console& console, const Style& s)
{
    QImage picture = newPicture({48, 48});
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(picture.rect(), QColor(0x1C, 0x20, 0x26));
    drawCartridge(p, QRect(1, 0, 46, 44), s);
    if (console.frameARect)
        drawScreen(p, rectOf(*console.frameARect), s);
    // The connector's contacts.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD8, 0xB0, 0x40));
    for (int x = 6; x < 42; x += 4)
        p.drawRect(x, 44, 2, 4);
    return picture;
}

QImage alternateFrameB(const Style& s)
{
    QImage picture = newPicture({48, 48});
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(picture.rect(), QColor(0x1C, 0x20, 0x26));
    const QString text = QString::fromLatin1(s.badge).replace(QLatin1Char('\n'), QLatin1Char(' '));
    drawText(p, QRect(2, 2, 44, 14), text, fittedFont(text, 44, 14, 12), QColor(0xF0, 0xF0, 0xF0));
    // The pad: body, cross on the left, two buttons on the right.
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(shade(s));
    p.drawRoundedRect(QRectF(3.5, 19.5, 41, 22), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRect(9, 28, 12, 4);
    p.drawRect(13, 24, 4, 12);
    const QColor first = s.marks.empty() ? s.frame : s.marks.front();
    const QColor second = s.marks.size() > 1 ? s.marks.back() : first;
    p.setBrush(first);
    p.drawEllipse(QPointF(30, 33), 3.2, 3.2);
    p.setBrush(second);
    p.drawEllipse(QPointF(37, 27), 3.2, 3.2);
    return picture;
}

// ---- The sample source picture ----

QImage moonRacer()
{
    QImage picture(320, 240, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(0x0B, 0x10, 0x3A));
    sky.setColorAt(0.7, QColor(0x5A, 0x2A, 0x7A));
    sky.setColorAt(1, QColor(0xF0, 0x80, 0x50));
    p.fillRect(picture.rect(), sky);
    std::mt19937 random(1991);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        p.setBrush(QColor(255, 255, 255, 120 + static_cast<int>(random() % 136)));
        const double r = 0.5 + (random() % 10) / 10.0;
        p.drawEllipse(QPointF(random() % 320, random() % 150), r, r);
    }
    QRadialGradient moon(QPointF(225, 70), 46);
    moon.setColorAt(0, QColor(0xFF, 0xF8, 0xDC));
    moon.setColorAt(1, QColor(0xE0, 0xD4, 0xA8));
    p.setBrush(moon);
    p.drawEllipse(QPointF(232, 72), 44, 44);
    p.setBrush(QColor(0xC8, 0xBC, 0x90));
    for (const auto& [x, y, r] : {std::tuple{215.0, 60.0, 9.0}, {245.0, 88.0, 7.0}, {250.0, 55.0, 5.0}})
        p.drawEllipse(QPointF(x, y), r, r);
    QPainterPath hills(QPointF(0, 240));
    hills.lineTo(0, 175);
    hills.cubicTo(60, 150, 110, 190, 170, 168);
    hills.cubicTo(230, 146, 280, 178, 320, 160);
    hills.lineTo(320, 240);
    p.setBrush(QColor(0x1A, 0x12, 0x2E));
    p.drawPath(hills);
    // A racer speeding across the road, with its trail.
    p.setBrush(QColor(0x3C, 0x30, 0x50));
    p.drawRect(0, 205, 320, 16);
    QLinearGradient trail(40, 0, 150, 0);
    trail.setColorAt(0, QColor(0x40, 0xE0, 0xFF, 0));
    trail.setColorAt(1, QColor(0x40, 0xE0, 0xFF, 200));
    p.setBrush(trail);
    p.drawRect(QRectF(40, 196, 110, 6));
    QPainterPath car(QPointF(150, 204));
    car.cubicTo(160, 186, 190, 182, 215, 190);
    car.lineTo(232, 196);
    car.lineTo(232, 206);
    car.closeSubpath();
    p.setBrush(QColor(0xE8, 0x30, 0x40));
    p.drawPath(car);
    p.setBrush(QColor(0x9E, 0xE8, 0xFF));
    p.drawEllipse(QPointF(192, 191), 9, 5);
    p.setBrush(QColor(0x10, 0x10, 0x10));
    for (const double x : {165.0, 218.0})
        p.drawEllipse(QPointF(x, 207), 7, 7);
    return picture;
}

bool save(const QImage& picture, const QString& path)
{
    if (picture.save(path, path.endsWith(QLatin1String(".png")) ? "PNG" : "BMP"))
        return true;
    std::fprintf(stderr, "mintrel_templates: cannot write %s\n", qPrintable(path));
    return false;
}

const Style* styleOf(std::string_view code)
{
    for (const auto& s : styles())
        if (code == s.code)
            return &s;
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: mintrel_templates <data folder> <sample folder>\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir data(QString::fromLocal8Bit(argv[1]));
    const QString normal = data.filePath(QString::fromLatin1(icon_generator::TEMPLATE_FOLDER));
    const QString alternate = data.filePath(QString::fromLatin1(icon_generator::ALTERNATE_TEMPLATE_FOLDER));
    const QString samples = QString::fromLocal8Bit(argv[2]);
    for (const auto& folder : {normal, alternate, samples})
        QDir().mkpath(folder);

    bool ok = true;
    for (const Console& console : icon_generator::consoles()) {
        const Style* s = styleOf(console.code);
        if (!s)
            return 1;
        const auto name = [&](const QString& folder, int number) {
            return QDir(folder).filePath(
                QString::fromStdString(icon_generator::templateFileName(console.code, number)));
        };
        ok &= save(banner(console, *s), name(normal, icon_generator::BANNER_TEMPLATE));
        // C-64 turns the other way: frame A is the badge alone and the source covers frame B whole.
        const QImage screen = framedScreen(console.frameARect.value_or(Rect{4, 9, 40, 30}), *s);
        ok &= save(console.frameARect ? screen : badge(*s), name(normal, icon_generator::FRAME_A_TEMPLATE));
        ok &= save(console.frameARect ? badge(*s) : screen, name(normal, console.frameBTemplate));
        if (std::find(ALTERNATES.begin(), ALTERNATES.end(), console.code) == ALTERNATES.end())
            continue;
        ok &= save(alternateBanner(console, *s), name(alternate, icon_generator::BANNER_TEMPLATE));
        ok &= save(alternateFrameA(console, *s), name(alternate, icon_generator::FRAME_A_TEMPLATE));
        ok &= save(alternateFrameB(*s), name(alternate, console.frameBTemplate));
    }
    ok &= save(moonRacer(), QDir(samples).filePath(QStringLiteral("moon_racer.png")));
    return ok ? 0 : 1;
}
