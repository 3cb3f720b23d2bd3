// Where there is no X server (Qt's offscreen platform here, a headless run),
// every X11 piece answers "not available" and changes nothing.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QWidget>

#include "platform/DesktopWindow.h"
#include "platform/THotKeyManager.h"

namespace lumivane {
namespace {

TEST(NoX11, HotKeysRegisterNothingAndSayNothing) {
  THotKeyManager manager;
  QSignalSpy spy(&manager, &THotKeyManager::HotKeyPressed);
  EXPECT_FALSE(manager.Register(0xC052));
  EXPECT_FALSE(manager.IsRegistered(0xC052));
  EXPECT_TRUE(manager.Codes().empty());
  manager.UnregisterAll();
  EXPECT_EQ(spy.count(), 0);
}

TEST(NoX11, DesktopRolesLeaveTheWindowAsItIs) {
  QWidget window(nullptr, Qt::FramelessWindowHint | Qt::Tool);
  DesktopWindow desktop(&window);
  EXPECT_EQ(desktop.AttachToDesktop(), DesktopRole::Ordinary);
  EXPECT_EQ(window.windowFlags(), Qt::FramelessWindowHint | Qt::Tool);
  window.show();
  RaiseOverDesktop(&window);
  EXPECT_FALSE(IsKeptAbove(&window));
  DropAmongWindows(&window);
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(DesktopInFront());
  EXPECT_FALSE(ActiveWindowRect());
  EXPECT_FALSE(OtherDesktopWindowListed(&window));
  // The screen is known to Qt even without X.
  EXPECT_TRUE(PrimaryScreenRect());
}

}  // namespace
}  // namespace lumivane
