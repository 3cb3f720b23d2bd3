#include "dialogs/controls/PlaceNearTaskbar.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "dialogs/controls/PanelRectangle.h"

namespace lumivane {

TaskbarEdge ClassifyTaskbarEdge(const Rect& panel, int screenWidth, int screenHeight) {
  const int halfWidth = screenWidth / 2;
  const int halfHeight = screenHeight / 2;
  if (panel.top > halfHeight && panel.right >= screenWidth) return TaskbarEdge::Bottom;
  if (panel.top < halfHeight && halfWidth >= panel.bottom) return TaskbarEdge::Top;
  if (halfWidth > panel.left && panel.top <= 0) return TaskbarEdge::Left;
  if (halfWidth <= panel.left) return TaskbarEdge::Right;
  return TaskbarEdge::None;
}

std::optional<Point> NearTaskbarPosition(const Rect& workArea, const std::optional<Rect>& panel,
                                         int screenWidth, int screenHeight, int formWidth,
                                         int formHeight) {
  if (!panel) return std::nullopt;
  switch (ClassifyTaskbarEdge(*panel, screenWidth, screenHeight)) {
    case TaskbarEdge::Top:
      return Point{workArea.right - formWidth - 20, workArea.top + 10};
    case TaskbarEdge::Bottom:
    case TaskbarEdge::Right:
      return Point{workArea.right - formWidth - 20, workArea.bottom - formHeight - 20};
    case TaskbarEdge::Left:
      return Point{workArea.left + 20, workArea.bottom - formHeight - 20};
    case TaskbarEdge::None:
      break;
  }
  return std::nullopt;
}

namespace {

Rect BoxOf(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The rectangle relative to the monitor's top-left corner, where the rule's
// screen starts at 0, 0.
Rect Relative(const Rect& box, const Rect& monitor) {
  return {box.left - monitor.left, box.top - monitor.top, box.right - monitor.left,
          box.bottom - monitor.top};
}

}  // namespace

namespace {

void PlaceForm(QWidget* form) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const Rect monitor = BoxOf(screen->geometry());
  const Rect workArea = BoxOf(screen->availableGeometry());
  const QRect root = screen->virtualGeometry();
  const std::optional<Rect> panel =
      FindPanelRectangle(monitor, workArea, root.width(), root.height());
  if (!panel) return;
  const QSize size = form->frameGeometry().size();
  const std::optional<Point> place =
      NearTaskbarPosition(Relative(workArea, monitor), Relative(*panel, monitor), monitor.Width(),
                          monitor.Height(), size.width(), size.height());
  if (place) form->move(place->x + monitor.left, place->y + monitor.top);
}

// The window manager adds its frame only after the form is shown, so the
// first placement counts the client alone. This looks again every 50 ms and
// places the form once more when its frame is known; it gives up after a
// second (a window manager that draws no frame).
class PlaceWhenFramed : public QObject {
 public:
  explicit PlaceWhenFramed(QWidget* form) : QObject(form), form_(form) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] {
      if (++looks_ > 20) {
        deleteLater();
      } else if (form_->frameGeometry().size() != form_->geometry().size()) {
        PlaceForm(form_);
        deleteLater();
      }
    });
    timer->start(50);
  }

 private:
  QWidget* form_;
  int looks_ = 0;
};

}  // namespace

void PlaceNearTaskbar(QWidget* form) {
  if (!form) return;
  PlaceForm(form);
  if (form->isWindow() && form->frameGeometry() == form->geometry() &&
      !form->windowFlags().testFlag(Qt::FramelessWindowHint)) {
    new PlaceWhenFramed(form);
  }
}

}  // namespace lumivane
