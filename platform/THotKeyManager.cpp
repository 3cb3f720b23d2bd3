#include "platform/THotKeyManager.h"

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/HotKeyCode.h"
#include "platform/X11.h"

namespace lumivane {
namespace {

constexpr std::uint8_t kXkbNewKeyboardNotify = 0, kXkbMapNotify = 1;

// The modifier bits (0-7) of each modifier in the server's map that holds
// one of the keysyms.
std::uint16_t ModifierMaskOf(xcb_connection_t* c, xcb_key_symbols_t* symbols,
                             std::initializer_list<xcb_keysym_t> keysyms) {
  std::vector<xcb_keycode_t> wanted;
  for (xcb_keysym_t keysym : keysyms) {
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
    for (xcb_keycode_t* k = codes; k && *k != XCB_NO_SYMBOL; ++k) wanted.push_back(*k);
    std::free(codes);
  }
  if (wanted.empty()) return 0;
  xcb_get_modifier_mapping_reply_t* reply =
      xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
  if (!reply) return 0;
  const xcb_keycode_t* map = xcb_get_modifier_mapping_keycodes(reply);
  const int perModifier = reply->keycodes_per_modifier;
  std::uint16_t mask = 0;
  for (int modifier = 0; modifier < 8; ++modifier) {
    for (int i = 0; i < perModifier; ++i) {
      const xcb_keycode_t k = map[modifier * perModifier + i];
      if (k != 0 && std::find(wanted.begin(), wanted.end(), k) != wanted.end()) {
        mask |= static_cast<std::uint16_t>(1u << modifier);
      }
    }
  }
  std::free(reply);
  return mask;
}

}  // namespace

THotKeyManager::THotKeyManager(QObject* parent) : QObject(parent) {
  xcb_connection_t* c = x11::Connection();
  if (!c) return;
  xcb_query_extension_reply_t* xkb =
      xcb_query_extension_reply(c, xcb_query_extension(c, 9, "XKEYBOARD"), nullptr);
  if (xkb) {
    if (xkb->present) xkbFirstEvent_ = xkb->first_event;
    std::free(xkb);
  }
  ReadKeyboard();
  QCoreApplication::instance()->installNativeEventFilter(this);
  filtering_ = true;
}

THotKeyManager::~THotKeyManager() {
  UnregisterAll();
  if (filtering_ && QCoreApplication::instance()) {
    QCoreApplication::instance()->removeNativeEventFilter(this);
  }
  if (symbols_) xcb_key_symbols_free(symbols_);
}

void THotKeyManager::ReadKeyboard() {
  xcb_connection_t* c = x11::Connection();
  if (!c) return;
  if (symbols_) xcb_key_symbols_free(symbols_);
  symbols_ = xcb_key_symbols_alloc(c);
  if (!symbols_) return;
  numLockMask_ = ModifierMaskOf(c, symbols_, {XK_Num_Lock});
  altMask_ = ModifierMaskOf(c, symbols_, {XK_Alt_L, XK_Alt_R});
  superMask_ = ModifierMaskOf(c, symbols_, {XK_Super_L, XK_Super_R});
  // Every common map has them there; a map without the keys still grabs
  // what the code means.
  if (!altMask_) altMask_ = kXAltMask;
  if (!superMask_) superMask_ = kXSuperMask;
}

bool THotKeyManager::Register(quint32 code) {
  if (IsRegistered(code)) return true;
  if (!x11::Connection() || !symbols_) return false;
  const std::optional<XHotKey> key = HotKeyToX(code);
  if (!key) return false;

  Entry entry{code, 0, {}, {}};
  if (key->modifiers & kXShiftMask) entry.modifiers |= XCB_MOD_MASK_SHIFT;
  if (key->modifiers & kXControlMask) entry.modifiers |= XCB_MOD_MASK_CONTROL;
  if (key->modifiers & kXAltMask) entry.modifiers |= altMask_;
  if (key->modifiers & kXSuperMask) entry.modifiers |= superMask_;
  xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols_, key->keysym);
  for (xcb_keycode_t* k = codes; k && *k != XCB_NO_SYMBOL; ++k) entry.keycodes.push_back(*k);
  std::free(codes);
  if (entry.keycodes.empty() || !GrabEntry(entry)) return false;
  entries_.push_back(std::move(entry));
  return true;
}

bool THotKeyManager::GrabEntry(Entry& entry) {
  xcb_connection_t* c = x11::Connection();
  const xcb_window_t root = x11::RootWindow();
  if (!c || !root) return false;
  // The key must work with CapsLock and NumLock on as well: a grab matches
  // the modifier state exactly.
  std::vector<std::uint16_t> variants = {0, XCB_MOD_MASK_LOCK};
  if (numLockMask_) {
    variants.push_back(numLockMask_);
    variants.push_back(static_cast<std::uint16_t>(numLockMask_ | XCB_MOD_MASK_LOCK));
  }
  struct Pending {
    Grab grab;
    xcb_void_cookie_t cookie;
  };
  std::vector<Pending> pending;
  for (std::uint8_t keycode : entry.keycodes) {
    for (std::uint16_t variant : variants) {
      const auto modifiers = static_cast<std::uint16_t>(entry.modifiers | variant);
      pending.push_back({{keycode, modifiers},
                         xcb_grab_key_checked(c, 1, root, modifiers, keycode, XCB_GRAB_MODE_ASYNC,
                                              XCB_GRAB_MODE_ASYNC)});
    }
  }
  std::vector<Grab> granted;
  bool refused = false;
  for (const Pending& p : pending) {
    // A checked request reports its error here instead of Qt's error log.
    xcb_generic_error_t* error = xcb_request_check(c, p.cookie);
    if (error) {
      // BadAccess: another client holds the combination.
      refused = true;
      std::free(error);
    } else {
      granted.push_back(p.grab);
    }
  }
  if (refused) {
    ReleaseGrabs(granted);
    return false;
  }
  entry.grabs = std::move(granted);
  return true;
}

void THotKeyManager::ReleaseGrabs(const std::vector<Grab>& grabs) {
  xcb_connection_t* c = x11::Connection();
  const xcb_window_t root = x11::RootWindow();
  if (!c || !root) return;
  for (const Grab& g : grabs) xcb_ungrab_key(c, g.keycode, root, g.modifiers);
  xcb_flush(c);
}

void THotKeyManager::UnregisterAll() {
  for (const Entry& e : entries_) ReleaseGrabs(e.grabs);
  entries_.clear();
}

bool THotKeyManager::IsRegistered(quint32 code) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [code](const Entry& e) { return e.code == code; });
}

std::vector<quint32> THotKeyManager::Codes() const {
  std::vector<quint32> codes;
  for (const Entry& e : entries_) codes.push_back(e.code);
  return codes;
}

bool THotKeyManager::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t" || !message) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const std::uint8_t type = event->response_type & 0x7F;

  if (type == XCB_MAPPING_NOTIFY) {
    ScheduleRenewal();
    return false;  // Qt follows the new map too
  }
  if (xkbFirstEvent_ && type == xkbFirstEvent_) {
    // The keyboard extension's events share one type; the second byte tells them apart.
    const std::uint8_t xkbType = reinterpret_cast<const std::uint8_t*>(event)[1];
    if (xkbType == kXkbNewKeyboardNotify || xkbType == kXkbMapNotify) ScheduleRenewal();
    return false;
  }
  if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;

  const auto* key = static_cast<const xcb_key_press_event_t*>(message);
  if (key->event != x11::RootWindow()) return false;
  const auto state =
      static_cast<std::uint16_t>(key->state & 0xFF & ~(XCB_MOD_MASK_LOCK | numLockMask_));
  for (const Entry& e : entries_) {
    if (e.modifiers != state ||
        std::find(e.keycodes.begin(), e.keycodes.end(), key->detail) == e.keycodes.end()) {
      continue;
    }
    if (type == XCB_KEY_PRESS) {
      const quint32 code = e.code;
      QMetaObject::invokeMethod(
          this, [this, code] { emit HotKeyPressed(code); }, Qt::QueuedConnection);
    }
    return true;
  }
  return false;
}

void THotKeyManager::ScheduleRenewal() {
  // A new keyboard map comes as a burst of notices: renew once after them.
  if (renewalPending_) return;
  renewalPending_ = true;
  QTimer::singleShot(0, this, &THotKeyManager::RenewGrabs);
}

void THotKeyManager::RenewGrabs() {
  renewalPending_ = false;
  std::vector<quint32> codes = Codes();
  UnregisterAll();
  ReadKeyboard();
  // A key that another program took meanwhile is lost, as any refused grab.
  for (quint32 code : codes) Register(code);
}

}  // namespace lumivane
