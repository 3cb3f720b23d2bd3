"""The options dialog from end to end: opened from the display's popup menu,
a change applied to the display at once, Cancel keeping what Apply wrote and
the settings file saved when the dialog closes; a colour picked from the
screen into the background pane."""
import os
import re
import subprocess
import time
import unittest

from harness import DesktopTestCase, wait_until


def stored(text, name):
    match = re.search(r'^"%s"=dword:([0-9a-f]{8})$' % name, text, re.M)
    return int(match.group(1), 16) if match else None


def stored_text(text, name):
    match = re.search(r'^"%s"="([^"]*)"$' % name, text, re.M)
    return match.group(1) if match else None


class OptionsDialog(DesktopTestCase):

    def setUp(self):
        super().setUp()
        self.app.make_sample_store()
        self.app.write_settings({"WindowLeft": 200, "WindowTop": 100, "Align": 0,
                                 "CalendarDaysToDisplay": 5, "ShowWelcomeWindow": 0})
        self.app.start()
        self.window = self.app.main_window(timeout=60)
        self.assertIsNotNone(self.window, self.app.stderr())
        # The first refresh has sized the window.
        self.assertTrue(wait_until(lambda: self.x.geometry(self.window)[3] > 50, 30))
        time.sleep(0.5)

    def key(self, *keys):
        for key in keys:
            self.x.run(["xdotool", "key", "--delay", "60", key])
            time.sleep(0.15)

    def dialogs(self):
        """The program's visible options windows (the window manager may add the
        program's name to the caption)."""
        out = self.x.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                          str(self.app.process.pid), "--name", "^Options"]).stdout
        return [int(w) for w in out.split()]

    def open_options(self):
        x, y, _, _ = self.x.geometry(self.window)
        # The calendar heading's picture: clicks on see-through pixels reach the desktop.
        self.x.run(["xdotool", "mousemove", str(x + 9), str(y + 9), "click", "3"])
        time.sleep(0.8)
        self.key("o")
        found = wait_until(self.dialogs, 60)
        self.assertTrue(found, "the options dialog did not open")
        self.x.run(["xdotool", "windowactivate", "--sync", str(found[0])])
        time.sleep(1.0)
        return found[0]

    def crop(self, name):
        x, y, w, h = self.x.geometry(self.window)
        shot = self.x.screenshot(os.path.join(self.tmp, name + "-root.png"))
        out = os.path.join(self.tmp, name + ".png")
        subprocess.run(["convert", shot, "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", out],
                       check=True)
        with open(out, "rb") as f:
            return (w, h), f.read()

    def test_apply_shows_the_change_and_cancel_keeps_it_saved(self):
        before_size, before = self.crop("before")
        self.open_options()
        # General tab, focus on the language list: the fourth control is the alignment list.
        self.key("Tab", "Tab", "Tab", "Down")
        # Back to the tab bar, on to the Calendar tab and eleven steps from
        # "Show Calendar" to the days-ahead edit.
        self.key(*(["shift+Tab"] * 4), "Right", "Right", "Tab")
        self.key(*(["Tab"] * 11))
        self.key("ctrl+a", "2")
        self.key("alt+a")
        # The display is recomposed with two days and right-aligned lines.
        changed = wait_until(lambda: self.crop("after")[1] != before, 60)
        self.assertTrue(changed, "the display did not change on Apply")
        after_size, _ = self.crop("after")
        self.assertLess(after_size[1], before_size[1], "two days ahead should show fewer lines")
        self.assertTrue(self.dialogs(), "Apply closed the dialog")
        self.key("Escape")
        self.assertTrue(wait_until(lambda: not self.dialogs(), 30), "Cancel left the dialog open")
        # The settings are saved when the dialog closes, with what Apply wrote.
        text = self.app.read_settings()
        self.assertEqual(stored(text, "Align"), 1)
        self.assertEqual(stored(text, "CalendarDaysToDisplay"), 2)
        self.assertTrue(self.app.process.poll() is None)

    def test_a_colour_picked_from_the_screen_goes_into_the_pane(self):
        wallpaper = os.path.join(self.tmp, "wall.png")
        self.x.set_wallpaper("#336699", wallpaper)
        time.sleep(0.5)
        self.open_options()
        # Display tab: Select..., Ignore ClearType, Show shadow, the background pane, Pick Color.
        self.key("shift+Tab", "Right", "Tab", "Tab", "Tab", "Tab", "Tab", "space")
        self.x.run(["xdotool", "mousemove", str(self.x.width - 20), str(self.x.height - 20)])
        time.sleep(1.0)
        self.x.run(["xdotool", "click", "1"])
        time.sleep(0.5)
        # OK stores the pane's colour.
        dialog = self.dialogs()
        self.assertTrue(dialog, "picking closed the dialog")
        self.x.run(["xdotool", "windowactivate", "--sync", str(dialog[0])])
        self.key("alt+o")
        self.assertTrue(wait_until(lambda: not self.dialogs(), 30))
        text = self.app.read_settings()
        self.assertEqual(stored_text(text, "BackGroundColor"), "336699")


if __name__ == "__main__":
    unittest.main()
