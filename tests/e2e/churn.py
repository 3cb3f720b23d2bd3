#!/usr/bin/env python3
"""Churn of the calendar store while the program runs: files rewritten in
place (so the program meets half-written ones), renamed, deleted and made
anew in a tight loop. The program must keep running, open at most one error
box (nobody closes it), and use no more memory at the end than 5% above what
it used after the first rounds.

    LUMIVANE_BINARY=build/debug/bin/lumivane tests/e2e/churn.py [--seconds 60]

Not part of the test run (it takes over a minute). Prints the figures and
exits 1 when a rule is broken.
"""
import argparse
import os
import random
import shutil
import sys
import tempfile
import time

from harness import Lumivane, XServer

EVENT = ("BEGIN:VEVENT\r\nUID:{uid}\r\nSUMMARY:{subject}\r\nDTSTART:{start}\r\n"
         "DTEND:{start}\r\nEND:VEVENT\r\n")


def calendar(index, events=20):
    day = time.strftime("%Y%m%d", time.localtime())
    body = "".join(EVENT.format(uid="%d-%d" % (index, i), subject="Item %d.%d" % (index, i),
                                start="%sT%02d0000" % (day, 8 + i % 12)) for i in range(events))
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + body + "END:VCALENDAR\r\n"


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--files", type=int, default=20)
    parser.add_argument("--seed", type=int, default=17)
    args = parser.parse_args()
    random.seed(args.seed)

    root = tempfile.mkdtemp(prefix="lumivane-churn-")
    xserver = XServer()
    boxes = set()
    operations = 0
    try:
        app = Lumivane(xserver, root)
        names = ["cal%02d.ics" % i for i in range(args.files)]
        texts = {name: calendar(i) for i, name in enumerate(names)}

        def restore():
            for entry in os.listdir(app.store):
                os.remove(os.path.join(app.store, entry))
            for name in names:
                with open(os.path.join(app.store, name), "w") as f:
                    f.write(texts[name])

        def churn(seconds):
            nonlocal operations
            end = time.monotonic() + seconds
            next_look = 0.0
            while time.monotonic() < end:
                name = random.choice(names)
                path = os.path.join(app.store, name)
                op = random.random()
                try:
                    if op < 0.5:
                        # In place, in two writes: a reader may meet half a file.
                        text = texts[name]
                        with open(path, "w") as f:
                            f.write(text[:len(text) // 2])
                            f.flush()
                            time.sleep(0.002)
                            f.write(text[len(text) // 2:])
                    elif op < 0.7:
                        os.rename(path, path + ".moved.ics")
                        time.sleep(0.002)
                        os.rename(path + ".moved.ics", path)
                    elif op < 0.85:
                        os.remove(path)
                        time.sleep(0.002)
                        with open(path, "w") as f:
                            f.write(texts[name])
                    else:
                        with open(path, "w") as f:
                            f.write("BEGIN:VCALENDAR\r\ngarbage")
                        time.sleep(0.002)
                        with open(path, "w") as f:
                            f.write(texts[name])
                except FileNotFoundError:
                    pass
                operations += 1
                if time.monotonic() >= next_look:
                    boxes.update(xserver.windows(pid=app.process.pid, name="^Error$"))
                    next_look = time.monotonic() + 0.5
                    if app.process.poll() is not None:
                        return

        restore()
        app.start()
        if app.main_window(timeout=30) is None:
            print("the program showed no window")
            return 1
        churn(min(5.0, args.seconds / 4))
        restore()
        time.sleep(3)
        baseline = rss_kib(app.process.pid)
        churn(args.seconds)
        alive = app.process.poll() is None
        if alive:
            restore()
            time.sleep(3)
            boxes.update(xserver.windows(pid=app.process.pid, name="^Error$"))
            final = rss_kib(app.process.pid)
        else:
            final = 0
        app.stop()
    finally:
        xserver.stop()
        shutil.rmtree(root, ignore_errors=True)
    growth = (final - baseline) * 100.0 / baseline if baseline else 0.0
    print("%.0f s, %d store operations; program %s; error boxes %d; memory %d KiB after "
          "warm-up, %d KiB at the end (%+.1f%%)" %
          (args.seconds, operations, "alive" if alive else "ENDED", len(boxes), baseline, final,
           growth))
    return 0 if alive and len(boxes) <= 1 and growth <= 5.0 else 1


if __name__ == "__main__":
    sys.exit(main())
