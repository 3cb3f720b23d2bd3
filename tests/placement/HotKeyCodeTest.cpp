#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "platform/HotKeyCode.h"

namespace lumivane {
namespace {

TEST(HotKeyCode, CtrlAltRToTheGrabAndBack) {
  const std::optional<XHotKey> key = HotKeyToX(0xC052);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->modifiers, kXControlMask | kXAltMask);
  EXPECT_EQ(key->keysym, static_cast<std::uint32_t>(XK_r));
  EXPECT_EQ(HotKeyFromX(key->modifiers, key->keysym), 0xC052u);
  // The event of the shifted keysym, and with the lock modifiers on, is the same key.
  EXPECT_EQ(HotKeyFromX(kXControlMask | kXAltMask | 0x02 | 0x10, XK_R), 0xC052u);
}

TEST(HotKeyCode, EveryModifierBitMapsOnItsOwn) {
  EXPECT_EQ(HotKeyToX(0x2041)->modifiers, kXShiftMask);
  EXPECT_EQ(HotKeyToX(0x4041)->modifiers, kXControlMask);
  EXPECT_EQ(HotKeyToX(0x8041)->modifiers, kXAltMask);
  EXPECT_EQ(HotKeyToX(0x10041)->modifiers, kXSuperMask);
  EXPECT_EQ(HotKeyToX(0x1E041)->modifiers, kXShiftMask | kXControlMask | kXAltMask | kXSuperMask);
  // Bits 8-12 carry nothing here (a Windows hot key control's extended-key flag).
  EXPECT_EQ(HotKeyToX(0x0870)->modifiers, 0);
  EXPECT_EQ(HotKeyToX(0x0870)->keysym, static_cast<std::uint32_t>(XK_F1));
}

TEST(HotKeyCode, NoKeyGivesNoGrab) {
  EXPECT_FALSE(HotKeyToX(0));
  EXPECT_FALSE(HotKeyToX(0xC000));  // modifiers alone
  EXPECT_FALSE(HotKeyToX(0x4001));  // VK_LBUTTON, a mouse button
  EXPECT_FALSE(HotKeyToX(0x40E5));  // VK_PROCESSKEY
  EXPECT_FALSE(HotKeyFromX(kXControlMask, XK_Shift_L));
}

struct KeyCase {
  int virtualKey;
  std::uint32_t keysym;
};

TEST(HotKeyCode, VirtualKeysMapToKeysymsAndBack) {
  const KeyCase cases[] = {
      {'A', XK_a},
      {'Z', XK_z},
      {'0', XK_0},
      {'9', XK_9},
      {0x70, XK_F1},
      {0x7B, XK_F12},
      {0x87, XK_F24},
      {0x25, XK_Left},
      {0x26, XK_Up},
      {0x27, XK_Right},
      {0x28, XK_Down},
      {0x24, XK_Home},
      {0x23, XK_End},
      {0x21, XK_Prior},
      {0x22, XK_Next},
      {0x2D, XK_Insert},
      {0x2E, XK_Delete},
      {0x60, XK_KP_0},
      {0x69, XK_KP_9},
      {0x6A, XK_KP_Multiply},
      {0x6B, XK_KP_Add},
      {0x6D, XK_KP_Subtract},
      {0x6E, XK_KP_Decimal},
      {0x6F, XK_KP_Divide},
      {0xBA, XK_semicolon},
      {0xBB, XK_equal},
      {0xBC, XK_comma},
      {0xBD, XK_minus},
      {0xBE, XK_period},
      {0xBF, XK_slash},
      {0xC0, XK_grave},
      {0xDB, XK_bracketleft},
      {0xDC, XK_backslash},
      {0xDD, XK_bracketright},
      {0xDE, XK_apostrophe},
      {0xE2, XK_less},
      {0x20, XK_space},
      {0x0D, XK_Return},
      {0x1B, XK_Escape},
      {0x2C, XK_Print},
      {0x13, XK_Pause},
      {0xAF, XF86XK_AudioRaiseVolume},
      {0xB3, XF86XK_AudioPlay},
  };
  for (const KeyCase& c : cases) {
    EXPECT_EQ(VirtualKeyToKeysym(c.virtualKey), c.keysym) << std::hex << c.virtualKey;
    EXPECT_EQ(KeysymToVirtualKey(c.keysym), c.virtualKey) << std::hex << c.keysym;
  }
}

TEST(HotKeyCode, SecondKeysymsOfAKeyGiveItsVirtualKey) {
  EXPECT_EQ(KeysymToVirtualKey(XK_R), 'R');
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Insert), 0x60);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Prior), 0x69);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Delete), 0x6E);
  EXPECT_EQ(KeysymToVirtualKey(XK_KP_Enter), 0x0D);
  EXPECT_EQ(KeysymToVirtualKey(XK_Shift_L), 0);
  EXPECT_EQ(VirtualKeyToKeysym(0x07), 0u);  // unassigned
}

TEST(HotKeyCode, KeySequenceOfTheMenu) {
  EXPECT_EQ(HotKeyToKeySequence(0xC052).toString(QKeySequence::PortableText),
            QStringLiteral("Ctrl+Alt+R"));
  EXPECT_EQ(HotKeyToKeySequence(0x2000 | 0x75).toString(QKeySequence::PortableText),
            QStringLiteral("Shift+F6"));
  EXPECT_EQ(HotKeyToKeySequence(0x10000 | 0x4000 | 0x25).toString(QKeySequence::PortableText),
            QStringLiteral("Meta+Ctrl+Left"));
  EXPECT_EQ(HotKeyToKeySequence(0x4000 | 0x6B).toString(QKeySequence::PortableText),
            QStringLiteral("Ctrl+Num++"));
  EXPECT_TRUE(HotKeyToKeySequence(0).isEmpty());
  EXPECT_TRUE(HotKeyToKeySequence(0x4001).isEmpty());
}

TEST(HotKeyCode, KeySequenceBackToTheCode) {
  for (std::uint32_t code :
       {0xC052u, 0x2075u, 0x14025u, 0x406Bu, 0x4060u, 0x80DEu, 0x87u, 0xE0BAu, 0x4020u}) {
    EXPECT_EQ(HotKeyFromKeySequence(HotKeyToKeySequence(code)), code) << std::hex << code;
  }
  // What a shortcut editor records for a shifted key on a US keyboard.
  EXPECT_EQ(
      HotKeyFromKeySequence(QKeySequence(Qt::ShiftModifier | Qt::ControlModifier | Qt::Key_Exclam)),
      0x6031u);
  EXPECT_EQ(HotKeyFromKeySequence(QKeySequence(Qt::ShiftModifier | Qt::Key_Plus)), 0x20BBu);
  EXPECT_EQ(HotKeyFromKeySequence(QKeySequence(Qt::ShiftModifier | Qt::Key_Backtab)), 0x2009u);
  EXPECT_EQ(HotKeyFromKeySequence(QKeySequence(Qt::KeypadModifier | Qt::Key_Enter)), 0x0Du);
  EXPECT_EQ(HotKeyFromKeySequence(QKeySequence(Qt::ControlModifier | Qt::Key_unknown)), 0u);
  EXPECT_EQ(HotKeyFromKeySequence(QKeySequence()), 0u);
}

}  // namespace
}  // namespace lumivane
