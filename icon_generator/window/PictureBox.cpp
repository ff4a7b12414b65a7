#include "icon_generator/window/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace icon_generator {

PictureBox::PictureBox(QSize area, bool fit, QWidget* parent) : QFrame(parent), m_fit(fit)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    const int border = 2 * frameWidth();
    setFixedSize(area.width() + border, area.height() + border);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
}

void PictureBox::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setClipRect(area);
    if (!m_fit || (m_picture.width() <= area.width() && m_picture.height() <= area.height())) {
        painter.drawImage(area.topLeft(), m_picture);
        return;
    }
    const QSize fitted = m_picture.size().scaled(area.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(area.topLeft(), fitted), m_picture);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QFrame::mouseDoubleClickEvent(event);
}

} // namespace icon_generator
