#include "platform/files/program_folder.h"

namespace mirelta {

QString ProgramFolder::personalText(const QString& title) const {
    const QString name = title + QStringLiteral(".txt");
    if (title.isEmpty() || title.contains(QLatin1Char('/')) || title.contains(QLatin1Char('\\')) ||
        title.contains(QChar(0)) || title == QStringLiteral("..") || title == QStringLiteral(".")) {
        return QString();
    }
    return QDir(text()).filePath(name);
}

} // namespace mirelta
