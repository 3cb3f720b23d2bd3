#include "dialogs/controls/PlaceNearTaskbar.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "dialogs/controls/PanelRectangle.h"

namespace lumivane {

TaskbarEdge ClassifyTaskbarEdge(const ScreenBox& panel, int screenWidth, int screenHeight) {
  const int halfWidth = screenWidth / 2;
  const int halfHeight = screenHeight / 2;
  if (panel.top > halfHeight && panel.right >= screenWidth) return TaskbarEdge::Bottom;
  if (panel.top < halfHeight && halfWidth >= panel.bottom) return TaskbarEdge::Top;
  if (halfWidth > panel.left && panel.top <= 0) return TaskbarEdge::Left;
  if (halfWidth <= panel.left) return TaskbarEdge::Right;
  return TaskbarEdge::None;
}

std::optional<ScreenPoint> NearTaskbarPosition(const ScreenBox& workArea,
                                               const std::optional<ScreenBox>& panel,
                                               int screenWidth, int screenHeight, int formWidth,
                                               int formHeight) {
  if (!panel) return std::nullopt;
  switch (ClassifyTaskbarEdge(*panel, screenWidth, screenHeight)) {
    case TaskbarEdge::Top:
      return ScreenPoint{workArea.right - formWidth - 20, workArea.top + 10};
    case TaskbarEdge::Bottom:
    case TaskbarEdge::Right:
      return ScreenPoint{workArea.right - formWidth - 20, workArea.bottom - formHeight - 20};
    case TaskbarEdge::Left:
      return ScreenPoint{workArea.left + 20, workArea.bottom - formHeight - 20};
    case TaskbarEdge::None:
      break;
  }
  return std::nullopt;
}

namespace {

ScreenBox BoxOf(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The rectangle relative to the monitor's top-left corner, where the rule's
// screen starts at 0, 0.
ScreenBox Relative(const ScreenBox& box, const ScreenBox& monitor) {
  return {box.left - monitor.left, box.top - monitor.top, box.right - monitor.left,
          box.bottom - monitor.top};
}

}  // namespace

void PlaceNearTaskbar(QWidget* form) {
  if (!form) return;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const ScreenBox monitor = BoxOf(screen->geometry());
  const ScreenBox workArea = BoxOf(screen->availableGeometry());
  const QRect root = screen->virtualGeometry();
  const std::optional<ScreenBox> panel =
      FindPanelRectangle(monitor, workArea, root.width(), root.height());
  if (!panel) return;
  const QSize size = form->frameGeometry().size();
  const std::optional<ScreenPoint> place = NearTaskbarPosition(
      Relative(workArea, monitor), Relative(*panel, monitor), monitor.right - monitor.left,
      monitor.bottom - monitor.top, size.width(), size.height());
  if (place) form->move(place->left + monitor.left, place->top + monitor.top);
}

}  // namespace lumivane
