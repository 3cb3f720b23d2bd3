"""The welcome window of the first start: it comes after the display is
drawn, and ticking its box keeps it away from the next start."""
import re
import signal
import unittest

from harness import DesktopTestCase, wait_until


def stored(text, name):
    match = re.search(r'"%s"=dword:([0-9a-f]{8})' % name, text)
    return int(match.group(1), 16) if match else None


class Welcome(DesktopTestCase):

    def welcome_windows(self):
        """The program's visible windows titled "Welcome" (both conditions)."""
        out = self.x.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                          str(self.app.process.pid), "--name", "^Welcome$"]).stdout
        return [int(w) for w in out.split()]

    def press(self, window, *keys):
        """Keys typed into the focused window. Not with "key --window": when a
        key closes the window between its press and release, xdotool sends the
        release to the gone window and the X server repeats the key into the
        next window that takes the focus."""
        self.x.run(["xdotool", "windowactivate", "--sync", str(window)])
        self.x.run(["xdotool", "key", *keys])

    def welcome_window(self, timeout):
        found = wait_until(self.welcome_windows, timeout)
        return found[0] if found else None

    def test_first_start_greets_once_and_the_box_keeps_it_away(self):
        self.app.make_sample_store()
        self.app.start(welcome=True)
        main = self.app.main_window()
        self.assertIsNotNone(main)
        welcome = self.welcome_window(15)
        self.assertIsNotNone(welcome, "no welcome window on the first start")
        # The display was filled and shown before the welcome window came.
        _, _, width, height = self.x.geometry(main)
        self.assertGreater(width, 100)
        self.assertGreater(height, 40)
        # Centred on the screen (the frame may shift it by a few pixels).
        x, y, w, h = self.x.geometry(welcome)
        self.assertLess(abs(x + w // 2 - self.x.width // 2), 20)
        self.assertLess(abs(y + h // 2 - self.x.height // 2), 40)
        self.assertGreaterEqual(w, 349)

        # The box has the focus when the window opens: Space ticks it, Enter is OK.
        self.press(welcome, "space", "Return")
        self.assertTrue(wait_until(lambda: not self.welcome_windows(), 10),
                        "the welcome window did not close")
        self.assertIsNone(self.app.process.poll(), "the program ended with the welcome window")
        self.assertEqual(self.app.stop(signal.SIGTERM), 0)
        self.assertEqual(stored(self.app.read_settings(), "ShowWelcomeWindow"), 0)

        # The next start shows the display and no welcome window.
        self.app.start(welcome=True)
        self.assertIsNotNone(self.app.main_window())
        self.assertIsNone(self.welcome_window(3))
        self.assertEqual(self.app.stop(signal.SIGTERM), 0)
        self.assertEqual(stored(self.app.read_settings(), "ShowWelcomeWindow"), 0)

    def test_closing_without_the_box_greets_again(self):
        self.app.start(welcome=True)
        welcome = self.welcome_window(15)
        self.assertIsNotNone(welcome)
        self.press(welcome, "Escape")
        self.assertTrue(wait_until(lambda: not self.welcome_windows(), 10))
        self.assertEqual(self.app.stop(signal.SIGTERM), 0)
        self.assertEqual(stored(self.app.read_settings(), "ShowWelcomeWindow"), 1)
        self.app.start(welcome=True)
        self.assertIsNotNone(self.welcome_window(15), "the welcome window did not come again")


if __name__ == "__main__":
    unittest.main()
