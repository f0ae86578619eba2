#pragma once
// The glyph strips: 64 pictures of 210 x 42 pixels, each one character in five styles side by
// side on white. They are loaded once and shared by every cell that shows them.

#include <QImage>
#include <QString>
#include <array>
#include <memory>

namespace mirelta {

inline constexpr int kStripCount = 64;
inline constexpr int kGlyphSize = 42;
inline constexpr int kStripFrames = 5;

// A strip picture, kept as 32-bit pixels so that drawing reads whole words.
class GlyphStrip {
public:
    explicit GlyphStrip(const QImage& picture);
    const QImage& pixels() const { return pixels_; }
    int width() const { return pixels_.width(); }
    int height() const { return pixels_.height(); }
    // The colour a picture element leaves out when it draws: its bottom-left pixel.
    QRgb transparentColour() const;

private:
    QImage pixels_;
};

// The image list of strips, by glyph index.
class GlyphStrips {
public:
    // The strips built into the program.
    static GlyphStrips builtIn();
    // Strips from files "0.bmp" ... "63.bmp" in a folder; a file that cannot be read leaves an
    // empty entry.
    static GlyphStrips fromFolder(const QString& folder);

    // The strip of a glyph index, or null for an index without one.
    const GlyphStrip* strip(int index) const;

private:
    std::array<std::shared_ptr<const GlyphStrip>, kStripCount> strips_;
};

} // namespace mirelta
