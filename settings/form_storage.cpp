#include "form_storage.h"

#include "atomic_file.h"
#include "cp1251.h"
#include "dialogs.h"
#include "profile_file.h"

#include <QFile>

namespace mirelta {
namespace {

// The file is Windows-1251; the controls hold Unicode.
std::string toBytes(const QString& text) {
    return cp1251::fromUtf8(text.toStdString());
}

QString fromBytes(const std::string& bytes) {
    return QString::fromStdString(cp1251::toUtf8(bytes));
}

// A settings file is a few hundred bytes; a huge one is not ours to keep reading.
constexpr qint64 kMaxReadBytes = qint64{4} * 1024 * 1024;

ProfileFile readProfile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = file.read(kMaxReadBytes);
    return ProfileFile::fromBytes(std::string_view(bytes.constData(), bytes.size()));
}

} // namespace

void FormStorage::restore() {
    restored_ = true;
    const ProfileFile profile = readProfile(path_);
    const std::string section = toBytes(section_);
    if (stored_value::parseIndex(profile.read(section, "FormVersion", "0")) < 0) {
        return;
    }
    for (const Setting& setting : settings_) {
        const std::string stored =
            profile.read(section, toBytes(setting.key), toBytes(setting.read()));
        // Blanks around the value are not part of it.
        const QString value = fromBytes(stored).trimmed();
        switch (setting.kind) {
        case Kind::Text:
            setting.apply(value);
            break;
        case Kind::Index:
            setting.apply(QString::number(stored_value::parseIndex(toBytes(value))));
            break;
        case Kind::Checked:
            if (const auto checked = stored_value::parseChecked(toBytes(value))) {
                setting.apply(QString::fromLatin1(stored_value::encodeChecked(*checked)));
            }
            break;
        }
    }
}

bool FormStorage::save() {
    ProfileFile profile = readProfile(path_);
    const std::string section = toBytes(section_);
    profile.write(section, "FormVersion", "0");
    for (const Setting& setting : settings_) {
        const std::string value = setting.kind == Kind::Text
                                      ? stored_value::encodeText(toBytes(setting.read()))
                                      : toBytes(setting.read());
        profile.write(section, toBytes(setting.key), value);
    }
    const bool written = writeFileAtomically(path_, profile.toBytes());
    if (!written) {
        dialogs_.message(QStringLiteral("Unable to write to %1").arg(path_));
    }
    return written;
}

} // namespace mirelta
