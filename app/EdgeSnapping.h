#pragma once
// Edge snapping: every move and resize of the main window passes its proposed
// rectangle through SnapToWorkArea first, so that a window dropped within two
// pixels of the work area's edge (or partly beyond it) lies flush with it.
#include <QRect>
#include <vector>

namespace lumivane {

inline constexpr int kSnapDistance = 2;

struct SnapConditions {
  bool snapToDesktop = true;       // the SnapToDesktop setting
  bool ctrlDown = false;           // Ctrl held: the user places the window freely
  bool restoringPosition = false;  // the saved position is applied as it was stored
};

// The rectangle the window takes instead of `proposed`. Each axis on its own:
// a near edge within the snap distance of the work area's start moves to it,
// else a far edge at or beyond the snap distance of the work area's end moves
// to it. A window larger than the work area along an axis starts at the work
// area's start on that axis. The size never changes. Passes `proposed`
// through when snapping is off, suspended by Ctrl or while restoring.
QRect SnapToWorkArea(const QRect& proposed, const QRect& workArea, const SnapConditions& when);

// The index of the monitor that holds the window's centre, else of the one
// nearest to it; -1 without monitors.
int MonitorOf(const QRect& window, const std::vector<QRect>& monitors);

// A window that lies on no monitor at all moves into `area` (the work area
// of the nearest monitor): flush with the edge it lies beyond, its start
// edges first when it is larger. A window that touches a monitor stays.
QRect BringOnto(const QRect& window, const std::vector<QRect>& monitors, const QRect& area);

}  // namespace lumivane
