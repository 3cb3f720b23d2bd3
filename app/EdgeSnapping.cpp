#include "app/EdgeSnapping.h"

namespace lumivane {
namespace {

// One axis: `start` and `length` of the window, `areaStart` and `areaEnd`
// (exclusive) of the work area.
int SnapAxis(int start, int length, int areaStart, int areaEnd) {
  // Too large to fit: its beginning (where the display's first lines are)
  // stays on screen rather than its end.
  if (length > areaEnd - areaStart) return areaStart;
  if (start <= areaStart + kSnapDistance) return areaStart;
  if (start + length >= areaEnd - kSnapDistance) return areaEnd - length;
  return start;
}

}  // namespace

QRect SnapToWorkArea(const QRect& proposed, const QRect& workArea, const SnapConditions& when) {
  if (!when.snapToDesktop || when.ctrlDown || when.restoringPosition) return proposed;
  // QRect's right() and bottom() are inclusive; the edges here are exclusive.
  const int x =
      SnapAxis(proposed.x(), proposed.width(), workArea.x(), workArea.x() + workArea.width());
  const int y =
      SnapAxis(proposed.y(), proposed.height(), workArea.y(), workArea.y() + workArea.height());
  return QRect(x, y, proposed.width(), proposed.height());
}

}  // namespace lumivane
