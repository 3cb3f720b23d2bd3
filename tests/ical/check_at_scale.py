#!/usr/bin/env python3
"""Correctness at scale: the calendar walk of the iCalendar server against an
independent expansion with python-dateutil.

A deterministic store of 5,000 appointments is generated; for several
six-day windows (across daylight-saving changes in Europe and America) the
occurrences that both calendar filter texts select are computed here from the
raw file with dateutil's rrule and zoneinfo, and compared with what the
server's Find/FindNext walk returns (printed by ical_find).

    check_at_scale.py --generator bench/tools/generate_store.py --finder build/.../ical_find
"""
import argparse
import collections
import datetime as dt
import os
import re
import subprocess
import sys
import tempfile
from zoneinfo import ZoneInfo

from dateutil import rrule

WINDOWS_ZONES = {"Eastern Standard Time": "America/New_York",
                 "W. Europe Standard Time": "Europe/Berlin"}
STORE_TODAY = "2026-06-15"
WINDOWS = ["2026-03-26", "2026-10-22", "2026-11-01", "2026-12-08"]  # DST changes inside
LOCAL = ZoneInfo(os.environ.get("TZ", "Europe/Berlin"))


def unfold(text):
    lines = []
    for raw in text.split("\r\n"):
        if raw.startswith(" ") and lines:
            lines[-1] += raw[1:]
        elif raw:
            lines.append(raw)
    return lines


def split_line(line):
    """NAME;P=V;...:VALUE, with quoted parameter values."""
    head, quoted, i = "", False, 0
    while i < len(line):
        c = line[i]
        if c == '"':
            quoted = not quoted
        elif c == ":" and not quoted:
            break
        head += c
        i += 1
    parts = head.split(";")
    params = dict(p.split("=", 1) for p in parts[1:])
    return parts[0], params, line[i + 1:]


def unescape(text):
    return re.sub(r"\\([\\;,nN])", lambda m: "\n" if m.group(1) in "nN" else m.group(1), text)


def components(text):
    out, current, depth = [], None, 0
    for line in unfold(text):
        name, params, value = split_line(line)
        if name == "BEGIN" and value in ("VEVENT", "VTODO"):
            current, depth = {"kind": value, "props": []}, 1
        elif current is not None and name == "BEGIN":
            depth += 1
        elif current is not None and name == "END":
            depth -= 1
            if depth == 0:
                out.append(current)
                current = None
        elif current is not None and depth == 1:
            current["props"].append((name, params, value))
    return out


def first(comp, name):
    for n, params, value in comp["props"]:
        if n == name:
            return params, value
    return None


def read_time(params, value):
    """A date, an aware datetime (TZID or UTC) or a naive floating datetime."""
    if params.get("VALUE") == "DATE" or len(value) == 8:
        return dt.datetime.strptime(value, "%Y%m%d").date()
    if value.endswith("Z"):
        return dt.datetime.strptime(value, "%Y%m%dT%H%M%SZ").replace(tzinfo=dt.timezone.utc)
    t = dt.datetime.strptime(value, "%Y%m%dT%H%M%S")
    if "TZID" in params:
        tzid = params["TZID"].strip('"')
        return t.replace(tzinfo=ZoneInfo(WINDOWS_ZONES.get(tzid, tzid)))
    return t


def to_local(t):
    if isinstance(t, dt.datetime):
        return t.astimezone(LOCAL).replace(tzinfo=None) if t.tzinfo else t
    return dt.datetime.combine(t, dt.time())


def parse_duration(text):
    m = re.fullmatch(r"P(?:(\d+)W)?(?:(\d+)D)?(?:T(?:(\d+)H)?(?:(\d+)M)?(?:(\d+)S)?)?", text)
    w, d, h, mi, s = (int(x) if x else 0 for x in m.groups())
    return dt.timedelta(weeks=w, days=d, hours=h, minutes=mi, seconds=s)


def exact(a, b):
    """b - a as elapsed time (aware values through UTC)."""
    if isinstance(a, dt.datetime) and a.tzinfo:
        return b.astimezone(dt.timezone.utc) - a.astimezone(dt.timezone.utc)
    return b - a


def span(start, length):
    """Local start and end of an occurrence starting at start."""
    if not isinstance(start, dt.datetime):
        s = dt.datetime.combine(start, dt.time())
        return s, s + length
    if start.tzinfo:
        u = start.astimezone(dt.timezone.utc)
        return to_local(u), to_local(u + length)
    return start, start + length


def expected_occurrences(comps, lo, hi):
    """(local start, local end, all-day, subject) of every occurrence; series are
    expanded between the naive datetimes lo and hi (on their own wall clock)."""
    overrides = collections.defaultdict(list)
    for c in comps:
        if c["kind"] == "VEVENT" and first(c, "RECURRENCE-ID"):
            overrides[first(c, "UID")[1]].append(c)
    out = []
    for c in comps:
        if c["kind"] != "VEVENT" or first(c, "RECURRENCE-ID"):
            continue
        subject = unescape(first(c, "SUMMARY")[1])
        start = read_time(*first(c, "DTSTART"))
        all_day = not isinstance(start, dt.datetime)
        if first(c, "DTEND"):
            length = exact(start, read_time(*first(c, "DTEND")))
        elif first(c, "DURATION"):
            length = parse_duration(first(c, "DURATION")[1])
        else:
            length = dt.timedelta(days=1 if all_day else 0)
        rule = first(c, "RRULE")
        if not rule:
            out.append(span(start, length) + (all_day, subject))
            continue
        dtstart = dt.datetime.combine(start, dt.time()) if all_day else start
        zone = dtstart.tzinfo
        instances = rrule.rrulestr(rule[1], dtstart=dtstart, cache=False).between(
            lo.replace(tzinfo=zone), hi.replace(tzinfo=zone), inc=True)
        excluded = set()
        for n, params, value in c["props"]:
            if n == "EXDATE":
                t = read_time(params, value)
                excluded.add(dt.datetime.combine(t, dt.time()) if all_day else t)
        moved = {}
        for o in overrides[first(c, "UID")[1]]:
            rid = read_time(*first(o, "RECURRENCE-ID"))
            moved[dt.datetime.combine(rid, dt.time()) if all_day else rid] = o
        for t in instances:
            if t in excluded or t in moved:
                continue
            out.append(span(t.date() if all_day else t, length) + (all_day, subject))
        for o in moved.values():
            status = first(o, "STATUS")
            if status and status[1] == "CANCELLED":
                continue
            o_start = read_time(*first(o, "DTSTART"))
            o_length = exact(o_start, read_time(*first(o, "DTEND"))) if first(o, "DTEND") else length
            out.append(span(o_start, o_length) + (not isinstance(o_start, dt.datetime),
                                                  unescape(first(o, "SUMMARY")[1])))
    return out


def window_filters(today, days, now):
    """The two filter texts of the calendar query and the rule each stands for."""
    fmt = lambda d, t: d.strftime("%m/%d/%Y ") + t
    end_day = today + dt.timedelta(days=days)
    t0, e1 = fmt(today, "00:00"), fmt(end_day, "23:59")
    first_text = (f'(([Start] >= "{t0}") And ([Start] <= "{e1}"))or ([End]>"{t0}") '
                  f'And ([End] <= "{e1}")')
    precise = (f'((([End] >= "{t0}") and  ([Start] >= "{t0}")) or ([End]>"{t0}")) '
               f'And ([End] <= "{e1}")')
    mended = f'({precise}) or (([Start] >= "{t0}") And ([Start] <= "{e1}"))'
    T0 = dt.datetime.combine(today, dt.time())
    E1 = dt.datetime.combine(end_day, dt.time(23, 59))
    rule1 = lambda s, e: (T0 <= s <= E1) or (T0 < e <= E1)
    rule2 = lambda s, e: (((e >= T0 and s >= T0) or e > T0) and e <= E1) or (T0 <= s <= E1)
    return [("first form", first_text, rule1), ("precise form", mended, rule2)]


def run_finder(finder, store, text):
    result = subprocess.run([finder, store, "calendar", text, "--sort", "[Start]", "--recurrences"],
                            capture_output=True, text=True, check=False)
    if result.returncode != 0:
        raise SystemExit(f"ical_find failed: {result.stderr}")
    rows = []
    for line in result.stdout.splitlines():
        start, end, all_day, subject = line.split("\t")[:4]
        rows.append((start, end, all_day == "1", subject))
    return rows


def iso(t):
    return t.strftime("%Y-%m-%dT%H:%M:%S")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--generator", required=True)
    parser.add_argument("--finder", required=True)
    parser.add_argument("--events", type=int, default=5000)
    args = parser.parse_args()

    failures = 0
    with tempfile.TemporaryDirectory() as tmp:
        store = os.path.join(tmp, "store.ics")
        vdir = os.path.join(tmp, "vdir")
        for layout, out in (("file", store), ("vdir", vdir)):
            subprocess.run([sys.executable, args.generator, "--events", str(args.events),
                            "--tasks", "0", "--today", STORE_TODAY, "--layout", layout,
                            "--out", out], check=True)
        with open(store, encoding="utf-8", newline="") as f:
            days = [dt.datetime.fromisoformat(d) for d in WINDOWS]
            occurrences = expected_occurrences(components(f.read()),
                                               min(days) - dt.timedelta(days=60),
                                               max(days) + dt.timedelta(days=60))

        checks = 0
        for day in WINDOWS:
            today = dt.date.fromisoformat(day)
            for name, text, rule in window_filters(today, 5, None):
                want = collections.Counter((iso(s), iso(e), a, subj) for s, e, a, subj in occurrences
                                           if rule(s, e))
                rows = run_finder(args.finder, store, text)
                got = collections.Counter(rows)
                starts = [r[0] for r in rows]
                if starts != sorted(starts):
                    print(f"{day} {name}: items not in start order")
                    failures += 1
                if got != want:
                    failures += 1
                    print(f"{day} {name}: {sum(want.values())} expected, {len(rows)} returned")
                    for row in sorted((want - got).elements())[:10]:
                        print("  missing:   ", row)
                    for row in sorted((got - want).elements())[:10]:
                        print("  unexpected:", row)
                checks += sum(want.values())
        # The same store as a vdir folder gives the same walk.
        text = window_filters(dt.date.fromisoformat(WINDOWS[0]), 5, None)[0][1]
        if run_finder(args.finder, store, text) != run_finder(args.finder, vdir, text):
            print("the vdir folder and the single file give different walks")
            failures += 1
    print(f"{checks} occurrences compared over {len(WINDOWS)} windows, {failures} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
