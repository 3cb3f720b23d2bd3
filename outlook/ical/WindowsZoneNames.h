#pragma once
// Calendar programs on Windows write their own zone names ("W. Europe Standard
// Time") as TZIDs. CLDR's table maps each to an Olson name.
#include <string>
#include <string_view>

namespace lumivane::ical {

// The Olson name of a Windows zone name, or an empty text when it is none.
std::string OlsonNameOfWindowsZone(std::string_view windowsName);

}  // namespace lumivane::ical
