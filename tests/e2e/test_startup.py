"""Start-up and end of the program: one instance per user and display, the
hidden switch, and the settings written at a normal end."""
import os
import re
import signal
import time
import unittest

from harness import DesktopTestCase, wait_until


class StartupAndEnd(DesktopTestCase):
    xserver_options = {"tray": True}

    def test_second_instance_ends_at_once_and_the_first_keeps_running(self):
        self.app.start()
        self.assertIsNotNone(self.app.main_window(), "the first copy shows no window")
        second = self.app.run(timeout=10)
        self.assertEqual(second.returncode, 0)
        self.assertEqual(second.stdout + second.stderr, "")
        time.sleep(0.5)
        self.assertIsNone(self.app.process.poll(), "the first copy ended")
        self.assertEqual(len(self.x.windows(name="^Lumivane$")), 1)

    def test_normal_end_writes_a_complete_settings_file(self):
        # From no settings file: the welcome window is up when the signal comes.
        self.app.start(welcome=True)
        self.assertIsNotNone(self.app.main_window())
        self.assertEqual(self.app.stop(signal.SIGTERM), 0)
        text = self.app.read_settings()
        self.assertTrue(text.startswith("Windows Registry Editor Version 5.00\n\n"
                                        "[HKEY_CURRENT_USER\\Software\\Brennick\\Lumivane]\n"))
        names = re.findall(r'^"([A-Za-z]+)"=', text, re.M)
        self.assertEqual(len(names), 54)
        self.assertEqual(names[0], "WindowTop")
        self.assertEqual(names[-1], "BackGroundColor")
        self.assertRegex(text, r'"BackGroundColor"="[0-9A-F]{6}"\n')
        # What the window saved is what --print-settings shows for the file.
        printed = self.app.run("--print-settings")
        self.assertEqual(printed.returncode, 0, printed.stderr)
        self.assertEqual(printed.stdout, text)

    def test_hidden_switch_in_any_case_shows_the_window_without_a_tray_icon(self):
        # With a tray host running, a normal start shows two windows: the
        # display and the icon docked in the tray.
        self.app.start()
        self.assertIsNotNone(self.app.main_window())
        with_icon = wait_until(lambda: len(self.x.windows(pid=self.app.process.pid)) >= 2, 5)
        self.assertTrue(with_icon, "no tray icon with a tray host running")
        self.app.stop()

        hidden = self.new_app("hidden")
        self._apps = [hidden]
        hidden.start("\\hIdDeN")
        self.assertIsNotNone(hidden.main_window())
        time.sleep(1.0)
        self.assertEqual(len(self.x.windows(pid=hidden.process.pid)), 1)

    def test_damaged_settings_file_never_stops_the_start(self):
        os.makedirs(os.path.dirname(self.app.settings_file))
        with open(self.app.settings_file, "wb") as f:
            f.write(b"\x00\xffgarbage\n[HKEY_CURRENT_USER\\Software\\Brennick\\Lumivane]\n"
                    b'"RefreshEvery"=dword:zz\n"AlphaLevel"=dword:00000080\n')
        self.app.start()
        self.assertIsNotNone(self.app.main_window())
        self.assertEqual(self.app.stop(), 0)
        text = self.app.read_settings()
        self.assertIn('"AlphaLevel"=dword:00000080\n', text)
        self.assertIn('"RefreshEvery"=dword:00000001\n', text)


if __name__ == "__main__":
    unittest.main()
