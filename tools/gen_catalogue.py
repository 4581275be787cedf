#!/usr/bin/env python3
"""Writes a large TLE catalogue for the whole-catalogue benchmark.

The bundled element sets come first, then generated ones over realistic orbits (LEO of 300 to
2000 km at inclinations 0 to 100 degrees, with some MEO, GEO and Molniya orbits) until the
requested count is reached. The generator is seeded, so the same arguments give the same file.

usage: gen_catalogue.py OUT COUNT BUNDLED_TLE...
"""
import math
import random
import sys

# Earth's gravitational parameter (km^3/s^2) and equatorial radius (km), WGS-72.
MU = 398600.8
EARTH_RADIUS = 6378.135
SECONDS_PER_DAY = 86400.0
# Element epoch of the generated sets: 2026 day 53 (22 February), near the bundled sets.
EPOCH = "26053.50000000"
SEED = 20260222


def checksum(line):
    """TLE checksum of the first 68 columns: digits count their value, minus signs one."""
    total = sum(int(c) if c.isdigit() else (1 if c == "-" else 0) for c in line[:68])
    return str(total % 10)


def mean_motion(perigee_km, apogee_km):
    """Mean motion (rev/day) of an orbit with the given perigee and apogee heights."""
    a = EARTH_RADIUS + 0.5 * (perigee_km + apogee_km)
    return SECONDS_PER_DAY / (2.0 * math.pi * math.sqrt(a ** 3 / MU))


def eccentricity(perigee_km, apogee_km):
    """Eccentricity of an orbit with the given perigee and apogee heights."""
    rp, ra = EARTH_RADIUS + perigee_km, EARTH_RADIUS + apogee_km
    return (ra - rp) / (ra + rp)


def random_orbit(rng):
    """Inclination (deg), perigee and apogee heights (km) of a generated orbit."""
    kind = rng.random()
    if kind < 0.88:  # low Earth orbit
        perigee = rng.uniform(300.0, 2000.0)
        apogee = min(2000.0, perigee + rng.expovariate(1.0 / 40.0))
        return rng.uniform(0.0, 100.0), perigee, apogee
    if kind < 0.93:  # medium Earth orbit (navigation constellations)
        height = rng.uniform(19000.0, 23500.0)
        return rng.uniform(50.0, 65.0), height - 50.0, height + 50.0
    if kind < 0.97:  # geostationary ring
        return rng.uniform(0.0, 15.0), 35760.0, 35810.0
    return rng.uniform(62.0, 64.5), rng.uniform(500.0, 1500.0), rng.uniform(39000.0, 40000.0)


def element_set(number, rng):
    """Name line and the two element lines of generated satellite number."""
    incl, perigee, apogee = random_orbit(rng)
    n = mean_motion(perigee, apogee)
    ecc = eccentricity(perigee, apogee)
    node, argp, anomaly = (rng.uniform(0.0, 360.0) for _ in range(3))
    bstar = rng.uniform(1.0, 9.9)
    line1 = "1 %05dU 26001A   %s  .00000000  00000-0  %05d-4 0  999" % (number, EPOCH, int(bstar * 10000))
    line2 = "2 %05d %8.4f %8.4f %07d %8.4f %8.4f %11.8f%5d" % (
        number, incl, node, int(round(ecc * 1e7)), argp, anomaly, n, 1)
    return ["GEN %05d" % number, line1 + checksum(line1), line2 + checksum(line2)]


def bundled_sets(paths):
    """Name and element lines of every three-line entry of the bundled files."""
    sets = []
    for path in paths:
        with open(path, encoding="ascii", errors="replace") as f:
            lines = [line.rstrip("\r\n") for line in f if line.strip()]
        for k in range(len(lines) - 2):
            if lines[k + 1].startswith("1 ") and lines[k + 2].startswith("2 "):
                sets.append(lines[k:k + 3])
    return sets


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    out, count = argv[1], int(argv[2])
    sets = bundled_sets(argv[3:])[:count]
    rng = random.Random(SEED)
    number = 70000
    while len(sets) < count:
        sets.append(element_set(number, rng))
        number += 1
    with open(out, "w", encoding="ascii", newline="\n") as f:
        for entry in sets:
            f.write("\n".join(entry) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
