#pragma once
// Access to the X server behind Qt's xcb platform. Every function answers
// "not available" (null, 0, false) on other platforms, such as the offscreen
// one of the tests, so callers need no platform checks of their own.
#include <cstdint>
#include <string_view>

struct xcb_connection_t;

namespace lumivane::x11 {

xcb_connection_t* Connection();
std::uint32_t RootWindow();
int DefaultScreen();
std::uint32_t Atom(std::string_view name);
// The owner of a selection such as "_NET_WM_CM_S0"; 0 when none.
std::uint32_t SelectionOwner(std::string_view selection);

}  // namespace lumivane::x11
