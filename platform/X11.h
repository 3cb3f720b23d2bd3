#pragma once
// Access to the X server behind Qt's xcb platform. Every function answers
// "not available" (null, 0, false) on other platforms, such as the offscreen
// one of the tests, so callers need no platform checks of their own.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct xcb_connection_t;

namespace lumivane::x11 {

xcb_connection_t* Connection();
std::uint32_t RootWindow();
int DefaultScreen();
std::uint32_t Atom(std::string_view name);
// The owner of a selection such as "_NET_WM_CM_S0"; 0 when none.
std::uint32_t SelectionOwner(std::string_view selection);
// The 32-bit items (CARDINAL, WINDOW, ATOM) of a window's property; empty
// when it is unset, of another format or cannot be read.
std::vector<std::uint32_t> Property32(std::uint32_t window, std::uint32_t property);
// Replaces a window's property with 32-bit items of the given type.
void SetProperty32(std::uint32_t window, std::uint32_t property, std::uint32_t type,
                   const std::vector<std::uint32_t>& values);
// An EWMH request about `window` (such as _NET_WM_STATE), sent to the root
// window as the window manager expects for mapped windows.
void SendRootMessage(std::uint32_t window, std::uint32_t type,
                     const std::array<std::uint32_t, 5>& data);
// The X Shape extension: a window's drawn (bounding) or input region, in
// device pixels relative to the window.
enum class ShapeKind { Bounding, Input };
struct ShapeRect {
  int x, y, width, height;
};
bool HasShape();
void SetShape(std::uint32_t window, ShapeKind kind, const std::vector<ShapeRect>& rects);

// Bits per pixel of the X pixmap format of the root window's depth; 0 when unknown.
int RootPixmapBitsPerPixel();
// Whether a pointer button is down now, as the X server sees it (not as the
// events handled so far say); nullopt where it cannot be asked.
std::optional<bool> PointerButtonDown();

}  // namespace lumivane::x11
