#pragma once

#include <QImage>
#include <QWidget>

namespace texture_editor {

// One preview box of the column: shows a picture at its own size inside a one-pixel frame, which is
// drawn as a single line while the box is selected. A box without a picture keeps a small empty area.
class PreviewBox : public QWidget
{
    Q_OBJECT

public:
    // The inner size of a box that shows no picture.
    static constexpr int EMPTY_SIZE = 48;

    PreviewBox(int index, QWidget* parent);

    int index() const { return m_index; }
    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture);

    // The size of the area inside the frame: the picture's size in pixels.
    QSize innerSize() const;

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int m_index;
    QImage m_picture;
    bool m_selected = false;
};

} // namespace texture_editor
