#pragma once
// The colour pane's palette as plain rules: the 40 colours, where cells and
// entries sit in the 158 x 122 window, and how the mark moves.
#include <array>
#include <optional>

#include "base/ColorText.h"

namespace lumivane {

inline constexpr int kPaletteWidth = 158;
inline constexpr int kPaletteHeight = 122;
inline constexpr int kPaletteColumns = 8;
inline constexpr int kPaletteColorRows = 5;
inline constexpr int kPaletteRows = kPaletteColorRows + 1;  // the last holds the two entries
inline constexpr int kPaletteCell = 18;
inline constexpr int kPaletteMargin = 7;

// Row by row, red in the low byte.
inline constexpr std::array<Color, kPaletteColumns* kPaletteColorRows> kPaletteColors = {
    0x000000, 0x003399, 0x003333, 0x003300, 0x663300, 0x800000, 0x993333, 0x333333,  //
    0x000080, 0x0066FF, 0x008080, 0x008000, 0x808000, 0xFF0000, 0x996666, 0x808080,  //
    0x0000FF, 0x0099FF, 0x00CC99, 0x669933, 0xCCCC33, 0xFF6633, 0x800080, 0x999999,  //
    0xFF00FF, 0x00CCFF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFFCC00, 0x663399, 0xC0C0C0,  //
    0xCC99FF, 0x99CCFF, 0x99FFFF, 0xCCFFCC, 0xFFFFCC, 0xFFCC99, 0xFF99CC, 0xFFFFFF,
};

// What the palette offers at a mark.
enum class PaletteItem { Color, Default, OtherColor };

// A mark: row 0..5 and column 0..7 (zero-based); on row 5 columns 0..3 are
// "Default" and 4..7 "Other Color".
struct PaletteMark {
  int row = kPaletteColorRows;
  int column = 0;
  bool operator==(const PaletteMark&) const = default;

  PaletteItem Item() const;
  // The colour of a cell; meaningless for the entries.
  Color CellColor() const;
};

// The cell of a palette colour, else "Default" (first column).
PaletteMark MarkOfColor(Color color);

enum class MarkMove { Left, Right, Up, Down };
// One step, wrapping around within the 8 columns and the 6 rows.
PaletteMark MoveMark(PaletteMark mark, MarkMove move);

// The cell or entry under a point of the window; nullopt between them.
std::optional<PaletteMark> MarkAt(int x, int y);

// Where a mark is drawn (a cell, or the whole entry): left, top, width, height.
struct PaletteRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
PaletteRect MarkRect(PaletteMark mark);

}  // namespace lumivane
