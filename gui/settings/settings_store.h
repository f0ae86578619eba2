#pragma once
// The settings store of the main window: the kept settings, in the file's order, are restored from
// polufabu.ini before each showing of the window and saved when it closes. Restoring goes through
// each control's own setter, so its reaction runs as a user's change would. A save writes a new
// file beside the old one and puts it in place in one step, with every byte of the old file that is
// not one of these settings as it was. A file too large to be the program's, or one that cannot be
// read whole, is neither restored from nor written: the user is told once.

#include "settings/settings_table.h"

#include <QString>
#include <functional>
#include <vector>

namespace mirelta {

class Dialogs;
class ProfileFile;

class SettingsStore {
public:
    struct Setting {
        QString key; // the control's name, underscore, the property's name
        SettingKind kind;
        // The control's value as text; empty for a check box whose choice is not made yet.
        std::function<QString()> read;
        std::function<void(const QString&)> apply; // through the control's setter
    };

    // A store that does not `write` leaves the file as it found it (the trace runner's).
    SettingsStore(QString path, Dialogs& dialogs, bool write = true)
        : path_(std::move(path)), dialogs_(dialogs), write_(write) {}

    void add(Setting setting) { settings_.push_back(std::move(setting)); }

    void restore();
    // Writes every setting; on failure shows "Unable to write to <path>" and returns false. False
    // too, without a write, when the file is left alone.
    bool save();
    // Saves once, as the window closes, if the settings were restored first.
    void saveOnce();

private:
    QString path_;
    Dialogs& dialogs_;
    std::vector<Setting> settings_;
    bool write_ = true;
    bool saved_ = false;
    bool restored_ = false;
    bool leftAlone_ = false;
    bool leftAloneReported_ = false;

    bool readWhole(ProfileFile& profile);
};

} // namespace mirelta
