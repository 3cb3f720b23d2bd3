#include "platform/HotKeyCode.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <utility>

namespace lumivane {
namespace {

constexpr std::uint32_t kVirtualKeyMask = 0xFF;
constexpr std::uint32_t kModifierMask = kHotKeyShift | kHotKeyCtrl | kHotKeyAlt | kHotKeyWin;

struct KeyEntry {
  int virtualKey;
  std::uint32_t keysym;  // the key's unshifted symbol
  int qtKey;
  bool keypad;  // Qt tells numeric keypad keys by a modifier
};

// Windows virtual-key codes with a key of their own on X keyboards. Letters,
// digits and the function keys follow as ranges in the functions below.
constexpr KeyEntry kKeys[] = {
    {0x08, XK_BackSpace, Qt::Key_Backspace, false},
    {0x09, XK_Tab, Qt::Key_Tab, false},
    {0x0C, XK_Clear, Qt::Key_Clear, false},
    {0x0D, XK_Return, Qt::Key_Return, false},
    {0x13, XK_Pause, Qt::Key_Pause, false},
    {0x14, XK_Caps_Lock, Qt::Key_CapsLock, false},
    {0x1B, XK_Escape, Qt::Key_Escape, false},
    {0x20, XK_space, Qt::Key_Space, false},
    {0x21, XK_Prior, Qt::Key_PageUp, false},
    {0x22, XK_Next, Qt::Key_PageDown, false},
    {0x23, XK_End, Qt::Key_End, false},
    {0x24, XK_Home, Qt::Key_Home, false},
    {0x25, XK_Left, Qt::Key_Left, false},
    {0x26, XK_Up, Qt::Key_Up, false},
    {0x27, XK_Right, Qt::Key_Right, false},
    {0x28, XK_Down, Qt::Key_Down, false},
    {0x29, XK_Select, Qt::Key_Select, false},
    {0x2B, XK_Execute, Qt::Key_Execute, false},
    {0x2C, XK_Print, Qt::Key_Print, false},  // VK_SNAPSHOT, the Print Screen key
    {0x2D, XK_Insert, Qt::Key_Insert, false},
    {0x2E, XK_Delete, Qt::Key_Delete, false},
    {0x2F, XK_Help, Qt::Key_Help, false},
    {0x5B, XK_Super_L, Qt::Key_Super_L, false},
    {0x5C, XK_Super_R, Qt::Key_Super_R, false},
    {0x5D, XK_Menu, Qt::Key_Menu, false},
    {0x5F, XF86XK_Sleep, Qt::Key_Sleep, false},
    {0x60, XK_KP_0, Qt::Key_0, true},
    {0x61, XK_KP_1, Qt::Key_1, true},
    {0x62, XK_KP_2, Qt::Key_2, true},
    {0x63, XK_KP_3, Qt::Key_3, true},
    {0x64, XK_KP_4, Qt::Key_4, true},
    {0x65, XK_KP_5, Qt::Key_5, true},
    {0x66, XK_KP_6, Qt::Key_6, true},
    {0x67, XK_KP_7, Qt::Key_7, true},
    {0x68, XK_KP_8, Qt::Key_8, true},
    {0x69, XK_KP_9, Qt::Key_9, true},
    {0x6A, XK_KP_Multiply, Qt::Key_Asterisk, true},
    {0x6B, XK_KP_Add, Qt::Key_Plus, true},
    {0x6C, XK_KP_Separator, Qt::Key_Comma, true},
    {0x6D, XK_KP_Subtract, Qt::Key_Minus, true},
    {0x6E, XK_KP_Decimal, Qt::Key_Period, true},
    {0x6F, XK_KP_Divide, Qt::Key_Slash, true},
    {0x90, XK_Num_Lock, Qt::Key_NumLock, false},
    {0x91, XK_Scroll_Lock, Qt::Key_ScrollLock, false},
    {0xA6, XF86XK_Back, Qt::Key_Back, false},
    {0xA7, XF86XK_Forward, Qt::Key_Forward, false},
    {0xA8, XF86XK_Refresh, Qt::Key_Refresh, false},
    {0xA9, XF86XK_Stop, Qt::Key_Stop, false},
    {0xAA, XF86XK_Search, Qt::Key_Search, false},
    {0xAB, XF86XK_Favorites, Qt::Key_Favorites, false},
    {0xAC, XF86XK_HomePage, Qt::Key_HomePage, false},
    {0xAD, XF86XK_AudioMute, Qt::Key_VolumeMute, false},
    {0xAE, XF86XK_AudioLowerVolume, Qt::Key_VolumeDown, false},
    {0xAF, XF86XK_AudioRaiseVolume, Qt::Key_VolumeUp, false},
    {0xB0, XF86XK_AudioNext, Qt::Key_MediaNext, false},
    {0xB1, XF86XK_AudioPrev, Qt::Key_MediaPrevious, false},
    {0xB2, XF86XK_AudioStop, Qt::Key_MediaStop, false},
    {0xB3, XF86XK_AudioPlay, Qt::Key_MediaPlay, false},
    {0xB4, XF86XK_Mail, Qt::Key_LaunchMail, false},
    {0xB5, XF86XK_AudioMedia, Qt::Key_LaunchMedia, false},
    {0xB6, XF86XK_MyComputer, Qt::Key_Launch0, false},
    {0xB7, XF86XK_Calculator, Qt::Key_Launch1, false},
    // The punctuation keys (VK_OEM_*) by their place on a US keyboard.
    {0xBA, XK_semicolon, Qt::Key_Semicolon, false},
    {0xBB, XK_equal, Qt::Key_Equal, false},
    {0xBC, XK_comma, Qt::Key_Comma, false},
    {0xBD, XK_minus, Qt::Key_Minus, false},
    {0xBE, XK_period, Qt::Key_Period, false},
    {0xBF, XK_slash, Qt::Key_Slash, false},
    {0xC0, XK_grave, Qt::Key_QuoteLeft, false},
    {0xDB, XK_bracketleft, Qt::Key_BracketLeft, false},
    {0xDC, XK_backslash, Qt::Key_Backslash, false},
    {0xDD, XK_bracketright, Qt::Key_BracketRight, false},
    {0xDE, XK_apostrophe, Qt::Key_Apostrophe, false},
    {0xE2, XK_less, Qt::Key_Less, false},  // VK_OEM_102, the extra key of ISO keyboards
};

// Second names of the same keys: the keypad's keysyms with NumLock off, the
// Enter key of the keypad.
constexpr std::pair<std::uint32_t, int> kKeysymAliases[] = {
    {XK_KP_Insert, 0x60}, {XK_KP_End, 0x61},   {XK_KP_Down, 0x62},   {XK_KP_Next, 0x63},
    {XK_KP_Left, 0x64},   {XK_KP_Begin, 0x65}, {XK_KP_Right, 0x66},  {XK_KP_Home, 0x67},
    {XK_KP_Up, 0x68},     {XK_KP_Prior, 0x69}, {XK_KP_Delete, 0x6E}, {XK_KP_Enter, 0x0D},
};

// A shortcut editor reports the symbol a shifted key types; on a US keyboard
// these are the keys behind them (the Shift stays in the combination).
constexpr std::pair<int, int> kShiftedQtKeys[] = {
    {Qt::Key_Exclam, '1'},      {Qt::Key_At, '2'},         {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},      {Qt::Key_Percent, '5'},    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},   {Qt::Key_Asterisk, '8'},   {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},  {Qt::Key_Colon, 0xBA},     {Qt::Key_Plus, 0xBB},
    {Qt::Key_Underscore, 0xBD}, {Qt::Key_Greater, 0xBE},   {Qt::Key_Question, 0xBF},
    {Qt::Key_AsciiTilde, 0xC0}, {Qt::Key_BraceLeft, 0xDB}, {Qt::Key_Bar, 0xDC},
    {Qt::Key_BraceRight, 0xDD}, {Qt::Key_QuoteDbl, 0xDE},  {Qt::Key_Enter, 0x0D},
    {Qt::Key_Backtab, 0x09},
};

constexpr int kF1 = 0x70, kF24 = 0x87;

const KeyEntry* FindByVirtualKey(int virtualKey) {
  for (const KeyEntry& e : kKeys) {
    if (e.virtualKey == virtualKey) return &e;
  }
  return nullptr;
}

// The Qt key and keypad flag of a virtual-key code; key 0 when there is none.
std::pair<int, bool> VirtualKeyToQt(int vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return {vk, false};  // same values
  if (vk >= kF1 && vk <= kF24) return {Qt::Key_F1 + (vk - kF1), false};
  if (const KeyEntry* e = FindByVirtualKey(vk)) return {e->qtKey, e->keypad};
  return {0, false};
}

int QtToVirtualKey(int key, bool keypad) {
  if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
  if (!keypad && ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))) return key;
  if (!keypad && key >= Qt::Key_F1 && key <= Qt::Key_F24) return kF1 + (key - Qt::Key_F1);
  for (const KeyEntry& e : kKeys) {
    if (e.qtKey == key && e.keypad == keypad) return e.virtualKey;
  }
  // A keypad key Qt names without a keypad entry of ours (Enter, or the
  // arrows with NumLock off) is the main block's key of that name.
  if (keypad) return QtToVirtualKey(key, false);
  for (const auto& [qtKey, vk] : kShiftedQtKeys) {
    if (qtKey == key) return vk;
  }
  return 0;
}

}  // namespace

std::uint32_t VirtualKeyToKeysym(int vk) {
  if (vk >= '0' && vk <= '9') return static_cast<std::uint32_t>(vk);  // XK_0 .. XK_9
  if (vk >= 'A' && vk <= 'Z') return static_cast<std::uint32_t>(vk - 'A' + XK_a);
  if (vk >= kF1 && vk <= kF24) return static_cast<std::uint32_t>(XK_F1 + (vk - kF1));
  const KeyEntry* e = FindByVirtualKey(vk);
  return e ? e->keysym : 0;
}

int KeysymToVirtualKey(std::uint32_t keysym) {
  if (keysym >= XK_0 && keysym <= XK_9) return static_cast<int>(keysym);
  if (keysym >= XK_a && keysym <= XK_z) return static_cast<int>(keysym - XK_a + 'A');
  if (keysym >= XK_A && keysym <= XK_Z) return static_cast<int>(keysym);
  if (keysym >= XK_F1 && keysym <= XK_F24) return kF1 + static_cast<int>(keysym - XK_F1);
  for (const KeyEntry& e : kKeys) {
    if (e.keysym == keysym) return e.virtualKey;
  }
  for (const auto& [alias, vk] : kKeysymAliases) {
    if (alias == keysym) return vk;
  }
  return 0;
}

std::optional<XHotKey> HotKeyToX(std::uint32_t code) {
  const std::uint32_t keysym = VirtualKeyToKeysym(static_cast<int>(code & kVirtualKeyMask));
  if (keysym == 0) return std::nullopt;
  XHotKey key;
  key.keysym = keysym;
  if (code & kHotKeyShift) key.modifiers |= kXShiftMask;
  if (code & kHotKeyCtrl) key.modifiers |= kXControlMask;
  if (code & kHotKeyAlt) key.modifiers |= kXAltMask;
  if (code & kHotKeyWin) key.modifiers |= kXSuperMask;
  return key;
}

std::optional<std::uint32_t> HotKeyFromX(std::uint16_t modifiers, std::uint32_t keysym) {
  const int vk = KeysymToVirtualKey(keysym);
  if (vk == 0) return std::nullopt;
  std::uint32_t code = static_cast<std::uint32_t>(vk);
  if (modifiers & kXShiftMask) code |= kHotKeyShift;
  if (modifiers & kXControlMask) code |= kHotKeyCtrl;
  if (modifiers & kXAltMask) code |= kHotKeyAlt;
  if (modifiers & kXSuperMask) code |= kHotKeyWin;
  return code;
}

QKeySequence HotKeyToKeySequence(std::uint32_t code) {
  const auto [key, keypad] = VirtualKeyToQt(static_cast<int>(code & kVirtualKeyMask));
  if (key == 0) return QKeySequence();
  Qt::KeyboardModifiers modifiers;
  if (code & kHotKeyShift) modifiers |= Qt::ShiftModifier;
  if (code & kHotKeyCtrl) modifiers |= Qt::ControlModifier;
  if (code & kHotKeyAlt) modifiers |= Qt::AltModifier;
  if (code & kHotKeyWin) modifiers |= Qt::MetaModifier;
  if (keypad) modifiers |= Qt::KeypadModifier;
  return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

std::uint32_t HotKeyFromKeySequence(const QKeySequence& sequence) {
  if (sequence.isEmpty()) return 0;
  const QKeyCombination combination = sequence[0];
  const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
  const int vk = QtToVirtualKey(combination.key(), modifiers.testFlag(Qt::KeypadModifier));
  if (vk == 0) return 0;
  std::uint32_t code = static_cast<std::uint32_t>(vk);
  if (modifiers & Qt::ShiftModifier) code |= kHotKeyShift;
  if (modifiers & Qt::ControlModifier) code |= kHotKeyCtrl;
  if (modifiers & Qt::AltModifier) code |= kHotKeyAlt;
  if (modifiers & Qt::MetaModifier) code |= kHotKeyWin;
  return code & (kVirtualKeyMask | kModifierMask);
}

}  // namespace lumivane
