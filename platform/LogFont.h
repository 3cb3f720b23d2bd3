#pragma once
// The display font as stored: the 60 bytes of a Windows LOGFONTA record, kept
// byte-compatible so that a value exported on Windows reads back. Sizes are
// converted at a fixed 96 dots per inch (height -11 is 8 points), and the Qt
// font is always set by its point size, so every point-based rule reads the
// same number on every screen.
#include <QFont>
#include <array>
#include <cstdint>
#include <string>

namespace lumivane {

using LogFontBytes = std::array<std::uint8_t, 60>;

// Font sizes the display takes, in points; a stored height outside is held
// to the nearer end.
inline constexpr int kMinFontPoints = 1;
inline constexpr int kMaxFontPoints = 500;

struct LogFont {
  std::int32_t height = -11;
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 400;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strikeOut = 0;
  std::uint8_t charSet = 1;  // DEFAULT_CHARSET
  std::uint8_t outPrecision = 0;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  std::string faceName = "Verdana";  // UTF-8 here; Windows-1252 in the bytes
};

LogFont DecodeLogFont(const LogFontBytes& bytes);
LogFontBytes EncodeLogFont(const LogFont& font);

// The display font that a missing value leaves: Verdana, height -11, regular.
LogFont BuiltInDisplayFont();

int PointsFromHeight(std::int32_t height);  // round(|height| x 72 / 96)
std::int32_t HeightFromPoints(int points);  // -round(points x 96 / 72)

QFont FontFromLogFont(const LogFont& font);
// Keeps what the Qt font does not model (width, precisions, quality, ...) from
// `base`; the face is the one asked for, not the one the system substituted.
LogFont LogFontFromFont(const QFont& font, const LogFont& base);

}  // namespace lumivane
