"""The dialog controls on a real X server with openbox, through a probe window:
the colour pane's palette opened and used with the mouse, a click on another
window of the program while the palette is open, and the category editor
placed next to a panel."""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import ProbeProcess, XServerTestCase, wait_until  # noqa: E402

PROBE = os.environ.get("DIALOGS_PROBE", "dialogs_probe")
# Screenshots are kept where this names a folder (for looking at the controls).
SHOTS = os.environ.get("LUMIVANE_SHOT_DIR")

CELL = 18
MARGIN = 7


class Probe(ProbeProcess):
    """The probe window of the dialog controls."""

    def __init__(self, x):
        super().__init__(x, [PROBE])

    def where(self):
        """Asks where the pane, the target button and the numeric edit are now."""
        self.send("where")
        self.pane = self._box(self.expect(r"pane (.*)"))
        self.target = self._box(self.expect(r"target (.*)"))
        self.spinbox = self._box(self.expect(r"spinbox (.*)"))

    @staticmethod
    def _box(match):
        return tuple(int(v) for v in match.group(1).split())


class DialogControlsTest(XServerTestCase):

    def setUp(self):
        self.probe = Probe(self.x)
        # Framed by the window manager: its windows stay put from here on.
        wait_until(lambda: self.x.run(["xprop", "-id", str(self.probe.window),
                                       "_NET_FRAME_EXTENTS"]).stdout.count(",") == 3, 5)
        time.sleep(0.3)
        self.probe.where()
        self.tmp = tempfile.mkdtemp(prefix="lumivane-dialogs-")
        self.addCleanup(shutil.rmtree, self.tmp, True)

    def tearDown(self):
        self.probe.stop()

    def click(self, x, y):
        self.x.run(["xdotool", "mousemove", str(x), str(y)])
        time.sleep(0.1)
        self.x.run(["xdotool", "click", "1"])

    def open_palette(self):
        px, py, pw, ph = self.probe.pane
        self.click(px + pw // 2, py + ph // 2)
        shown = self.probe.expect(r"palette shown (-?\d+) (-?\d+) (\d+) ([\d.]+)")
        self.assertIsNotNone(shown, "the palette did not open: %r" % self.probe.reported)
        self.palette_window = int(shown.group(3))
        self.palette_opacity = float(shown.group(4))
        return int(shown.group(1)), int(shown.group(2))

    def shot(self, name):
        if SHOTS:
            os.makedirs(SHOTS, exist_ok=True)
            self.x.screenshot(os.path.join(SHOTS, name))

    def test_choosing_a_colour_with_the_mouse_raises_on_change(self):
        x, y = self.open_palette()
        # Opened under the swatch, left edges aligned.
        px, py, pw, ph = self.probe.pane
        self.assertEqual((x, y), (px, py + ph))
        # Row 3, column 1 is red (written red first); the mark follows the pointer.
        cx, cy = x + MARGIN + CELL // 2, y + MARGIN + 2 * CELL + CELL // 2
        self.assertEqual(self.palette_opacity, 1.0, "no compositor runs: no fade")
        self.x.run(["xdotool", "mousemove", str(cx), str(cy)])
        time.sleep(0.3)
        self.shot("palette.png")
        self.x.run(["xdotool", "click", "1"])
        self.assertIsNotNone(self.probe.expect(r"palette hidden"))
        self.assertIsNotNone(self.probe.expect(r"change FF0000"))
        # The pane now shows red (inside its one-pixel frame).
        image = self.x.screenshot(os.path.join(self.tmp, "chosen.png"))
        self.assertEqual(self.x.pixel(image, px + pw // 2, py + ph // 2), "#FF0000")
        # "Other Color" raises its event.
        x, y = self.open_palette()
        self.click(x + 115, y + 106)
        self.assertIsNotNone(self.probe.expect(r"other"))

    def test_a_click_on_another_window_closes_the_palette_and_reaches_it(self):
        self.open_palette()
        tx, ty, tw, th = self.probe.target
        self.click(tx + tw // 2, ty + th // 2)
        self.assertIsNotNone(self.probe.expect(r"palette hidden"))
        self.assertIsNotNone(self.probe.expect(r"target clicked"),
                             "the closing click did not reach the other window: %r"
                             % self.probe.reported)

    def test_a_click_on_the_swatch_closes_without_opening_again(self):
        self.open_palette()
        px, py, pw, ph = self.probe.pane
        self.click(px + pw // 2, py + ph // 2)
        self.assertIsNotNone(self.probe.expect(r"palette hidden"))
        self.assertIsNone(self.probe.expect(r"palette shown.*", timeout=1.0))

    def test_the_numeric_edit_shows_min_value_when_emptied(self):
        sx, sy, sw, sh = self.probe.spinbox
        self.click(sx + 8, sy + sh // 2)
        self.x.run(["xdotool", "key", "End", "BackSpace", "BackSpace"])
        self.assertIsNotNone(self.probe.expect(r"spin 1"))
        self.x.run(["xdotool", "key", "Up", "Up"])
        self.assertIsNotNone(self.probe.expect(r"spin 3"))
        time.sleep(0.2)
        self.shot("spinedit.png")


class FadeTest(XServerTestCase):
    """With a compositor the palette fades in from transparent."""

    xserver_options = {"compositor": True}

    def test_the_palette_fades_in(self):
        if shutil.which("xcompmgr") is None:
            self.skipTest("xcompmgr is not installed")
        probe = Probe(self.x)
        try:
            wait_until(lambda: self.x.run(["xprop", "-id", str(probe.window),
                                           "_NET_FRAME_EXTENTS"]).stdout.count(",") == 3, 5)
            time.sleep(0.3)
            probe.where()
            px, py, pw, ph = probe.pane
            self.x.run(["xdotool", "mousemove", str(px + pw // 2), str(py + ph // 2)])
            self.x.run(["xdotool", "click", "1"])
            shown = probe.expect(r"palette shown -?\d+ -?\d+ (\d+) ([\d.]+)")
            self.assertIsNotNone(shown)
            self.assertEqual(float(shown.group(2)), 0.0)
            # Fully opaque once the fade is over (the opacity property then
            # reads the maximum or is gone).
            def opaque():
                out = self.x.run(["xprop", "-id", shown.group(1), "_NET_WM_WINDOW_OPACITY"]).stdout
                return "not found" in out or "4294967295" in out
            self.assertTrue(wait_until(opaque, 3))
        finally:
            probe.stop()


class CategoryEditorTest(XServerTestCase):
    """With a bottom panel that reserves its strip (a dock with a strut)."""

    def test_the_editor_opens_next_to_the_panel(self):
        if shutil.which("trayer") is None:
            self.skipTest("trayer is not installed")
        self.x._start(["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "percent",
                       "--width", "100", "--height", "30", "--SetDockType", "true",
                       "--SetPartialStrut", "true"])
        wait_until(self.x.tray_ready, 10)
        probe = Probe(self.x)
        try:
            probe.send("categories")
            placed = probe.expect(r"categories (-?\d+) (-?\d+) (\d+) (\d+)")
            self.assertIsNotNone(placed, "the editor did not open")
            x, y, w, h = (int(v) for v in placed.groups())
            # The panel's strip at the bottom: 20 pixels from the right screen
            # edge and from the work area's bottom.
            self.assertEqual(x + w, self.x.width - 20)
            self.assertEqual(y + h, self.x.height - 30 - 20)
            self.x.run(["xdotool", "type", "--delay", "80", "Fa"])
            time.sleep(0.5)
            if SHOTS:
                os.makedirs(SHOTS, exist_ok=True)
                self.x.screenshot(os.path.join(SHOTS, "categories.png"))
            self.x.run(["xdotool", "key", "Escape", "Escape"])
            self.assertIsNotNone(probe.expect(r"categories Work;Private"))
        finally:
            probe.stop()


if __name__ == "__main__":
    unittest.main()
