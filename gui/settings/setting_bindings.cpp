#include "gui/settings/setting_bindings.h"

#include "gui/widgets/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <stdexcept>

namespace mirelta {
namespace {

QString text(std::string_view value) {
    return QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
}

// The control takes the declared name, by which tests and the file know it.
void name(QWidget* control, const SettingDeclaration& declared) {
    control->setObjectName(text(declared.control));
}

} // namespace

void SettingBindings::add(const SettingDeclaration& declared, SettingKind kind,
                          SettingsStore::Setting setting) {
    if (declared.kind != kind) {
        throw std::logic_error("the setting " + std::string(declared.control) +
                               " is bound to a control of another kind");
    }
    setting.key = QString::fromStdString(settingKey(declared));
    setting.kind = kind;
    if (!bound_.emplace(&declared, std::move(setting)).second) {
        throw std::logic_error("the setting " + std::string(declared.control) + " is bound twice");
    }
    if (kind != SettingKind::FileName && !startsUnchosen(declared)) {
        apply(declared, text(declared.initial));
    }
}

QLineEdit* SettingBindings::bind(const SettingDeclaration& declared, QLineEdit* field) {
    name(field, declared);
    add(declared, SettingKind::Text,
        {{},
         {},
         [field] { return field->text(); },
         [field](const QString& value) { field->setText(value); }});
    return field;
}

// The personal suggestion's list keeps what was typed in it, not only its entries.
QComboBox* SettingBindings::bind(const SettingDeclaration& declared, QComboBox* list) {
    name(list, declared);
    add(declared, SettingKind::Text,
        {{},
         {},
         [list] { return list->currentText(); },
         [list](const QString& value) { list->setEditText(value); }});
    return list;
}

// An index the group does not have is skipped, as a failed setter would be.
RadioGroup* SettingBindings::bind(const SettingDeclaration& declared, RadioGroup* group) {
    name(group, declared);
    add(declared, SettingKind::ItemIndex,
        {{},
         {},
         [group] { return QString::number(group->itemIndex()); },
         [group](const QString& value) {
             const int item = value.toInt();
             if (item >= -1 && item < group->count()) {
                 group->setItemIndex(item);
             }
         }});
    return group;
}

// A box whose choice is not made yet (declared without an initial value) shows neither state and
// reads as no value; the user's first click, or a value applied, makes the choice.
QCheckBox* SettingBindings::bind(const SettingDeclaration& declared, QCheckBox* box) {
    name(box, declared);
    add(declared, SettingKind::Checked,
        {{},
         {},
         [box] {
             return box->checkState() == Qt::PartiallyChecked ? QString()
                    : box->isChecked()                        ? QStringLiteral("True")
                                                              : QStringLiteral("False");
         },
         [box](const QString& value) {
             box->setTristate(false);
             box->setCheckState(value == QStringLiteral("True") ? Qt::Checked : Qt::Unchecked);
         }});
    if (startsUnchosen(declared)) {
        box->setCheckState(Qt::PartiallyChecked);
        QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    }
    return box;
}

QSlider* SettingBindings::bind(const SettingDeclaration& declared, QSlider* slider) {
    name(slider, declared);
    if (declared.limits.minimum < declared.limits.maximum) {
        slider->setRange(declared.limits.minimum, declared.limits.maximum);
    }
    add(declared, SettingKind::Position,
        {{},
         {},
         [slider] { return QString::number(slider->value()); },
         [slider](const QString& value) { slider->setValue(value.toInt()); }});
    return slider;
}

void SettingBindings::bind(const SettingDeclaration& declared, std::function<QString()> read,
                           std::function<void(const QString&)> apply) {
    add(declared, SettingKind::FileName, {{}, {}, std::move(read), std::move(apply)});
}

const SettingsStore::Setting& SettingBindings::bound(const SettingDeclaration& declared) const {
    const auto found = bound_.find(&declared);
    if (found == bound_.end()) {
        throw std::logic_error("no control holds the setting " + std::string(declared.control));
    }
    return found->second;
}

QString SettingBindings::value(const SettingDeclaration& declared) const {
    return bound(declared).read();
}

void SettingBindings::apply(const SettingDeclaration& declared, const QString& value) const {
    bound(declared).apply(value);
}

void SettingBindings::declareStored(SettingsStore& store) const {
    for (const SettingDeclaration* declared : storedSettings()) {
        store.add(bound(*declared));
    }
}

void SettingBindings::putBackRecommended() const {
    for (const SettingDeclaration* declared : kSettings) {
        if (declared->recommended) {
            apply(*declared, text(*declared->recommended));
        }
    }
}

} // namespace mirelta
