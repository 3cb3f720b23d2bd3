"""A small harness for end-to-end tests: a private X server (Xvfb) with a
window manager, fresh per-user folders, and the real program started in it.

Every test case gets its own temporary HOME-like folders (settings, data,
runtime, calendar store), so runs never touch the user's own files.
"""
import os
import queue
import re
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import unittest

BINARY = os.environ.get("LUMIVANE_BINARY", "lumivane")
SOURCE_DIR = os.environ.get(
    "LUMIVANE_SOURCE_DIR",
    os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))


def wait_until(predicate, timeout=10.0, interval=0.05):
    """Polls `predicate` until it returns a true value or the time is up."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            return value
        time.sleep(interval)


class XServer:
    """Xvfb on the first free display number, optionally with openbox."""

    def __init__(self, width=1280, height=800, window_manager=True, tray=False,
                 compositor=False):
        self.width, self.height = width, height
        self.processes = []
        self.display = None
        for number in range(90, 190):
            if not os.path.exists("/tmp/.X%d-lock" % number) and \
                    not os.path.exists("/tmp/.X11-unix/X%d" % number):
                self.display = ":%d" % number
                break
        if self.display is None:
            raise RuntimeError("no free X display number")
        self._start(["Xvfb", self.display, "-screen", "0",
                     "%dx%dx24" % (width, height), "-nolisten", "tcp"])
        socket = "/tmp/.X11-unix/X" + self.display[1:]
        if not wait_until(lambda: os.path.exists(socket), 10):
            raise RuntimeError("Xvfb did not start on " + self.display)
        if window_manager:
            self.ensure_window_manager()
        if compositor:
            self._start(["xcompmgr"])
        if tray:
            self._start(["trayer", "--edge", "bottom", "--align", "right",
                         "--widthtype", "pixel", "--width", "100",
                         "--height", "24", "--SetDockType", "true"])
            wait_until(self.tray_ready, 10)

    def ensure_window_manager(self):
        """Openbox started the moment the server's socket appears sometimes
        exits at once; start it again until it answers."""
        for _ in range(5):
            if self.run(["wmctrl", "-m"]).returncode == 0:
                return
            self._start(["openbox", "--sm-disable"])
            wait_until(lambda: self.run(["wmctrl", "-m"]).returncode == 0, 5)
        raise RuntimeError("openbox does not start")

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        env.pop("WAYLAND_DISPLAY", None)
        env["QT_QPA_PLATFORM"] = "xcb"
        return env

    def _start(self, command):
        process = subprocess.Popen(command, env=self.env() if self.display else None,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def run(self, command, **kwargs):
        return subprocess.run(command, env=self.env(), capture_output=True, text=True,
                              timeout=30, **kwargs)

    def tray_ready(self):
        """The tray host's panel window is mapped."""
        return bool(self.run(["xdotool", "search", "--onlyvisible", "--class", "trayer"]).stdout
                    or self.run(["xdotool", "search", "--onlyvisible", "--name", "panel"]).stdout)

    def windows(self, pid=None, name=None, visible=True):
        command = ["xdotool", "search"]
        if visible:
            command.append("--onlyvisible")
        if pid is not None:
            command += ["--pid", str(pid)]
        if name is not None:
            command += ["--name", name]
        elif pid is None:
            command += ["--name", "."]
        out = self.run(command).stdout.split()
        return [int(w) for w in out]

    def geometry(self, window):
        """(x, y, width, height) of a window, relative to the root."""
        out = self.run(["xwininfo", "-id", str(window)]).stdout
        values = {}
        for line in out.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
                if line.startswith(key + ":"):
                    values[key] = int(line.split(":")[1])
        return (values.get("Absolute upper-left X"), values.get("Absolute upper-left Y"),
                values.get("Width"), values.get("Height"))

    def set_wallpaper(self, colour, path):
        """A plain wallpaper, set the way desktops do (_XROOTPMAP_ID)."""
        subprocess.run(["convert", "-size", "%dx%d" % (self.width, self.height),
                        "xc:" + colour, path], check=True)
        self.run(["feh", "--bg-fill", path])

    def pixel(self, image, x, y):
        """The colour of one pixel of a PNG file as "#RRGGBB"."""
        out = subprocess.run(["convert", image, "-format", "%%[hex:p{%d,%d}]" % (x, y), "info:"],
                             capture_output=True, text=True, check=True).stdout.strip()
        return "#" + out[:6].upper()

    def screenshot(self, path):
        self.run(["import", "-window", "root", path])
        return path

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.processes.clear()


class Lumivane:
    """One run of the program with its own folders on a given X server."""

    def __init__(self, xserver, root):
        self.x = xserver
        self.root = root
        self.config = os.path.join(root, "config")
        self.data = os.path.join(root, "data")
        self.runtime = os.path.join(root, "runtime")
        self.cache = os.path.join(root, "cache")
        self.store = os.path.join(root, "store")
        for folder in (self.config, self.data, self.runtime, self.store):
            os.makedirs(folder, exist_ok=True)
        os.chmod(self.runtime, 0o700)
        self.process = None

    @property
    def settings_file(self):
        return os.path.join(self.config, "Brennick", "Lumivane.reg")

    def env(self, extra=None):
        env = self.x.env() if self.x else dict(os.environ)
        env.update({
            "XDG_CONFIG_HOME": self.config,
            "XDG_DATA_HOME": self.data,
            "XDG_RUNTIME_DIR": self.runtime,
            "XDG_CACHE_HOME": self.cache,
            "LUMIVANE_OUTLOOK_STORE": self.store,
            "LC_ALL": "C.UTF-8",
            "TZ": env.get("TZ", "Europe/Berlin"),
        })
        env.pop("LANG", None)
        env.update(extra or {})
        return env

    def start(self, *args, extra_env=None, welcome=False):
        """Starts the program. Without `welcome`, a first start gets a settings
        file that only turns the welcome window off, so it does not wait in
        front of the desktop; a test's own settings file is left as it is."""
        # A test that put a file where the settings folder goes gets none.
        blocked = os.path.isfile(os.path.dirname(self.settings_file))
        if not welcome and not blocked and not os.path.exists(self.settings_file):
            self.write_settings({})
        # Output goes to files: a full pipe nobody reads would stall the program.
        with open(os.path.join(self.root, "stdout.txt"), "w") as out, \
                open(os.path.join(self.root, "stderr.txt"), "w") as err:
            self.process = subprocess.Popen([BINARY, *args], env=self.env(extra_env),
                                            stdout=out, stderr=err)
        return self.process

    def stderr(self):
        with open(os.path.join(self.root, "stderr.txt"), encoding="utf-8") as f:
            return f.read()

    def run(self, *args, extra_env=None, timeout=60):
        """Runs the program to its end (the modes without a window)."""
        return subprocess.run([BINARY, *args], env=self.env(extra_env), capture_output=True,
                              text=True, timeout=timeout)

    def main_window(self, timeout=15):
        """The display window (the tray icon's window has no WM_NAME)."""
        def find():
            return [w for w in self.x.windows(pid=self.process.pid, name="^Lumivane$")
                    if 'WM_NAME(STRING) = "Lumivane"' in
                    self.x.run(["xprop", "-id", str(w), "WM_NAME"]).stdout]
        found = wait_until(find, timeout)
        return found[0] if found else None

    def stop(self, sig=signal.SIGTERM, timeout=15):
        if self.process and self.process.poll() is None:
            self.process.send_signal(sig)
            try:
                self.process.wait(timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        return self.process.returncode if self.process else None

    def write_settings(self, values):
        """A settings file with the given values: int -> dword, str -> text.
        The welcome window is off unless the values say otherwise."""
        values = dict({"ShowWelcomeWindow": 0}, **values)
        os.makedirs(os.path.dirname(self.settings_file), exist_ok=True)
        lines = ["Windows Registry Editor Version 5.00", "",
                 "[HKEY_CURRENT_USER\\Software\\Brennick\\Lumivane]"]
        for name, value in values.items():
            if isinstance(value, bool) or isinstance(value, int):
                lines.append('"%s"=dword:%08x' % (name, int(value) & 0xFFFFFFFF))
            else:
                lines.append('"%s"="%s"' % (name, value))
        with open(self.settings_file, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")

    def make_sample_store(self):
        result = self.run("--make-sample-store", self.store)
        if result.returncode != 0:
            raise RuntimeError(result.stderr)

    def read_settings(self):
        with open(self.settings_file, encoding="utf-8") as f:
            return f.read()


class ProbeProcess:
    """A probe program of the tests, driven line by line: commands go to its
    standard input, its report lines are read in the background. It reports
    its window first ("window N")."""

    def __init__(self, x, command):
        self.x = x
        self.lines = queue.Queue()
        self.process = subprocess.Popen(
            command, env=x.env(), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.PIPE, text=True, bufsize=1)
        self.errors = []
        self.readers = [
            threading.Thread(target=self._read, args=(self.process.stdout, self.lines.put),
                             daemon=True),
            threading.Thread(target=self._read, args=(self.process.stderr, self.errors.append),
                             daemon=True)]
        for reader in self.readers:
            reader.start()
        self.reported = []
        self.window = int(self.expect(r"window (\d+)").group(1))

    @staticmethod
    def _read(stream, sink):
        for line in stream:
            sink(line.rstrip("\n"))

    def expect(self, pattern, timeout=10.0):
        """The first report line from now on matching `pattern`; None when
        none comes in time."""
        deadline = time.monotonic() + timeout
        while True:
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                return None
            try:
                line = self.lines.get(timeout=remaining)
            except queue.Empty:
                return None
            self.reported.append(line)
            match = re.fullmatch(pattern, line)
            if match:
                return match

    def quiet(self, pattern, seconds):
        """True when no line matching `pattern` comes within `seconds`."""
        return self.expect(pattern, seconds) is None

    def send(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        for reader in self.readers:
            reader.join(5)
        for stream in (self.process.stdin, self.process.stdout, self.process.stderr):
            stream.close()


class XServerTestCase(unittest.TestCase):
    """A test case with its own X server (and window manager) per class."""

    xserver_options = {}

    @classmethod
    def setUpClass(cls):
        for tool in ("Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "wmctrl"):
            if shutil.which(tool) is None:
                raise unittest.SkipTest(tool + " is not installed")
        cls.x = XServer(**cls.xserver_options)

    @classmethod
    def tearDownClass(cls):
        cls.x.stop()


class DesktopTestCase(XServerTestCase):
    """The program with fresh folders per test."""

    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="lumivane-e2e-")
        self.app = self.new_app()
        # A key an earlier test sent to a window it closed may still be held
        # in this class's X server, repeating into the next window.
        self.x.run(["xdotool", "keyup", "Return", "Escape", "space", "Tab"])

    def new_app(self, name="run"):
        return Lumivane(self.x, os.path.join(self.tmp, name))

    def tearDown(self):
        for app in getattr(self, "_apps", []) + [self.app]:
            app.stop(signal.SIGKILL)
        shutil.rmtree(self.tmp, ignore_errors=True)
