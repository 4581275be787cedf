#!/usr/bin/env python3
"""Writes a large element-set catalogue for the whole-catalogue benchmark.

The bundled element sets come first, then generated ones over a realistic mix of orbits (LEO of
300 to 2000 km at inclinations 0 to 100 degrees, with MEO, GEO and Molniya-type HEO orbits),
their epochs spread over a day around one epoch, until the requested count is reached. Generated
objects have six-digit catalogue numbers from 100000, written in the Alpha-5 form in TLEs. The
generator is seeded, so the same arguments give the same file.

usage: gen_catalogue.py [--csv] OUT COUNT BUNDLED_TLE...
  --csv  write OMM CSV (header line, CR LF line ends) instead of three-line TLEs
"""
import datetime
import math
import random
import sys

# Earth's gravitational parameter (km^3/s^2) and equatorial radius (km), WGS-72.
MU = 398600.8
EARTH_RADIUS = 6378.135
SECONDS_PER_DAY = 86400.0
# Central epoch of the generated sets: 2026 day 53.5 (22 February, 12 h UTC), near the bundled
# sets; generated epochs lie within EPOCH_SPREAD days of it.
EPOCH = datetime.datetime(2026, 2, 22, 12, 0, 0)
EPOCH_SPREAD = 0.5
FIRST_NUMBER = 100000
SEED = 20260222
# Alpha-5 letters of the leading digit pairs 10 to 33 (I and O are not used).
ALPHA5 = "ABCDEFGHJKLMNPQRSTUVWXYZ"
CSV_FIELDS = ["OBJECT_NAME", "OBJECT_ID", "EPOCH", "MEAN_MOTION", "ECCENTRICITY", "INCLINATION",
              "RA_OF_ASC_NODE", "ARG_OF_PERICENTER", "MEAN_ANOMALY", "EPHEMERIS_TYPE",
              "CLASSIFICATION_TYPE", "NORAD_CAT_ID", "ELEMENT_SET_NO", "REV_AT_EPOCH", "BSTAR",
              "MEAN_MOTION_DOT", "MEAN_MOTION_DDOT"]


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


def generated_set(number, rng):
    """OMM fields of generated object number."""
    incl, perigee, apogee = random_orbit(rng)
    node, argp, anomaly = (rng.uniform(0.0, 360.0) for _ in range(3))
    epoch = EPOCH + datetime.timedelta(days=rng.uniform(-EPOCH_SPREAD, EPOCH_SPREAD))
    return {"OBJECT_NAME": "GEN %06d" % number, "OBJECT_ID": "2026-001A",
            "EPOCH": epoch.replace(microsecond=epoch.microsecond // 1000 * 1000),
            "MEAN_MOTION": round(mean_motion(perigee, apogee), 8),
            "ECCENTRICITY": round(eccentricity(perigee, apogee), 7), "INCLINATION": round(incl, 4),
            "RA_OF_ASC_NODE": round(node, 4), "ARG_OF_PERICENTER": round(argp, 4),
            "MEAN_ANOMALY": round(anomaly, 4), "NORAD_CAT_ID": number, "ELEMENT_SET_NO": 999,
            "REV_AT_EPOCH": 1, "BSTAR": round(rng.uniform(1.0, 9.9), 4) * 1e-4,
            "MEAN_MOTION_DOT": 0.0, "MEAN_MOTION_DDOT": 0.0}


def tle_exponent(text):
    """Value of a TLE field with an implied leading decimal point and an exponent ("12345-4")."""
    text = text.strip()
    if not text:
        return 0.0
    sign = -1.0 if text[0] == "-" else 1.0
    text = text.lstrip("+-")
    return sign * float("0." + text[:-2].strip()) * 10.0 ** int(text[-2:])


def tle_epoch(field):
    """UTC epoch of the TLE epoch field (two-digit year, day of year with fraction)."""
    year = int(field[:2])
    year += 2000 if year < 57 else 1900
    return datetime.datetime(year, 1, 1) + datetime.timedelta(days=float(field[2:]) - 1.0)


def catalogue_number(field):
    """Catalogue number of a TLE number field, in the plain or the Alpha-5 form."""
    if field[0].isalpha():
        return (ALPHA5.index(field[0]) + 10) * 10000 + int(field[1:])
    return int(field)


def parsed_set(name, line1, line2):
    """OMM fields of a three-line TLE; TLE keeps the lines as they are."""
    year, piece = int(line1[9:11]), line1[11:17].strip()
    return {"TLE": [name, line1, line2], "OBJECT_NAME": name.strip(), "EPOCH": tle_epoch(line1[18:32]),
            "OBJECT_ID": "%d-%s" % (year + (2000 if year < 57 else 1900), piece),
            "MEAN_MOTION": float(line2[52:63]), "ECCENTRICITY": float("0." + line2[26:33]),
            "INCLINATION": float(line2[8:16]), "RA_OF_ASC_NODE": float(line2[17:25]),
            "ARG_OF_PERICENTER": float(line2[34:42]), "MEAN_ANOMALY": float(line2[43:51]),
            "NORAD_CAT_ID": catalogue_number(line1[2:7]), "ELEMENT_SET_NO": int(line1[64:68]),
            "REV_AT_EPOCH": int(line2[63:68]), "BSTAR": tle_exponent(line1[53:61]),
            "MEAN_MOTION_DOT": float(line1[33:43]), "MEAN_MOTION_DDOT": tle_exponent(line1[44:52])}


def tle_number(number):
    """Five-column TLE form of a catalogue number: plain below 100000, else Alpha-5."""
    if number < 100000:
        return "%05d" % number
    return ALPHA5[number // 10000 - 10] + "%04d" % (number % 10000)


def exponent_field(value):
    """TLE field with an implied decimal point and exponent: 1.2345e-5 -> " 12345-4"."""
    if value == 0.0:
        return " 00000-0"
    exponent = math.floor(math.log10(abs(value))) + 1
    mantissa = int(round(abs(value) / 10.0 ** exponent * 1e5))
    if mantissa == 100000:
        mantissa, exponent = 10000, exponent + 1
    return "%s%05d%+d" % ("-" if value < 0 else " ", mantissa, exponent)


def tle_lines(s):
    """Name line and the two element lines of the OMM fields s."""
    if "TLE" in s:
        return s["TLE"]
    epoch = s["EPOCH"]
    day = (epoch - datetime.datetime(epoch.year, 1, 1)).total_seconds() / SECONDS_PER_DAY + 1.0
    year, piece = s["OBJECT_ID"].split("-")
    number = tle_number(s["NORAD_CAT_ID"])
    ndot = ("%.8f" % s["MEAN_MOTION_DOT"]).replace("0.", ".", 1)
    line1 = "1 %sU %2s%-6s %02d%012.8f %10s %s %s 0 %4d" % (
        number, year[2:], piece[:6], epoch.year % 100, day, ndot.rjust(10),
        exponent_field(s["MEAN_MOTION_DDOT"]), exponent_field(s["BSTAR"]), s["ELEMENT_SET_NO"] % 10000)
    line2 = "2 %s %8.4f %8.4f %07d %8.4f %8.4f %11.8f%5d" % (
        number, s["INCLINATION"], s["RA_OF_ASC_NODE"], int(round(s["ECCENTRICITY"] * 1e7)),
        s["ARG_OF_PERICENTER"], s["MEAN_ANOMALY"], s["MEAN_MOTION"], s["REV_AT_EPOCH"] % 100000)
    return [s["OBJECT_NAME"], line1 + checksum(line1), line2 + checksum(line2)]


def csv_line(s):
    """OMM CSV line of the fields s."""
    values = dict(s, EPHEMERIS_TYPE=0, CLASSIFICATION_TYPE="U",
                  EPOCH=s["EPOCH"].strftime("%Y-%m-%dT%H:%M:%S.%f"))
    return ",".join(format(values[f], ".12g") if isinstance(values[f], float) else str(values[f])
                    for f in CSV_FIELDS)


def bundled_sets(paths):
    """OMM fields of every three-line entry of the bundled files."""
    sets = []
    for path in paths:
        with open(path, encoding="ascii", errors="replace") as f:
            lines = [line.rstrip("\r\n") for line in f if line.strip()]
        for k in range(len(lines) - 2):
            if lines[k + 1].startswith("1 ") and lines[k + 2].startswith("2 "):
                sets.append(parsed_set(*lines[k:k + 3]))
    return sets


def main(argv):
    csv = "--csv" in argv
    argv = [a for a in argv if a != "--csv"]
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    out, count = argv[1], int(argv[2])
    sets = bundled_sets(argv[3:])[:count]
    rng = random.Random(SEED)
    number = FIRST_NUMBER
    with open(out, "w", encoding="ascii", newline="\r\n" if csv else "\n") as f:
        if csv:
            f.write(",".join(CSV_FIELDS) + "\n")
        while len(sets) < count:
            sets.append(generated_set(number, rng))
            number += 1
        for s in sets:
            f.write((csv_line(s) if csv else "\n".join(tle_lines(s))) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
