#pragma once
// A program folder of the checker's own, so that a session can be played with settings given on
// the command line without touching the user's: a temporary folder with the settings file of the
// folder it copies (or none) changed where asked, and the suggestions, pictures and sounds of that
// folder linked in.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <optional>

namespace mirelta {

class ProgramCopy {
public:
    // `settings`: key (as the settings file writes it, "Rpol_ItemIndex") to value.
    ProgramCopy(const QString& original, const std::map<QByteArray, QByteArray>& settings);

    // The folder, or nothing with `error` saying why it could not be made.
    std::optional<QString> path() const;
    const QString& error() const { return error_; }

private:
    QTemporaryDir folder_;
    QString error_;
};

// `ini` with each of `settings` set in its [TMirelta] section, every other byte kept.
QByteArray withSettings(QByteArray ini, const std::map<QByteArray, QByteArray>& settings);

} // namespace mirelta
