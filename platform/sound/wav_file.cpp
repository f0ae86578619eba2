#include "platform/sound/wav_file.h"

#include <QFile>

namespace mirelta {
namespace {

quint32 read32(const QByteArray& bytes, qsizetype at) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

quint16 read16(const QByteArray& bytes, qsizetype at) {
    return static_cast<quint16>(static_cast<unsigned char>(bytes[at]) |
                                (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

} // namespace

bool isPlayableWav(const QByteArray& bytes) {
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        return false;
    }
    bool pcm16 = false;
    bool hasData = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = read32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > bytes.size()) {
                return false;
            }
            const quint16 format = read16(bytes, body);
            const quint16 channels = read16(bytes, body + 2);
            const quint32 rate = read32(bytes, body + 4);
            const quint16 bits = read16(bytes, body + 14);
            pcm16 = format == 1 && bits == 16 && channels >= 1 && channels <= 2 && rate > 0;
        } else if (id == "data") {
            hasData = size > 0;
            break;
        }
        // Chunks are padded to an even size.
        at = body + static_cast<qsizetype>(size) + (size % 2);
    }
    return pcm16 && hasData;
}

bool isPlayableWavFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    // The format and the start of the data lie in the first kilobytes of any sound we play.
    return isPlayableWav(file.read(qint64{64} * 1024));
}

} // namespace mirelta
