"""A real calendar account, end to end: a CalDAV server (Radicale) on a
loopback port with a throw-away storage folder, a calendar and a task list
made on it over CalDAV, vdirsyncer syncing them into the store folder, and
the running program showing each change through its store watcher: a new
event and task, a renamed event, a deleted one.

What the running window shows is compared pixel by pixel with the picture
that --screenshot draws of the same store, whose text (--text) names the
items; so the window must have refreshed from the synced files to match."""
import os
import shutil
import socket
import subprocess
import textwrap
import time
import unittest

from harness import DesktopTestCase, wait_until
from pictures import KEY, crop, image_size, pixels

WALLPAPER = "#336699"
SHOW_WITHIN = 5.0  # seconds from the end of a sync to the window showing it


def free_loopback_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class CalDavServer:
    """Radicale with its own configuration and storage, open to one user."""

    USER = ("test", "secret")

    def __init__(self, root):
        self.root = root
        self.port = free_loopback_port()
        self.url = "http://127.0.0.1:%d/" % self.port
        config = os.path.join(root, "radicale.conf")
        with open(config, "w") as f:
            f.write(textwrap.dedent("""\
                [server]
                hosts = 127.0.0.1:%d
                [auth]
                type = none
                [rights]
                type = owner_only
                [storage]
                filesystem_folder = %s
                """ % (self.port, os.path.join(root, "collections"))))
        self.log = open(os.path.join(root, "radicale.log"), "w")
        self.process = subprocess.Popen(["radicale", "-C", config], stdout=self.log,
                                        stderr=subprocess.STDOUT)
        if not wait_until(lambda: self.request("GET", "") in ("200", "302"), 30, 0.2):
            self.stop()
            raise RuntimeError("Radicale did not answer on " + self.url)

    def request(self, method, path, data=None, content_type=None):
        """The HTTP status of one request, as text ("000" when refused)."""
        command = ["curl", "-s", "-o", "/dev/null", "-w", "%{http_code}", "--max-time", "10",
                   "-u", "%s:%s" % self.USER, "-X", method]
        if content_type:
            command += ["-H", "Content-Type: " + content_type]
        if data is not None:
            command += ["--data-binary", "@-"]
        result = subprocess.run(command + [self.url + path], input=data, capture_output=True,
                                text=True)
        return result.stdout.strip()

    def make_collection(self, name, title, component):
        body = ('<?xml version="1.0" encoding="utf-8"?>'
                '<C:mkcalendar xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">'
                '<D:set><D:prop><D:displayname>%s</D:displayname>'
                '<C:supported-calendar-component-set><C:comp name="%s"/>'
                '</C:supported-calendar-component-set></D:prop></D:set></C:mkcalendar>'
                % (title, component))
        return self.request("MKCALENDAR", "test/%s/" % name, body, "application/xml")

    def put(self, path, calendar):
        return self.request("PUT", "test/" + path, calendar, "text/calendar")

    def delete(self, path):
        return self.request("DELETE", "test/" + path)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()


def event(summary, day, uid="appointment-1", hour=12):
    return ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Lumivane tests//EN\r\n"
            "BEGIN:VEVENT\r\nUID:%s@lumivane.test\r\nDTSTAMP:20260101T000000Z\r\n"
            "DTSTART:%sT%02d0000\r\nDTEND:%sT%02d3000\r\nSUMMARY:%s\r\n"
            "END:VEVENT\r\nEND:VCALENDAR\r\n" % (uid, day, hour, day, hour, summary))


def task(summary):
    return ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Lumivane tests//EN\r\n"
            "BEGIN:VTODO\r\nUID:task-1@lumivane.test\r\nDTSTAMP:20260101T000000Z\r\n"
            "SUMMARY:%s\r\nSTATUS:NEEDS-ACTION\r\nEND:VTODO\r\nEND:VCALENDAR\r\n" % summary)


class OwnCalendar(DesktopTestCase):

    @classmethod
    def setUpClass(cls):
        for tool in ("radicale", "vdirsyncer", "curl"):
            if shutil.which(tool) is None:
                raise unittest.SkipTest(tool + " is not installed")
        super().setUpClass()

    def setUp(self):
        super().setUp()
        self.server = CalDavServer(self.tmp)
        self.addCleanup(self.server.stop)
        self.sync_config = os.path.join(self.tmp, "vdirsyncer.conf")
        with open(self.sync_config, "w") as f:
            f.write(textwrap.dedent("""\
                [general]
                status_path = "%s/"

                [pair calendar]
                a = "calendar_remote"
                b = "calendar_local"
                collections = ["from a"]

                [storage calendar_remote]
                type = "caldav"
                url = "%s"
                username = "%s"
                password = "%s"

                [storage calendar_local]
                type = "filesystem"
                path = "%s/"
                fileext = ".ics"
                """ % (os.path.join(self.tmp, "sync-status"), self.server.url,
                       *CalDavServer.USER, self.app.store)))

    def vdirsyncer(self, *args):
        # discover asks before it makes the local folders of new collections.
        result = subprocess.run(["vdirsyncer", "-c", self.sync_config, *args], input="y\n" * 8,
                                capture_output=True, text=True, timeout=120)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def shows_the_store(self, window):
        """The running window shows the display that --screenshot draws of the
        store now: same size, same pixels wherever it is not background."""
        picture = os.path.join(self.tmp, "expected.png")
        made = self.app.run("--screenshot", picture)
        self.assertEqual(made.returncode, 0, made.stderr)
        drawn = pixels(picture, key=KEY)
        width, height = image_size(picture)

        def matches():
            geometry = self.x.geometry(window)
            if geometry[2:] != (width, height):
                return False
            shot = self.x.screenshot(os.path.join(self.tmp, "root.png"))
            shown = pixels(crop(shot, geometry, os.path.join(self.tmp, "window.png")),
                           key=WALLPAPER)
            return sum(1 for p, c in drawn.items() if shown.get(p) != c) < len(drawn) // 100
        return matches

    def sync_and_see(self, window, present, absent):
        self.vdirsyncer("sync")
        synced = time.monotonic()
        text = self.app.run("--text")
        self.assertEqual(text.returncode, 0, text.stderr)
        for title in present:
            self.assertIn(title, text.stdout)
        for title in absent:
            self.assertNotIn(title, text.stdout)
        self.assertTrue(wait_until(self.shows_the_store(window), SHOW_WITHIN * 2, 0.2),
                        "the window does not show the synced store:\n" + text.stdout)
        elapsed = time.monotonic() - synced
        self.assertLessEqual(elapsed, SHOW_WITHIN, "the window took %.1f s" % elapsed)

    def test_server_changes_reach_the_running_window(self):
        today = time.strftime("%Y%m%d")
        self.assertEqual(self.server.make_collection("calendar", "Calendar", "VEVENT"), "201")
        self.assertEqual(self.server.make_collection("tasks", "Tasks", "VTODO"), "201")
        self.assertEqual(self.server.put("calendar/appointment-1.ics",
                                         event("Rooftop garden meeting", today)), "201")
        # A second event stays: vdirsyncer refuses to empty a whole calendar.
        self.assertEqual(self.server.put("calendar/appointment-2.ics",
                                         event("Evening yoga class", today, "appointment-2", 18)),
                         "201")
        self.assertEqual(self.server.put("tasks/task-1.ics", task("Renew the parking permit")),
                         "201")

        self.x.set_wallpaper(WALLPAPER, os.path.join(self.tmp, "wall.png"))
        self.app.write_settings({"WindowLeft": 120, "WindowTop": 80})
        self.app.start()
        window = self.app.main_window()
        self.assertIsNotNone(window)
        before = self.app.run("--text").stdout
        self.assertNotIn("Rooftop garden meeting", before)

        self.vdirsyncer("discover")
        self.sync_and_see(window, ["Rooftop garden meeting", "Evening yoga class",
                                   "Renew the parking permit"], [])

        self.assertIn(self.server.put("calendar/appointment-1.ics",
                                      event("Rooftop garden party", today)), ("201", "204"))
        self.sync_and_see(window, ["Rooftop garden party", "Renew the parking permit"],
                          ["Rooftop garden meeting"])

        self.assertIn(self.server.delete("calendar/appointment-1.ics"), ("200", "204"))
        self.sync_and_see(window, ["Evening yoga class", "Renew the parking permit"],
                          ["Rooftop garden"])
        self.assertIsNone(self.app.process.poll(), "the program ended")


if __name__ == "__main__":
    unittest.main()
