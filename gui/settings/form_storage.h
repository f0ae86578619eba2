#pragma once
// The settings store of the main window: the stored settings, declared once with their keys, are
// restored from polufabu.ini before each showing of the window and saved when it closes.
// Restoring goes through each control's own setter, so its reaction runs as a user's change
// would. A save writes a new file beside the old one and puts it in place in one step, with every
// byte of the old file that is not one of these settings as it was. A file too large to be the
// program's, or one that cannot be read whole, is neither restored from nor written: the user is
// told once.

#include <QString>
#include <functional>
#include <vector>

namespace mirelta {

class Dialogs;
class ProfileFile;

class FormStorage {
public:
    enum class Kind { Text, Index, Checked };

    struct Setting {
        QString key; // component name, underscore, property name
        Kind kind;
        std::function<QString()> read;             // the control's value as text
        std::function<void(const QString&)> apply; // through the control's setter
    };

    FormStorage(QString section, QString path, Dialogs& dialogs)
        : section_(std::move(section)), path_(std::move(path)), dialogs_(dialogs) {}

    void add(Setting setting) { settings_.push_back(std::move(setting)); }
    const QString& path() const { return path_; }

    void restore();
    // Writes every setting; on failure shows "Unable to write to <path>" and returns false. False
    // too, without a write, when the file is left alone.
    bool save();
    bool hasRestored() const { return restored_; }

private:
    QString section_;
    QString path_;
    Dialogs& dialogs_;
    std::vector<Setting> settings_;
    bool restored_ = false;
    bool leftAlone_ = false;
    bool leftAloneReported_ = false;

    bool readWhole(ProfileFile& profile);
};

} // namespace mirelta
