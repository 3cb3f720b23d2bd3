#include "platform/LogFont.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lumivane {
namespace {

std::int32_t ReadInt32(const LogFontBytes& b, size_t at) {
  std::uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
  return static_cast<std::int32_t>(v);
}

void WriteInt32(LogFontBytes& b, size_t at, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

constexpr size_t kFaceOffset = 28;
constexpr size_t kFaceSize = 32;

}  // namespace

LogFont DecodeLogFont(const LogFontBytes& b) {
  LogFont f;
  f.height = ReadInt32(b, 0);
  f.width = ReadInt32(b, 4);
  f.escapement = ReadInt32(b, 8);
  f.orientation = ReadInt32(b, 12);
  f.weight = ReadInt32(b, 16);
  f.italic = b[20];
  f.underline = b[21];
  f.strikeOut = b[22];
  f.charSet = b[23];
  f.outPrecision = b[24];
  f.clipPrecision = b[25];
  f.quality = b[26];
  f.pitchAndFamily = b[27];
  QByteArray face;
  for (size_t i = kFaceOffset; i < kFaceOffset + kFaceSize && b[i] != 0; ++i) {
    face.append(static_cast<char>(b[i]));
  }
  // Windows-1252 agrees with Latin-1 for every letter a font name uses.
  f.faceName = QString::fromLatin1(face).toStdString();
  return f;
}

LogFontBytes EncodeLogFont(const LogFont& f) {
  LogFontBytes b{};
  WriteInt32(b, 0, f.height);
  WriteInt32(b, 4, f.width);
  WriteInt32(b, 8, f.escapement);
  WriteInt32(b, 12, f.orientation);
  WriteInt32(b, 16, f.weight);
  b[20] = f.italic;
  b[21] = f.underline;
  b[22] = f.strikeOut;
  b[23] = f.charSet;
  b[24] = f.outPrecision;
  b[25] = f.clipPrecision;
  b[26] = f.quality;
  b[27] = f.pitchAndFamily;
  const QByteArray face = QString::fromStdString(f.faceName).toLatin1();
  const size_t n = std::min<size_t>(static_cast<size_t>(face.size()), kFaceSize - 1);
  std::memcpy(b.data() + kFaceOffset, face.constData(), n);
  return b;
}

LogFont BuiltInDisplayFont() {
  return LogFont{};
}

int PointsFromHeight(std::int32_t height) {
  return static_cast<int>(std::lround(std::abs(static_cast<double>(height)) * 72.0 / 96.0));
}

std::int32_t HeightFromPoints(int points) {
  return -static_cast<std::int32_t>(std::lround(points * 96.0 / 72.0));
}

QFont FontFromLogFont(const LogFont& f) {
  QFont font(QString::fromStdString(f.faceName));
  // Height 0 asks for the default size; any other is held to 1-500 points,
  // so a damaged value cannot ask for a picture of gigabytes.
  const int points = PointsFromHeight(f.height);
  font.setPointSize(points > 0 ? std::clamp(points, kMinFontPoints, kMaxFontPoints) : 8);
  const int weight = f.weight <= 0 ? 400 : std::clamp(f.weight, 1, 1000);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(f.italic != 0);
  font.setUnderline(f.underline != 0);
  font.setStrikeOut(f.strikeOut != 0);
  return font;
}

LogFont LogFontFromFont(const QFont& font, const LogFont& base) {
  LogFont f = base;
  f.faceName = font.family().toStdString();
  const int points =
      font.pointSize() > 0 ? font.pointSize() : static_cast<int>(std::lround(font.pointSizeF()));
  f.height = HeightFromPoints(std::clamp(points, kMinFontPoints, kMaxFontPoints));
  f.weight = static_cast<std::int32_t>(font.weight());
  f.italic = font.italic() ? 1 : 0;
  f.underline = font.underline() ? 1 : 0;
  f.strikeOut = font.strikeOut() ? 1 : 0;
  return f;
}

}  // namespace lumivane
