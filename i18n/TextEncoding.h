#pragma once
// UTF-8 text: validation, counting and cutting by characters (code points),
// and the conversion of text files written in other encodings.
#include <cstddef>
#include <string>
#include <string_view>

namespace lumivane {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Every byte becomes its Windows-1252 character. The five bytes the code page
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters of the same number, as the Windows conversion does.
std::string Windows1252ToUtf8(std::string_view bytes);

// The contents of a text file as UTF-8: a UTF-8 byte order mark is dropped; a
// UTF-16 one (little or big endian) converts the rest from UTF-16; valid UTF-8
// is kept as it is; anything else is read as Windows-1252.
std::string TextFileToUtf8(std::string_view bytes);

// UTF-16 code units (without a byte order mark) as UTF-8; a lone surrogate
// becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// Characters in the text. A byte that does not belong to a well-formed
// sequence counts as one character, so nothing is ever lost when cutting.
std::size_t CharacterCount(std::string_view text);
// The first `count` characters; never ends inside a sequence.
std::string_view CharacterPrefix(std::string_view text, std::size_t count);

}  // namespace lumivane
