#pragma once
// The display panel as a scene: its picture elements with their geometry and their stacking
// order, from the bottom: the scenario picture, the background picture, the 80 cells of the
// sentence grid (b1-b80), the big letter (b), the 10 cells of the word row (a1-a10), the photo.
// The scene only holds state; the compositor draws it.

#include "display/glyph_cell.h"
#include "display/picture_box.h"

#include <QImage>
#include <QRgb>
#include <vector>

namespace mirelta {

inline constexpr int kPanelSize = 425;
inline constexpr int kGridCells = 80;
inline constexpr int kRowCells = 10;

// The background picture: stretched over the whole panel, leaving out the pixels that have the
// colour of its picture's current bottom-left pixel. The session shifts its colours in place.
struct BackgroundPicture {
    QImage picture; // 24-bit, blue, green, red in memory (QImage::Format_BGR888)
    bool visible = true;
};

class PanelScene {
public:
    enum class Kind { Scenario, Background, Grid, Big, Row, Photo };
    struct Element {
        Kind kind;
        int number = 0; // 1-80 for the grid, 1-10 for the row
        bool operator==(const Element&) const = default;
    };

    PanelScene();

    GlyphCell& gridCell(int number) { return grid_.at(static_cast<std::size_t>(number - 1)); }
    const GlyphCell& gridCell(int number) const {
        return grid_.at(static_cast<std::size_t>(number - 1));
    }
    GlyphCell& big() { return big_; }
    const GlyphCell& big() const { return big_; }
    GlyphCell& rowCell(int number) { return row_.at(static_cast<std::size_t>(number - 1)); }
    const GlyphCell& rowCell(int number) const {
        return row_.at(static_cast<std::size_t>(number - 1));
    }
    BackgroundPicture& background() { return background_; } // im
    const BackgroundPicture& background() const { return background_; }
    PictureBox& scenarioPicture() { return scenario_; } // Ishen
    const PictureBox& scenarioPicture() const { return scenario_; }
    PictureBox& photo() { return photo_; } // ifoto
    const PictureBox& photo() const { return photo_; }

    const std::vector<Element>& stacking() const { return stacking_; }
    void bringToFront(Element element);
    void sendToBack(Element element);

    QRgb faceColour() const { return face_; }

    // The gentle session's panel is drawn in its dim band (display/gentle_tone.h).
    bool gentle() const { return gentle_; }
    void setGentle(bool gentle) { gentle_ = gentle; }
    // A whole panel drawn before, shown instead of the scene while it is set (the gentle
    // session's held-back states); null for the scene itself.
    const QImage* heldFrame() const { return held_; }
    void setHeldFrame(const QImage* frame) { held_ = frame; }

    // The cell of a glyph element of the stacking order, or null for a picture.
    const GlyphCell* cell(Element element) const;

private:
    std::vector<GlyphCell> grid_;
    GlyphCell big_;
    std::vector<GlyphCell> row_;
    BackgroundPicture background_;
    PictureBox scenario_;
    PictureBox photo_;
    std::vector<Element> stacking_;
    QRgb face_;
    bool gentle_ = false;
    const QImage* held_ = nullptr;
};

// Where cell N of the sentence grid lies: column (N-1) mod 10, row (N-1) div 10, 42 px apart
// across and 48 px apart down, from (3, 24).
QRect gridCellGeometry(int number);

} // namespace mirelta
