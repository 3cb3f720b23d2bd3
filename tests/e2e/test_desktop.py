"""The window on the desktop: dragging with edge snapping, Ctrl to place it
freely, locking, restoring the position, hiding and showing, the hot key,
the see-through background and pin mode."""
import os
import re
import subprocess
import time
import unittest

from harness import BINARY, DesktopTestCase, wait_until

PROBE = os.environ.get("LUMIVANE_PLACEMENT_PROBE", "")


def stored(text, name):
    match = re.search(r'"%s"=dword:([0-9a-f]{8})' % name, text)
    value = int(match.group(1), 16)
    return value - (1 << 32) if value & 0x80000000 else value


class Desktop(DesktopTestCase):
    xserver_options = {"tray": True}

    def start(self, **settings):
        self.app.make_sample_store()
        values = {"WindowLeft": 300, "WindowTop": 200}
        values.update(settings)
        self.app.write_settings(values)
        self.app.start()
        self.window = self.app.main_window()
        self.assertIsNotNone(self.window)
        wait_until(lambda: self.x.geometry(self.window)[0] == values["WindowLeft"], 5)
        return self.window

    def position(self):
        x, y, _, _ = self.x.geometry(self.window)
        return x, y

    def drag(self, to_x, to_y, ctrl=False):
        """Presses on the calendar heading's picture (clicks on see-through
        pixels reach the desktop) and moves the pointer by the distance."""
        x, y = self.position()
        xdo = ["xdotool"]
        self.x.run(xdo + ["mousemove", str(x + 9), str(y + 9)])
        if ctrl:
            self.x.run(xdo + ["keydown", "ctrl"])
        self.x.run(xdo + ["mousedown", "1"])
        for step in (0.5, 1.0):
            self.x.run(xdo + ["mousemove", str(int(x + 9 + (to_x - x) * step)),
                              str(int(y + 9 + (to_y - y) * step))])
            time.sleep(0.1)
        self.x.run(xdo + ["mouseup", "1"])
        if ctrl:
            self.x.run(xdo + ["keyup", "ctrl"])
        time.sleep(0.3)

    def menu(self, key):
        """Opens the display's popup menu and chooses an item by access key."""
        x, y = self.position()
        self.x.run(["xdotool", "mousemove", str(x + 9), str(y + 9), "click", "3"])
        time.sleep(0.5)
        self.x.run(["xdotool", "key", key])
        time.sleep(0.5)

    def test_drag_snaps_to_the_work_area_edge_and_ctrl_places_freely(self):
        self.start()
        self.drag(2, 200)
        self.assertEqual(self.position(), (0, 200))
        self.drag(3, 200)
        self.assertEqual(self.position(), (3, 200))
        # Held Ctrl places the window freely, even within the snap distance.
        self.drag(1, 200, ctrl=True)
        self.assertEqual(self.position(), (1, 200))

    def test_locking_saves_the_position_at_once_and_stops_dragging(self):
        self.start()
        self.drag(150, 250)
        self.assertEqual(self.position(), (150, 250))
        self.menu("w")
        text = self.app.read_settings()
        self.assertEqual((stored(text, "WindowLeft"), stored(text, "WindowTop")), (150, 250))
        self.drag(400, 400)
        self.assertEqual(self.position(), (150, 250))
        self.assertEqual(self.app.stop(), 0)
        self.assertEqual(stored(self.app.read_settings(), "LockWindow"), 1)

    def test_restore_position_goes_to_the_work_area_corner(self):
        self.start()
        self.menu("e")
        self.assertEqual(self.position(), (0, 0))

    def test_hide_and_show(self):
        self.start()
        self.menu("h")
        self.assertTrue(wait_until(lambda: self.app.main_window(0) is None, 3),
                        "the display is still shown")
        # The tray icon's menu shows it again.
        icons = self.x.windows(pid=self.app.process.pid)
        self.assertEqual(len(icons), 1)
        ix, iy, iw, ih = self.x.geometry(icons[0])
        self.x.run(["xdotool", "mousemove", str(ix + iw // 2), str(iy + ih // 2), "click", "3"])
        time.sleep(0.5)
        # "Show Desktop Window" has no access key: the sixth item, by arrows.
        self.x.run(["xdotool", "key", "Down", "Down", "Down", "Down", "Down", "Down", "Return"])
        self.assertIsNotNone(self.app.main_window(5))

    def test_hot_key_refreshes_while_another_window_has_the_focus(self):
        self.start(RefreshHotkey=0xC052)  # Ctrl+Alt+R
        _, _, _, before = self.x.geometry(self.window)
        other = subprocess.Popen(["xmessage", "-geometry", "+600+400", "other"],
                                 env=self.x.env())
        try:
            wait_until(lambda: self.x.windows(name="xmessage"), 5)
            # A new appointment today makes the display one line longer; the
            # store watcher would notice it only two seconds later.
            with open(os.path.join(self.app.store, "extra.ics"), "w") as f:
                f.write(EXTRA_EVENT)
            written = time.monotonic()
            self.x.run(["xdotool", "key", "ctrl+alt+r"])
            grown = wait_until(lambda: self.x.geometry(self.window)[3] > before, 5)
            self.assertTrue(grown, "the display did not take the new appointment")
            self.assertLess(time.monotonic() - written, 1.9,
                            "only the store watcher refreshed, not the hot key")
        finally:
            other.terminate()
            other.wait()

    @unittest.skipUnless(PROBE, "the placement probe is not built")
    def test_a_hot_key_another_program_holds_is_silently_not_registered(self):
        holder = subprocess.Popen([PROBE, "--hotkey", str(0xC052), "--pos", "700,500"],
                                  env=self.x.env(), stdout=subprocess.PIPE, text=True)
        try:
            self.assertIn("registered", holder.stdout.readline())
            self.start(RefreshHotkey=0xC052)
            time.sleep(0.5)
            # No error box: the program's only windows are the display and the icon.
            for w in self.x.windows(pid=self.app.process.pid):
                self.assertNotIn("DIALOG", self.x.run(
                    ["xprop", "-id", str(w), "_NET_WM_WINDOW_TYPE"]).stdout)
            self.assertIsNone(self.app.process.poll())
        finally:
            holder.terminate()
            holder.wait()

    def test_background_shows_the_wallpaper(self):
        wallpaper = os.path.join(self.tmp, "wall.png")
        self.x.set_wallpaper("#4477AA", wallpaper)
        self.start()
        time.sleep(0.5)
        x, y, w, h = self.x.geometry(self.window)
        shot = self.x.screenshot(os.path.join(self.tmp, "root.png"))
        # The lower right corner of the display is background.
        self.assertEqual(self.x.pixel(shot, x + w - 2, y + h - 2), "#4477AA")

    def test_pin_mode_raises_over_the_shown_desktop_and_drops_again(self):
        self.start(UseVistaPin=1)
        state = lambda: self.x.run(["xprop", "-id", str(self.window), "_NET_WM_STATE"]).stdout
        self.x.run(["wmctrl", "-k", "on"])
        self.assertTrue(wait_until(lambda: "ABOVE" in state(), 0.6 + 0.4),
                        "not raised over the shown desktop")
        other = subprocess.Popen(["xmessage", "-geometry", "+600+400", "other"],
                                 env=self.x.env())
        try:
            shown = wait_until(lambda: self.x.windows(name="xmessage"), 5)
            self.x.run(["xdotool", "windowactivate", str(shown[0])])
            self.assertTrue(wait_until(lambda: "ABOVE" not in state(), 1.0),
                            "still on top after another window became active")
        finally:
            other.terminate()
            other.wait()


EXTRA_EVENT = """BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//Lumivane tests//EN
BEGIN:VEVENT
UID:extra-event@tests
DTSTAMP:20260101T000000Z
DTSTART:%s
DTEND:%s
SUMMARY:Added by the hot key test
END:VEVENT
END:VCALENDAR
""" % (time.strftime("%Y%m%dT235000"), time.strftime("%Y%m%dT235500"))


if __name__ == "__main__":
    unittest.main()
