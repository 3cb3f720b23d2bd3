#!/usr/bin/env python3
"""Whole-process cost of `lumivane --text` beside `lumivane --version`, as a user runs it.

Generated stores (bench/tools/generate_store.py, dated today): 5,000 and 50,000
appointments as one file, 5,000 as a vdir folder. For each: `--text` with a
warm snapshot, with none (the first run, which parses and writes it), with
`--no-cache` (parse only), and for the vdir folder after one item file
changed. Medians of hyperfine runs (BENCH_RUNS, default 30), in milliseconds,
and beside each the processor time (user + system, mean), which a busy
machine disturbs less than the elapsed time.

Targets: warm `--text` at most `--version` + 4 ms (5,000) and + 20 ms
(50,000); the first run no more than 10% over the parse alone.

    startup_cost.py [build/release]
"""
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
GENERATOR = os.path.join(HERE, "..", "tools", "generate_store.py")


def median_ms(work, name, command, env, prepare=None, runs=30):
    out = os.path.join(work, name.replace(" ", "_") + ".json")
    args = ["hyperfine", "-N", "--style", "none", "--warmup", "3", "--runs", str(runs),
            "--export-json", out]
    if prepare:
        args += ["--prepare", prepare]
    subprocess.run(args + [command], env=env, check=True, stdout=subprocess.DEVNULL)
    with open(out) as f:
        result = json.load(f)["results"][0]
    return statistics.median(result["times"]) * 1000, (result["user"] + result["system"]) * 1000


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/release"
    binary = os.path.abspath(os.path.join(build, "bin", "lumivane"))
    if shutil.which("hyperfine") is None:
        print("hyperfine is not installed (apt-get install hyperfine): skipped")
        return 0
    runs = int(os.environ.get("BENCH_RUNS", "30"))
    work = tempfile.mkdtemp(prefix="lumivane-startup-")
    try:
        stores = {
            "5k": (os.path.join(work, "5k.ics"), ["--events", "5000", "--tasks", "1000"]),
            "50k": (os.path.join(work, "50k.ics"), ["--events", "50000", "--tasks", "10000"]),
            "vdir 5k": (os.path.join(work, "vdir5k"),
                        ["--events", "5000", "--tasks", "1000", "--layout", "vdir"]),
        }
        for path, args in stores.values():
            subprocess.run([sys.executable, GENERATOR, *args, "--out", path], check=True)
        cache = os.path.join(work, "cache")
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"),
                   XDG_CACHE_HOME=cache, LC_ALL="C.UTF-8", TZ=os.environ.get("TZ", "Europe/Berlin"))
        env.pop("LUMIVANE_NO_CACHE", None)
        forget = "rm -rf " + cache
        print(f"{'store':<10}{'--version':>15}{'warm':>15}{'first':>15}{'no-cache':>15}"
              f"{'one changed':>15}   (median ms / processor ms)")
        cell = lambda pair: f"{pair[0]:>8.1f} /{pair[1]:>5.1f}"
        for name, (path, _) in stores.items():
            env["LUMIVANE_OUTLOOK_STORE"] = path
            version = median_ms(work, name + " version", f"{binary} --version", env, runs=runs)
            text = f"{binary} --text"
            first = median_ms(work, name + " first", text, env, prepare=forget, runs=runs)
            uncached = median_ms(work, name + " nocache", f"{text} --no-cache", env, runs=runs)
            warm = median_ms(work, name + " warm", text, env, runs=runs)
            changed = ""
            if os.path.isdir(path):
                item = os.path.join(path, sorted(os.listdir(path))[0])
                item = os.path.join(item, sorted(os.listdir(item))[0]) if os.path.isdir(item) else item
                changed = cell(median_ms(work, name + " changed", text, env,
                                         prepare="touch " + item, runs=runs))
            print(f"{name:<10}{cell(version):>15}{cell(warm):>15}{cell(first):>15}"
                  f"{cell(uncached):>15}{changed:>15}")
            print(f"{'':<10}warm - version = {warm[0] - version[0]:.1f} ms "
                  f"({warm[1] - version[1]:.1f} ms processor); "
                  f"first / no-cache = {first[0] / uncached[0]:.2f} ({first[1] / uncached[1]:.2f})")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
