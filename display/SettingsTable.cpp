#include "display/SettingsTable.h"

#include <algorithm>

namespace lumivane {

const std::vector<SettingSpec>& SettingsReadOrder() {
  static const std::vector<SettingSpec> table = {
#define LUMIVANE_SETTINGS_SPEC(name, type, init, maximum, position) \
  {#name, &Settings::name, maximum, position},
#define LUMIVANE_SETTINGS_HELD(name, position) {#name, std::monostate{}, 0, position},
      LUMIVANE_SETTINGS_TABLE(LUMIVANE_SETTINGS_SPEC, LUMIVANE_SETTINGS_HELD)
#undef LUMIVANE_SETTINGS_SPEC
#undef LUMIVANE_SETTINGS_HELD
  };
  return table;
}

const std::vector<const SettingSpec*>& SettingsWriteOrder() {
  static const std::vector<const SettingSpec*> order = [] {
    std::vector<const SettingSpec*> specs;
    for (const SettingSpec& spec : SettingsReadOrder()) specs.push_back(&spec);
    std::sort(specs.begin(), specs.end(), [](const SettingSpec* a, const SettingSpec* b) {
      return a->writePosition < b->writePosition;
    });
    return specs;
  }();
  return order;
}

const SettingSpec* FindSetting(std::string_view name) {
  for (const SettingSpec& spec : SettingsReadOrder()) {
    if (spec.name == name) return &spec;
  }
  return nullptr;
}

}  // namespace lumivane
