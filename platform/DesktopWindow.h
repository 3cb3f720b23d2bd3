#pragma once
// The main window's roles on an X11 desktop.
//
// Parent mode: the window lives on the desktop itself, below every other
// window, on all workspaces, and stays visible while the desktop is shown.
// It is a desktop-type window; when another desktop-type window is already
// there (a file manager's desktop), which would cover ours, it is a frameless
// tool window kept below the others instead.
//
// Pin mode: an ordinary frameless tool window on every workspace that the pin
// timer raises above all others while the desktop is in front (see the
// functions below).
//
// Everything here is a no-op where there is no X11 connection.
#include <QObject>
#include <QRect>
#include <optional>

class QWidget;

namespace lumivane {

enum class DesktopRole {
  Ordinary,   // pin mode, or not attached
  Desktop,    // _NET_WM_WINDOW_TYPE_DESKTOP
  ToolBelow,  // frameless tool window kept below, on every workspace
};

// Keeps a top-level widget in its role: the window type and states are set
// when Qt creates the native window and again whenever it creates it anew
// (setWindowFlags does that and drops whatever was set by hand).
class DesktopWindow : public QObject {
  Q_OBJECT

 public:
  // Becomes a child of `window`, so it lives as long as the window.
  explicit DesktopWindow(QWidget* window);

  // Parent mode; call before the window is first shown. Returns the role taken.
  DesktopRole AttachToDesktop();
  // Pin mode: a frameless tool window that is shown without taking the focus.
  void AttachForPinning();

  DesktopRole Role() const { return role_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // `managed`: the window is mapped or its mapping was asked for.
  void ApplyRole(bool managed);

  QWidget* window_;
  DesktopRole role_ = DesktopRole::Ordinary;
  bool pinned_ = false;
};

// True when a window other than `self` listed in _NET_CLIENT_LIST has the
// desktop window type.
bool OtherDesktopWindowListed(const QWidget* self);

// Pin mode: makes the window topmost (_NET_WM_STATE_ABOVE) and shows it,
// mapping it again if the window manager hid it for the shown desktop.
void RaiseOverDesktop(QWidget* window);
// Pin mode: ends the topmost state and puts the window back at the top of
// the ordinary windows (hidden and shown again, without taking the focus).
void DropAmongWindows(QWidget* window);
// Pin mode: the window is topmost or mapped as a dock over the shown desktop.
bool IsRaisedOverDesktop(const QWidget* window);
// Sets or clears _NET_WM_STATE_ABOVE of a shown window.
void SetKeepAbove(QWidget* window, bool above);
// Whether the window manager lists _NET_WM_STATE_ABOVE for the window.
bool IsKeptAbove(const QWidget* window);

// The desktop is in front when the active window is a desktop-type window,
// when no window is active (the bare root was clicked), or while the window
// manager shows the desktop. False without a window manager that tells.
bool DesktopInFront();

// True while one of the program's own windows is the active one (the user
// works with the display or its menu).
bool OwnWindowActive();

// The root-relative rectangle of the active window; none when it cannot be
// read, when no window is active, or when it is one of ours or a desktop-type
// window.
std::optional<QRect> ActiveWindowRect();
// The primary screen's rectangle; none without a screen.
std::optional<QRect> PrimaryScreenRect();

}  // namespace lumivane
