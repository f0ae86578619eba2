#pragma once
// The declared settings bound to the controls that hold them, found by their object names: the
// settings store reads and restores them through these bindings, and the recommended values are
// put back through them, so that each control's reaction runs as it would for the user.

#include "gui/settings/settings_store.h"

class QWidget;

namespace mirelta {

// The binding of `control`'s declared setting to the control of that name under `root`.
SettingsStore::Setting bindSetting(std::string_view control, QWidget& root);

// Every kept setting in the file's order; `fileName` stands for the setting that is a file chosen
// in a dialog rather than a control.
void declareStoredSettings(SettingsStore& store, QWidget& root,
                           const SettingsStore::Setting& fileName);

// The value `control` has as the program starts.
QString initialValue(std::string_view control);

// Puts every setting that has a recommended value back to it, in the declared order.
void putBackRecommended(QWidget& root);

} // namespace mirelta
