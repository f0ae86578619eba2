#pragma once
// Every path of the program is built from its folders: the one it writes to (settings, personal
// suggestions, the pictures and sounds they name) and the one of what it ships (the local pages,
// the documents). A program folder of the user's is both; an installed program's are two
// (platform/files/user_folders.h).

#include <QDir>
#include <QString>

namespace mirelta {

class ProgramFolder {
public:
    explicit ProgramFolder(QString folder) : folder_(folder), shipped_(std::move(folder)) {}
    ProgramFolder(QString user, QString shipped)
        : folder_(std::move(user)), shipped_(std::move(shipped)) {}

    // The folder the program writes to.
    const QString& path() const { return folder_; }
    const QString& shippedPath() const { return shipped_; }
    QString text() const { return own(QStringLiteral("Text")); }
    QString image() const { return own(QStringLiteral("Image")); }
    QString sound() const { return own(QStringLiteral("Sound")); }
    QString settingsFile() const { return own(QStringLiteral("polufabu.ini")); }
    // A file the program ships: a local page, a document.
    QString file(const QString& relative) const { return QDir(shipped_).filePath(relative); }

    // The file of personal suggestion `title`, or empty when the title cannot name a file in
    // the Text folder (a separator, a name that climbs out of the folder, a NUL).
    QString personalText(const QString& title) const;

private:
    QString own(const QString& relative) const { return QDir(folder_).filePath(relative); }

    QString folder_;
    QString shipped_;
};

} // namespace mirelta
