#include "display/panel_scene.h"

#include <algorithm>

namespace mirelta {

namespace {
// The panel's own face, seen wherever no element draws.
constexpr QRgb kFaceColour = 0xFFF0F0F0u;
} // namespace

QRect gridCellGeometry(int number) {
    const int column = (number - 1) % 10;
    const int row = (number - 1) / 10;
    return {3 + 42 * column, 24 + 48 * row, 42, 42};
}

PanelScene::PanelScene() : big_(QRect(131, 131, 168, 168), false), face_(kFaceColour) {
    stacking_.push_back({Kind::Scenario});
    stacking_.push_back({Kind::Background});
    for (int number = 1; number <= kGridCells; ++number) {
        grid_.emplace_back(gridCellGeometry(number), true);
        stacking_.push_back({Kind::Grid, number});
    }
    stacking_.push_back({Kind::Big});
    for (int number = 1; number <= kRowCells; ++number) {
        row_.emplace_back(QRect(3 + 42 * (number - 1), 192, 42, 42), true);
        stacking_.push_back({Kind::Row, number});
    }
    stacking_.push_back({Kind::Photo});
}

void PanelScene::bringToFront(Element element) {
    const auto at = std::find(stacking_.begin(), stacking_.end(), element);
    if (at != stacking_.end()) {
        std::rotate(at, at + 1, stacking_.end());
    }
}

void PanelScene::sendToBack(Element element) {
    const auto at = std::find(stacking_.begin(), stacking_.end(), element);
    if (at != stacking_.end()) {
        std::rotate(stacking_.begin(), at, at + 1);
    }
}

const GlyphCell* PanelScene::cell(Element element) const {
    switch (element.kind) {
    case Kind::Grid:
        return &gridCell(element.number);
    case Kind::Big:
        return &big_;
    case Kind::Row:
        return &rowCell(element.number);
    default:
        return nullptr;
    }
}

} // namespace mirelta
