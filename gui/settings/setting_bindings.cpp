#include "gui/settings/setting_bindings.h"

#include "gui/widgets/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <stdexcept>

namespace mirelta {
namespace {

template <typename Control> Control* findControl(QWidget& root, std::string_view name) {
    auto* control = root.findChild<Control*>(QString::fromLatin1(name.data(), name.size()));
    if (control == nullptr) {
        throw std::logic_error("no control named " + std::string(name) + " holds its setting");
    }
    return control;
}

SettingsStore::Setting textBinding(QWidget& root, std::string_view name) {
    // The personal suggestion's list keeps what was typed in it, not only its entries.
    const QString objectName = QString::fromLatin1(name.data(), name.size());
    if (auto* list = root.findChild<QComboBox*>(objectName)) {
        return {{},
                SettingKind::Text,
                [list] { return list->currentText(); },
                [list](const QString& value) { list->setEditText(value); }};
    }
    auto* field = findControl<QLineEdit>(root, name);
    return {{},
            SettingKind::Text,
            [field] { return field->text(); },
            [field](const QString& value) { field->setText(value); }};
}

// An index the group does not have is skipped, as a failed setter would be.
SettingsStore::Setting indexBinding(QWidget& root, std::string_view name) {
    auto* group = findControl<RadioGroup>(root, name);
    return {{},
            SettingKind::ItemIndex,
            [group] { return QString::number(group->itemIndex()); },
            [group](const QString& value) {
                const int item = value.toInt();
                if (item >= -1 && item < group->count()) {
                    group->setItemIndex(item);
                }
            }};
}

// A box whose choice is not made yet reads as no value; a value applied makes the choice.
SettingsStore::Setting checkedBinding(QWidget& root, std::string_view name) {
    auto* box = findControl<QCheckBox>(root, name);
    return {{},
            SettingKind::Checked,
            [box] {
                return box->checkState() == Qt::PartiallyChecked ? QString()
                       : box->isChecked()                        ? QStringLiteral("True")
                                                                 : QStringLiteral("False");
            },
            [box](const QString& value) {
                box->setTristate(false);
                box->setCheckState(value == QStringLiteral("True") ? Qt::Checked : Qt::Unchecked);
            }};
}

SettingsStore::Setting positionBinding(QWidget& root, std::string_view name) {
    auto* slider = findControl<QSlider>(root, name);
    return {{},
            SettingKind::Position,
            [slider] { return QString::number(slider->value()); },
            [slider](const QString& value) { slider->setValue(value.toInt()); }};
}

} // namespace

SettingsStore::Setting bindSetting(std::string_view control, QWidget& root) {
    const SettingDeclaration& declared = declaredSetting(control);
    SettingsStore::Setting setting;
    switch (declared.kind) {
    case SettingKind::Text:
        setting = textBinding(root, control);
        break;
    case SettingKind::ItemIndex:
        setting = indexBinding(root, control);
        break;
    case SettingKind::Checked:
        setting = checkedBinding(root, control);
        break;
    case SettingKind::Position:
        setting = positionBinding(root, control);
        break;
    case SettingKind::FileName:
        throw std::logic_error("a file name is not held by a control");
    }
    setting.key = QString::fromStdString(settingKey(declared));
    return setting;
}

void declareStoredSettings(SettingsStore& store, QWidget& root,
                           const SettingsStore::Setting& fileName) {
    for (const SettingDeclaration* declared : storedSettings()) {
        if (declared->kind == SettingKind::FileName) {
            SettingsStore::Setting setting = fileName;
            setting.key = QString::fromStdString(settingKey(*declared));
            store.add(std::move(setting));
        } else {
            store.add(bindSetting(declared->control, root));
        }
    }
}

QString initialValue(std::string_view control) {
    const std::string_view value = declaredSetting(control).initial;
    return QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
}

void putBackRecommended(QWidget& root) {
    for (const SettingDeclaration& declared : kSettings) {
        if (declared.recommended) {
            bindSetting(declared.control, root)
                .apply(QString::fromLatin1(declared.recommended->data(),
                                           static_cast<qsizetype>(declared.recommended->size())));
        }
    }
}

} // namespace mirelta
