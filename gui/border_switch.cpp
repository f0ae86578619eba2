#include "gui/border_switch.h"

#include "platform/desktop/window_placement.h"

#include <QTimer>
#include <QWidget>

namespace mirelta {

BorderSwitch::BorderSwitch(QWidget& window, std::function<bool()> sessionRunning)
    : QObject(&window), window_(window), sessionRunning_(std::move(sessionRunning)),
      timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("Tborder"));
    timer_->setInterval(700);
    connect(timer_, &QTimer::timeout, this, &BorderSwitch::switchNow);
}

void BorderSwitch::showAtStart() {
    showMaximizedOnItsScreen(window_);
}

void BorderSwitch::showHandlerStarted() {
    showHandlerRunning_ = true;
    if (!done_) {
        timer_->start();
    }
}

void BorderSwitch::showHandlerEnded() {
    showHandlerRunning_ = false;
    if (due_) {
        due_ = false;
        QTimer::singleShot(0, this, &BorderSwitch::switchNow);
    }
}

void BorderSwitch::stop() {
    timer_->stop();
    due_ = false;
}

void BorderSwitch::switchNow() {
    timer_->stop();
    // The switch rewrites what a session reads (the state, the letters table, the sound, the
    // photo): a session that started first keeps its border.
    if (done_ || sessionRunning_()) {
        return;
    }
    // A message box of the show handler is still open and its handler half done: running the
    // handler again inside it would repeat its messages. The switch waits for the box to close.
    if (showHandlerRunning_) {
        due_ = true;
        return;
    }
    done_ = true;
    switching_ = true;
    Q_EMIT switching(true);
    window_.setWindowFlag(Qt::FramelessWindowHint, true);
    showFullScreenOnItsScreen(window_);
    switching_ = false;
    Q_EMIT switching(false);
}

} // namespace mirelta
