"""The main job from end to end: the program on a calendar store fills and
sizes its window; a store it cannot read gives the error box and the program
goes on; the modes without a window show the same display."""
import os
import time
import unittest

from harness import DesktopTestCase, wait_until
from pictures import KEY, crop, image_size, pixels


class Display(DesktopTestCase):

    def setUp(self):
        super().setUp()
        self.app.make_sample_store()

    def test_window_takes_the_size_of_its_markup_and_shows_it(self):
        wallpaper = os.path.join(self.tmp, "wall.png")
        self.x.set_wallpaper("#336699", wallpaper)
        self.app.write_settings({"WindowLeft": 200, "WindowTop": 100})
        self.app.start()
        window = self.app.main_window()
        self.assertIsNotNone(window)
        time.sleep(0.5)

        # The picture of the display drawn without a window has the same size
        # and, wherever it is not background, the same pixels.
        picture = os.path.join(self.tmp, "display.png")
        made = self.app.run("--screenshot", picture)
        self.assertEqual(made.returncode, 0, made.stderr)
        width, height = image_size(picture)
        self.assertGreaterEqual(width, 100)
        x, y, w, h = self.x.geometry(window)
        self.assertEqual((x, y, w, h), (200, 100, width, height))

        shot = crop(self.x.screenshot(os.path.join(self.tmp, "root.png")), (x, y, w, h),
                    os.path.join(self.tmp, "window.png"))
        drawn = pixels(picture, key=KEY)
        self.assertGreater(len(drawn), 500, "the display shows almost no text")
        shown = pixels(shot, key="#336699")
        different = [p for p, c in drawn.items() if shown.get(p) != c]
        self.assertLess(len(different), len(drawn) // 100,
                        "the window shows other pixels than the display's picture")
        # Where the display has its background, the wallpaper shows through.
        background = [(px, py) for px in range(w) for py in range(h)
                      if (px, py) not in drawn][:50]
        for px, py in background:
            self.assertEqual(self.x.pixel(shot, px, py), "#336699")

    def test_markup_and_text_modes_show_the_same_display(self):
        markup = self.app.run("--markup")
        self.assertEqual(markup.returncode, 0, markup.stderr)
        lines = markup.stdout.split("\n")
        self.assertEqual(lines[0], '<P align="left">')
        self.assertEqual(lines[-2], "<br>")
        self.assertTrue(any("Team stand-up" in line for line in lines))
        text = self.app.run("--text")
        self.assertEqual(text.returncode, 0, text.stderr)
        self.assertNotIn("<", text.stdout.replace("&lt;", ""))
        self.assertIn("Team stand-up", text.stdout)
        self.assertIn("Tasks", text.stdout)

    def test_text_is_the_same_from_a_snapshot_and_without_one(self):
        snapshots = os.path.join(self.app.cache, "lumivane")
        bypassed = self.app.run("--text", "--no-cache")
        self.assertEqual(bypassed.returncode, 0, bypassed.stderr)
        self.assertFalse(os.path.exists(snapshots))
        first = self.app.run("--text")
        self.assertTrue(os.listdir(snapshots))
        warm = self.app.run("--text")
        self.assertEqual(warm.returncode, 0, warm.stderr)
        self.assertEqual(first.stdout, bypassed.stdout)
        self.assertEqual(warm.stdout, bypassed.stdout)
        # Another zone is no reason for another agenda than a parse there.
        tokyo = {"TZ": "Asia/Tokyo"}
        self.assertEqual(self.app.run("--text", extra_env=tokyo).stdout,
                         self.app.run("--text", "--no-cache", extra_env=tokyo).stdout)

    def test_a_damaged_file_shows_the_error_box_and_the_rest_of_the_store(self):
        with open(os.path.join(self.app.store, "broken.ics"), "w") as f:
            f.write("this is not a calendar\n")
        self.app.start()
        dialog = wait_until(lambda: [
            w for w in self.x.windows(pid=self.app.process.pid)
            if "DIALOG" in self.x.run(["xprop", "-id", str(w), "_NET_WM_WINDOW_TYPE"]).stdout], 15)
        self.assertTrue(dialog, "no error box")
        self.x.run(["xdotool", "windowactivate", "--sync", str(dialog[0])])
        self.x.run(["xdotool", "key", "--window", str(dialog[0]), "Return"])
        self.assertIsNotNone(self.app.main_window())
        time.sleep(0.5)
        self.assertIsNone(self.app.process.poll(), "the program ended after the error")
        # Without a window the rest of the store is printed and the file named.
        shown = self.app.run("--markup")
        self.assertEqual(shown.returncode, 0, shown.stderr)
        self.assertIn("broken.ics", shown.stderr)
        self.assertTrue(shown.stdout.strip())

    def test_modes_without_a_window_fail_clearly_without_a_store(self):
        missing = {"LUMIVANE_OUTLOOK_STORE": os.path.join(self.tmp, "none")}
        for mode in (["--markup"], ["--text"], ["--screenshot", os.path.join(self.tmp, "x.png")]):
            result = self.app.run(*mode, extra_env=missing)
            self.assertEqual(result.returncode, 1, mode)
            self.assertIn("This program requires Microsoft Outlook installed", result.stderr)
            self.assertEqual(result.stdout, "")


if __name__ == "__main__":
    unittest.main()
