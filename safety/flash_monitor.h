#pragma once
// Watches frames as they reach the screen, one refresh after the other, and says for each whether
// it makes a flash too many. A frame can be looked at before it is shown (`look`) and then either
// kept (`keep`) or held back, the last kept frame staying on the screen (`hold`): so the same
// monitor judges a recording after the fact and holds a session back as it plays.
//
// The frame is measured on a grid of square cells (4 x 4 pixels unless told otherwise): the light
// of a cell is the mean of its pixels' linear light, and each cell follows its luminance and
// redness through time. A cell makes a transition when its own light rises or falls by the rules'
// step from its last extreme, the opposite way from its last transition. The area of a frame's
// transition is the largest part of a 10-degree field, slid over the screen a cell at a time,
// that the cells making a transition in that frame cover. What the cells give up: a pattern finer
// than a cell that changes in opposite directions within the cell is seen as its mean (as the eye
// sees it from a normal distance), and an edge that cuts a cell counts the whole cell once its
// mean moved by a step. Cells of 1 pixel measure every pixel alone.
//
// "Any one second" is a period from one refresh to the refresh a second later with both ends in
// it, so a steady 3 flashes a second puts 7 transitions in some second and fails, as it should.

#include "safety/flash_rules.h"

#include <QImage>
#include <QSize>
#include <cstdint>
#include <deque>
#include <vector>

namespace mirelta {

struct FrameVerdict {
    long frame = 0;             // from 0, one a refresh
    bool transition = false;    // more than the field share made a general transition
    bool redTransition = false; // the same for red transitions
    double flashingArea = 0;    // the largest share of a field in a general transition, 0 ... 1
    double redArea = 0;         // the same for red transitions
    int transitionsInLastSecond = 0;    // counting this frame's
    int redTransitionsInLastSecond = 0; // counting this frame's
    bool tooMany = false;               // more transitions in the last second than allowed
    bool warning = false;               // enough transitions in the last second for a warning
    bool extendedFailure = false;       // warnings over too much of the last span

    bool fails() const { return tooMany || extendedFailure; }
};

struct FlashMonitorOptions {
    double framesPerSecond = 60;
    int cellSize = 4; // pixels a side, up to 64; 1 measures every pixel
    FlashRules rules;
};

class FlashMonitor {
public:
    // Every frame must be of `screen`'s size. Throws std::invalid_argument for an empty screen, a
    // rate that is not above 0 or a cell size outside 1 ... 64.
    explicit FlashMonitor(QSize screen, FlashMonitorOptions options = {});

    // Measures `frame` as the next refresh, against the frames kept so far, and keeps nothing.
    // The frame must stay as it is until it is kept or another is looked at. Throws
    // std::invalid_argument when the frame is not of the screen's size.
    const FrameVerdict& look(const QImage& frame);
    // Keeps the frame looked at last as shown on the next refresh.
    void keep();
    // Looks at the frame and keeps it.
    FrameVerdict add(const QImage& frame) {
        look(frame);
        keep();
        return looked_;
    }
    // The last kept frame stays on the screen for one more refresh (no frame is measured).
    FrameVerdict hold();

    long framesKept() const { return frames_; }
    double framesPerSecond() const { return options_.framesPerSecond; }
    QSize screen() const { return screen_; }
    // The 10-degree field in pixels.
    QSize field() const { return field_; }

private:
    // How one quantity of one cell has moved since its last transition.
    struct Swing {
        float low = 0;
        float high = 0;
        std::int8_t direction = 0; // +1: the last transition rose, -1: fell, 0: none yet
        bool lowRed = false;       // the state at `low` was a saturated red
        bool highRed = false;
    };

    std::size_t cellAt(int row, int column) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column);
    }
    void measureCells(const QImage& frame);
    double transitionArea(const std::vector<std::uint8_t>& moved);
    FrameVerdict judge(long frame, bool transition, bool redTransition) const;
    void forgetBefore(long frame);

    QSize screen_;
    FlashMonitorOptions options_;
    QSize field_;
    int columns_ = 0;
    int rows_ = 0;
    int fieldColumns_ = 0;
    int fieldRows_ = 0;
    std::vector<int> cellPixels_;
    // A cell whose light differs in the frame looked at, and its swings after that frame.
    struct CellChange {
        std::size_t cell;
        Swing general;
        Swing red;
    };

    // The light of the frame looked at, and of the frame kept last, cell by cell.
    std::vector<float> luminance_;
    std::vector<float> redness_;
    std::vector<std::uint8_t> saturatedRed_;
    std::vector<float> keptLuminance_;
    std::vector<float> keptRedness_;
    std::vector<std::uint8_t> keptSaturatedRed_;
    // The cells' swings as kept, and what the frame looked at would change.
    std::vector<Swing> general_;
    std::vector<Swing> red_;
    std::vector<CellChange> changes_;
    std::vector<std::uint8_t> moved_;
    std::vector<std::uint8_t> movedRed_;
    std::vector<std::int64_t> areaSums_;
    std::vector<std::uint32_t> rowSums_;
    QImage converted_;
    // The frame looked at, until it is kept; the pixels of the frame kept last (a copy of our
    // own, since a caller may draw its next frame over the one it handed in).
    QImage lookedFrame_;
    QImage keptPixels_;
    std::vector<std::uint8_t> rowChanged_;

    long frames_ = 0;
    bool seen_ = false; // a frame was kept: the cells' swings start from it
    bool looking_ = false;
    FrameVerdict looked_;
    std::deque<long> transitions_;
    std::deque<long> redTransitions_;
    std::deque<long> warnings_;
};

} // namespace mirelta
