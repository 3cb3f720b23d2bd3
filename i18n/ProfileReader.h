#pragma once
// Reading one value from an INI-style profile file, by the rules translation
// files were always read with: section and key names match without regard to
// letter case, the value is the text after the first "=" with the blanks
// around it removed, matching double or single quotes around the whole value
// are dropped, and a key present with nothing after "=" gives the empty text.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumivane {

// A profile (translation) file larger than this holds no values: it is not
// read at all (a few hundred bytes are usual).
inline constexpr std::size_t kMaxProfileFileBytes = std::size_t{1} << 20;

// Longest value handed back, in characters; longer values are cut.
inline constexpr std::size_t kMaxProfileValueLength = 2047;

// The value of `key` in the first section named `section` that holds it, or
// std::nullopt when there is none. `content` is UTF-8 text.
std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key);

// The same, read from a file (converted to UTF-8 as TextFileToUtf8 does). A
// file that is missing, not a regular file, too large or unreadable holds no
// values.
std::optional<std::string> ReadProfileString(const std::filesystem::path& file,
                                             std::string_view section, std::string_view key);

}  // namespace lumivane
