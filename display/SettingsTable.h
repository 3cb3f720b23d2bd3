#pragma once
// The settings table as data: what the store reads, clamps and writes, taken
// from the one table in display/Settings.h.
#include <string_view>
#include <variant>
#include <vector>

#include "display/Settings.h"

namespace lumivane {

// The record's field of a value; std::monostate for a value held outside it.
using SettingField = std::variant<std::monostate, int Settings::*, bool Settings::*,
                                  Color Settings::*, Text Settings::*>;

struct SettingRow {
  std::string_view name;
  SettingField field;
  int maximum = 0;  // larger stored numbers are clamped to it; 0: no clamp
  int writePosition = 0;

  bool held() const { return std::holds_alternative<std::monostate>(field); }
};

// Every stored value in the order the store reads them.
const std::vector<SettingRow>& SettingsReadOrder();
// The same values in the order a save writes them.
const std::vector<const SettingRow*>& SettingsWriteOrder();
// The value of that name, or nullptr.
const SettingRow* FindSetting(std::string_view name);

// A stored number as the record takes it: above the maximum, the maximum.
constexpr int ClampSetting(const SettingRow& row, int stored) {
  return row.maximum > 0 && stored > row.maximum ? row.maximum : stored;
}

}  // namespace lumivane
