#pragma once
// The stored shortcut code of the refresh hot key and its two other forms:
// an X key grab (modifier mask and keysym) and a QKeySequence for menus and
// the shortcut editor. The code keeps the Windows virtual-key code in bits
// 0-7, so a value written on Windows means the same key here.
#include <QKeySequence>
#include <cstdint>
#include <optional>

namespace lumivane {

inline constexpr std::uint32_t kHotKeyShift = 0x2000;
inline constexpr std::uint32_t kHotKeyCtrl = 0x4000;
inline constexpr std::uint32_t kHotKeyAlt = 0x8000;
inline constexpr std::uint32_t kHotKeyWin = 0x10000;

// The core X modifier masks the code's modifiers stand for. Alt and the
// logo key sit on Mod1 and Mod4 in every common keyboard map; the hot key
// manager reads the real ones from the server's modifier map.
inline constexpr std::uint16_t kXShiftMask = 0x0001;
inline constexpr std::uint16_t kXControlMask = 0x0004;
inline constexpr std::uint16_t kXAltMask = 0x0008;    // Mod1
inline constexpr std::uint16_t kXSuperMask = 0x0040;  // Mod4

struct XHotKey {
  std::uint16_t modifiers = 0;  // a combination of the masks above
  std::uint32_t keysym = 0;
  friend bool operator==(const XHotKey&, const XHotKey&) = default;
};

// The unshifted keysym of a Windows virtual-key code; 0 for codes without a
// key here (mouse buttons, IME keys, unassigned codes).
std::uint32_t VirtualKeyToKeysym(int virtualKey);
// The virtual-key code of a keysym (either case of a letter, either keysym of
// a numeric keypad key); 0 when there is none.
int KeysymToVirtualKey(std::uint32_t keysym);

// The grab for a stored code; none for code 0 or a key that has no keysym.
std::optional<XHotKey> HotKeyToX(std::uint32_t code);
// The stored code of a key event (other modifier bits, such as the locks,
// are ignored); none for a key without a virtual-key code.
std::optional<std::uint32_t> HotKeyFromX(std::uint16_t modifiers, std::uint32_t keysym);

// The key sequence a menu shows for a code; empty for code 0 or an unknown key.
QKeySequence HotKeyToKeySequence(std::uint32_t code);
// The code of a key sequence's first combination; 0 when it is empty or its
// key has no virtual-key code.
std::uint32_t HotKeyFromKeySequence(const QKeySequence& sequence);

}  // namespace lumivane
