#pragma once
// A sound player without a sound device, for sessions played where nobody listens (the trace
// runner, the flash checker, tests): a file counts as open when it is a playable sound; an opened
// sound counts as stopped until played, and once played it never stops.

#include "platform/sound/sound_player.h"

namespace mirelta {

class SilentSoundPlayer : public SoundPlayer {
public:
    bool open(const QString& path) override;
    void play() override { stopped_ = false; }
    void stop() override {}
    void close() override {
        open_ = false;
        stopped_ = true;
    }
    bool isOpen() const override { return open_; }
    bool stopped() const override { return stopped_; }

private:
    bool open_ = false;
    bool stopped_ = true;
};

} // namespace mirelta
