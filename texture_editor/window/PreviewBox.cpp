#include "texture_editor/window/PreviewBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace texture_editor {
namespace {

constexpr int FRAME = 1;

// Transparent parts of a picture show over a light checkerboard.
QBrush checkerboard()
{
    static const QPixmap tile = [] {
        QPixmap p(16, 16);
        p.fill(QColor(0xF0, 0xF0, 0xF0));
        QPainter painter(&p);
        painter.fillRect(0, 0, 8, 8, QColor(0xCC, 0xCC, 0xCC));
        painter.fillRect(8, 8, 8, 8, QColor(0xCC, 0xCC, 0xCC));
        return p;
    }();
    return QBrush(tile);
}

} // namespace

PreviewBox::PreviewBox(int index, QWidget* parent) : QWidget(parent), m_index(index)
{
    setObjectName(QStringLiteral("picPrev"));
    setProperty("index", index);
    setPicture(QImage());
}

void PreviewBox::setPicture(const QImage& picture)
{
    m_picture = picture;
    setFixedSize(innerSize() + QSize(2 * FRAME, 2 * FRAME));
    update();
}

QSize PreviewBox::innerSize() const
{
    return m_picture.isNull() ? QSize(EMPTY_SIZE, EMPTY_SIZE) : m_picture.size();
}

void PreviewBox::setSelected(bool selected)
{
    m_selected = selected;
    update();
}

void PreviewBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inner(QPoint(FRAME, FRAME), innerSize());
    if (!m_picture.isNull()) {
        painter.fillRect(inner, checkerboard());
        painter.drawImage(inner.topLeft(), m_picture);
    }
    if (m_selected) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PreviewBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked(m_index);
    QWidget::mousePressEvent(event);
}

} // namespace texture_editor
