#pragma once
// The hand-over of a session's pictures from the session's thread to the window's: the newest
// panel frame (an older one not yet shown is simply replaced) and every ring drawn since the
// window last took them (rings are never dropped: they stay on the window's surface).

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <mutex>
#include <vector>

namespace mirelta {

struct Ring {
    QRect corners;
    std::uint32_t colour;

    // The pixels the outline covers: left ... right - 1 and top ... bottom - 1, as a frame
    // rectangle does.
    QRect outline() const {
        return QRect(corners.left(), corners.top(), corners.width() - 1, corners.height() - 1);
    }

    // The four one-pixel sides, which is all of the window that drawing the ring changes.
    QRegion sides() const {
        const QRect r = outline();
        QRegion region(r.left(), r.top(), r.width(), 1);
        region += QRect(r.left(), r.bottom(), r.width(), 1);
        region += QRect(r.left(), r.top(), 1, r.height());
        region += QRect(r.right(), r.top(), 1, r.height());
        return region;
    }

    void draw(QPainter& painter, const QColor& pen) const {
        const QRect r = outline();
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.x(), r.y(), r.width() - 1, r.height() - 1);
    }
};

class FrameExchange {
public:
    void publish(const QImage& frame, std::vector<Ring>& rings) {
        std::lock_guard lock(mutex_);
        frame_ = frame;
        rings_.insert(rings_.end(), rings.begin(), rings.end());
        rings.clear();
    }

    QImage frame() const {
        std::lock_guard lock(mutex_);
        return frame_;
    }

    std::vector<Ring> takeRings() {
        std::lock_guard lock(mutex_);
        std::vector<Ring> rings;
        rings.swap(rings_);
        return rings;
    }

    void clear() {
        std::lock_guard lock(mutex_);
        frame_ = QImage();
        rings_.clear();
    }

private:
    mutable std::mutex mutex_;
    QImage frame_;
    std::vector<Ring> rings_;
};

} // namespace mirelta
