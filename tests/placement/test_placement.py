"""The desktop placement pieces on a real X server with openbox: the window
roles, the pin timer, the hot key grabs, the see-through background and the
full-screen rule, through a small probe window that uses them as the main
window does."""
import ctypes
import ctypes.util
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import ProbeProcess, XServer, XServerTestCase, wait_until  # noqa: E402

PROBE = os.environ.get("PLACEMENT_PROBE", "placement_probe")
WALLPAPER = (0x33, 0x66, 0xCC)
CTRL_ALT_R = 0xC052


class Probe(ProbeProcess):
    """One probe window."""

    def __init__(self, x, *args):
        super().__init__(x, [PROBE, *args])


class ProbeTestCase(XServerTestCase):
    def setUp(self):
        self.probes = []
        self.tmp = tempfile.mkdtemp(prefix="lumivane-placement-")

    def tearDown(self):
        for probe in self.probes:
            probe.stop()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def probe(self, *args):
        probe = Probe(self.x, *args)
        self.probes.append(probe)
        return probe

    def other_window(self):
        """An ordinary decorated window of another program, active."""
        other = self.probe("--title", "Other", "--pos", "500,300", "--size", "200x150")
        self.assertTrue(wait_until(lambda: self.viewable(other.window), 5))
        self.activate(other.window)
        return other

    def activate(self, window):
        self.x.run(["xdotool", "windowactivate", "--sync", str(window)])
        self.assertTrue(wait_until(lambda: self.active_window() == window, 5),
                        "window %d did not become active" % window)

    def prop(self, window, name):
        out = self.x.run(["xprop", "-id", str(window), name]).stdout
        return out.split("=", 1)[1].strip() if "=" in out else ""

    def atoms(self, window, name):
        return [a.strip() for a in self.prop(window, name).split(",") if a.strip()]

    def active_window(self):
        out = self.x.run(["xprop", "-root", "_NET_ACTIVE_WINDOW"]).stdout
        match = re.search(r"# (0x[0-9a-f]+)", out)
        return int(match.group(1), 16) if match else 0

    def viewable(self, window):
        return "IsViewable" in self.x.run(["xwininfo", "-id", str(window)]).stdout


class DesktopRoles(ProbeTestCase):
    def test_parent_mode_is_a_desktop_window_on_every_workspace(self):
        probe = self.probe("--mode", "desktop")
        self.assertIsNotNone(probe.expect("role desktop") or "role desktop" in probe.reported)
        self.assertTrue(wait_until(lambda: self.viewable(probe.window), 5))
        self.assertEqual(self.atoms(probe.window, "_NET_WM_WINDOW_TYPE"),
                         ["_NET_WM_WINDOW_TYPE_DESKTOP"])
        self.assertEqual(self.prop(probe.window, "_NET_WM_DESKTOP"), "4294967295")
        # Qt writes the window's types again when its flags change.
        probe.send("recreate")
        self.assertIsNotNone(probe.expect(r"recreated \d+"))
        time.sleep(0.3)
        self.assertEqual(self.atoms(probe.window, "_NET_WM_WINDOW_TYPE"),
                         ["_NET_WM_WINDOW_TYPE_DESKTOP"])
        # Showing the desktop leaves it in place.
        self.x.run(["wmctrl", "-k", "on"])
        time.sleep(0.5)
        self.assertTrue(self.viewable(probe.window))
        self.x.run(["wmctrl", "-k", "off"])

    def test_beside_another_desktop_window_it_is_a_tool_window_kept_below(self):
        desktop = self.probe("--mode", "desktop", "--title", "FileManagerDesktop")
        self.assertTrue(wait_until(lambda: self.viewable(desktop.window), 5))
        probe = self.probe("--mode", "desktop", "--pos", "520,320")
        self.assertIn("role toolbelow", probe.reported)
        self.assertTrue(wait_until(lambda: self.viewable(probe.window), 5))
        self.assertNotIn("_NET_WM_WINDOW_TYPE_DESKTOP",
                         self.atoms(probe.window, "_NET_WM_WINDOW_TYPE"))
        states = self.atoms(probe.window, "_NET_WM_STATE")
        for state in ("_NET_WM_STATE_BELOW", "_NET_WM_STATE_SKIP_TASKBAR",
                      "_NET_WM_STATE_SKIP_PAGER"):
            self.assertIn(state, states)
        self.assertEqual(self.prop(probe.window, "_NET_WM_DESKTOP"), "4294967295")

        # Activated, it still stays below an ordinary window it overlaps,
        # and above the other desktop window.
        other = self.other_window()
        self.x.run(["xdotool", "windowactivate", str(probe.window)])
        time.sleep(0.5)
        out = self.x.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"]).stdout
        stacking = [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", out)]
        self.assertLess(stacking.index(probe.window), stacking.index(other.window))
        self.assertLess(stacking.index(desktop.window), stacking.index(probe.window))


class PinMode(ProbeTestCase):
    def test_showing_the_desktop_raises_the_window_and_another_window_drops_it(self):
        other = self.other_window()
        probe = self.probe("--mode", "pin", "--pos", "550,350")
        self.assertTrue(wait_until(lambda: self.viewable(probe.window), 5))
        self.activate(other.window)
        self.assertTrue(probe.quiet("pin .*", 1.0), "the pin state changed without a cause")

        started = time.monotonic()
        self.x.run(["wmctrl", "-k", "on"])
        raised = wait_until(lambda: self.viewable(probe.window) and "_NET_WM_STATE_ABOVE" in
                            self.atoms(probe.window, "_NET_WM_STATE"), 2.0, 0.02)
        raise_time = time.monotonic() - started
        self.assertTrue(raised, "not raised over the shown desktop")
        self.assertLess(raise_time, 0.5 + 0.25)  # one tick of 400 ms, and the checks' own time
        self.assertFalse(self.viewable(other.window), "the desktop is not shown")
        self.assertIsNotNone(probe.expect("pin ontop", 1))
        # It stays raised while the desktop is in front.
        self.assertTrue(probe.quiet("pin .*", 1.0), probe.reported)
        self.assertIn("_NET_WM_STATE_ABOVE", self.atoms(probe.window, "_NET_WM_STATE"))

        started = time.monotonic()
        self.x.run(["xdotool", "windowactivate", str(other.window)])
        dropped = wait_until(lambda: self.viewable(probe.window) and "_NET_WM_STATE_ABOVE" not in
                             self.atoms(probe.window, "_NET_WM_STATE"), 2.0, 0.02)
        drop_time = time.monotonic() - started
        self.assertTrue(dropped, "still raised after another window became active")
        self.assertLess(drop_time, 0.5 + 0.25)
        self.assertIsNotNone(probe.expect("pin atbottom", 1))
        # Back among ordinary windows as the kind of window it was, where it was.
        time.sleep(0.3)
        self.assertNotIn("_NET_WM_WINDOW_TYPE_DOCK",
                         self.atoms(probe.window, "_NET_WM_WINDOW_TYPE"))
        self.assertEqual(self.x.geometry(probe.window)[:2], (550, 350))
        self.assertTrue(probe.quiet("pin .*", 1.0))
        self.assertEqual(self.active_window(), other.window)

    def test_clicking_the_bare_desktop_counts_as_the_desktop_in_front(self):
        other = self.other_window()
        probe = self.probe("--mode", "pin", "--pos", "100,100")
        self.assertTrue(wait_until(lambda: self.viewable(probe.window), 5))
        self.activate(other.window)
        # A click on the root window leaves no window active.
        self.x.run(["xdotool", "mousemove", "1000", "700", "click", "1"])
        self.assertIsNotNone(probe.expect("pin ontop", 2))
        self.assertTrue(self.viewable(other.window))
        self.assertIn("_NET_WM_STATE_ABOVE", self.atoms(probe.window, "_NET_WM_STATE"))


class XClient:
    """Another X client: it holds key grabs for the refused-grab cases, and
    asks the server what no command-line tool tells."""

    def __init__(self, display):
        self.lib = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.lib.XOpenDisplay.restype = ctypes.c_void_p
        self.lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.lib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.lib.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.lib.XGrabKey.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_uint,
                                      ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_int]
        self.lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.lib.XInternAtom.restype = ctypes.c_ulong
        self.lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.lib.XGetSelectionOwner.restype = ctypes.c_ulong
        self.lib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.errors = []
        handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
        self._handler = handler_type(lambda d, e: self.errors.append(1) or 0)
        self.lib.XSetErrorHandler(self._handler)
        self.display = self.lib.XOpenDisplay(display.encode())
        self.root = self.lib.XDefaultRootWindow(self.display)

    def grab(self, keysym, modifiers):
        """True when the server granted the grab."""
        keycode = self.lib.XKeysymToKeycode(self.display, keysym)
        before = len(self.errors)
        self.lib.XGrabKey(self.display, keycode, modifiers, self.root, 1, 1, 1)
        self.lib.XSync(self.display, 0)
        return len(self.errors) == before

    def selection_owner(self, name):
        atom = self.lib.XInternAtom(self.display, name.encode(), 0)
        return self.lib.XGetSelectionOwner(self.display, atom)

    def close(self):
        self.lib.XCloseDisplay(self.display)


XK_r = 0x72
CONTROL, MOD1, MOD2 = 0x04, 0x08, 0x10


class HotKeys(ProbeTestCase):
    def test_the_hot_key_reaches_the_program_while_another_window_has_focus(self):
        probe = self.probe("--hotkey", str(CTRL_ALT_R))
        self.assertIn("registered 49234 1", probe.reported)
        other = self.other_window()
        self.x.run(["xdotool", "key", "ctrl+alt+r"])
        self.assertIsNotNone(probe.expect("hotkey 49234", 10))
        self.assertEqual(self.active_window(), other.window)
        # With NumLock and CapsLock on, as with both.
        for lock in (["Num_Lock"], ["Caps_Lock"], ["Num_Lock", "Caps_Lock"]):
            for key in lock:
                self.x.run(["xdotool", "key", key])
            self.x.run(["xdotool", "key", "ctrl+alt+r"])
            self.assertIsNotNone(probe.expect("hotkey 49234", 10), "with " + "+".join(lock))
            for key in lock:
                self.x.run(["xdotool", "key", key])
        # Other combinations of the key are not taken.
        self.x.run(["xdotool", "key", "ctrl+r"])
        self.x.run(["xdotool", "key", "ctrl+alt+shift+r"])
        self.assertTrue(probe.quiet("hotkey .*", 1.0))
        # Unregistered, the key does nothing.
        probe.send("unregister")
        self.assertIsNotNone(probe.expect("unregistered"))
        self.x.run(["xdotool", "key", "ctrl+alt+r"])
        self.assertTrue(probe.quiet("hotkey .*", 1.0))

    def test_a_key_another_client_holds_is_silently_not_registered(self):
        first = self.probe("--hotkey", str(CTRL_ALT_R), "--title", "First")
        self.assertIn("registered 49234 1", first.reported)
        second = self.probe("--hotkey", str(CTRL_ALT_R), "--title", "Second")
        self.assertIn("registered 49234 0", second.reported)
        # Another key is no trouble.
        second.send("register 0xC053")
        self.assertIsNotNone(second.expect("registered 49235 1"))
        self.x.run(["xdotool", "key", "ctrl+alt+r"])
        self.assertIsNotNone(first.expect("hotkey 49234", 10))
        self.assertTrue(second.quiet("hotkey .*", 1.0))
        self.assertEqual([e for e in second.errors if "QStandardPaths" not in e], [])

    def test_a_partly_refused_grab_releases_what_it_got(self):
        # Another client holds only the NumLock variant of the combination.
        grabber = XClient(self.x.display)
        self.addCleanup(grabber.close)
        self.assertTrue(grabber.grab(XK_r, CONTROL | MOD1 | MOD2))
        probe = self.probe("--hotkey", str(CTRL_ALT_R))
        self.assertIn("registered 49234 0", probe.reported)
        # The variants the probe got before the refusal are free again.
        other = XClient(self.x.display)
        self.addCleanup(other.close)
        self.assertTrue(other.grab(XK_r, CONTROL | MOD1))
        self.assertEqual([e for e in probe.errors if "QStandardPaths" not in e], [])

    def test_the_grab_follows_a_new_keyboard_map(self):
        # Z and Y change places on a German keyboard.
        self.x.run(["setxkbmap", "us"])
        self.addCleanup(lambda: self.x.run(["setxkbmap", "us"]))
        probe = self.probe("--hotkey", str(0xC05A))
        self.assertIn("registered 49242 1", probe.reported)
        self.x.run(["xdotool", "key", "ctrl+alt+z"])
        self.assertIsNotNone(probe.expect("hotkey 49242", 10))
        self.assertEqual(self.x.run(["setxkbmap", "de"]).returncode, 0)
        time.sleep(0.5)
        self.x.run(["xdotool", "key", "ctrl+alt+z"])
        self.assertIsNotNone(probe.expect("hotkey 49242", 10), "the key at its new place")
        # The old place types Y now: no hot key there.
        self.x.run(["xdotool", "key", "ctrl+alt+y"])
        self.assertTrue(probe.quiet("hotkey .*", 1.0))


def write_wallpaper(path, colour):
    with open(path, "wb") as f:
        f.write(b"P6\n16 16\n255\n" + bytes(colour) * 256)


def root_pixels(x, path):
    """The root window's picture as (width, height, bytes) of RGB."""
    x.run(["import", "-window", "root", "-depth", "8", "ppm:" + path])
    with open(path, "rb") as f:
        data = f.read()
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    width, height = int(match.group(1)), int(match.group(2))
    return width, height, data[match.end():]


def pixel(picture, px, py):
    width, _, data = picture
    offset = (py * width + px) * 3
    return tuple(data[offset:offset + 3])


class SeeThroughWithoutCompositor(ProbeTestCase):
    compositing = False

    def setUp(self):
        super().setUp()
        wallpaper = os.path.join(self.tmp, "wallpaper.ppm")
        write_wallpaper(wallpaper, WALLPAPER)
        self.assertEqual(self.x.run(["feh", "--bg-fill", wallpaper]).returncode, 0)

    def screenshot_of_probe(self, *args):
        # A frameless window, as the display is.
        probe = self.probe("--mode", "pin", "--pos", "200,200", "--size", "100x60",
                           "--key", "00FF00", *args)
        self.assertTrue(wait_until(lambda: self.viewable(probe.window), 5))
        time.sleep(0.8)  # painted, and composited where a compositor runs
        return probe, root_pixels(self.x, os.path.join(self.tmp, "shot.ppm"))

    def assert_close(self, actual, expected, tolerance=3):
        self.assertTrue(all(abs(a - e) <= tolerance for a, e in zip(actual, expected)),
                        "%s is not %s" % (actual, expected))

    def test_key_coloured_pixels_show_the_root_window(self):
        probe, shot = self.screenshot_of_probe("--compositing", "auto")
        # Background of the key colour, the red block, the key-coloured hole in it.
        self.assert_close(pixel(shot, 205, 205), WALLPAPER)
        self.assert_close(pixel(shot, 295, 255), WALLPAPER)
        self.assert_close(pixel(shot, 215, 215), (255, 0, 0))
        self.assert_close(pixel(shot, 265, 245), (255, 0, 0))
        self.assert_close(pixel(shot, 240, 230), WALLPAPER)
        # A compositor gets a window with an alpha channel.
        depth = "Depth: 32" if self.compositing else "Depth: 24"
        self.assertIn(depth, self.x.run(["xwininfo", "-id", str(probe.window)]).stdout)
        # The shape holds the red block (the hole in it is cut out as well).
        self.assertIn("Window shape extents:  60x40+10+10", self.x.run(
            ["xwininfo", "-shape", "-id", str(probe.window)]).stdout)

    def test_whole_window_alpha(self):
        probe, shot = self.screenshot_of_probe("--alpha", "128")
        # Xvfb's 24-bit depth keeps its pixels in 32 bits.
        self.assertIn("alpha 1", probe.reported)
        self.assertEqual(self.prop(probe.window, "_NET_WM_WINDOW_OPACITY"), "2155905152")
        red = pixel(shot, 215, 215)
        if self.compositing:
            blend = tuple(round((255 * 128 + w * 127) / 255) if i == 0 else
                          round(w * 127 / 255) for i, w in enumerate(WALLPAPER))
            self.assert_close(red, blend, 6)
        else:
            # Nothing blends windows without a compositor.
            self.assert_close(red, (255, 0, 0))


class SeeThroughWithCompositor(SeeThroughWithoutCompositor):
    xserver_options = {"compositor": True}
    compositing = True

    @classmethod
    def setUpClass(cls):
        if shutil.which("xcompmgr") is None:
            raise unittest.SkipTest("xcompmgr is not installed")
        super().setUpClass()
        # The compositor owns its selection once it runs.
        client = XClient(cls.x.display)
        running = wait_until(lambda: client.selection_owner("_NET_WM_CM_S0") != 0, 5)
        client.close()
        if not running:
            cls.x.stop()
            raise RuntimeError("xcompmgr does not run")


class FullScreenRule(ProbeTestCase):
    def test_the_active_window_covering_the_screen_is_full_screen(self):
        probe = self.probe("--mode", "pin")
        other = self.other_window()
        probe.send("fullscreen")
        self.assertIsNotNone(probe.expect("fullscreen 0"))
        self.x.run(["wmctrl", "-i", "-r", str(other.window), "-b", "add,fullscreen"])
        self.assertTrue(wait_until(lambda: self.x.geometry(other.window)[2] == self.x.width, 5))
        probe.send("fullscreen")
        self.assertIsNotNone(probe.expect("fullscreen 1"))
        # A maximized window keeps its frame: not full screen.
        self.x.run(["wmctrl", "-i", "-r", str(other.window), "-b", "remove,fullscreen"])
        self.x.run(["wmctrl", "-i", "-r", str(other.window), "-b",
                    "add,maximized_vert,maximized_horz"])
        time.sleep(0.5)
        probe.send("fullscreen")
        self.assertIsNotNone(probe.expect("fullscreen 0"))


if __name__ == "__main__":
    unittest.main()
