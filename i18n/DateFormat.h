#pragma once
// Formatting and reading dates in the user's regional formats.
#include <optional>
#include <string>
#include <string_view>

#include "base/AutomationDate.h"
#include "i18n/FormatSettings.h"

namespace lumivane {

// Pattern letters as in FormatSettings.h; "/" and ":" are the locale's separators.
std::string FormatDateTime(std::string_view pattern, AutomationDate date, const FormatSettings& fs);
// The same, written at the end of `out`.
void AppendDateTime(std::string& out, std::string_view pattern, AutomationDate date,
                    const FormatSettings& fs);

// Reads "<short date> <time>" (time optional, in short or long time form, seconds optional,
// AM/PM designators accepted) as the user's short date format writes it. std::nullopt when not a
// date.
std::optional<AutomationDate> ParseDateTime(std::string_view text, const FormatSettings& fs);

}  // namespace lumivane
