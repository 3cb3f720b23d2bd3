"""The start-up check of the calendar store: without a store the program shows
one error box and ends without showing its window; with one it starts."""
import os
import time
import unittest

from harness import DesktopTestCase, wait_until


def window_type(x, window):
    return x.run(["xprop", "-id", str(window), "_NET_WM_WINDOW_TYPE"]).stdout


class StoreCheck(DesktopTestCase):

    def test_missing_store_shows_one_error_box_and_ends_without_the_window(self):
        missing = os.path.join(self.tmp, "no-such-store")
        # From no settings file at all (no welcome window comes without a store).
        self.app.start(extra_env={"LUMIVANE_OUTLOOK_STORE": missing}, welcome=True)
        boxes = wait_until(lambda: self.x.windows(pid=self.app.process.pid), 15)
        self.assertEqual(len(boxes), 1, "expected exactly one window: the error box")
        self.assertIn("DIALOG", window_type(self.x, boxes[0]))
        self.assertEqual(self.x.run(["xdotool", "getwindowname", str(boxes[0])]).stdout.strip(),
                         "Lumivane")
        # Closing the box ends the program; its window was never shown.
        self.x.run(["xdotool", "windowactivate", "--sync", str(boxes[0])])
        self.x.run(["xdotool", "key", "--window", str(boxes[0]), "Return"])
        self.assertEqual(self.app.process.wait(15), 0)
        # The settings are still written, all defaults.
        self.assertIn('"RefreshEvery"=dword:00000001\n', self.app.read_settings())

    def test_with_a_store_the_program_starts(self):
        self.app.start()
        window = self.app.main_window()
        self.assertIsNotNone(window)
        self.assertNotIn("DIALOG", window_type(self.x, window))
        time.sleep(0.3)
        self.assertIsNone(self.app.process.poll())


if __name__ == "__main__":
    unittest.main()
