#include "platform/sound/qt_sound_player.h"

#include "platform/sound/wav_file.h"

#include <QSoundEffect>
#include <QUrl>

namespace mirelta {

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent), effect_(new QSoundEffect(this)) {
    effect_->setLoopCount(QSoundEffect::Infinite);
    effect_->setVolume(0.6f);
}

QtSoundPlayer::~QtSoundPlayer() = default;

bool QtSoundPlayer::open(const QString& path) {
    if (!isPlayableWavFile(path)) {
        close();
        return false;
    }
    QMetaObject::invokeMethod(this,
                              [this, path] { effect_->setSource(QUrl::fromLocalFile(path)); });
    open_ = true;
    stopped_ = true;
    return true;
}

void QtSoundPlayer::play() {
    // QSoundEffect starts a sound that plays already from its beginning again. The session asks
    // for a sound that may play (at "Старт" its preparation starts it before it is asked for
    // again): the loop must go on where it is.
    QMetaObject::invokeMethod(this, [this] {
        if (!effect_->isPlaying()) {
            effect_->play();
        }
    });
    stopped_ = false;
}

void QtSoundPlayer::stop() {
    QMetaObject::invokeMethod(this, [this] { effect_->stop(); });
    stopped_ = true;
}

void QtSoundPlayer::close() {
    QMetaObject::invokeMethod(this, [this] {
        effect_->stop();
        effect_->setSource(QUrl());
    });
    open_ = false;
    stopped_ = true;
}

} // namespace mirelta
