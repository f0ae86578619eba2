#include "safety/flash_monitor.h"

#include "safety/light.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace mirelta {

namespace {

// Frame counts compared with seconds, whatever rounding the rate carries.
constexpr double kSlack = 1e-9;

// A second is a period from one moment to the moment a second later, both ends in it: two
// transitions exactly a second apart are in the same second. So a steady 3 flashes a second puts
// 7 transitions in some second, and fails.
bool withinSecond(long age, double framesPerSecond) {
    return static_cast<double>(age) <= framesPerSecond + kSlack;
}

// Frames last a refresh each: the frames of a span are those that start within it.
bool withinSpan(long age, double frames) {
    return static_cast<double>(age) < frames - kSlack;
}

// Whether `value` makes a transition from the swing's extremes, and the swing afterwards. A rise is
// measured from the lowest point since the last transition, a fall from the highest; a swing that
// last rose can only fall next, and the other way round.
template <typename Swing, typename Counts>
bool swingTo(Swing& swing, float value, bool red, const Counts& counts) {
    if (value > swing.high) {
        swing.high = value;
        swing.highRed = red;
    }
    if (value < swing.low) {
        swing.low = value;
        swing.lowRed = red;
    }
    if (swing.direction >= 0 && counts(swing.high, value, swing.highRed, red)) {
        swing.direction = -1;
    } else if (swing.direction <= 0 && counts(swing.low, value, swing.lowRed, red)) {
        swing.direction = 1;
    } else {
        return false;
    }
    swing.low = swing.high = value;
    swing.lowRed = swing.highRed = red;
    return true;
}

} // namespace

FlashMonitor::FlashMonitor(QSize screen, FlashMonitorOptions options)
    : screen_(screen), options_(options) {
    // Cells of up to 64 x 64 pixels keep their sums of linear light within 32 bits.
    if (screen.isEmpty() || !(options.framesPerSecond > 0) || options.cellSize < 1 ||
        options.cellSize > 64) {
        throw std::invalid_argument("a flash monitor needs a screen, a rate and a cell size");
    }
    const int cell = options_.cellSize;
    field_ = QSize(std::max(1, static_cast<int>(screen.width() * options_.rules.fieldFraction)),
                   std::max(1, static_cast<int>(screen.height() * options_.rules.fieldFraction)));
    columns_ = (screen.width() + cell - 1) / cell;
    rows_ = (screen.height() + cell - 1) / cell;
    fieldColumns_ =
        std::clamp(static_cast<int>(std::lround(double(field_.width()) / cell)), 1, columns_);
    fieldRows_ =
        std::clamp(static_cast<int>(std::lround(double(field_.height()) / cell)), 1, rows_);
    const auto cells = static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_);
    cellPixels_.resize(cells);
    for (int row = 0; row < rows_; ++row) {
        const int high = std::min(cell, screen.height() - row * cell);
        for (int column = 0; column < columns_; ++column) {
            const int wide = std::min(cell, screen.width() - column * cell);
            cellPixels_[cellAt(row, column)] = high * wide;
        }
    }
    luminance_.resize(cells);
    redness_.resize(cells);
    saturatedRed_.resize(cells);
    general_.resize(cells);
    red_.resize(cells);
    keptPixels_ = QImage(screen, QImage::Format_ARGB32);
    rowChanged_.resize(static_cast<std::size_t>(rows_));
    keptLuminance_.resize(cells);
    keptRedness_.resize(cells);
    keptSaturatedRed_.resize(cells);
    moved_.resize(cells);
    movedRed_.resize(cells);
    areaSums_.resize(static_cast<std::size_t>(columns_ + 1) * static_cast<std::size_t>(rows_ + 1));
    rowSums_.resize(static_cast<std::size_t>(columns_) * 3);
}

void FlashMonitor::measureCells(const QImage& frame) {
    const QImage* source = &frame;
    if (frame.format() != QImage::Format_RGB32 && frame.format() != QImage::Format_ARGB32 &&
        frame.format() != QImage::Format_ARGB32_Premultiplied) {
        converted_ = frame.convertToFormat(QImage::Format_RGB32);
        source = &converted_;
    }
    lookedFrame_ = *source;
    const std::array<std::uint16_t, 256>& linear = linearStepsFromSrgb();
    const int cell = options_.cellSize;
    const int width = screen_.width();
    const auto lineBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
    for (int row = 0; row < rows_; ++row) {
        const int lastLine = std::min(screen_.height(), (row + 1) * cell);
        // A row of cells whose pixels are those of the frame kept last has the light it had.
        bool same = seen_;
        for (int line = row * cell; same && line < lastLine; ++line) {
            same = std::memcmp(source->constScanLine(line), keptPixels_.constScanLine(line),
                               lineBytes) == 0;
        }
        rowChanged_[static_cast<std::size_t>(row)] = same ? 0 : 1;
        if (same) {
            const auto from = static_cast<std::ptrdiff_t>(row) * columns_;
            const auto to = from + columns_;
            std::copy(keptLuminance_.begin() + from, keptLuminance_.begin() + to,
                      luminance_.begin() + from);
            std::copy(keptRedness_.begin() + from, keptRedness_.begin() + to,
                      redness_.begin() + from);
            std::copy(keptSaturatedRed_.begin() + from, keptSaturatedRed_.begin() + to,
                      saturatedRed_.begin() + from);
            continue;
        }
        std::fill(rowSums_.begin(), rowSums_.end(), 0U);
        for (int line = row * cell; line < lastLine; ++line) {
            const auto* pixels = reinterpret_cast<const QRgb*>(source->constScanLine(line));
            std::uint32_t* sums = rowSums_.data();
            for (int x = 0; x < width; x += cell, sums += 3) {
                const int end = std::min(width, x + cell);
                std::uint32_t red = 0;
                std::uint32_t green = 0;
                std::uint32_t blue = 0;
                for (int at = x; at < end; ++at) {
                    const QRgb pixel = pixels[at];
                    red += linear[(pixel >> 16) & 0xFFu];
                    green += linear[(pixel >> 8) & 0xFFu];
                    blue += linear[pixel & 0xFFu];
                }
                sums[0] += red;
                sums[1] += green;
                sums[2] += blue;
            }
        }
        for (int column = 0; column < columns_; ++column) {
            const auto index = cellAt(row, column);
            const double share = 1.0 / (kLinearSteps * cellPixels_[index]);
            const std::uint32_t* sums = rowSums_.data() + std::ptrdiff_t{3} * column;
            const LinearColour colour{static_cast<float>(sums[0] * share),
                                      static_cast<float>(sums[1] * share),
                                      static_cast<float>(sums[2] * share)};
            luminance_[index] = static_cast<float>(relativeLuminance(colour));
            redness_[index] = static_cast<float>(redness(colour));
            saturatedRed_[index] = isSaturatedRed(colour) ? 1 : 0;
        }
    }
}

double FlashMonitor::transitionArea(const std::vector<std::uint8_t>& moved) {
    if (std::find(moved.begin(), moved.end(), 1) == moved.end()) {
        return 0;
    }
    // Pixels in transition summed over every rectangle from the top left corner, so that any
    // field's sum takes four look-ups.
    const std::size_t stride = static_cast<std::size_t>(columns_) + 1;
    std::fill(areaSums_.begin(), areaSums_.begin() + static_cast<std::ptrdiff_t>(stride), 0);
    for (int row = 0; row < rows_; ++row) {
        std::int64_t line = 0;
        const std::size_t above = static_cast<std::size_t>(row) * stride;
        const std::size_t here = above + stride;
        areaSums_[here] = 0;
        for (int column = 0; column < columns_; ++column) {
            const auto index = cellAt(row, column);
            line += moved[index] ? cellPixels_[index] : 0;
            const std::size_t at = static_cast<std::size_t>(column) + 1;
            areaSums_[here + at] = areaSums_[above + at] + line;
        }
    }
    std::int64_t most = 0;
    for (int top = 0; top + fieldRows_ <= rows_; ++top) {
        const std::size_t upper = static_cast<std::size_t>(top) * stride;
        const std::size_t lower = static_cast<std::size_t>(top + fieldRows_) * stride;
        for (int left = 0; left + fieldColumns_ <= columns_; ++left) {
            const auto l = static_cast<std::size_t>(left);
            const std::size_t r = l + static_cast<std::size_t>(fieldColumns_);
            most = std::max(most, areaSums_[lower + r] - areaSums_[lower + l] -
                                      areaSums_[upper + r] + areaSums_[upper + l]);
        }
    }
    return static_cast<double>(most) / (double(field_.width()) * field_.height());
}

const FrameVerdict& FlashMonitor::look(const QImage& frame) {
    if (frame.size() != screen_) {
        throw std::invalid_argument("a frame is not of the screen's size");
    }
    measureCells(frame);
    const FlashRules& rules = options_.rules;
    const auto generalCounts = [&](float from, float to, bool, bool) {
        return std::abs(double(to) - from) >= rules.luminanceStep - kSlack &&
               std::min(from, to) < rules.darkerBelow;
    };
    const auto redCounts = [&](float from, float to, bool fromRed, bool toRed) {
        return std::abs(double(to) - from) > rules.rednessStep && (fromRed || toRed);
    };
    std::fill(moved_.begin(), moved_.end(), 0);
    std::fill(movedRed_.begin(), movedRed_.end(), 0);
    changes_.clear();
    const std::size_t cells = luminance_.size();
    for (std::size_t i = 0; i < cells; ++i) {
        const bool red = saturatedRed_[i] != 0;
        if (!seen_) {
            // The first frame is where every cell's swing starts.
            changes_.push_back({i,
                                {luminance_[i], luminance_[i], 0, red, red},
                                {redness_[i], redness_[i], 0, red, red}});
            continue;
        }
        // Most of a screen stays as it was from one refresh to the next, and a cell whose light
        // is the same cannot move.
        if (luminance_[i] == keptLuminance_[i] && redness_[i] == keptRedness_[i] &&
            saturatedRed_[i] == keptSaturatedRed_[i]) {
            continue;
        }
        CellChange change{i, general_[i], red_[i]};
        moved_[i] = swingTo(change.general, luminance_[i], red, generalCounts) ? 1 : 0;
        movedRed_[i] = swingTo(change.red, redness_[i], red, redCounts) ? 1 : 0;
        changes_.push_back(change);
    }
    const double area = transitionArea(moved_);
    const double redArea = transitionArea(movedRed_);
    looked_ = judge(frames_, area > rules.fieldShare, redArea > rules.fieldShare);
    looked_.flashingArea = area;
    looked_.redArea = redArea;
    looking_ = true;
    return looked_;
}

FrameVerdict FlashMonitor::judge(long frame, bool transition, bool redTransition) const {
    const double second = options_.framesPerSecond;
    const auto inLastSecond = [&](const std::deque<long>& events, bool now) {
        const auto recent = std::count_if(events.begin(), events.end(), [&](long at) {
            return withinSecond(frame - at, second);
        });
        return static_cast<int>(recent) + (now ? 1 : 0);
    };
    const FlashRules& rules = options_.rules;
    FrameVerdict verdict;
    verdict.frame = frame;
    verdict.transition = transition;
    verdict.redTransition = redTransition;
    verdict.transitionsInLastSecond = inLastSecond(transitions_, transition);
    verdict.redTransitionsInLastSecond = inLastSecond(redTransitions_, redTransition);
    const int most = std::max(verdict.transitionsInLastSecond, verdict.redTransitionsInLastSecond);
    verdict.tooMany = most > rules.transitionsAllowed;
    verdict.warning = most >= rules.warningTransitions;
    const double span = rules.extendedSpan * second;
    const auto warned = std::count_if(warnings_.begin(), warnings_.end(),
                                      [&](long at) { return withinSpan(frame - at, span); }) +
                        (verdict.warning ? 1 : 0);
    verdict.extendedFailure = static_cast<double>(warned) > rules.extendedSeconds * second + kSlack;
    return verdict;
}

void FlashMonitor::keep() {
    if (!looking_) {
        return;
    }
    looking_ = false;
    seen_ = true;
    for (const CellChange& change : changes_) {
        general_[change.cell] = change.general;
        red_[change.cell] = change.red;
    }
    changes_.clear();
    // The pixels of the rows that changed, for the next frame to be compared with.
    const int cell = options_.cellSize;
    const auto lineBytes = static_cast<std::size_t>(screen_.width()) * sizeof(QRgb);
    for (int row = 0; row < rows_; ++row) {
        if (rowChanged_[static_cast<std::size_t>(row)] == 0) {
            continue;
        }
        const int lastLine = std::min(screen_.height(), (row + 1) * cell);
        for (int line = row * cell; line < lastLine; ++line) {
            std::memcpy(keptPixels_.scanLine(line), lookedFrame_.constScanLine(line), lineBytes);
        }
    }
    lookedFrame_ = QImage();
    keptLuminance_.swap(luminance_);
    keptRedness_.swap(redness_);
    keptSaturatedRed_.swap(saturatedRed_);
    if (looked_.transition) {
        transitions_.push_back(frames_);
    }
    if (looked_.redTransition) {
        redTransitions_.push_back(frames_);
    }
    if (looked_.warning) {
        warnings_.push_back(frames_);
    }
    ++frames_;
    forgetBefore(frames_);
}

FrameVerdict FlashMonitor::hold() {
    looking_ = false;
    lookedFrame_ = QImage();
    const FrameVerdict verdict = judge(frames_, false, false);
    if (verdict.warning) {
        warnings_.push_back(frames_);
    }
    ++frames_;
    forgetBefore(frames_);
    return verdict;
}

void FlashMonitor::forgetBefore(long frame) {
    const double second = options_.framesPerSecond;
    const double span = options_.rules.extendedSpan * second;
    const auto forget = [&](std::deque<long>& events, const auto& keeps) {
        while (!events.empty() && !keeps(frame - events.front())) {
            events.pop_front();
        }
    };
    forget(transitions_, [&](long age) { return withinSecond(age, second); });
    forget(redTransitions_, [&](long age) { return withinSecond(age, second); });
    forget(warnings_, [&](long age) { return withinSpan(age, span); });
}

} // namespace mirelta
