"""The program on a desktop as people have it: a high-density screen, a
compositor, two monitors, a calendar it cannot read, a settings file edited
by hand, a window hidden without a tray icon."""
import os
import re
import subprocess
import time
import unittest

from harness import DesktopTestCase, wait_until
from pictures import KEY, crop, image_size, pixels


def stored(text, name):
    match = re.search(r'"%s"=dword:([0-9a-f]{8})' % name, text)
    return int(match.group(1), 16) if match else None


def prop(x, window, name):
    return x.run(["xprop", "-id", str(window), name]).stdout


def popup_menus(x, pid):
    """The program's shown menus: its override-redirect windows."""
    return [w for w in x.windows(pid=pid)
            if "Override Redirect State: yes" in x.run(["xwininfo", "-id", str(w)]).stdout]


class Started(DesktopTestCase):
    """Starts the program on the sample store at a saved position."""

    def start(self, app=None, extra_env=None, args=(), **settings):
        app = app or self.app
        app.make_sample_store()
        values = {"WindowLeft": 300, "WindowTop": 200}
        values.update(settings)
        app.write_settings(values)
        app.start(*args, extra_env=extra_env)
        window = app.main_window()
        self.assertIsNotNone(window)
        self.assertTrue(wait_until(lambda: self.x.geometry(window)[3] > 100, 10))
        return window

    def menu(self, window, key):
        x, y, _, _ = self.x.geometry(window)
        self.x.run(["xdotool", "mousemove", str(x + 9), str(y + 9), "click", "3"])
        self.assertTrue(wait_until(lambda: popup_menus(self.x, self.app.process.pid), 5),
                        "the display's menu did not open")
        self.x.run(["xdotool", "key", key])
        wait_until(lambda: not popup_menus(self.x, self.app.process.pid), 5)


class HighDensity(Started):
    xserver_options = {"width": 2400, "height": 1800}

    def test_at_scale_two_the_window_shows_the_picture_of_the_display(self):
        scale = {"QT_SCALE_FACTOR": "2"}
        picture = os.path.join(self.tmp, "display.png")
        window = self.start(extra_env=scale)
        made = self.app.run("--screenshot", picture, extra_env=scale)
        self.assertEqual(made.returncode, 0, made.stderr)
        single = os.path.join(self.tmp, "single.png")
        self.assertEqual(self.app.run("--screenshot", single).returncode, 0)
        # Twice the device pixels of scale 1, and the window has them all.
        width, height = image_size(picture)
        w1, h1 = image_size(single)
        self.assertLessEqual(abs(width - 2 * w1), 4)
        self.assertLessEqual(abs(height - 2 * h1), 4)
        geometry = self.x.geometry(window)
        self.assertEqual(geometry, (600, 400, width, height))

        wallpaper = "#336699"
        self.x.set_wallpaper(wallpaper, os.path.join(self.tmp, "wall.png"))
        time.sleep(0.3)
        shot = crop(self.x.screenshot(os.path.join(self.tmp, "root.png")), geometry,
                    os.path.join(self.tmp, "window.png"))
        drawn = pixels(picture, key=KEY)
        shown = pixels(shot)
        self.assertGreater(len(drawn), 2000, "the display shows almost no text")
        different = [p for p, c in drawn.items() if shown.get(p) != c]
        self.assertLess(len(different), len(drawn) // 100,
                        "the window shows other pixels than the display's picture")
        # Nothing else: background pixels show the wallpaper, never black.
        stray = [p for p, c in shown.items() if p not in drawn and c != wallpaper]
        self.assertLess(len(stray), len(drawn) // 100, "pixels beside the drawn ones show")

    def test_fractional_scales_keep_the_logical_size(self):
        single = os.path.join(self.tmp, "single.png")
        self.assertEqual(self.app.run("--screenshot", single).returncode, 0)
        w1, h1 = image_size(single)
        for factor in ("1.25", "1.5"):
            picture = os.path.join(self.tmp, "scaled.png")
            made = self.app.run("--screenshot", picture, extra_env={"QT_SCALE_FACTOR": factor})
            self.assertEqual(made.returncode, 0, made.stderr)
            width, height = image_size(picture)
            self.assertLessEqual(abs(width - float(factor) * w1), 0.1 * w1, factor)
            self.assertLessEqual(abs(height - float(factor) * h1), 0.1 * h1, factor)


class WithCompositor(Started):
    xserver_options = {"compositor": True}

    def test_pinned_window_is_on_every_workspace_and_drops_below_other_windows(self):
        window = self.start()
        state = lambda: prop(self.x, window, "_NET_WM_STATE")
        kind = lambda: prop(self.x, window, "_NET_WM_WINDOW_TYPE")
        self.assertTrue(wait_until(lambda: "0xffffffff" in prop(self.x, window, "_NET_WM_DESKTOP")
                                   or "4294967295" in prop(self.x, window, "_NET_WM_DESKTOP"), 5),
                        "the pinned window is on one workspace only")
        self.x.run(["wmctrl", "-s", "1"])
        time.sleep(1.0)
        self.assertIn(window, self.x.windows(pid=self.app.process.pid),
                      "the window went away with the workspace switch")
        self.assertNotIn("DOCK", kind())
        other = subprocess.Popen(["xmessage", "-geometry", "+250+150", "other window"],
                                 env=self.x.env())
        try:
            shown = wait_until(lambda: self.x.windows(name="xmessage"), 5)
            self.x.run(["xdotool", "windowactivate", str(shown[0])])
            self.assertTrue(wait_until(lambda: "ABOVE" not in state(), 2),
                            "still kept above while another window is active")
            self.x.run(["wmctrl", "-s", "0"])
            self.x.run(["xdotool", "windowactivate", str(shown[0])])
            time.sleep(1.0)
            self.assertNotIn("ABOVE", state())
            self.assertNotIn("DOCK", kind())
        finally:
            other.terminate()
            other.wait()

    def test_a_click_between_the_letters_of_a_line_reaches_the_display(self):
        window = self.start()
        picture = os.path.join(self.tmp, "display.png")
        self.assertEqual(self.app.run("--screenshot", picture).returncode, 0)
        drawn = set(pixels(picture, key=KEY))
        # A see-through pixel inside the first text line of "Today", between
        # two drawn ones of its row.
        rows = {}
        for px, py in drawn:
            rows.setdefault(py, []).append(px)
        gap = None
        for py in sorted(rows)[len(rows) // 4:]:
            xs = sorted(rows[py])
            for a, b in zip(xs, xs[1:]):
                if b - a > 3:
                    gap = ((a + b) // 2, py)
                    break
            if gap:
                break
        self.assertIsNotNone(gap)
        x, y, w, h = self.x.geometry(window)
        self.x.run(["xdotool", "mousemove", str(x + gap[0]), str(y + gap[1]), "click", "3"])
        self.assertTrue(wait_until(lambda: popup_menus(self.x, self.app.process.pid), 3),
                        "a click between the letters did not reach the display")
        self.x.run(["xdotool", "key", "Escape"])
        self.assertTrue(wait_until(lambda: not popup_menus(self.x, self.app.process.pid), 3))
        # Beside the lines, in the display's lower right corner, the desktop
        # gets the click.
        self.x.run(["xdotool", "mousemove", str(x + w - 2), str(y + h - 2), "click", "3"])
        time.sleep(0.5)
        self.assertFalse(popup_menus(self.x, self.app.process.pid))
        self.x.run(["xdotool", "key", "Escape"])


class TwoMonitors(Started):
    xserver_options = {"width": 2560, "height": 800}

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        for name, where in (("left", "+0+0"), ("right", "+1280+0")):
            cls.x.run(["xrandr", "--setmonitor", name, "1280/338x800/211" + where, "none"])

    def test_snapping_and_restore_position_use_the_window_s_monitor(self):
        window = self.start(WindowLeft=1500, WindowTop=200)
        self.assertEqual(self.x.geometry(window)[:2], (1500, 200))
        self.menu(window, "e")
        self.assertTrue(wait_until(lambda: self.x.geometry(window)[:2] == (1280, 0), 3),
                        "Restore Position left the window's monitor: %s" %
                        (self.x.geometry(window)[:2],))

    def test_a_position_on_no_monitor_comes_back_onto_the_nearest(self):
        window = self.start(WindowLeft=2000, WindowTop=5000)
        x, y, w, h = self.x.geometry(window)
        self.assertTrue(1280 <= x and x + w <= 2560 and 0 <= y and y + h <= 800,
                        (x, y, w, h))


class DisplayWindow(Started):

    def test_a_calendar_that_cannot_be_read_keeps_the_position_and_says_so(self):
        wallpaper = "#336699"
        self.x.set_wallpaper(wallpaper, os.path.join(self.tmp, "wall.png"))
        with open(os.path.join(self.app.store, "broken.ics"), "w") as f:
            f.write("this is not a calendar\n")
        self.app.write_settings({"WindowLeft": 400, "WindowTop": 300})
        self.app.start()
        box = wait_until(lambda: [
            w for w in self.x.windows(pid=self.app.process.pid)
            if "DIALOG" in prop(self.x, w, "_NET_WM_WINDOW_TYPE")], 15)
        self.assertTrue(box, "no error box")
        self.x.run(["xdotool", "windowactivate", "--sync", str(box[0])])
        # Typed into the focused box: a key sent to a window that it closes can
        # stay held in the X server and repeat into the next test's windows.
        self.x.run(["xdotool", "windowactivate", "--sync", str(box[0])])
        self.x.run(["xdotool", "key", "Return"])
        window = self.app.main_window()
        self.assertIsNotNone(window)
        wait_until(lambda: not [w for w in self.x.windows(pid=self.app.process.pid)
                                if "DIALOG" in prop(self.x, w, "_NET_WM_WINDOW_TYPE")], 5)
        time.sleep(0.5)
        geometry = self.x.geometry(window)
        self.assertEqual(geometry[:2], (400, 300))
        self.assertLess(geometry[3], 60, "more than one line: %s" % (geometry,))
        shown = pixels(crop(self.x.screenshot(os.path.join(self.tmp, "root.png")),
                            geometry, os.path.join(self.tmp, "window.png")))
        counts = {}
        for colour in shown.values():
            counts[colour] = counts.get(colour, 0) + 1
        # Mostly wallpaper, some light text, no black surface.
        self.assertGreater(counts.get(wallpaper, 0), len(shown) // 2)
        self.assertLess(counts.get("#000000", 0) + counts.get(KEY, 0), len(shown) // 4)
        self.assertGreater(counts.get("#FFFFFF", 0), 20, "no text in the display")

    def test_message_box_is_a_plain_dialog_and_keeps_a_long_path_whole(self):
        store = os.path.join(self.tmp, "a-calendar-store-folder-with-a-rather-long-name",
                             "and-below-it-another-folder-whose-name-is-long-as-well")
        self.app.start(extra_env={"LUMIVANE_OUTLOOK_STORE": store})
        boxes = wait_until(lambda: [
            w for w in self.x.windows(name="^Lumivane$")
            if "DIALOG" in prop(self.x, w, "_NET_WM_WINDOW_TYPE")], 30)
        self.assertEqual(len(boxes), 1, "no error box")
        # Laid out and placed by the window manager before it is measured.
        wait_until(lambda: self.x.geometry(boxes[0])[2] > 100, 5)
        actions = prop(self.x, boxes[0], "_NET_WM_ALLOWED_ACTIONS")
        self.assertIn("CLOSE", actions)
        self.assertNotIn("MAXIMIZE", actions)
        # Neither minimise nor maximise asked of the window manager (Motif
        # hints: flags, functions, decorations).
        hints = prop(self.x, boxes[0], "_MOTIF_WM_HINTS").split("=")[1].split(",")
        flags, functions, decorations = (int(v, 16) for v in hints[:3])
        self.assertTrue(flags & 1 and not functions & 1, "all functions allowed")
        self.assertFalse(functions & (0x08 | 0x10), "minimise or maximise allowed")
        self.assertTrue(flags & 2 and not decorations & 1, "all decorations asked for")
        self.assertFalse(decorations & (0x20 | 0x40), "minimise or maximise buttons asked for")
        # The path is not broken: the box is wider than the path in its font
        # (well over 6 pixels a character).
        width = self.x.geometry(boxes[0])[2]
        self.assertGreater(width, 6 * len(store), "the box breaks the path")

    def test_settings_edited_by_hand_are_applied_and_kept(self):
        window = self.start()
        _, _, _, tall = self.x.geometry(window)
        time.sleep(0.5)
        # The tasks section switched off by hand, one value of the wrong kind.
        self.app.write_settings({"WindowLeft": 300, "WindowTop": 200, "ShowTaks": 0,
                                 "CalendarDaysToDisplay": "many"})
        self.assertTrue(wait_until(lambda: self.x.geometry(window)[3] < tall, 5),
                        "the edit was not applied")
        self.assertEqual(self.app.stop(), 0)
        text = self.app.read_settings()
        self.assertEqual(stored(text, "ShowTaks"), 0, "the edit was lost at the end")
        self.assertEqual(self.app.stderr().count(
            "CalendarDaysToDisplay: expected a number, using 5"), 1, self.app.stderr())

    def test_a_lost_release_ends_the_drag(self):
        window = self.start()
        x, y, _, _ = self.x.geometry(window)
        xdo = ["xdotool"]
        self.x.run(xdo + ["mousemove", str(x + 9), str(y + 9), "mousedown", "1"])
        self.x.run(xdo + ["mousemove", str(x + 30), str(y + 30)])
        self.assertTrue(wait_until(lambda: self.x.geometry(window)[:2] == (x + 21, y + 21), 3))
        # The window is taken off the screen and back while the button is
        # down (as the pin timer does): the release goes nowhere.
        self.x.run(xdo + ["windowunmap", "--sync", str(window)])
        self.x.run(xdo + ["mouseup", "1"])
        self.x.run(xdo + ["windowmap", "--sync", str(window)])
        time.sleep(0.3)
        gx, gy, _, _ = self.x.geometry(window)
        for step in range(1, 5):
            self.x.run(xdo + ["mousemove", str(gx + 9 + 10 * step), str(gy + 9 + 5 * step)])
            time.sleep(0.1)
        time.sleep(0.3)
        self.assertEqual(self.x.geometry(window)[:2], (gx, gy),
                         "the window follows a pointer without a button")


def many_events(count):
    """A calendar with `count` appointments today, a minute apart from 00:00."""
    day = time.strftime("%Y%m%d")
    parts = ["BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Lumivane tests//EN"]
    for i in range(count):
        minute = i % (24 * 60)
        parts += ["BEGIN:VEVENT", "UID:many-%d@tests" % i, "DTSTAMP:20260101T000000Z",
                  "DTSTART:%sT%02d%02d00" % (day, minute // 60, minute % 60),
                  "DURATION:PT1M", "SUMMARY:Item %d" % i, "END:VEVENT"]
    parts.append("END:VCALENDAR")
    return "\n".join(parts) + "\n"


class TallDisplay(Started):

    def test_a_display_taller_than_the_screen_is_cut_to_the_work_area(self):
        with open(os.path.join(self.app.store, "many.ics"), "w") as f:
            f.write(many_events(3000))
        self.app.write_settings({"WindowLeft": 100, "WindowTop": 50, "ShowTaks": 0})
        self.app.start()
        window = self.app.main_window(30)
        self.assertIsNotNone(window)
        self.assertTrue(wait_until(lambda: self.x.geometry(window)[3] > 300, 30))
        time.sleep(0.5)
        self.assertIsNone(self.app.process.poll(), "the program ended")
        x, y, w, h = self.x.geometry(window)
        # Not taller than the screen (no panel here); snapping puts it at the top.
        self.assertLessEqual(h, self.x.height)
        self.assertGreater(h, self.x.height - 60)
        self.assertGreaterEqual(y, 0)
        # The last line, the note of what was left out, is drawn.
        shot = crop(self.x.screenshot(os.path.join(self.tmp, "root.png")), (x, y, w, h),
                    os.path.join(self.tmp, "window.png"))
        bottom = crop(shot, (0, h - 40, w, 40), os.path.join(self.tmp, "bottom.png"))
        light = [c for c in pixels(bottom).values()
                 if min(int(c[i:i + 2], 16) for i in (1, 3, 5)) > 0xB0]
        self.assertGreater(len(light), 20, "no note at the bottom")


class HiddenWindow(Started):
    xserver_options = {"tray": True}

    def test_a_second_start_shows_a_window_hidden_without_tray_icon(self):
        window = self.start(args=("--hidden",))
        self.menu(window, "h")
        self.assertTrue(wait_until(lambda: self.app.main_window(0) is None, 3))
        second = self.app.run(timeout=10)
        self.assertEqual(second.returncode, 0)
        self.assertIsNotNone(self.app.main_window(5), "the hidden window stays lost")
        self.assertIsNone(self.app.process.poll())

    def test_a_left_click_on_the_tray_icon_hides_and_shows_the_window(self):
        self.start()
        icons = wait_until(lambda: [w for w in self.x.windows(pid=self.app.process.pid)
                                    if w != self.app.main_window(0)], 5)
        self.assertTrue(icons)
        ix, iy, iw, ih = self.x.geometry(icons[0])
        click = ["xdotool", "mousemove", str(ix + iw // 2), str(iy + ih // 2), "click", "1"]
        self.x.run(click)
        self.assertTrue(wait_until(lambda: self.app.main_window(0) is None, 3), "not hidden")
        time.sleep(0.5)  # apart from a double click
        self.x.run(click)
        self.assertIsNotNone(self.app.main_window(3), "not shown again")


if __name__ == "__main__":
    unittest.main()
