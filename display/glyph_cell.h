#pragma once
// A picture element that shows one frame of a glyph strip, stretched over its area, leaving out
// the strip's transparent colour. Frames change only when set; nothing steps them by itself.

#include <QRect>
#include <QRgb>

namespace mirelta {

class GlyphStrip;

class GlyphCell {
public:
    GlyphCell(QRect geometry, bool autoSize) : geometry_(geometry), autoSize_(autoSize) {}

    // Assigning or clearing a strip recomputes the frames and starts at frame 0.
    void setStrip(const GlyphStrip* strip);
    void clearStrip() { setStrip(nullptr); }
    // A negative frame, one not below the frame count, or the current one changes nothing;
    // returns whether the frame changed.
    bool setFrame(int frame);

    const GlyphStrip* strip() const { return strip_; }
    int frameCount() const { return frameCount_; }
    int currentFrame() const { return currentFrame_; }
    int frameWidth() const { return frameWidth_; }

    QRgb transparentColour() const { return transparentColour_; }
    void setTransparentColour(QRgb colour) { transparentColour_ = colour | 0xFF000000u; }

    QRect geometry() const { return geometry_; }
    void setGeometry(QRect geometry) { geometry_ = geometry; }
    bool autoSize() const { return autoSize_; }

    bool isVisible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    // Shown and holding a strip: only then does the cell draw anything.
    bool drawsSomething() const { return visible_ && strip_ != nullptr; }

private:
    QRect geometry_;
    bool autoSize_;
    const GlyphStrip* strip_ = nullptr;
    int frameCount_ = 1;
    int currentFrame_ = 0;
    int frameWidth_ = 0;
    QRgb transparentColour_ = 0xFFFFFFFFu;
    bool visible_ = false;
};

} // namespace mirelta
