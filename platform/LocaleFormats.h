#pragma once
// The user's regional formats taken from a Qt locale.
#include <QLocale>
#include <string>
#include <string_view>

#include "i18n/FormatSettings.h"

namespace lumivane {

FormatSettings FormatSettingsFromLocale(const QLocale& locale);
// From QLocale::system(); the C/POSIX locale gives the ISO forms.
FormatSettings SystemFormatSettings();

// A Qt date or time pattern in the program's pattern letters: "M" (month)
// becomes "m", "m" (minute) "n", "AP"/"ap"/"A"/"a" "ampm", a two-digit year
// four digits; the time-zone field and the blank before it are dropped;
// every occurrence of `separator` in the literal text becomes `separatorLetter`
// ("/" or ":"), and literal text is quoted where it holds pattern letters.
std::string ConvertQtPattern(std::string_view qtPattern, std::string_view separator,
                             char separatorLetter);
// The literal text between the first two fields of a Qt pattern, blanks
// trimmed ("dd.MM.yy" gives ".").
std::string QtPatternSeparator(std::string_view qtPattern);

}  // namespace lumivane
