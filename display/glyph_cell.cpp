#include "display/glyph_cell.h"

#include "display/glyph_strips.h"

namespace mirelta {

void GlyphCell::setStrip(const GlyphStrip* strip) {
    strip_ = strip;
    const int width = strip ? strip->width() : 0;
    const int height = strip ? strip->height() : 0;
    frameCount_ = height > 0 && width > 0 && width % height == 0 ? width / height : 1;
    currentFrame_ = 0;
    frameWidth_ = width / frameCount_;
    if (strip != nullptr) {
        transparentColour_ = strip->transparentColour();
        if (autoSize_) {
            geometry_.setSize({frameWidth_, height});
        }
    }
}

bool GlyphCell::setFrame(int frame) {
    if (frame == currentFrame_ || frame < 0 || frame >= frameCount_) {
        return false;
    }
    currentFrame_ = frame;
    return true;
}

} // namespace mirelta
