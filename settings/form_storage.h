#pragma once
// The settings store of the main window: the stored settings, declared once with their keys, are
// restored from polufabu.ini before each showing of the window and saved when it closes.
// Restoring goes through each control's own setter, so its reaction runs as a user's change
// would. A save writes a new file beside the old one and puts it in place in one step.

#include <QString>
#include <functional>
#include <vector>

namespace mirelta {

class Dialogs;

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
    // Writes every setting; on failure shows "Unable to write to <path>" and returns false.
    bool save();
    bool hasRestored() const { return restored_; }

private:
    QString section_;
    QString path_;
    Dialogs& dialogs_;
    std::vector<Setting> settings_;
    bool restored_ = false;
};

} // namespace mirelta
