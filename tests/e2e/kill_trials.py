#!/usr/bin/env python3
"""Kill trials of the settings save: the program is started, sent SIGTERM
(which saves the settings) and then SIGKILL after 0 to 20 ms, again and
again. After each trial the settings file is either the old one or a
complete new one, never damaged; temporaries a kill left behind are counted
and must be gone once the next start has shown its window.

    LUMIVANE_BINARY=build/debug/bin/lumivane tests/e2e/kill_trials.py [--trials 1000]

Takes about a second per trial, so it is not part of the test run. Prints the
counts and exits 1 when a file was damaged or a leftover survived a start.
"""
import argparse
import glob
import os
import random
import shutil
import signal
import sys
import tempfile
import time

from harness import Lumivane, XServer, wait_until


def classify(path, old):
    try:
        with open(path, "rb") as f:
            data = f.read()
    except FileNotFoundError:
        return "missing"
    if data == old:
        return "old"
    text = data.decode("utf-8", "replace")
    complete = (text.startswith("Windows Registry Editor Version 5.00\n") and
                '"BackGroundColor"=' in text and text.endswith("\n") and
                '"RefreshEvery"=dword:00000007' in text)
    return "new" if complete else "damaged"


def temporaries(app):
    return glob.glob(app.settings_file + ".*")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--trials", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=17)
    args = parser.parse_args()
    random.seed(args.seed)

    root = tempfile.mkdtemp(prefix="lumivane-kill-")
    xserver = XServer()
    counts = {"new": 0, "old": 0, "damaged": 0, "missing": 0}
    left_after_kill = 0
    left_after_start = 0
    not_started = 0
    try:
        app = Lumivane(xserver, root)
        for trial in range(args.trials):
            # The old file: a value of our own, a marker the save keeps.
            app.write_settings({"RefreshEvery": 7, "KillTrial": trial})
            with open(app.settings_file, "rb") as f:
                old = f.read()
            app.start()
            if app.main_window(timeout=20) is None:
                not_started += 1
            # The start cleared what the last kill left behind.
            left_after_start += len(temporaries(app))
            app.process.send_signal(signal.SIGTERM)
            time.sleep(random.uniform(0.0, 0.020))
            if app.process.poll() is None:
                app.process.send_signal(signal.SIGKILL)
            app.process.wait()
            counts[classify(app.settings_file, old)] += 1
            left_after_kill += len(temporaries(app))
            if (trial + 1) % 50 == 0:
                print("after %d trials: %s, leftovers after kills %d, after starts %d" %
                      (trial + 1, counts, left_after_kill, left_after_start), flush=True)
        # One more start clears the last trial's leftovers.
        app.start()
        app.main_window(timeout=20)
        left_after_start += len(temporaries(app))
        app.stop(signal.SIGKILL)
    finally:
        xserver.stop()
        shutil.rmtree(root, ignore_errors=True)
    print("trials %d: new %d, old %d, damaged %d, missing %d; leftovers after kills %d, "
          "after the next start %d; starts without a window %d" %
          (args.trials, counts["new"], counts["old"], counts["damaged"], counts["missing"],
           left_after_kill, left_after_start, not_started))
    return 1 if counts["damaged"] or counts["missing"] or left_after_start else 0


if __name__ == "__main__":
    sys.exit(main())
