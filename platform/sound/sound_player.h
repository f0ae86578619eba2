#pragma once
// The scenario sound, as the session uses it: one file open at a time, played in a loop.

#include <QString>

namespace mirelta {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // False when the file does not exist or is not a sound the player can play; the player is
    // then closed.
    virtual bool open(const QString& path) = 0;
    // Starts the sound; one that plays already goes on where it is.
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // A freshly opened sound counts as stopped.
    virtual bool stopped() const = 0;
};

} // namespace mirelta
