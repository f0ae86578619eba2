#pragma once
// Synthetic clips whose flashing is known, played through a monitor.

#include "safety/flash_monitor.h"
#include "safety/flash_report.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>

namespace mirelta::test {

inline QImage filled(QSize size, const QColor& colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// `inside` over the rectangle `area` of a frame otherwise `outside`.
inline QImage patch(QSize size, const QColor& outside, const QRect& area, const QColor& inside) {
    QImage image = filled(size, outside);
    QPainter(&image).fillRect(area, inside);
    return image;
}

// Which of two alternating pictures frame `frame` shows when they swap `hertz` times a second
// each way (a flash a cycle), starting with the first.
inline bool secondPicture(long frame, double hertz, double framesPerSecond) {
    return static_cast<long>(std::floor(double(frame) * 2 * hertz / framesPerSecond)) % 2 == 1;
}

struct PlayedClip {
    FlashSummary summary;
    std::vector<SecondFigures> seconds;
};

inline PlayedClip play(QSize screen, double seconds,
                       const std::function<const QImage&(long)>& frame,
                       FlashMonitorOptions options = {}) {
    FlashMonitor monitor(screen, options);
    FlashReport report(options.framesPerSecond);
    const auto frames = std::lround(seconds * options.framesPerSecond);
    for (long at = 0; at < frames; ++at) {
        report.add(monitor.add(frame(at)));
    }
    return {report.summary(), report.seconds()};
}

// Two pictures swapped `hertz` times a second each way for `seconds`.
inline PlayedClip alternate(const QImage& first, const QImage& second, double hertz, double seconds,
                            FlashMonitorOptions options = {}) {
    const double rate = options.framesPerSecond;
    return play(
        first.size(), seconds,
        [&](long at) -> const QImage& { return secondPicture(at, hertz, rate) ? second : first; },
        options);
}

} // namespace mirelta::test
