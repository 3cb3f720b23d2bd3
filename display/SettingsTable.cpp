#include "display/SettingsTable.h"

#include <algorithm>

namespace lumivane {

const std::vector<SettingRow>& SettingsReadOrder() {
  static const std::vector<SettingRow> table = {
#define LUMIVANE_SETTINGS_ROW(name, type, init, maximum, position) \
  {#name, &Settings::name, maximum, position},
#define LUMIVANE_SETTINGS_HELD(name, position) {#name, std::monostate{}, 0, position},
      LUMIVANE_SETTINGS_TABLE(LUMIVANE_SETTINGS_ROW, LUMIVANE_SETTINGS_HELD)
#undef LUMIVANE_SETTINGS_ROW
#undef LUMIVANE_SETTINGS_HELD
  };
  return table;
}

const std::vector<const SettingRow*>& SettingsWriteOrder() {
  static const std::vector<const SettingRow*> order = [] {
    std::vector<const SettingRow*> rows;
    for (const SettingRow& row : SettingsReadOrder()) rows.push_back(&row);
    std::sort(rows.begin(), rows.end(), [](const SettingRow* a, const SettingRow* b) {
      return a->writePosition < b->writePosition;
    });
    return rows;
  }();
  return order;
}

const SettingRow* FindSetting(std::string_view name) {
  for (const SettingRow& row : SettingsReadOrder()) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

}  // namespace lumivane
