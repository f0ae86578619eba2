#include "platform/files/user_folders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace mirelta {

namespace {

const QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// Makes `path` and the folders above it that are missing, each readable by its owner alone, as
// the XDG rule asks of the folders it names.
bool makeOwnFolder(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    if (QFileInfo(clean).isDir()) {
        return true;
    }
    const QString parent = QFileInfo(clean).path();
    if (parent == clean || !makeOwnFolder(parent)) {
        return false;
    }
    return QDir().mkdir(clean, kOwnerOnly) || QFileInfo(clean).isDir();
}

bool copyTree(const QString& from, const QString& to) {
    if (!QDir().mkpath(to)) {
        return false;
    }
    QDirIterator entries(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
    const QDir source(from);
    const QDir target(to);
    while (entries.hasNext()) {
        const QString path = entries.next();
        const QString copy = target.filePath(source.relativeFilePath(path));
        const bool copied =
            entries.fileInfo().isDir() ? QDir().mkpath(copy) : QFile::copy(path, copy);
        if (!copied) {
            return false;
        }
    }
    return true;
}

// Copies the shipped folder `name` into the user's folder unless the user has one already. The
// copy is made under another name and renamed when whole, so that a start cut short (the machine
// off, the disk full) leaves no half folder that the next start would take for the user's.
bool seed(const QString& shipped, const QString& user, const QString& name) {
    QDir userFolder(user);
    if (userFolder.exists(name)) {
        return true;
    }
    const QString from = QDir(shipped).filePath(name);
    if (!QFileInfo(from).isDir()) {
        return userFolder.mkpath(name);
    }
    const QString partial = userFolder.filePath(name + QStringLiteral(".copying"));
    QDir(partial).removeRecursively();
    if (copyTree(from, partial) && userFolder.rename(name + QStringLiteral(".copying"), name)) {
        return true;
    }
    QDir(partial).removeRecursively();
    return false;
}

} // namespace

FolderLayout chooseFolders(const QString& executableFolder, bool executableFolderWritable,
                           const QString& dataHome) {
    const QString shipped = QDir::cleanPath(executableFolder + QStringLiteral("/../share/mirelta"));
    if (QFileInfo(shipped).isDir()) {
        return {QDir(dataHome).filePath(QStringLiteral("Мирельта")), shipped, true};
    }
    if (!executableFolderWritable) {
        return {QDir(dataHome).filePath(QStringLiteral("Мирельта")), executableFolder, true};
    }
    return {executableFolder, executableFolder, false};
}

QString userDataHome() {
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(configured)) {
        return QDir::cleanPath(configured);
    }
    return QDir(QDir::homePath()).filePath(QStringLiteral(".local/share"));
}

PreparedFolders prepareFolders(const FolderLayout& layout) {
    if (!layout.installed) {
        return {ProgramFolder(layout.user), {}};
    }
    if (!makeOwnFolder(layout.user) || !QDir(layout.user).mkpath(QStringLiteral("Text"))) {
        return {ProgramFolder(layout.shipped),
                QStringLiteral("Не удаётся создать папку %1 для настроек и своих настроев: "
                               "программа покажет всё, что в ней есть, но ничего не сохранит")
                    .arg(QDir::toNativeSeparators(layout.user))};
    }
    const ProgramFolder folder(layout.user, layout.shipped);
    for (const QString& name : {QStringLiteral("Image"), QStringLiteral("Sound")}) {
        if (!seed(layout.shipped, layout.user, name)) {
            return {folder, QStringLiteral("Не удаётся скопировать папку %1 программы в папку %2")
                                .arg(name, QDir::toNativeSeparators(layout.user))};
        }
    }
    return {folder, {}};
}

PreparedFolders prepareProgramFolders(const QString& executableFolder) {
    return prepareFolders(
        chooseFolders(executableFolder, QFileInfo(executableFolder).isWritable(), userDataHome()));
}

} // namespace mirelta
