#pragma once
// Moves a dialog next to the taskbar (the desktop's panel) when it is shown:
// a plain rule over rectangles, and the adapter that reads the desktop.
// Rectangles have exclusive right and bottom edges, as the desktop reports them.
#include <optional>

#include "display/markup/Canvas.h"

class QWidget;

namespace lumivane {

enum class TaskbarEdge { None, Top, Bottom, Left, Right };

// Which screen edge the panel sits on (halves are integer divisions).
TaskbarEdge ClassifyTaskbarEdge(const Rect& panel, int screenWidth, int screenHeight);

// Where a form of the given size goes: near the corner of the work area
// beside the panel. No panel, or one on no edge: nullopt (the form stays).
std::optional<Point> NearTaskbarPosition(const Rect& workArea, const std::optional<Rect>& panel,
                                         int screenWidth, int screenHeight, int formWidth,
                                         int formHeight);

// Called from a dialog's show event: moves the form on the primary screen by
// the rule above; without a panel it stays where the window manager put it.
void PlaceNearTaskbar(QWidget* form);

}  // namespace lumivane
