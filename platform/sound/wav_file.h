#pragma once
// Checking that a file is a sound the player can loop: a RIFF WAVE file of 16-bit PCM samples.

#include <QByteArray>
#include <QString>

namespace mirelta {

bool isPlayableWav(const QByteArray& bytes);
bool isPlayableWavFile(const QString& path);

} // namespace mirelta
