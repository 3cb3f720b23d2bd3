#include "platform/X11.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

namespace lumivane::x11 {

xcb_connection_t* Connection() {
  auto* app = qGuiApp;
  if (!app) return nullptr;
  auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

int DefaultScreen() {
  // Qt opens the display named by DISPLAY; its screen number follows the dot.
  const char* display = std::getenv("DISPLAY");
  if (!display) return 0;
  const std::string d(display);
  const size_t colon = d.rfind(':');
  const size_t dot = d.find('.', colon == std::string::npos ? 0 : colon);
  return dot == std::string::npos ? 0 : std::atoi(d.c_str() + dot + 1);
}

std::uint32_t RootWindow() {
  xcb_connection_t* c = Connection();
  if (!c) return 0;
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = DefaultScreen(); it.rem && i > 0; --i) xcb_screen_next(&it);
  return it.rem ? it.data->root : 0;
}

std::uint32_t Atom(std::string_view name) {
  xcb_connection_t* c = Connection();
  if (!c) return 0;
  auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data());
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
  if (!reply) return 0;
  const std::uint32_t atom = reply->atom;
  std::free(reply);
  return atom;
}

std::uint32_t SelectionOwner(std::string_view selection) {
  xcb_connection_t* c = Connection();
  const std::uint32_t atom = Atom(selection);
  if (!c || !atom) return 0;
  xcb_get_selection_owner_reply_t* reply =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom), nullptr);
  if (!reply) return 0;
  const std::uint32_t owner = reply->owner;
  std::free(reply);
  return owner;
}

}  // namespace lumivane::x11
