#pragma once
// The scenario sound through Qt Multimedia, looping without a gap. The session calls it from its
// own thread; the sound itself lives on the thread of the window, so every call is handed over
// there and the state the session asks for is kept here. No audio device, or a file that cannot
// be played, means silence, never an error box.

#include "platform/sound/sound_player.h"

#include <QObject>
#include <atomic>

class QSoundEffect;

namespace mirelta {

class QtSoundPlayer : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject* parent = nullptr);
    ~QtSoundPlayer() override;

    bool open(const QString& path) override;
    void play() override;
    void stop() override;
    void close() override;
    bool isOpen() const override { return open_; }
    bool stopped() const override { return stopped_; }

private:
    QSoundEffect* effect_;
    std::atomic<bool> open_ = false;
    std::atomic<bool> stopped_ = true;
};

} // namespace mirelta
