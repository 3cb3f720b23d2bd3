#include "dialogs/controls/ColorPalette.h"

namespace lumivane {

namespace {

constexpr int kEntriesTop = kPaletteMargin + kPaletteColorRows * kPaletteCell;  // 97
constexpr int kEntryWidth = kPaletteColumns / 2 * kPaletteCell;                 // 72

}  // namespace

PaletteItem PaletteMark::Item() const {
  if (row < kPaletteColorRows) return PaletteItem::Color;
  return column < kPaletteColumns / 2 ? PaletteItem::Default : PaletteItem::OtherColor;
}

Color PaletteMark::CellColor() const {
  if (row < 0 || row >= kPaletteColorRows || column < 0 || column >= kPaletteColumns) return clNone;
  return kPaletteColors[static_cast<std::size_t>(row * kPaletteColumns + column)];
}

PaletteMark MarkOfColor(Color color) {
  for (std::size_t i = 0; i < kPaletteColors.size(); ++i) {
    if (kPaletteColors[i] == color) {
      return {static_cast<int>(i) / kPaletteColumns, static_cast<int>(i) % kPaletteColumns};
    }
  }
  return {};
}

PaletteMark MoveMark(PaletteMark mark, MarkMove move) {
  switch (move) {
    case MarkMove::Left:
      mark.column = (mark.column + kPaletteColumns - 1) % kPaletteColumns;
      break;
    case MarkMove::Right:
      mark.column = (mark.column + 1) % kPaletteColumns;
      break;
    case MarkMove::Up:
      mark.row = (mark.row + kPaletteRows - 1) % kPaletteRows;
      break;
    case MarkMove::Down:
      mark.row = (mark.row + 1) % kPaletteRows;
      break;
  }
  return mark;
}

std::optional<PaletteMark> MarkAt(int x, int y) {
  const int right = kPaletteMargin + kPaletteColumns * kPaletteCell;  // 151
  if (x < kPaletteMargin || x >= right || y < kPaletteMargin) return std::nullopt;
  const int column = (x - kPaletteMargin) / kPaletteCell;
  if (y < kEntriesTop) return PaletteMark{(y - kPaletteMargin) / kPaletteCell, column};
  if (y < kEntriesTop + kPaletteCell) return PaletteMark{kPaletteColorRows, column};
  return std::nullopt;
}

PaletteRect MarkRect(PaletteMark mark) {
  if (mark.row < kPaletteColorRows) {
    return {kPaletteMargin + mark.column * kPaletteCell, kPaletteMargin + mark.row * kPaletteCell,
            kPaletteCell, kPaletteCell};
  }
  const int left =
      mark.Item() == PaletteItem::Default ? kPaletteMargin : kPaletteMargin + kEntryWidth;
  return {left, kEntriesTop, kEntryWidth, kPaletteCell};
}

}  // namespace lumivane
