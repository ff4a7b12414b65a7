#pragma once

#include <QFrame>
#include <QImage>

namespace icon_generator {

// A picture box: a drawing area of fixed size that shows a picture at its own size from the top-left
// corner (or, when fitting, scaled down to fit, for a source of any size), and reports single and
// double clicks.
class PictureBox : public QFrame
{
    Q_OBJECT

public:
    PictureBox(QSize area, bool fit, QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    bool m_fit;
};

} // namespace icon_generator
