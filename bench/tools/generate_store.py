#!/usr/bin/env python3
"""Writes a deterministic calendar store for the benchmarks and the check at scale.

The same arguments always give the same bytes. Appointments are spread over
three years around --today: a tenth of them recur (daily and weekly, ending by
COUNT, by UNTIL or never, some with EXDATEs, moved or cancelled instances),
half of the timed ones carry a TZID (some with their VTIMEZONE in the file,
some by Olson name only, some by Windows zone name), the others are in UTC or
floating; some are all-day or run over several days. Tasks have due and start
dates of every kind, priorities and completion.

    generate_store.py --events 5000 --tasks 1000 --today 2026-12-08 --out store.ics
    generate_store.py --events 5000 --tasks 1000 --layout vdir --out store/
"""
import argparse
import datetime as dt
import os
import random
import sys
from zoneinfo import ZoneInfo

from dateutil import rrule

VTIMEZONES = {
    "Europe/Berlin": [
        ("DAYLIGHT", "+0100", "+0200", "CEST", "19700329T020000", "FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU"),
        ("STANDARD", "+0200", "+0100", "CET", "19701025T030000", "FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU"),
    ],
    "America/New_York": [
        ("DAYLIGHT", "-0500", "-0400", "EDT", "20070311T020000", "FREQ=YEARLY;BYMONTH=3;BYDAY=2SU"),
        ("STANDARD", "-0400", "-0500", "EST", "20071104T020000", "FREQ=YEARLY;BYMONTH=11;BYDAY=1SU"),
    ],
    "Australia/Sydney": [
        ("STANDARD", "+1100", "+1000", "AEST", "20080406T030000", "FREQ=YEARLY;BYMONTH=4;BYDAY=1SU"),
        ("DAYLIGHT", "+1000", "+1100", "AEDT", "20081005T020000", "FREQ=YEARLY;BYMONTH=10;BYDAY=1SU"),
    ],
    # As calendar programs on Windows export it: a Windows name with its definition.
    "Eastern Standard Time": [
        ("DAYLIGHT", "-0500", "-0400", "EDT", "16010311T020000", "FREQ=YEARLY;BYMONTH=3;BYDAY=2SU"),
        ("STANDARD", "-0400", "-0500", "EST", "16011104T020000", "FREQ=YEARLY;BYMONTH=11;BYDAY=1SU"),
    ],
}
# TZIDs used for zoned appointments; those without an entry above are found by
# name only (an Olson name, or a Windows name mapped to one).
ZONES = ["Europe/Berlin", "America/New_York", "Australia/Sydney", "Eastern Standard Time",
         "Europe/London", "Asia/Tokyo", "W. Europe Standard Time", "America/Los_Angeles"]
# What the Windows names stand for, for readers of this store (the checker).
WINDOWS_ZONES = {"Eastern Standard Time": "America/New_York",
                 "W. Europe Standard Time": "Europe/Berlin"}

SUBJECTS = ["Team stand-up", "Project review", "Lunch with Sam", "Dentist", "Budget meeting",
            "Customer call", "Yoga", "Design workshop", "1:1 with Alex", "Release planning",
            "Parents' evening", "Car service", "Book club", "Sprint demo", "Interview"]
LOCATIONS = ["", "", "Room 4.12", "Main office", "Online", "Cafe Rosa", "Clinic, 2nd floor",
             "Town hall"]
CATEGORIES = ["Work", "Personal", "Family", "Health", "Travel", "Homework"]
TASKS = ["Send invoice", "Renew passport", "Call the plumber", "Review pull request",
         "Buy birthday present", "File expenses", "Water the plants", "Update the roadmap"]


def zone_of(tzid):
    return ZoneInfo(WINDOWS_ZONES.get(tzid, tzid))


def fmt_wall(t):
    return t.strftime("%Y%m%dT%H%M%S")


def fmt_date(d):
    return d.strftime("%Y%m%d")


def fmt_utc(t):
    return t.astimezone(dt.timezone.utc).strftime("%Y%m%dT%H%M%SZ")


def escape(text):
    return text.replace("\\", "\\\\").replace(";", "\\;").replace(",", "\\,")


def fold(line):
    data = line.encode("utf-8")
    if len(data) <= 75:
        return line + "\r\n"
    parts, start = [], 0
    while start < len(data):
        end = min(start + (75 if start == 0 else 74), len(data))
        while end < len(data) and (data[end] & 0xC0) == 0x80:
            end -= 1  # never cut inside a UTF-8 sequence
        parts.append(data[start:end].decode("utf-8"))
        start = end
    return "\r\n ".join(parts) + "\r\n"


class Timed:
    """A timed start in one of three forms: TZID, UTC or floating."""

    def __init__(self, kind, tzid, wall):
        self.kind, self.tzid, self.wall = kind, tzid, wall

    def prop(self, name, wall=None):
        wall = wall or self.wall
        if self.kind == "zoned":
            return f"{name};TZID={self.tzid}:{fmt_wall(wall)}"
        if self.kind == "utc":
            return f"{name}:{fmt_wall(wall)}Z"
        return f"{name}:{fmt_wall(wall)}"

    def aware(self, wall):
        if self.kind == "zoned":
            return wall.replace(tzinfo=zone_of(self.tzid))
        if self.kind == "utc":
            return wall.replace(tzinfo=dt.timezone.utc)
        return wall


def until_text(start, until_wall):
    if start.kind == "zoned":
        return fmt_utc(start.aware(until_wall))
    if start.kind == "utc":
        return fmt_wall(until_wall) + "Z"
    return fmt_wall(until_wall)


def make_event(rng, i, today, used_zones):
    day = today + dt.timedelta(days=rng.randint(-547, 548))
    subject = f"{rng.choice(SUBJECTS)} #{i}"
    location = rng.choice(LOCATIONS)
    cats = rng.sample(CATEGORIES, rng.choice([0, 0, 1, 1, 2]))
    recurring = i % 10 == 3
    all_day = rng.random() < (0.2 if recurring else 0.12)
    lines = [f"UID:{i:06d}@bench.lumivane.test", f"SUMMARY:{escape(subject)}"]
    if location:
        lines.append(f"LOCATION:{escape(location)}")
    if cats:
        lines.append("CATEGORIES:" + ",".join(escape(c) for c in cats))
    lines.append("DTSTAMP:20260101T000000Z")

    if all_day:
        days = rng.choice([1, 1, 1, 2, 3, 5])
        lines.append(f"DTSTART;VALUE=DATE:{fmt_date(day)}")
        lines.append(f"DTEND;VALUE=DATE:{fmt_date(day + dt.timedelta(days=days))}")
        start = None
        first = dt.datetime.combine(day, dt.time())
    else:
        # Hours stay clear of 01:00-03:59, where zones change their offset.
        hour = rng.randint(6, 21)
        wall = dt.datetime.combine(day, dt.time(hour, rng.choice([0, 15, 30, 45])))
        r = rng.random()
        if r < 0.5:
            tzid = rng.choice(ZONES)
            start = Timed("zoned", tzid, wall)
            if tzid in VTIMEZONES:
                used_zones.add(tzid)
        elif r < 0.75:
            start = Timed("utc", None, wall)
        else:
            start = Timed("floating", None, wall)
        minutes = rng.choice([15, 30, 45, 60, 60, 90, 120, 180])
        if not recurring and rng.random() < 0.05:
            minutes = rng.choice([26 * 60, 50 * 60])  # over midnight, over days
        end = wall + dt.timedelta(minutes=minutes)
        if end.hour in (2, 3):
            end = end.replace(hour=4)
        lines.append(start.prop("DTSTART"))
        if rng.random() < 0.3:
            lines.append(f"DURATION:PT{int((end - wall).total_seconds() // 60)}M")
        else:
            lines.append(start.prop("DTEND", end))
        first = wall

    overrides = []
    if recurring:
        freq = rng.choice(["DAILY", "WEEKLY"])
        interval = rng.choice([1, 1, 1, 2])
        rule = f"FREQ={freq}"
        if interval > 1:
            rule += f";INTERVAL={interval}"
        if freq == "WEEKLY" and rng.random() < 0.5:
            days = sorted(set([first.weekday()] + rng.sample(range(7), rng.randint(0, 2))))
            rule += ";BYDAY=" + ",".join(["MO", "TU", "WE", "TH", "FR", "SA", "SU"][d] for d in days)
        end_kind = rng.choice(["count", "until", "open"])
        if end_kind == "count":
            rule += f";COUNT={rng.randint(3, 80)}"
        elif end_kind == "until":
            until = first + dt.timedelta(days=rng.randint(7, 400))
            rule += ";UNTIL=" + (fmt_date(until) if all_day else until_text(start, until))
        lines.append(f"RRULE:{rule}")
        # Occurrences to pick exceptions from: the first few of the series.
        dtstart = first if all_day else start.aware(first)
        if isinstance(dtstart, dt.datetime) and dtstart.tzinfo is dt.timezone.utc:
            dtstart = dtstart.replace(tzinfo=dt.timezone.utc)
        head = list(rrule.rrulestr(rule, dtstart=dtstart, cache=False).xafter(dtstart, 30, inc=True))
        if len(head) > 4 and rng.random() < 0.3:
            for occurrence in rng.sample(head[1:], rng.randint(1, 3)):
                wall = occurrence.replace(tzinfo=None)
                if all_day:
                    lines.append(f"EXDATE;VALUE=DATE:{fmt_date(wall)}")
                else:
                    lines.append(start.prop("EXDATE", wall))
        if len(head) > 4 and rng.random() < 0.25:
            exdates = {l for l in lines if l.startswith("EXDATE")}
            for occurrence in rng.sample(head[1:], rng.randint(1, 2)):
                wall = occurrence.replace(tzinfo=None)
                rid = (f"RECURRENCE-ID;VALUE=DATE:{fmt_date(wall)}" if all_day
                       else start.prop("RECURRENCE-ID", wall))
                if rid.replace("RECURRENCE-ID", "EXDATE") in exdates:
                    continue
                o = [lines[0], rid, "DTSTAMP:20260101T000000Z"]
                if rng.random() < 0.2:
                    o += [f"SUMMARY:{escape(subject)}", "STATUS:CANCELLED"]
                    if all_day:
                        o.append(f"DTSTART;VALUE=DATE:{fmt_date(wall)}")
                    else:
                        o.append(start.prop("DTSTART", wall))
                elif all_day:
                    moved = wall + dt.timedelta(days=rng.choice([1, 2, -1]))
                    o += [f"SUMMARY:{escape(subject)} (moved)",
                          f"DTSTART;VALUE=DATE:{fmt_date(moved)}",
                          f"DTEND;VALUE=DATE:{fmt_date(moved + dt.timedelta(days=1))}"]
                else:
                    moved = wall + dt.timedelta(hours=rng.choice([1, 2, 24, 48, -24]))
                    if moved.hour in (1, 2, 3):
                        moved = moved.replace(hour=5)
                    o += [f"SUMMARY:{escape(subject)} (moved)", start.prop("DTSTART", moved),
                          start.prop("DTEND", moved + dt.timedelta(minutes=45))]
                overrides.append(o)
    return [lines] + overrides


def make_task(rng, i, today, used_zones):
    lines = [f"UID:task-{i:05d}@bench.lumivane.test",
             f"SUMMARY:{escape(rng.choice(TASKS))} #{i}", "DTSTAMP:20260101T000000Z"]
    due = today + dt.timedelta(days=rng.randint(-60, 90))
    r = rng.random()
    if r < 0.6:
        lines.append(f"DUE;VALUE=DATE:{fmt_date(due)}")
    elif r < 0.7:
        lines.append(f"DUE:{fmt_wall(dt.datetime.combine(due, dt.time(17, 0)))}")
    elif r < 0.8:
        lines.append(f"DUE;TZID=Europe/Berlin:{fmt_wall(dt.datetime.combine(due, dt.time(9)))}")
        used_zones.add("Europe/Berlin")
    if rng.random() < 0.3:
        lines.append(f"DTSTART;VALUE=DATE:{fmt_date(due - dt.timedelta(days=rng.randint(1, 10)))}")
    priority = rng.choice([0, 0, 1, 3, 5, 5, 7, 9])
    if priority:
        lines.append(f"PRIORITY:{priority}")
    if rng.random() < 0.2:
        lines += ["STATUS:COMPLETED", "COMPLETED:20260101T120000Z"]
    elif rng.random() < 0.3:
        lines.append("STATUS:NEEDS-ACTION")
    cats = rng.sample(CATEGORIES, rng.choice([0, 1, 1, 2]))
    if cats:
        lines.append("CATEGORIES:" + ",".join(cats))
    return lines


def vtimezone(tzid):
    out = ["BEGIN:VTIMEZONE", f"TZID:{tzid}"]
    for kind, frm, to, name, start, rule in VTIMEZONES[tzid]:
        out += [f"BEGIN:{kind}", f"TZOFFSETFROM:{frm}", f"TZOFFSETTO:{to}", f"TZNAME:{name}",
                f"DTSTART:{start}", f"RRULE:{rule}", f"END:{kind}"]
    return out + ["END:VTIMEZONE"]


def calendar(zones, components):
    out = ["BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Lumivane//Bench store//EN"]
    for tzid in sorted(zones):
        out += vtimezone(tzid)
    for kind, lines in components:
        out += [f"BEGIN:{kind}"] + lines + [f"END:{kind}"]
    out.append("END:VCALENDAR")
    return "".join(fold(line) for line in out)


def zones_in(components):
    used = set()
    for _, lines in components:
        for line in lines:
            for tzid in VTIMEZONES:
                if f"TZID={tzid}:" in line:
                    used.add(tzid)
    return used


def write(path, text):
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--events", type=int, default=5000)
    parser.add_argument("--tasks", type=int, default=1000)
    parser.add_argument("--today", default=dt.date.today().isoformat())
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--layout", choices=["file", "vdir"], default="file")
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    today = dt.date.fromisoformat(args.today)
    used = set()
    items = []  # one entry per item: its components
    for i in range(args.events):
        items.append([("VEVENT", c) for c in make_event(rng, i, today, used)])
    for i in range(args.tasks):
        items.append([("VTODO", make_task(rng, i, today, used))])

    if args.layout == "file":
        write(args.out, calendar(used, [c for item in items for c in item]))
    else:
        for folder in ("calendar", "tasks"):
            os.makedirs(os.path.join(args.out, folder), exist_ok=True)
        for n, item in enumerate(items):
            folder = "calendar" if item[0][0] == "VEVENT" else "tasks"
            write(os.path.join(args.out, folder, f"item-{n:06d}.ics"), calendar(zones_in(item), item))
    return 0


if __name__ == "__main__":
    sys.exit(main())
