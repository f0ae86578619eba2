#include "display/glyph_display.h"

#include "display/glyph_strips.h"
#include "display/screen.h"
#include "text/suggestion_tables.h"

namespace mirelta {

namespace {
constexpr QRgb kWhite = 0xFFFFFFFFu;
} // namespace

GlyphDisplay::GlyphDisplay(PanelScene& scene, const GlyphStrips& strips, RecordTable& letters,
                           const LetterCursor& cursor, Screen& screen, Speed speed)
    : scene_(scene), strips_(strips), letters_(letters), cursor_(cursor), screen_(screen),
      speed_(speed) {}

void GlyphDisplay::loadCurrentGlyph(GlyphCell& cell) {
    const bool hasGlyph = letters_.isAssigned(letters_field::Glyph);
    cell.setStrip(hasGlyph ? strips_.strip(letters_.number(letters_field::Glyph)) : nullptr);
    cell.setTransparentColour(kWhite);
}

void GlyphDisplay::repaint(const GlyphCell& cell) {
    if (cell.drawsSomething()) {
        screen_.present(Shown::Cell, 0);
    }
}

void GlyphDisplay::walkSentence(const std::function<void(GlyphCell&)>& work) {
    letters_.first();
    if (!letters_.locate({{letters_field::Thesis, cursor_.thesis},
                          {letters_field::Sentence, cursor_.sentence}})) {
        return;
    }
    while (!letters_.eof() && letters_.number(letters_field::Sentence) == cursor_.sentence) {
        const int cell = letters_.number(letters_field::GridCell);
        if (cell >= 1 && cell <= kGridCells) {
            work(scene_.gridCell(cell));
        }
        letters_.next();
    }
}

void GlyphDisplay::walkRow(const std::function<void(GlyphCell&)>& work) {
    letters_.first();
    // When no row matches, the walk starts on the table's first row, as the session expects.
    letters_.locate({{letters_field::Thesis, cursor_.thesis},
                     {letters_field::Sentence, cursor_.sentence},
                     {letters_field::GridRow, cursor_.line}});
    while (!letters_.eof() && letters_.number(letters_field::GridRow) == cursor_.line) {
        const int cell = letters_.number(letters_field::RowCell);
        if (cell >= 1 && cell <= kRowCells) {
            work(scene_.rowCell(cell));
        }
        letters_.next();
    }
}

void GlyphDisplay::loadSentence() {
    walkSentence([this](GlyphCell& cell) { loadCurrentGlyph(cell); });
}

void GlyphDisplay::styleSentence() {
    walkSentence([this](GlyphCell& cell) {
        cell.setFrame(cursor_.glyphFrame);
        repaint(cell);
    });
}

void GlyphDisplay::showSentence() {
    walkSentence([this](GlyphCell& cell) {
        cell.setVisible(true);
        repaint(cell);
    });
}

void GlyphDisplay::hideSentence() {
    walkSentence([](GlyphCell& cell) { cell.setVisible(false); });
}

void GlyphDisplay::emptySentence() {
    walkSentence([](GlyphCell& cell) { cell.clearStrip(); });
}

std::vector<int> GlyphDisplay::matrixBlock(Speed speed) {
    // All three blocks are centred on the middle of the panel.
    const int side = lookOf(speed).matrixSide;
    const int firstRow = 5 - side / 2;
    const int firstColumn = 6 - side / 2;
    std::vector<int> cells;
    for (int row = firstRow; row < firstRow + side; ++row) {
        for (int column = firstColumn; column < firstColumn + side; ++column) {
            cells.push_back(10 * (row - 1) + column);
        }
    }
    return cells;
}

void GlyphDisplay::showLetterInMatrix() {
    for (const int number : matrixBlock(speed_)) {
        GlyphCell& cell = scene_.gridCell(number);
        loadCurrentGlyph(cell);
        cell.setFrame(cursor_.glyphFrame);
        cell.setTransparentColour(kWhite);
    }
    showMatrix();
}

void GlyphDisplay::hideMatrix() {
    for (const int number : matrixBlock(speed_)) {
        scene_.gridCell(number).setVisible(false);
    }
}

void GlyphDisplay::showMatrix() {
    const std::vector<int> block = matrixBlock(speed_);
    const auto side = static_cast<std::size_t>(lookOf(speed_).matrixSide);
    for (std::size_t first = 0; first < block.size(); first += side) {
        for (std::size_t i = first; i < first + side; ++i) {
            scene_.gridCell(block[i]).setVisible(true);
        }
        for (std::size_t i = first; i < first + side; ++i) {
            repaint(scene_.gridCell(block[i]));
        }
    }
}

void GlyphDisplay::loadWordRow() {
    walkRow([this](GlyphCell& cell) { loadCurrentGlyph(cell); });
}

void GlyphDisplay::styleWordRow() {
    walkRow([this](GlyphCell& cell) {
        cell.setFrame(cursor_.glyphFrame);
        repaint(cell);
    });
}

void GlyphDisplay::showWordRow() {
    walkRow([this](GlyphCell& cell) {
        cell.setVisible(true);
        repaint(cell);
    });
}

void GlyphDisplay::clearWordRow() {
    walkRow([](GlyphCell& cell) {
        cell.setVisible(false);
        cell.clearStrip();
    });
}

} // namespace mirelta
