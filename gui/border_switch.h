#pragma once
// The window's border switch: 700 ms after the window first shows, its border is taken away and
// it covers the whole screen. Changing the border makes the window anew, and showing it again
// runs its show handler; the switch happens once, never under a running session, and never in
// the middle of a show handler whose message box is open (it waits for the handler to end).

#include <QObject>
#include <functional>

class QTimer;
class QWidget;

namespace mirelta {

class BorderSwitch : public QObject {
    Q_OBJECT
public:
    BorderSwitch(QWidget& window, std::function<bool()> sessionRunning);

    // Shows the window the way the program starts: maximised with a border, covering the screen
    // even where nothing honours "maximised".
    void showAtStart();
    // The show handler starts: the timer runs until the switch has been done.
    void showHandlerStarted();
    // The show handler ended: a switch that fell due meanwhile runs next.
    void showHandlerEnded();
    // Takes the border away now, if it is still there and nothing stands in the way.
    void switchNow();
    // The window closes: the switch is not done any more.
    void stop();
    bool isSwitching() const { return switching_; }

Q_SIGNALS:
    // Around the window being made anew.
    void switching(bool underWay);

private:
    QWidget& window_;
    std::function<bool()> sessionRunning_;
    QTimer* timer_;
    bool showHandlerRunning_ = false; // one of its message boxes may be open
    bool switching_ = false;
    bool done_ = false; // the border is gone: the switch never runs again
    bool due_ = false;  // the border's time came while the show handler ran
};

} // namespace mirelta
