#include "platform/X11.h"

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>
#include <unordered_map>

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
  // An atom stays the same for the server's life: asked once per name, as
  // the pin timer and the desktop checks ask for the same few every tick.
  static std::unordered_map<std::string, std::uint32_t> known;
  const std::string key(name);
  if (const auto found = known.find(key); found != known.end()) return found->second;
  xcb_connection_t* c = Connection();
  if (!c) return 0;
  auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data());
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
  if (!reply) return 0;
  const std::uint32_t atom = reply->atom;
  std::free(reply);
  if (atom != 0) known.emplace(key, atom);
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

std::vector<std::uint32_t> Property32(std::uint32_t window, std::uint32_t property) {
  xcb_connection_t* c = Connection();
  if (!c || !window || !property) return {};
  auto cookie = xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
  if (!reply) return {};
  std::vector<std::uint32_t> values;
  if (reply->format == 32) {
    const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    values.assign(data, data + xcb_get_property_value_length(reply) / 4);
  }
  std::free(reply);
  return values;
}

void SetProperty32(std::uint32_t window, std::uint32_t property, std::uint32_t type,
                   const std::vector<std::uint32_t>& values) {
  xcb_connection_t* c = Connection();
  if (!c || !window || !property) return;
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, type, 32,
                      static_cast<std::uint32_t>(values.size()), values.data());
  xcb_flush(c);
}

void SendRootMessage(std::uint32_t window, std::uint32_t type,
                     const std::array<std::uint32_t, 5>& data) {
  xcb_connection_t* c = Connection();
  const std::uint32_t root = RootWindow();
  if (!c || !root || !window || !type) return;
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = type;
  for (size_t i = 0; i < data.size(); ++i) event.data.data32[i] = data[i];
  xcb_send_event(c, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&event));
  xcb_flush(c);
}

bool HasShape() {
  xcb_connection_t* c = Connection();
  if (!c) return false;
  const xcb_query_extension_reply_t* shape = xcb_get_extension_data(c, &xcb_shape_id);
  return shape && shape->present;
}

void SetShape(std::uint32_t window, ShapeKind kind, const std::vector<ShapeRect>& rects) {
  xcb_connection_t* c = Connection();
  if (!c || !window || !HasShape()) return;
  std::vector<xcb_rectangle_t> list;
  list.reserve(rects.size());
  for (const ShapeRect& r : rects) {
    list.push_back({static_cast<std::int16_t>(r.x), static_cast<std::int16_t>(r.y),
                    static_cast<std::uint16_t>(r.width), static_cast<std::uint16_t>(r.height)});
  }
  xcb_shape_rectangles(c, XCB_SHAPE_SO_SET,
                       kind == ShapeKind::Input ? XCB_SHAPE_SK_INPUT : XCB_SHAPE_SK_BOUNDING,
                       XCB_CLIP_ORDERING_UNSORTED, window, 0, 0,
                       static_cast<std::uint32_t>(list.size()), list.data());
  xcb_flush(c);
}

int RootPixmapBitsPerPixel() {
  xcb_connection_t* c = Connection();
  if (!c) return 0;
  const xcb_setup_t* setup = xcb_get_setup(c);
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
  for (int i = DefaultScreen(); it.rem && i > 0; --i) xcb_screen_next(&it);
  if (!it.rem) return 0;
  const std::uint8_t depth = it.data->root_depth;
  const xcb_format_t* formats = xcb_setup_pixmap_formats(setup);
  const int count = xcb_setup_pixmap_formats_length(setup);
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == depth) return formats[i].bits_per_pixel;
  }
  return 0;
}

std::optional<bool> PointerButtonDown() {
  xcb_connection_t* c = Connection();
  const std::uint32_t root = RootWindow();
  if (!c || !root) return std::nullopt;
  xcb_query_pointer_reply_t* reply =
      xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr);
  if (!reply) return std::nullopt;
  const std::uint16_t buttons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3 |
                                XCB_BUTTON_MASK_4 | XCB_BUTTON_MASK_5;
  const bool down = (reply->mask & buttons) != 0;
  std::free(reply);
  return down;
}

}  // namespace lumivane::x11
