#include "platform/sound/silent_sound_player.h"

#include "platform/sound/wav_file.h"

namespace mirelta {

bool SilentSoundPlayer::open(const QString& path) {
    open_ = isPlayableWavFile(path);
    stopped_ = true;
    return open_;
}

} // namespace mirelta
