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

// Squared distance from a point to a rectangle (0 inside).
long long DistanceSquared(const QPoint& p, const QRect& r) {
  const long long dx = p.x() < r.left()    ? r.left() - p.x()
                       : p.x() > r.right() ? p.x() - r.right()
                                           : 0;
  const long long dy = p.y() < r.top()      ? r.top() - p.y()
                       : p.y() > r.bottom() ? p.y() - r.bottom()
                                            : 0;
  return dx * dx + dy * dy;
}

int Inside(int start, int length, int areaStart, int areaEnd) {
  if (length > areaEnd - areaStart || start < areaStart) return areaStart;
  if (start + length > areaEnd) return areaEnd - length;
  return start;
}

}  // namespace

int MonitorOf(const QRect& window, const std::vector<QRect>& monitors) {
  const QPoint centre = window.center();
  int best = -1;
  long long bestDistance = 0;
  for (size_t i = 0; i < monitors.size(); ++i) {
    const long long d = DistanceSquared(centre, monitors[i]);
    if (best < 0 || d < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = d;
    }
  }
  return best;
}

QRect BringOnto(const QRect& window, const std::vector<QRect>& monitors, const QRect& area) {
  if (area.isEmpty()) return window;
  for (const QRect& monitor : monitors) {
    if (monitor.intersects(window)) return window;
  }
  return QRect(Inside(window.x(), window.width(), area.x(), area.x() + area.width()),
               Inside(window.y(), window.height(), area.y(), area.y() + area.height()),
               window.width(), window.height());
}

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
