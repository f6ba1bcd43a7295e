#!/usr/bin/env python3
"""Sums gcov's line counts of a build into the covered share of each source file.

    coverage-report.py BUILD FOLDER...

Reads the notes (.gcno) of every object under BUILD with their run counts (.gcda,
absent for an object that never ran: all its lines count as missed), asks gcov
for its JSON report and keeps the lines of source files under the given folders
of the source tree. A line counts
as covered when any object that compiled it ran it (a header's line is shared by
every object that includes it). Prints one line per file, then the total.
"""
import json
import os
import subprocess
import sys


def gcov_reports(build, object_dir, notes):
    """The JSON reports of gcov for the objects of one folder."""
    result = subprocess.run(["gcov", "--json-format", "--stdout", "--object-directory", object_dir] + notes,
                            cwd=build, capture_output=True, check=False)
    for line in result.stdout.splitlines():
        if line.strip():
            yield json.loads(line)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    build = os.path.abspath(sys.argv[1])
    source_root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folders = [os.path.join(source_root, folder) + os.sep for folder in sys.argv[2:]]

    notes_by_dir = {}
    for directory, _, names in os.walk(build):
        notes = [os.path.join(directory, name) for name in names if name.endswith(".gcno")]
        if notes:
            notes_by_dir[directory] = notes

    lines = {}   # source file -> {line number: covered}
    for directory, notes in sorted(notes_by_dir.items()):
        for report in gcov_reports(build, directory, notes):
            cwd = report.get("current_working_directory", build)
            for entry in report["files"]:
                path = os.path.normpath(os.path.join(cwd, entry["file"]))
                if not any(path.startswith(folder) for folder in folders):
                    continue
                counts = lines.setdefault(path, {})
                for line in entry["lines"]:
                    number = line["line_number"]
                    counts[number] = counts.get(number, False) or line["count"] > 0

    total = covered = 0
    for path in sorted(lines):
        counts = lines[path]
        hit = sum(counts.values())
        total += len(counts)
        covered += hit
        share = 100.0 * hit / len(counts) if counts else 100.0
        print(f"{share:6.1f}%  {hit:5d}/{len(counts):<5d} {os.path.relpath(path, source_root)}")
    share = 100.0 * covered / total if total else 0.0
    print(f"{share:6.2f}%  {covered:5d}/{total:<5d} total of {', '.join(sys.argv[2:])}")


if __name__ == "__main__":
    main()
