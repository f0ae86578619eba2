#include "picture_box.h"

namespace mirelta {

void PictureBox::setPicture(const QImage& picture) {
    picture_ = picture;
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
