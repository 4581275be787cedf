"""Reads the element files the program writes with python-sgp4 and checks that every element
set propagates to the program's own SGP4 state (TEME, WGS-72, at 0, 6, 12, 18 and 24 hours).

Files: Save TLE of every element set of visual_alpha5.txt, as TLE and as OMM CSV (through the
save_elements helper), and the orbits of `orbika-cli orbdet` and `launch` saved with --out as
TLE and CSV. Each file is compared with the states orbika-cli computes from the same file, and
the saved files of Save TLE also with the states of the element sets they were saved from.

usage: /usr/bin/python3 check_saved_elements.py ORBIKA_CLI SAVE_ELEMENTS OMM_DATA_DIR
Exits 77 (skipped) when python-sgp4 is not installed.
"""
import json
import os
import subprocess
import sys
import tempfile

try:
    from sgp4 import omm
    from sgp4.api import WGS72, Satrec
except ImportError:
    print("SKIPPED: python-sgp4 is not installed for /usr/bin/python3 "
          "(apt-get install python3-sgp4, or run make deps)")
    sys.exit(77)

# Minutes since epoch: the times orbika-cli sgp4 lists by default.
TIMES = [0.0, 360.0, 720.0, 1080.0, 1440.0]
# Largest position (km) and velocity (km/s) differences: the same element set, and a CSV epoch
# rounded to the microsecond (7.6 km/s x 0.5 us = 4e-6 km).
SAME = 1e-6
EPOCH_TO_MICROSECOND = 1e-5
# A computed orbit as TLE (angles to 1e-4 degree, mean motion to 1e-8 rev/day) against its CSV
# (all digits): the TLE's rounding, about 6 m at the Earth's surface.
TLE_ROUNDING = 0.02

failures = []


def satrecs(path):
    """python-sgp4's records of the element sets of a TLE or OMM CSV file, in file order."""
    if path.endswith(".csv"):
        with open(path, newline="") as f:
            for fields in omm.parse_csv(f):
                sat = Satrec()
                omm.initialize(sat, fields)
                yield sat
        return
    with open(path) as f:
        lines = f.read().splitlines()
    for line1, line2 in zip(lines, lines[1:]):
        if line1.startswith("1 ") and line2.startswith("2 "):
            yield Satrec.twoline2rv(line1, line2, WGS72)


def python_states(path):
    """[(catalogue number, [x, y, z, vx, vy, vz] per time)] by python-sgp4."""
    states = []
    for sat in satrecs(path):
        rows = []
        for t in TIMES:
            error, r, v = sat.sgp4_tsince(t)
            if error:
                failures.append(f"{path}: {sat.satnum}: python-sgp4 error {error} at {t} min")
            rows.append(list(r) + list(v))
        states.append((sat.satnum, rows))
    return states


def program_states(cli, path):
    """The same by orbika-cli sgp4 --json."""
    run = subprocess.run([cli, "sgp4", path, "--json"], capture_output=True, text=True, check=True)
    keys = ("x", "y", "z", "vx", "vy", "vz")
    return [(e["satnum"], [[row[k] for k in keys] for row in e["rows"]]) for e in json.loads(run.stdout)]


def compare(label, got, expected, tolerance):
    """Notes every element set of got whose states differ from expected by more than tolerance."""
    if [n for n, _ in got] != [n for n, _ in expected]:
        failures.append(f"{label}: catalogue numbers {[n for n, _ in got]} != {[n for n, _ in expected]}")
        return
    worst = 0.0
    for (satnum, rows), (_, want) in zip(got, expected):
        if len(rows) != len(want):
            failures.append(f"{label}: {satnum}: {len(rows)} states, expected {len(want)}")
            continue
        for t, a, b in zip(TIMES, rows, want):
            diff = max(abs(x - y) for x, y in zip(a, b))
            worst = max(worst, diff)
            if diff > tolerance:
                failures.append(f"{label}: {satnum} at {t} min differs by {diff:.3g}")
    print(f"{label}: {len(got)} element sets, largest difference {worst:.2g} (limit {tolerance:g})")


def run_cli(cli, args):
    subprocess.run([cli] + args, check=True, stdout=subprocess.DEVNULL)


def main():
    cli, saver, data = sys.argv[1:4]
    source = os.path.join(data, "visual_alpha5.txt")
    with tempfile.TemporaryDirectory() as work:
        saved = os.path.join(work, "saved")
        subprocess.run([saver, source, saved], check=True)
        orbit_files = []
        commands = {
            "orbdet": ["orbdet", "--site", "48.1,11.6,500", "--dt", "60", "--obs1", "200,40",
                       "--obs2", "4.153,58.2", "--radec2"],
            "launch": ["launch", "--launch-site", "kennedy", "--incl", "28", "--perigee", "200",
                       "--apogee", "250"],
        }
        for name, args in commands.items():
            for ext in (".tle", ".csv"):
                path = os.path.join(work, name + ext)
                run_cli(cli, args + ["--tle", source, "--start", "2026-02-22 12:00:00", "--out", path])
                orbit_files.append(path)

        original = program_states(cli, source)
        compare("python-sgp4 on the original TLE file", python_states(source), original, SAME)
        compare("Save TLE as TLE", python_states(saved + ".tle"), original, SAME)
        compare("Save TLE as OMM CSV", python_states(saved + ".csv"), original, EPOCH_TO_MICROSECOND)
        for path in [saved + ".tle", saved + ".csv"] + orbit_files:
            compare(os.path.basename(path) + " as orbika-cli reads it", python_states(path),
                    program_states(cli, path), SAME)
        # The TLE and CSV of one orbit describe the same orbit, to the TLE's rounding.
        for name in commands:
            tle, csv_file = (os.path.join(work, name + ext) for ext in (".tle", ".csv"))
            compare(f"{name}: CSV against TLE", python_states(csv_file), program_states(cli, tle),
                    TLE_ROUNDING)

    for text in failures:
        print("FAILED:", text)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
