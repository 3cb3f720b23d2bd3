"""The idle cost of the running program: CPU time, wakeups and resident
memory over a quiet minute on the sample store under Xvfb, beside a bare Qt
Widgets window measured the same way.

Targets: under 0.05 % CPU, and no more than 15 MB resident above the bare
window. Usage: idle_cost.py BUILD_FOLDER [SECONDS]
"""
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))
import harness  # noqa: E402
from harness import Lumivane, XServer  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def sample(pid):
    """CPU seconds, context switches (wakeups) of all threads, resident MB."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    cpu = (int(fields[11]) + int(fields[12])) / TICKS
    switches = 0
    for task in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/status" % (pid, task)) as f:
            for line in f:
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    switches += int(line.split()[1])
    with open("/proc/%d/status" % pid) as f:
        rss = next(int(l.split()[1]) for l in f if l.startswith("VmRSS")) / 1024
    return cpu, switches, rss


def measure(pid, seconds):
    time.sleep(3)  # let start-up settle
    cpu0, sw0, _ = sample(pid)
    time.sleep(seconds)
    cpu1, sw1, rss = sample(pid)
    return 100.0 * (cpu1 - cpu0) / seconds, (sw1 - sw0) / seconds, rss


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/release"
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 60.0
    binary = os.path.abspath(os.path.join(build, "bin", "lumivane"))
    bare = os.path.abspath(os.path.join(build, "bench", "bench_bare_window"))
    x = XServer()
    tmp = tempfile.mkdtemp(prefix="lumivane-idle-")
    try:
        harness.BINARY = binary
        app = Lumivane(x, tmp)
        app.make_sample_store()
        app.start()
        if app.main_window() is None:
            raise SystemExit("the program showed no window")
        ours = measure(app.process.pid, seconds)
        app.stop()

        other = subprocess.Popen([bare], env=app.env())
        theirs = measure(other.pid, seconds)
        other.terminate()
        other.wait()
    finally:
        x.stop()
    print("%-12s %10s %12s %10s" % ("", "CPU %", "wakeups/s", "RSS MB"))
    print("%-12s %10.4f %12.2f %10.1f" % ("lumivane", *ours))
    print("%-12s %10.4f %12.2f %10.1f" % ("bare window", *theirs))
    print("resident above the bare window: %.1f MB (target at most 15); CPU target under 0.05 %%"
          % (ours[2] - theirs[2]))


if __name__ == "__main__":
    main()
