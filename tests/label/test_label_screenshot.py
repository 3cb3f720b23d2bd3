"""The markup label on a real X server: a window whose label shows the
composer's first worked example, looked at in a screenshot, then pointed at
and clicked with the X pointer."""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

from harness import XServer, wait_until

SHOWCASE = os.environ.get("LABEL_SHOWCASE", "label_showcase")
BACKGROUND = (30, 60, 110)


def read_pixels(path, box):
    """The RGB pixels of `box` (x, y, w, h) of a picture, row by row."""
    x, y, w, h = box
    raw = subprocess.run(["convert", path, "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage",
                          "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    pixels = [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]
    return [pixels[row * w:(row + 1) * w] for row in range(h)]


def is_text(p):
    return min(p) > 180


def count(rows, test, box=None):
    x0, y0, w, h = box if box else (0, 0, len(rows[0]), len(rows))
    return sum(1 for row in rows[y0:y0 + h] for p in row[x0:x0 + w] if test(p))


class LabelOnScreen(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for tool in ("Xvfb", "openbox", "xdotool", "xwininfo", "convert", "import"):
            if shutil.which(tool) is None:
                raise unittest.SkipTest(tool + " is not installed")
        cls.x = XServer()

    @classmethod
    def tearDownClass(cls):
        cls.x.stop()

    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="label-e2e-")
        self.out_path = os.path.join(self.tmp, "out.txt")
        env = self.x.env()
        env["XDG_RUNTIME_DIR"] = self.tmp
        with open(self.out_path, "w") as out:
            self.process = subprocess.Popen([SHOWCASE], env=env, stdout=out,
                                            stderr=subprocess.DEVNULL)
        self.assertTrue(wait_until(lambda: "ready" in self.output(), 15), "showcase not ready")
        found = wait_until(lambda: self.x.windows(name="^Label showcase$"), 10)
        self.assertTrue(found, "no showcase window")
        self.window = found[0]
        self.links = {}
        for line in self.output().splitlines():
            if line.startswith("link "):
                _, target, *numbers = line.split()
                self.links[target] = tuple(int(n) for n in numbers)

    def tearDown(self):
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def output(self):
        with open(self.out_path) as f:
            return f.read()

    def screen_point(self, link):
        x, y, w, h = self.links[link]
        left, top, _, _ = self.x.geometry(self.window)
        return left + x + w // 2, top + y + h // 2

    def test_screenshot_shows_the_worked_example(self):
        time.sleep(0.5)  # let the first paint reach the screen
        shot = self.x.screenshot(os.path.join(self.tmp, "screen.png"))
        keep = os.environ.get("LABEL_SCREENSHOT")
        if keep:
            shutil.copy(shot, keep)
        left, top, width, height = self.x.geometry(self.window)
        self.assertEqual((width, height), (320, 200))
        rows = read_pixels(shot, (left, top, width, height))

        # The label fills the window with its background colour.
        self.assertGreater(count(rows, lambda p: p == BACKGROUND), width * height * 0.7)
        self.assertEqual(rows[height - 1][width - 1], BACKGROUND)
        # Both links are drawn as text where the label finds them.
        self.assertEqual(set(self.links), {"Calendar", "Tasks"})
        for link in ("Calendar", "Tasks"):
            self.assertGreater(count(rows, is_text, self.links[link]), 20, link)
        # Each heading starts with its picture, left of the link.
        for link in ("Calendar", "Tasks"):
            x, y, w, h = self.links[link]
            icon = (0, y, x, h)
            self.assertGreater(count(rows, lambda p: p != BACKGROUND and not is_text(p), icon), 40)
        # Text of the lines under the headings: the appointment and the task.
        calendar_bottom = sum(self.links["Calendar"][1::2])
        tasks_top = self.links["Tasks"][1]
        self.assertGreater(count(rows, is_text, (0, calendar_bottom, width,
                                                 tasks_top - calendar_bottom)), 150)
        tasks_bottom = sum(self.links["Tasks"][1::2])
        self.assertGreater(count(rows, is_text, (0, tasks_bottom, width, 20)), 40)
        # Nothing is drawn below the last line.
        self.assertEqual(count(rows, is_text, (0, tasks_bottom + 40, width,
                                               height - tasks_bottom - 40)), 0)

    def test_pointer_over_and_clicks_on_links(self):
        self.x.run(["xdotool", "mousemove", *map(str, self.screen_point("Tasks"))])
        self.assertTrue(wait_until(lambda: "enter Tasks" in self.output(), 5), self.output())
        left, top, width, height = self.x.geometry(self.window)
        self.x.run(["xdotool", "mousemove", str(left + width - 5), str(top + height - 5)])
        self.assertTrue(wait_until(lambda: "exit" in self.output(), 5), self.output())

        self.x.run(["xdotool", "mousemove", *map(str, self.screen_point("Calendar"))])
        self.x.run(["xdotool", "click", "3"])
        self.x.run(["xdotool", "mousemove", *map(str, self.screen_point("Tasks"))])
        self.x.run(["xdotool", "click", "1"])
        self.assertTrue(wait_until(lambda: "click Tasks" in self.output(), 5), self.output())
        self.assertNotIn("click Calendar", self.output())


if __name__ == "__main__":
    unittest.main()
