#pragma once
// The session of the real program: the engine runs on a thread of its own, every state it
// presents reaches the window at the pace of the screen's refresh, and the window stays
// responsive, so that a key or a double click ends the session within a refresh.

#include "frame_exchange.h"
#include "session_driver.h"

#include <QObject>
#include <QPointer>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class QWidget;

namespace mirelta {

class PanelScene;

class PacedSessionDriver final : public SessionDriver {
public:
    // `panel` and `window` are repainted when a frame or rings arrive.
    PacedSessionDriver(const PanelScene& scene, FrameExchange& exchange, QWidget* panel,
                       QWidget* window);
    ~PacedSessionDriver() override;

    void start(SessionEngine& engine, const SessionSettings& settings, QSize window,
               std::function<void(const SessionOutcome&)> ended) override;
    bool isRunning() const override { return thread_.joinable(); }
    void cancel() override;

    // Frames presented, the longest time one came later than planned, and the refresh interval,
    // for the figures.
    long framesPresented() const { return framesPresented_; }
    double longestLatenessMs() const { return longestLatenessMs_; }
    double refreshMs() const { return refreshMs_; }

private:
    class Pacer;

    void finish();

    const PanelScene& scene_;
    FrameExchange& exchange_;
    QPointer<QWidget> panel_;
    QPointer<QWidget> window_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool cancelled_ = false;
    std::atomic<long> framesPresented_ = 0;
    std::atomic<double> longestLatenessMs_ = 0;
    std::atomic<double> refreshMs_ = 0;
};

} // namespace mirelta
