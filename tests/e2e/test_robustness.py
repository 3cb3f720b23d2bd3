"""Bad input and rude ends: a damaged calendar file costs that file, a
termination signal ends the program even when the settings cannot be
written, and what an interrupted save left behind is cleared at the next
start."""
import os
import signal
import stat
import subprocess
import time
import unittest

from harness import DesktopTestCase, wait_until

EVENT = ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:{uid}\r\n"
         "SUMMARY:{subject}\r\nDTSTART:{start}\r\nDTEND:{start}\r\nEND:VEVENT\r\n"
         "END:VCALENDAR\r\n")


def today_at(hour):
    return time.strftime("%Y%m%dT", time.localtime()) + "%02d0000" % hour


class Robustness(DesktopTestCase):

    def write_store_file(self, name, text):
        with open(os.path.join(self.app.store, name), "w", encoding="utf-8") as f:
            f.write(text)

    def test_a_damaged_calendar_file_costs_that_file_and_is_named(self):
        self.write_store_file("good.ics", EVENT.format(uid="g", subject="Still shown",
                                                       start=today_at(23)))
        self.write_store_file("broken.ics", "BEGIN:VCALENDAR\r\nhalf a file")
        result = self.app.run("--text", timeout=30)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("Still shown", result.stdout)
        self.assertIn('"broken.ics"', result.stderr)

    def dialogs(self):
        return [w for w in self.x.windows(pid=self.app.process.pid)
                if "DIALOG" in self.x.run(["xprop", "-id", str(w),
                                           "_NET_WM_WINDOW_TYPE"]).stdout]

    def test_the_window_names_a_damaged_file_without_stacking_boxes(self):
        self.write_store_file("good.ics", EVENT.format(uid="g", subject="Still shown",
                                                       start=today_at(23)))
        self.write_store_file("broken.ics", "BEGIN:VCALENDAR\r\nhalf a file")
        self.app.start()
        self.assertIsNotNone(self.app.main_window())
        dialog = wait_until(self.dialogs, 15)
        self.assertEqual(len(dialog), 1, "no error box, or more than one")
        # Refreshes go on while nobody closes it, and no second box is stacked.
        self.write_store_file("good.ics", EVENT.format(uid="g", subject="Edited",
                                                       start=today_at(23)))
        self.write_store_file("broken.ics", "BEGIN:VCALENDAR\r\nstill half a file")
        time.sleep(4)
        self.assertEqual(len(self.dialogs()), 1)
        self.assertIsNone(self.app.process.poll())

    def test_a_zone_changing_every_minute_does_not_hang_the_reader(self):
        zone = ("BEGIN:VTIMEZONE\r\nTZID:Hostile\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\n"
                "RRULE:FREQ=MINUTELY\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0000\r\nEND:STANDARD\r\n"
                "BEGIN:DAYLIGHT\r\nDTSTART:19700101T000030\r\nRRULE:FREQ=MINUTELY\r\n"
                "TZOFFSETFROM:+0000\r\nTZOFFSETTO:+0100\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n")
        event = ("BEGIN:VEVENT\r\nUID:z\r\nSUMMARY:Zoned item\r\nDTSTART;TZID=Hostile:%s\r\n"
                 "END:VEVENT\r\n" % today_at(23))
        self.write_store_file("zone.ics", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + zone + event +
                              "END:VCALENDAR\r\n")
        result = self.app.run("--text", timeout=30)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("Zoned item", result.stdout)

    def test_a_signal_ends_the_program_when_the_settings_cannot_be_written(self):
        # The settings folder replaced by a file: no save can succeed.
        brennick = os.path.dirname(self.app.settings_file)
        os.makedirs(os.path.dirname(brennick), exist_ok=True)
        with open(brennick, "w") as f:
            f.write("in the way")
        self.write_store_file("good.ics", EVENT.format(uid="g", subject="Item",
                                                       start=today_at(23)))
        self.app.start()
        self.assertIsNotNone(self.app.main_window())
        self.app.process.send_signal(signal.SIGTERM)
        try:
            self.app.process.wait(10)
        except subprocess.TimeoutExpired:
            self.fail("the program kept running after SIGTERM")
        self.assertEqual(self.app.process.returncode, 0)
        self.assertIn("Failed to set data", self.app.stderr())

    def test_a_signal_with_a_read_only_settings_folder_keeps_the_old_file(self):
        self.app.write_settings({"RefreshEvery": 7})
        with open(self.app.settings_file, encoding="utf-8") as f:
            before = f.read()
        brennick = os.path.dirname(self.app.settings_file)
        os.chmod(brennick, stat.S_IRUSR | stat.S_IXUSR)
        try:
            if os.access(brennick, os.W_OK):
                self.skipTest("running as root: a read-only folder is still writable")
            self.app.start()
            self.assertIsNotNone(self.app.main_window())
            self.assertEqual(self.app.stop(signal.SIGTERM, timeout=10), 0)
            self.assertIn("Failed to set data", self.app.stderr())
            with open(self.app.settings_file, encoding="utf-8") as f:
                self.assertEqual(f.read(), before)
        finally:
            os.chmod(brennick, stat.S_IRWXU)

    def test_temporaries_of_an_interrupted_save_are_removed_at_start(self):
        self.app.write_settings({"RefreshEvery": 7})
        brennick = os.path.dirname(self.app.settings_file)
        stale = [os.path.join(brennick, "Lumivane.reg." + s) for s in ("a1B2c3", "XyZ789")]
        for path in stale:
            with open(path, "w") as f:
                f.write("half")
        other = os.path.join(brennick, "Lumivane.reg.notes")  # not a temporary of ours
        with open(other, "w") as f:
            f.write("keep")
        self.app.start()
        self.assertIsNotNone(self.app.main_window())
        self.assertTrue(wait_until(lambda: not any(os.path.exists(p) for p in stale), 5))
        self.assertTrue(os.path.exists(other))

    def test_the_sample_store_is_never_mixed_into_a_calendar(self):
        empty = os.path.join(self.tmp, "sample")
        first = self.app.run("--make-sample-store", empty)
        self.assertEqual(first.returncode, 0, first.stderr)
        self.assertIn("Wrote " + os.path.join(empty, "sample-calendar.ics"), first.stdout)
        again = self.app.run("--make-sample-store", empty)
        self.assertEqual(again.returncode, 0, again.stderr)
        self.assertIn("Replaced " + os.path.join(empty, "sample-tasks.ics"), again.stdout)
        self.write_store_file("mine.ics", EVENT.format(uid="m", subject="Mine",
                                                       start=today_at(9)))
        refused = self.app.run("--make-sample-store", self.app.store)
        self.assertEqual(refused.returncode, 1)
        self.assertIn("mine.ics", refused.stderr)
        self.assertEqual(sorted(os.listdir(self.app.store)), ["mine.ics"])


if __name__ == "__main__":
    unittest.main()
