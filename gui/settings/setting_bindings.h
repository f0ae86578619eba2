#pragma once
// The declared settings bound to the controls that show them. Each feature binds its own controls
// as it makes them, by their declarations (a control takes its object name and its initial value
// from its declaration): the settings store reads and restores the kept settings through these
// bindings, a session's settings are read through them, and the recommended values are put back
// through them, so that each control's reaction runs as it would for the user.

#include "gui/settings/settings_store.h"

#include <map>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSlider;

namespace mirelta {

class RadioGroup;

class SettingBindings {
public:
    // Each binds `declared` to a control of its kind and gives the control its name and initial
    // value; the control is returned. A control of another kind than the declaration's is a
    // programming error (std::logic_error), as is a setting bound twice.
    QLineEdit* bind(const SettingDeclaration& declared, QLineEdit* field);
    QComboBox* bind(const SettingDeclaration& declared, QComboBox* list); // its typed text
    RadioGroup* bind(const SettingDeclaration& declared, RadioGroup* group);
    QCheckBox* bind(const SettingDeclaration& declared, QCheckBox* box);
    QSlider* bind(const SettingDeclaration& declared, QSlider* slider); // within its limits
    // A setting that no control holds (a file chosen in a dialog).
    void bind(const SettingDeclaration& declared, std::function<QString()> read,
              std::function<void(const QString&)> apply);

    // The setting's value as the file writes it.
    QString value(const SettingDeclaration& declared) const;
    // Sets the setting through its control's setter.
    void apply(const SettingDeclaration& declared, const QString& value) const;

    // Declares every kept setting to `store` in the file's order; each must be bound.
    void declareStored(SettingsStore& store) const;
    // Puts every setting that has a recommended value back to it, in the declared order.
    void putBackRecommended() const;

private:
    void add(const SettingDeclaration& declared, SettingKind kind, SettingsStore::Setting setting);
    const SettingsStore::Setting& bound(const SettingDeclaration& declared) const;

    std::map<const SettingDeclaration*, SettingsStore::Setting> bound_;
};

} // namespace mirelta
