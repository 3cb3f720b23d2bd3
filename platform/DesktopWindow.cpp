#include "platform/DesktopWindow.h"

#include <xcb/xcb.h>

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

#include "platform/X11.h"

namespace lumivane {
namespace {

constexpr std::uint32_t kAllDesktops = 0xFFFFFFFF;
constexpr std::uint32_t kStateRemove = 0, kStateAdd = 1;
constexpr std::uint32_t kSourceApplication = 1;  // EWMH source indication
// The window types a pinned window had before it was mapped as a dock.
constexpr const char* kSavedTypes = "_lumivane_pinned_types";

bool Contains(const std::vector<std::uint32_t>& values, std::uint32_t value) {
  return value != 0 && std::find(values.begin(), values.end(), value) != values.end();
}

bool ShowingDesktop(std::uint32_t root) {
  const std::vector<std::uint32_t> showing =
      x11::Property32(root, x11::Atom("_NET_SHOWING_DESKTOP"));
  return !showing.empty() && showing[0] == 1;
}

// The root's _NET_ACTIVE_WINDOW: 0 when no window is active, none while the
// property is unset (no window was active since the window manager started,
// or there is no window manager that keeps it).
std::optional<std::uint32_t> ActiveWindow(std::uint32_t root) {
  const std::vector<std::uint32_t> active = x11::Property32(root, x11::Atom("_NET_ACTIVE_WINDOW"));
  if (active.empty()) return std::nullopt;
  return active[0];
}

bool IsDesktopType(std::uint32_t window) {
  return Contains(x11::Property32(window, x11::Atom("_NET_WM_WINDOW_TYPE")),
                  x11::Atom("_NET_WM_WINDOW_TYPE_DESKTOP"));
}

// The native window of a widget, without creating one.
std::uint32_t NativeWindow(const QWidget* widget) {
  return widget ? static_cast<std::uint32_t>(widget->internalWinId()) : 0;
}

bool IsOurWindow(std::uint32_t window) {
  for (const QWindow* w : QGuiApplication::allWindows()) {
    if (w->handle() && static_cast<std::uint32_t>(w->winId()) == window) return true;
  }
  return false;
}

// The X map state: the window manager may unmap a window Qt still counts as shown.
bool IsViewable(std::uint32_t window) {
  xcb_connection_t* c = x11::Connection();
  if (!c || !window) return false;
  xcb_get_window_attributes_reply_t* reply =
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
  if (!reply) return false;
  const bool viewable = reply->map_state == XCB_MAP_STATE_VIEWABLE;
  std::free(reply);
  return viewable;
}

// Adds states to a window: by hand on a withdrawn window (Qt merges its own
// states into the property when it maps the window), by request to the
// window manager once the window is mapped or its mapping requested.
void AddStates(std::uint32_t window, bool managed, const std::vector<std::uint32_t>& states) {
  const std::uint32_t property = x11::Atom("_NET_WM_STATE");
  if (managed) {
    for (size_t i = 0; i < states.size(); i += 2) {
      const std::uint32_t second = i + 1 < states.size() ? states[i + 1] : 0;
      x11::SendRootMessage(window, property, {kStateAdd, states[i], second, kSourceApplication, 0});
    }
    return;
  }
  std::vector<std::uint32_t> current = x11::Property32(window, property);
  for (std::uint32_t state : states) {
    if (state && !Contains(current, state)) current.push_back(state);
  }
  x11::SetProperty32(window, property, XCB_ATOM_ATOM, current);
}

void PutOnAllDesktops(std::uint32_t window, bool managed) {
  const std::uint32_t property = x11::Atom("_NET_WM_DESKTOP");
  if (managed) {
    x11::SendRootMessage(window, property, {kAllDesktops, kSourceApplication, 0, 0, 0});
  } else {
    x11::SetProperty32(window, property, XCB_ATOM_CARDINAL, {kAllDesktops});
  }
}

}  // namespace

DesktopWindow::DesktopWindow(QWidget* window) : QObject(window), window_(window) {
  window_->installEventFilter(this);
}

DesktopRole DesktopWindow::AttachToDesktop() {
  if (!x11::Connection()) return role_;
  if (OtherDesktopWindowListed(window_)) {
    role_ = DesktopRole::ToolBelow;
    window_->setWindowFlags(Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnBottomHint);
  } else {
    role_ = DesktopRole::Desktop;
    // Qt keeps this type through every window it creates for the widget.
    window_->setAttribute(Qt::WA_X11NetWmWindowTypeDesktop);
  }
  ApplyRole(window_->isVisible());
  return role_;
}

void DesktopWindow::AttachForPinning() {
  role_ = DesktopRole::Ordinary;
  // On every workspace: a workspace switch must not take it away.
  pinned_ = true;
  const Qt::WindowFlags flags = Qt::FramelessWindowHint | Qt::Tool;
  if (window_->windowFlags() != flags) window_->setWindowFlags(flags);
  // The pin timer hides and shows the window; that must not take the focus
  // from the window the user works in.
  window_->setAttribute(Qt::WA_ShowWithoutActivating);
}

bool DesktopWindow::eventFilter(QObject* watched, QEvent* event) {
  // A new native window, or a withdrawn one about to be mapped again: the
  // window manager forgets a withdrawn window's states, and may do so only
  // after they were set again if the window was hidden a moment ago; so they
  // are asked for once more when the window is mapped.
  if (watched == window_ &&
      (event->type() == QEvent::WinIdChange || event->type() == QEvent::Show)) {
    ApplyRole(false);
    if (event->type() == QEvent::Show && (role_ == DesktopRole::ToolBelow || pinned_)) {
      QTimer::singleShot(0, this, [this] {
        if (window_->isVisible()) ApplyRole(true);
      });
    }
  }
  return QObject::eventFilter(watched, event);
}

void DesktopWindow::ApplyRole(bool managed) {
  const std::uint32_t window = NativeWindow(window_);
  if (!window || !x11::Connection()) return;
  switch (role_) {
    case DesktopRole::Ordinary:
      if (!pinned_) return;
      break;
    case DesktopRole::Desktop:
      x11::SetProperty32(window, x11::Atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM,
                         {x11::Atom("_NET_WM_WINDOW_TYPE_DESKTOP")});
      break;
    case DesktopRole::ToolBelow:
      AddStates(window, managed,
                {x11::Atom("_NET_WM_STATE_BELOW"), x11::Atom("_NET_WM_STATE_SKIP_TASKBAR"),
                 x11::Atom("_NET_WM_STATE_SKIP_PAGER")});
      break;
  }
  // Openbox ignores _NET_WM_STATE_STICKY; the desktop number works everywhere.
  PutOnAllDesktops(window, managed);
}

bool OtherDesktopWindowListed(const QWidget* self) {
  const std::uint32_t root = x11::RootWindow();
  if (!root) return false;
  const std::uint32_t own = NativeWindow(self);
  for (std::uint32_t window : x11::Property32(root, x11::Atom("_NET_CLIENT_LIST"))) {
    if (window != own && IsDesktopType(window)) return true;
  }
  return false;
}

void SetKeepAbove(QWidget* window, bool above) {
  const std::uint32_t id = NativeWindow(window);
  if (!id || !x11::Connection()) return;
  const std::uint32_t property = x11::Atom("_NET_WM_STATE");
  const std::uint32_t state = x11::Atom("_NET_WM_STATE_ABOVE");
  // A shown window may not be mapped yet, or hidden by the window manager:
  // either way the window manager owns its states now.
  if (window->isVisible()) {
    x11::SendRootMessage(id, property,
                         {above ? kStateAdd : kStateRemove, state, 0, kSourceApplication, 0});
    return;
  }
  std::vector<std::uint32_t> states = x11::Property32(id, property);
  std::erase(states, state);
  if (above) states.push_back(state);
  x11::SetProperty32(id, property, XCB_ATOM_ATOM, states);
}

bool IsRaisedOverDesktop(const QWidget* window) {
  return window && (window->property(kSavedTypes).isValid() || IsKeptAbove(window));
}

bool IsKeptAbove(const QWidget* window) {
  const std::uint32_t id = NativeWindow(window);
  return id && Contains(x11::Property32(id, x11::Atom("_NET_WM_STATE")),
                        x11::Atom("_NET_WM_STATE_ABOVE"));
}

void RaiseOverDesktop(QWidget* window) {
  // A window the user hid stays hidden.
  if (!window || !window->isVisible() || !x11::Connection()) return;
  const std::uint32_t id = NativeWindow(window);
  if (!IsViewable(id) && ShowingDesktop(x11::RootWindow())) {
    // The window manager took it away with the other windows when it showed
    // the desktop. Window managers keep dock-type windows while they show
    // the desktop, and read the type when a window is mapped: map it anew
    // as one, until the pin timer drops it again.
    window->hide();
    const std::uint32_t typeAtom = x11::Atom("_NET_WM_WINDOW_TYPE");
    const std::vector<std::uint32_t> types = x11::Property32(id, typeAtom);
    window->setProperty(kSavedTypes,
                        QVariant::fromValue(QList<std::uint32_t>(types.begin(), types.end())));
    x11::SetProperty32(id, typeAtom, XCB_ATOM_ATOM, {x11::Atom("_NET_WM_WINDOW_TYPE_DOCK")});
    window->show();
  }
  SetKeepAbove(window, true);
}

void DropAmongWindows(QWidget* window) {
  if (!window || !window->isVisible() || !x11::Connection()) return;
  const std::uint32_t id = NativeWindow(window);
  SetKeepAbove(window, false);
  // Shown anew, it comes at the top of the ordinary windows.
  window->hide();
  // Qt merges what the property holds into the states it maps the window
  // with; the window manager may not have taken the state off it yet.
  SetKeepAbove(window, false);
  const QVariant saved = window->property(kSavedTypes);
  if (saved.isValid()) {
    const auto types = saved.value<QList<std::uint32_t>>();
    x11::SetProperty32(id, x11::Atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM,
                       std::vector<std::uint32_t>(types.begin(), types.end()));
    window->setProperty(kSavedTypes, QVariant());
  }
  window->show();
}

bool DesktopInFront() {
  const std::uint32_t root = x11::RootWindow();
  if (!root) return false;
  if (ShowingDesktop(root)) return true;
  const std::optional<std::uint32_t> active = ActiveWindow(root);
  if (!active) {
    // Not set yet: no window was active since the window manager started.
    // Without a window manager that keeps it there is nothing to go by.
    return Contains(x11::Property32(root, x11::Atom("_NET_SUPPORTED")),
                    x11::Atom("_NET_ACTIVE_WINDOW"));
  }
  return *active == 0 || IsDesktopType(*active);
}

bool OwnWindowActive() {
  const std::uint32_t root = x11::RootWindow();
  if (!root) return false;
  const std::uint32_t active = ActiveWindow(root).value_or(0);
  return active != 0 && IsOurWindow(active);
}

std::optional<QRect> ActiveWindowRect() {
  xcb_connection_t* c = x11::Connection();
  const std::uint32_t root = x11::RootWindow();
  if (!c || !root) return std::nullopt;
  const std::uint32_t window = ActiveWindow(root).value_or(0);
  if (window == 0) return std::nullopt;
  if (IsOurWindow(window) || IsDesktopType(window)) return std::nullopt;

  xcb_get_geometry_reply_t* geometry =
      xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
  if (!geometry) return std::nullopt;
  const QSize size(geometry->width, geometry->height);
  std::free(geometry);
  // Window managers reparent clients into frames: the position relative to
  // the parent is not the position on the screen.
  xcb_translate_coordinates_reply_t* origin =
      xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root, 0, 0), nullptr);
  if (!origin) return std::nullopt;
  const QPoint topLeft(origin->dst_x, origin->dst_y);
  std::free(origin);
  return QRect(topLeft, size);
}

std::optional<QRect> PrimaryScreenRect() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return std::nullopt;
  // X reports window geometry in device pixels.
  const QRect logical = screen->geometry();
  const qreal ratio = screen->devicePixelRatio();
  return QRect(qRound(logical.x() * ratio), qRound(logical.y() * ratio),
               qRound(logical.width() * ratio), qRound(logical.height() * ratio));
}

}  // namespace lumivane
