#pragma once
// Every path of the program is built from the folder it runs from.

#include <QDir>
#include <QString>

namespace mirelta {

class ProgramFolder {
public:
    explicit ProgramFolder(QString folder) : folder_(std::move(folder)) {}

    const QString& path() const { return folder_; }
    QString text() const { return file(QStringLiteral("Text")); }
    QString image() const { return file(QStringLiteral("Image")); }
    QString sound() const { return file(QStringLiteral("Sound")); }
    QString settingsFile() const { return file(QStringLiteral("polufabu.ini")); }
    QString file(const QString& relative) const { return QDir(folder_).filePath(relative); }

    // The file of personal suggestion `title`, or empty when the title cannot name a file in
    // the Text folder (a separator, a name that climbs out of the folder, a NUL).
    QString personalText(const QString& title) const;

private:
    QString folder_;
};

} // namespace mirelta
