#include "settings/settings_table.h"

namespace mirelta {

std::string settingKey(const SettingDeclaration& setting) {
    std::string_view property;
    switch (setting.kind) {
    case SettingKind::Text:
        property = "Text";
        break;
    case SettingKind::ItemIndex:
        property = "ItemIndex";
        break;
    case SettingKind::Checked:
        property = "Checked";
        break;
    case SettingKind::Position:
        property = "Position";
        break;
    case SettingKind::FileName:
        property = "FileName";
        break;
    }
    return std::string(setting.control) + "_" + std::string(property);
}

std::array<const SettingDeclaration*, kStoredSettingCount> storedSettings() {
    std::array<const SettingDeclaration*, kStoredSettingCount> stored{};
    for (const SettingDeclaration* setting : kSettings) {
        if (setting->storedAt >= 0 && setting->storedAt < kStoredSettingCount) {
            stored[static_cast<std::size_t>(setting->storedAt)] = setting;
        }
    }
    return stored;
}

} // namespace mirelta
