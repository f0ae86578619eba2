#include "gui/settings/settings_store.h"

#include "platform/desktop/dialogs.h"
#include "platform/files/atomic_file.h"
#include "settings/profile_file.h"
#include "text/cp1251.h"

#include <QFile>
#include <string>
#include <utility>
#include <vector>

namespace mirelta {
namespace {

// The file is Windows-1251; the controls hold Unicode.
std::string toBytes(const QString& text) {
    return cp1251::fromUtf8(text.toStdString());
}

QString fromBytes(const std::string& bytes) {
    return QString::fromStdString(cp1251::toUtf8(bytes));
}

// A settings file is a few hundred bytes. One larger than this is not the program's to rewrite:
// it is read whole up to this size, and beyond it left exactly as it is.
constexpr qint64 kMaxSettingsBytes = qint64{64} * 1024 * 1024;

enum class Reading { Whole, TooLarge, Failed };

// The whole file, or why not; a file that does not exist (or cannot be opened) reads as empty,
// as the program has always made its settings file on first close.
Reading readProfile(const QString& path, ProfileFile& profile) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        profile = ProfileFile();
        return Reading::Whole;
    }
    if (file.size() > kMaxSettingsBytes) {
        return Reading::TooLarge;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(file.size()));
    std::vector<char> chunk(std::size_t{1} << 16);
    for (;;) {
        const qint64 got = file.read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (got < 0) {
            return Reading::Failed;
        }
        if (got == 0) {
            break;
        }
        // Not a regular file, or one still growing: its size said nothing.
        if (static_cast<qint64>(bytes.size()) + got > kMaxSettingsBytes) {
            return Reading::TooLarge;
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
    profile = ProfileFile::fromBytes(std::move(bytes));
    return Reading::Whole;
}

} // namespace

void SettingsStore::restore() {
    restored_ = true;
    ProfileFile profile;
    if (!readWhole(profile)) {
        return;
    }
    const std::string section(kSettingsSection);
    if (stored_value::parseIndex(profile.read(section, "FormVersion", "0")) < 0) {
        return;
    }
    for (const Setting& setting : settings_) {
        const std::string stored =
            profile.read(section, toBytes(setting.key), toBytes(setting.read()));
        // Blanks around the value are not part of it.
        const QString value = fromBytes(stored).trimmed();
        switch (setting.kind) {
        case SettingKind::Text:
        case SettingKind::FileName:
        case SettingKind::Position:
            setting.apply(value);
            break;
        case SettingKind::ItemIndex:
            setting.apply(QString::number(stored_value::parseIndex(toBytes(value))));
            break;
        case SettingKind::Checked:
            if (const auto checked = stored_value::parseChecked(toBytes(value))) {
                setting.apply(QString::fromLatin1(stored_value::encodeChecked(*checked)));
            }
            break;
        }
    }
}

bool SettingsStore::readWhole(ProfileFile& profile) {
    const Reading reading = leftAlone_ ? Reading::TooLarge : readProfile(path_, profile);
    if (reading == Reading::Whole) {
        return true;
    }
    // Settings written over a file that could not be read whole would lose the rest of it; and
    // once the settings were not restored from it, writing them would replace the user's.
    leftAlone_ = true;
    if (!leftAloneReported_) {
        leftAloneReported_ = true;
        dialogs_.message(
            reading == Reading::TooLarge
                ? QStringLiteral("Файл настроек %1 больше %2 МБ: настройки из него не "
                                 "восстановлены, и программа его не изменит")
                      .arg(path_)
                      .arg(kMaxSettingsBytes / (qint64{1024} * 1024))
                : QStringLiteral("Не удаётся прочитать файл настроек %1: настройки из него не "
                                 "восстановлены, и программа его не изменит")
                      .arg(path_));
    }
    return false;
}

void SettingsStore::saveOnce() {
    if (write_ && !saved_ && restored_) {
        saved_ = true;
        save();
    }
}

bool SettingsStore::save() {
    ProfileFile profile;
    if (!readWhole(profile)) {
        return false;
    }
    const std::string section(kSettingsSection);
    profile.write(section, "FormVersion", "0");
    for (const Setting& setting : settings_) {
        const bool text =
            setting.kind == SettingKind::Text || setting.kind == SettingKind::FileName;
        const QString current = setting.read();
        // A choice the user has not made yet is not written: the file says nothing for it.
        if (setting.kind == SettingKind::Checked && current.isEmpty()) {
            continue;
        }
        const std::string value =
            text ? stored_value::encodeText(toBytes(current)) : toBytes(current);
        profile.write(section, toBytes(setting.key), value);
    }
    const bool written = writeFileAtomically(path_, profile.toBytes());
    if (!written) {
        dialogs_.message(QStringLiteral("Unable to write to %1").arg(path_));
    }
    return written;
}

} // namespace mirelta
