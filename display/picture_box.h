#pragma once
// A picture element of the display panel (the photo, the scenario picture): it takes the size of
// its picture while it sizes itself automatically; once its size is fixed, a picture is shown
// unscaled from its top-left corner, cut to the box.

#include <QImage>
#include <QPoint>
#include <QSize>

namespace mirelta {

class PictureBox {
public:
    void setPicture(const QImage& picture);
    void clear();
    // Stops following the picture's size for good.
    void fixSize(QSize size);

    const QImage& picture() const { return picture_; }
    bool isEmpty() const { return picture_.isNull(); }
    QSize size() const { return size_; }
    bool autoSize() const { return autoSize_; }
    bool isVisible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    QPoint position() const { return position_; }
    void setPosition(QPoint position) { position_ = position; }

private:
    QPoint position_{0, 0};
    QImage picture_;
    QSize size_{0, 0};
    bool autoSize_ = true;
    bool visible_ = false;
};

} // namespace mirelta
