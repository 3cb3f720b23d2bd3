"""The Debian package as a user gets it: built with cpack from this build,
unpacked into a scratch folder, every installed file in its place, the
unpacked program running its modes without a window and finding its
translation files, the desktop files and the package passing their
validators, and the program started from its menu entry's Exec line."""
import glob
import gzip
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from harness import BINARY, SOURCE_DIR, Lumivane, XServer, wait_until

BUILD_DIR = os.environ.get("LUMIVANE_BUILD_DIR", "")

INSTALLED = [
    "usr/bin/lumivane",
    "usr/share/lumivane/Languages/English.lvl",
    "usr/share/lumivane/Languages/German.lvl",
    "usr/share/applications/lumivane.desktop",
    "usr/share/metainfo/lumivane.metainfo.xml",
    "usr/share/icons/hicolor/scalable/apps/lumivane.svg",
    "usr/share/icons/hicolor/48x48/apps/lumivane.png",
    "usr/share/icons/hicolor/128x128/apps/lumivane.png",
    "usr/share/man/man1/lumivane.1.gz",
    "usr/share/doc/lumivane/copyright",
    "usr/share/doc/lumivane/changelog.gz",
]
if os.path.exists(os.path.join(SOURCE_DIR, "resources", "EULA.TXT")):
    INSTALLED.append("usr/share/lumivane/EULA.TXT")


def run(command, timeout=600, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, timeout=timeout, **kwargs)


@unittest.skipUnless(BUILD_DIR and shutil.which("cpack") and shutil.which("dpkg-deb"),
                     "needs the build folder, cpack and dpkg-deb")
class Package(unittest.TestCase):
    """One package per class: building it is the slow part."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="lumivane-package-")
        built = run(["cpack", "-G", "DEB", "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"),
                     "-B", os.path.join(cls.tmp, "out")])
        if built.returncode != 0:
            shutil.rmtree(cls.tmp, ignore_errors=True)
            raise AssertionError("cpack failed:\n" + built.stdout + built.stderr)
        debs = glob.glob(os.path.join(cls.tmp, "out", "lumivane_*.deb"))
        assert len(debs) == 1, debs
        cls.deb = debs[0]
        cls.root = os.path.join(cls.tmp, "root")
        subprocess.run(["dpkg-deb", "-x", cls.deb, cls.root], check=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def field(self, name):
        return run(["dpkg-deb", "-f", self.deb, name]).stdout.strip()

    def installed(self, path):
        return os.path.join(self.root, path)

    def test_every_file_is_in_its_place_and_nothing_else(self):
        files = sorted(os.path.relpath(os.path.join(folder, name), self.root)
                       for folder, _, names in os.walk(self.root) for name in names)
        languages = sorted("usr/share/lumivane/Languages/" + os.path.basename(p) for p in
                           glob.glob(os.path.join(SOURCE_DIR, "resources/Languages/*.lvl")))
        expected = sorted(set(INSTALLED) | set(languages))
        self.assertEqual(files, expected)
        self.assertTrue(os.access(self.installed("usr/bin/lumivane"), os.X_OK))
        for size in (48, 128):
            png = self.installed("usr/share/icons/hicolor/%dx%d/apps/lumivane.png" % (size, size))
            out = run(["identify", "-format", "%w %h %[opaque]", png]).stdout.split()
            self.assertEqual(out[:2], [str(size), str(size)])
            self.assertEqual(out[2].lower(), "false", "the icon has no see-through corners")

    def test_control_fields_come_from_the_build_and_the_binary(self):
        self.assertEqual(self.field("Package"), "lumivane")
        self.assertEqual(self.field("Section"), "x11")
        self.assertTrue(self.field("Maintainer").startswith("The Lumivane developers"))
        depends = self.field("Depends")
        # dpkg-shlibdeps reads them from the program's links.
        for library in ("libc6", "libqt6widgets6", "libqt6svg6", "libical3", "libxcb1"):
            self.assertRegex(depends, r"\b%s\b" % re.escape(library))
        self.assertIn("see-through desktop agenda", self.field("Description"))

    def test_the_unpacked_program_runs_without_a_window_and_finds_its_translations(self):
        app = Lumivane(None, os.path.join(self.tmp, "user"))
        sample = subprocess.run([BINARY, "--make-sample-store", app.store], env=app.env(),
                                capture_output=True, text=True)
        self.assertEqual(sample.returncode, 0, sample.stderr)
        program = self.installed("usr/bin/lumivane")
        english = run([program, "--text"], env=app.env())
        self.assertEqual(english.returncode, 0, english.stderr)
        self.assertIn("Team stand-up", english.stdout)
        self.assertIn("Tasks", english.stdout)
        app.write_settings({"Language": "German"})
        german = run([program, "--text"], env=app.env())
        self.assertEqual(german.returncode, 0, german.stderr)
        self.assertIn("Aufgaben", german.stdout)
        self.assertEqual(german.stderr, "")
        version = run([program, "--version"])
        self.assertIn(self.field("Version"), version.stdout)

    def test_the_autostart_switch_writes_a_valid_entry_and_removes_it(self):
        app = Lumivane(None, os.path.join(self.tmp, "autostart"))
        program = self.installed("usr/bin/lumivane")
        entry = os.path.join(app.config, "autostart", "lumivane.desktop")
        self.assertEqual(run([program, "--autostart", "status"], env=app.env()).stdout, "off\n")
        on = run([program, "--autostart", "on"], env=app.env())
        self.assertEqual((on.returncode, on.stdout), (0, "on (%s)\n" % entry))
        with open(entry) as f:
            self.assertIn("\nExec=%s\n" % program, f.read())
        if shutil.which("desktop-file-validate"):
            checked = run(["desktop-file-validate", entry])
            self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
        self.assertEqual(run([program, "--autostart", "status"], env=app.env()).stdout,
                         "on (%s)\n" % entry)
        self.assertEqual(run([program, "--autostart", "off"], env=app.env()).stdout, "off\n")
        self.assertFalse(os.path.exists(entry))
        wrong = run([program, "--autostart", "maybe"], env=app.env())
        self.assertEqual(wrong.returncode, 2)

    @unittest.skipUnless(shutil.which("desktop-file-validate"), "desktop-file-utils")
    def test_the_menu_entry_is_valid(self):
        checked = run(["desktop-file-validate",
                       self.installed("usr/share/applications/lumivane.desktop")])
        self.assertEqual((checked.returncode, checked.stdout + checked.stderr), (0, ""))

    @unittest.skipUnless(shutil.which("appstreamcli"), "appstream")
    def test_the_metainfo_is_valid(self):
        # The one override: the component id is the program's own name, as its
        # menu entry is; the project has no domain of its own to reverse.
        checked = run(["appstreamcli", "validate", "--no-net",
                       "--override=cid-desktopapp-is-not-rdns=info",
                       self.installed("usr/share/metainfo/lumivane.metainfo.xml")])
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)

    def test_the_manual_page_lists_every_option_and_renders_cleanly(self):
        with gzip.open(self.installed("usr/share/man/man1/lumivane.1.gz"), "rt") as f:
            page = f.read().replace("\\-", "-").replace("\\e", "\\")
        usage = run([self.installed("usr/bin/lumivane"), "--help"]).stdout
        options = set(re.findall(r"(?<![\w-])--?[a-z][a-z-]*|\\HIDDEN", usage))
        self.assertIn("--autostart", options)
        for option in options:
            self.assertIn(option, page)
        for variable in ("LUMIVANE_OUTLOOK_STORE", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                         "XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "LUMIVANE_NO_CACHE"):
            self.assertIn(variable, page)
        for section in ("ENVIRONMENT", "FILES", "EXIT STATUS"):
            self.assertIn(".SH " + section, page)
        if shutil.which("man"):
            rendered = run(["man", "--warnings", "-l", self.installed(
                "usr/share/man/man1/lumivane.1.gz")], env=dict(os.environ, MANWIDTH="80"))
            self.assertEqual(rendered.stderr, "")
            self.assertIn("EXIT STATUS", rendered.stdout)

    @unittest.skipUnless(shutil.which("lintian"), "lintian")
    def test_lintian_finds_no_error(self):
        checked = run(["lintian", "--allow-root", "--tag-display-limit", "0", self.deb])
        errors = [line for line in checked.stdout.splitlines() if line.startswith("E:")]
        if "<" not in self.field("Maintainer"):
            # Built without a maintainer's address (LUMIVANE_PACKAGE_CONTACT,
            # default $DEBEMAIL): the one error that a builder's setting removes.
            errors = [line for line in errors if " malformed-contact Maintainer " not in line]
        self.assertEqual(errors, [], checked.stdout + checked.stderr)

    @unittest.skipUnless(shutil.which("Xvfb") and shutil.which("trayer"), "Xvfb and trayer")
    def test_started_from_its_menu_entry_it_shows_the_window_and_the_tray_icon(self):
        with open(self.installed("usr/share/applications/lumivane.desktop")) as f:
            exec_line = [line.split("=", 1)[1].strip() for line in f
                         if line.startswith("Exec=")][0]
        x = XServer(tray=True)
        self.addCleanup(x.stop)
        app = Lumivane(x, os.path.join(self.tmp, "desktop"))
        app.make_sample_store()
        env = app.env({"PATH": self.installed("usr/bin") + os.pathsep + os.environ["PATH"]})
        app.process = subprocess.Popen(exec_line.split(), env=env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        self.addCleanup(app.stop)
        self.assertIsNotNone(app.main_window())
        # With a tray host running, the program shows two windows: the
        # display and its icon docked in the tray.
        docked = wait_until(lambda: len(x.windows(pid=app.process.pid)) >= 2, 10)
        self.assertTrue(docked, "no icon in the tray host")
        # The session's start at login, from the autostart entry's Exec line,
        # meets the running copy: it ends at once and the one window stays.
        self.assertEqual(run(["lumivane", "--autostart", "on"], env=env).returncode, 0)
        with open(os.path.join(app.config, "autostart", "lumivane.desktop")) as f:
            autostart_exec = [line.split("=", 1)[1].strip() for line in f
                              if line.startswith("Exec=")][0]
        self.assertEqual(autostart_exec, self.installed("usr/bin/lumivane"))
        shown = sorted(x.windows())
        second = run(autostart_exec.split(), env=env, timeout=30)  # a second copy would stay
        self.assertEqual(second.returncode, 0, second.stderr)
        self.assertEqual(sorted(x.windows()), shown)
        self.assertIsNone(app.process.poll())
        if os.environ.get("LUMIVANE_KEEP_SCREENSHOT"):
            x.screenshot(os.environ["LUMIVANE_KEEP_SCREENSHOT"])


if __name__ == "__main__":
    unittest.main()
