#!/usr/bin/env python3
"""Turns Google Benchmark JSON results into the table of bench/README.md.

Every case "Subject/korvid" is set beside every other "Subject/who" of the same
run (and a dirty-list case beside its full conversion). The ratio is speed: the
reference's median CPU time over ours, so 2.0 means twice as fast as the reference.
"""
import argparse
import fnmatch
import json
import platform
import re
import sys

# (our case, reference case, smallest speed ratio wanted or None). Patterns as
# fnmatch; the first entry that matches a pair decides.
TARGETS = [
    ("Blit_Opaque_800x600/korvid", "Blit_Opaque_800x600/memcpy", 0.9),
    ("Present_16to16/korvid", "Present_16to16/memcpy", 0.9),
    ("Blit_Keyed_400_tiles_40x24/korvid", "Blit_Keyed_400_tiles_40x24/sdl_rle", 1.8),
    ("Blit_Trans_50/korvid", "Blit_Trans_50/sdl_alpha128", 7.0),
    ("Present_16to32/korvid", "Present_16to32/sdl", 5.0),
    # An unchanged frame through the dirty list costs at most 0.3 x a full conversion.
    ("Present_*_dirty_unchanged/korvid", "Present_*/korvid", 1 / 0.3),
    # A dirty-list frame is not the work SDL's full conversion does: shown, no target.
    ("Present_*_dirty_*/korvid", "*", None),
    # The per-call cost has its own limit below, not a ratio.
    ("Blit_1x1_call/korvid", "*", None),
    ("ZDeCompress_*/korvid", "ZDeCompress_*/zlib", 0.9),
    ("MD5_*/korvid", "MD5_*/openssl", 0.8),
    # The game's heaviest frame takes at most 0.35 x the frame SDL composes.
    ("Frame_*/korvid", "Frame_*/sdl", 1 / 0.35),
    ("Blit_*/korvid", "Blit_*/sdl*", 1.5),
    ("Present_*/korvid", "Present_*/sdl", 1.5),
]
# Cases with an absolute limit: (case, most microseconds per iteration).
LIMITS = [("Blit_1x1_call/korvid", 0.020)]
OURS = "korvid"


def medians(paths):
    times, context = {}, {}
    for path in paths:
        with open(path) as f:
            text = f.read()
        if not text.strip():
            # A filter that matched none of a program's cases leaves its file empty.
            print("make_table: no results in %s" % path, file=sys.stderr)
            continue
        data = json.loads(text)
        context = context or data.get("context", {})
        for b in data["benchmarks"]:
            if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
                continue
            if b.get("error_occurred"):
                continue
            # Hand-timed cases (the whole frame) carry a "/manual_time" suffix.
            name = b.get("run_name", b["name"]).replace("/manual_time", "")
            times[name] = to_microseconds(b["cpu_time"], b.get("time_unit", "ns"))
    return times, context


def to_microseconds(value, unit):
    return value * {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[unit]


def target_for(ours, reference):
    for our_pattern, reference_pattern, wanted in TARGETS:
        if fnmatch.fnmatchcase(ours, our_pattern) and fnmatch.fnmatchcase(reference, reference_pattern):
            return wanted
    return None


def pairs(times):
    """Our case beside each reference of its subject, and dirty-list cases beside the full conversion."""
    for name in times:
        subject, _, who = name.rpartition("/")
        if who != OURS:
            continue
        references = [n for n in times if n.rpartition("/")[0] == subject and n != name]
        full = re.sub(r"_dirty_.*$", "", subject)
        if full != subject:
            references += [n for n in times if n.rpartition("/")[0] == full and not n.endswith("/memcpy")]
        for reference in references:
            yield name, reference


def machine(context):
    model = platform.processor() or ""
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    cpus = context.get("num_cpus", "?")
    mhz = context.get("mhz_per_cpu", "?")
    load = context.get("load_avg", [])
    load_text = ", ".join("%.2f" % v for v in load) if load else "?"
    return "%s, %s CPUs at %s MHz, %s; load average %s" % (model, cpus, mhz, platform.platform(), load_text)


def micro(value):
    """Microseconds with three significant digits, at least one decimal."""
    return "%.1f" % value if value >= 100 else "%.3g" % value


def table(times):
    rows = ["| case | korvid µs | reference | reference µs | speed ratio | target | met |",
            "|---|---:|---|---:|---:|---:|:---:|"]
    for ours, reference in pairs(times):
        ratio = times[reference] / times[ours]
        wanted = target_for(ours, reference)
        met = "" if wanted is None else ("yes" if ratio >= wanted else "**no**")
        rows.append("| %s | %s | %s | %s | %.2f | %s | %s |" % (
            ours.rpartition("/")[0], micro(times[ours]), reference, micro(times[reference]), ratio,
            "" if wanted is None else ">= %.2f" % wanted, met))
    for name, limit in LIMITS:
        if name in times:
            rows.append("| %s | %s | fixed cost per call | %s |  | <= %s | %s |" % (
                name.rpartition("/")[0], micro(times[name]), micro(limit), micro(limit), "yes" if times[name] <= limit else "**no**"))
    return "\n".join(rows)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("results", nargs="+", help="JSON files written with --benchmark_out")
    parser.add_argument("--readme", help="rewrite the table between the markers of this file")
    parser.add_argument("--command", default="scripts/bench")
    args = parser.parse_args()
    times, context = medians(args.results)
    text = "\n".join([
        "Command: `%s`  " % args.command,
        "Machine: %s  " % machine(context),
        "Run: %s; medians of CPU time over the repetitions." % context.get("date", "?"),
        "",
        table(times),
    ])
    if not args.readme:
        print(text)
        return 0
    with open(args.readme) as f:
        readme = f.read()
    begin, end = "<!-- results begin -->", "<!-- results end -->"
    if begin not in readme or end not in readme:
        sys.exit("%s has no results markers" % args.readme)
    head, rest = readme.split(begin, 1)
    _, tail = rest.split(end, 1)
    with open(args.readme, "w") as f:
        f.write(head + begin + "\n" + text + "\n" + end + tail)
    return 0


if __name__ == "__main__":
    sys.exit(main())
