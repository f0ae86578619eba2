#include "atomic_file.h"

#include <QSaveFile>

namespace mirelta {

bool writeFileAtomically(const QString& path, std::string_view bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size()) &&
           file.commit();
}

} // namespace mirelta
