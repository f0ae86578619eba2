#include "display/picture_box.h"

namespace mirelta {

void PictureBox::setPicture(const QImage& picture) {
    // Kept as 32-bit pixels, the form the panel is drawn in.
    picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    if (autoSize_) {
        size_ = picture.size();
    }
}

void PictureBox::clear() {
    setPicture(QImage());
}

void PictureBox::fixSize(QSize size) {
    autoSize_ = false;
    size_ = size;
}

} // namespace mirelta
