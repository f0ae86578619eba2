#include "tools/flash_check/program_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace mirelta {

QByteArray withSettings(QByteArray ini, const std::map<QByteArray, QByteArray>& settings) {
    static const QByteArray section = "[TMirelta]";
    if (!ini.contains(section)) {
        if (!ini.isEmpty() && !ini.endsWith('\n')) {
            ini.append("\r\n");
        }
        ini.append(section + "\r\n");
    }
    qsizetype bodyStart = ini.indexOf('\n', ini.indexOf(section));
    if (bodyStart < 0) {
        ini.append("\r\n");
        bodyStart = ini.size();
    } else {
        ++bodyStart;
    }
    for (const auto& [key, value] : settings) {
        const QByteArray line = key + '=' + value;
        // The key's line within the section: from a line start up to the next section.
        qsizetype end = ini.indexOf("\n[", bodyStart);
        end = end < 0 ? ini.size() : end;
        qsizetype at = bodyStart;
        bool replaced = false;
        while (at < end) {
            qsizetype lineEnd = ini.indexOf('\n', at);
            lineEnd = lineEnd < 0 ? ini.size() : lineEnd;
            QByteArray current = ini.mid(at, lineEnd - at);
            if (current.endsWith('\r')) {
                current.chop(1);
            }
            if (current.startsWith(QByteArray(key + '='))) {
                ini.replace(at, current.size(), line);
                replaced = true;
                break;
            }
            at = lineEnd + 1;
        }
        if (!replaced) {
            ini.insert(bodyStart, line + "\r\n");
        }
    }
    return ini;
}

ProgramCopy::ProgramCopy(const QString& original,
                         const std::map<QByteArray, QByteArray>& settings) {
    if (!folder_.isValid()) {
        error_ = QStringLiteral("cannot make a temporary folder: ") + folder_.errorString();
        return;
    }
    const QDir from(original);
    QByteArray ini;
    QFile file(from.filePath(QStringLiteral("polufabu.ini")));
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            error_ = QStringLiteral("cannot read ") + file.fileName();
            return;
        }
        ini = file.readAll();
    }
    QFile copy(QDir(folder_.path()).filePath(QStringLiteral("polufabu.ini")));
    if (!copy.open(QIODevice::WriteOnly) || copy.write(withSettings(ini, settings)) < 0) {
        error_ = QStringLiteral("cannot write ") + copy.fileName();
        return;
    }
    for (const QString& name : {QStringLiteral("Text"), QStringLiteral("Image"),
                                QStringLiteral("Sound"), QStringLiteral("Iniaz")}) {
        const QFileInfo folder(from.filePath(name));
        if (folder.isDir()) {
            QFile::link(folder.absoluteFilePath(), QDir(folder_.path()).filePath(name));
        } else {
            QDir(folder_.path()).mkpath(name);
        }
    }
}

std::optional<QString> ProgramCopy::path() const {
    if (!error_.isEmpty()) {
        return std::nullopt;
    }
    return folder_.path();
}

} // namespace mirelta
