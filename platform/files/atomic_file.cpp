#include "platform/files/atomic_file.h"

#include <QSaveFile>

namespace mirelta {

// Unbuffered, so that a write the disk refuses (full, over a size limit) fails here: a buffered
// QSaveFile can report such a failure only at commit, and in the Qt of Debian 12 it then still
// puts the empty new file in place of the old one.
bool writeFileAtomically(const QString& path, std::string_view bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace mirelta
