#pragma once
// What the fuzz targets of the readers of outside input run on one input, and
// what the corpus replay test runs on every stored input: the reader must
// come back (no crash, no hang, no leak) with a result that keeps its own
// rules. Each returns the empty text, or what was wrong.
#include <string>
#include <string_view>

namespace lumivane {

// A whole calendar file through our reader, every series expanded over a
// year from its start, and the first item extracted for a calendar program.
std::string CheckCalendarInput(std::string_view input);
// A filter text parsed for the calendar and the task folders and evaluated
// against a fixed item.
std::string CheckFilterInput(std::string_view input);
// A settings file read, written, and read and written again: the second
// writing equals the first.
std::string CheckSettingsInput(std::string_view input);
// A translation file asked for every display word.
std::string CheckTranslationInput(std::string_view input);
// A date and time read in two regional formats.
std::string CheckDateInput(std::string_view input);

}  // namespace lumivane
