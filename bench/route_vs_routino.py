#!/usr/bin/python3
"""The same routes found by our host and by Routino, side by side.

For each sample (Chicago, San Francisco, Three Rivers MI) the state's street
archive is exported with `quelmar-data export-osm`, Routino's database is
built from it with planetsplitter, and fixed start and finish points are
routed by both, shortest and fastest. Routino gets a profile whose motorcar
speeds are ours, so both sides do the same work; prints the distances, times
and their ratios, and the wall time of each side.

    /usr/bin/python3 bench/route_vs_routino.py [--data TREE] [--work DIR]

Needs Debian routino (planetsplitter, routino-router).
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

KM_PER_MILE = 1.609344

# Our speeds by highway tag, in mph.
SPEEDS_MPH = {
    "motorway": 65,
    "trunk": 50,
    "secondary": 45,
    "residential": 35,
    "track": 5,
    "motorway_link": 20,
}

# Routino's highway types and the speed each gets (ours by the tag that
# export-osm writes for it; the others never occur in the export).
ROUTINO_HIGHWAYS = {
    "motorway": "motorway",
    "trunk": "trunk",
    "primary": "secondary",
    "secondary": "secondary",
    "tertiary": "secondary",
    "unclassified": "residential",
    "residential": "residential",
    "service": "residential",
    "track": "track",
    "cycleway": None,
    "path": None,
    "steps": None,
    "ferry": None,
}

TAGGING = "/usr/share/routino/tagging.xml"


class Sample:
    def __init__(self, name, state, pairs):
        self.name = name
        self.state = state  # the state archive's two-digit code
        self.pairs = pairs  # ((lon, lat), (lon, lat)), points on streets


# Start and finish points are street corners, nodes of the exported networks
# (in their largest connected part), so both routers start on the same street.
SAMPLES = [
    Sample("Chicago", "17", [
        ((-87.653184, 41.883072), (-87.658624, 41.967232)),  # Carpenter & Washington to Broadway & Leland
        ((-87.604480, 41.815040), (-87.764288, 41.945920)),  # Drexel & 44th to Linder & Addison
        ((-87.788416, 41.773952), (-87.657664, 41.896192)),  # Normandy & 65th to Racine & Chicago
        ((-87.690368, 41.844736), (-87.699968, 41.917440)),  # Rockwell & 26th to Richmond & Armitage
        ((-87.791424, 41.868864), (-87.691136, 41.784640)),  # Harvard & Wesley to Washtenaw & 60th
    ]),
    Sample("San Francisco", "06", [
        ((-122.449664, 37.769664), (-122.449280, 37.762496)),  # Belvedere & Haight to Cole & Rivoli
        ((-122.452224, 37.762880), (-122.437632, 37.774080)),  # Stanyan & Alma to Divisadero & Fell
        ((-122.443776, 37.758272), (-122.446656, 37.776768)),  # Clayton & Market to Masonic & McAllister
        ((-122.459904, 37.764352), (-122.435200, 37.762624)),  # 3rd Ave & Irving to Castro & Market
    ]),
    Sample("Three Rivers MI", "26", [
        ((-85.643136, 41.943872), (-85.626432, 41.957184)),  # Douglas & French to Flower & Portage
        ((-85.637248, 41.940096), (-85.620096, 41.949248)),  # Constantine & Millard to 8th Ave & Jefferson
        ((-85.630912, 41.955904), (-85.624896, 41.942016)),  # Adams & Elm to River Dr & Wood
        ((-85.637440, 41.952384), (-85.622784, 41.948352)),  # Maple & Wheeler to 7th Ave & Washington
    ]),
]


def kph(mph):
    # Routino holds speeds as whole km/h.
    return int(round(mph * KM_PER_MILE))


def write_profiles(path):
    """A profiles file with one motorcar profile at our speeds: every road
    type preferred alike, properties neutral, and one-way streets and turn
    restrictions ignored (the exported network has neither)."""
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             '<routino-profiles xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">',
             '  <profile name="motorcar" transport="motorcar">',
             '    <speeds>']
    for highway, ours in ROUTINO_HIGHWAYS.items():
        speed = kph(SPEEDS_MPH[ours]) if ours else 0
        lines.append('      <speed highway="%s" kph="%d" />' % (highway, speed))
    lines.append('    </speeds>')
    lines.append('    <preferences>')
    for highway, ours in ROUTINO_HIGHWAYS.items():
        lines.append('      <preference highway="%s" percent="%d" />' % (highway, 100 if ours else 0))
    lines.append('    </preferences>')
    lines.append('    <properties>')
    for prop in ("paved", "multilane", "bridge", "tunnel", "footroute", "bicycleroute"):
        lines.append('      <property type="%s" percent="50" />' % prop)
    lines.append('    </properties>')
    lines += ['    <restrictions>',
              '      <oneway obey="0" />',
              '      <turns obey="0" />',
              '      <weight limit="0.0" />',
              '      <height limit="0.0" />',
              '      <width limit="0.0" />',
              '      <length limit="0.0" />',
              '    </restrictions>',
              '  </profile>',
              '</routino-profiles>']
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")


def for_routino(source, target):
    """Routino's tagging folds motorway_link into motorway and gives tracks no
    motor access; the copy it reads caps ramps at our ramp speed and opens
    tracks to cars, so both routers see the same network."""
    ramp = '    <tag k="maxspeed" v="%d mph"/>\n' % SPEEDS_MPH["motorway_link"]
    car = '    <tag k="motorcar" v="yes"/>\n'
    with open(source) as src, open(target, "w") as out:
        for line in src:
            out.write(line)
            if line == '    <tag k="highway" v="motorway_link"/>\n':
                out.write(ramp)
            elif line == '    <tag k="highway" v="track"/>\n':
                out.write(car)


def find_in(folder, name):
    """The entry of `folder` named `name` in any letter case, or None."""
    try:
        return next((os.path.join(folder, entry) for entry in os.listdir(folder) if entry.lower() == name.lower()),
                    None)
    except OSError:
        return None


def find_state_archive(data, state):
    """The state's street archive under the tree's StatesPath, names in any case."""
    folder = "STATES0"
    ini = find_in(data, "MAP.INI")
    if ini:
        with open(ini, errors="replace") as text:
            for line in text:
                key, _, value = line.strip().partition("=")
                if key.strip().lower() == "statespath" and value.strip():
                    folder = value.strip().replace("\\", "/")
    states = data
    for part in folder.split("/"):
        states = find_in(states, part) if part else states
        if not states:
            return None
    return find_in(states, state + ".ZP5")


def run(command, cwd=None, timeout=600):
    """(exit status, stdout, stderr, seconds); status None when it timed out
    or could not start."""
    start = time.monotonic()
    try:
        done = subprocess.run(command, cwd=cwd, capture_output=True, text=True, timeout=timeout)
        return done.returncode, done.stdout, done.stderr, time.monotonic() - start
    except subprocess.TimeoutExpired:
        return None, "", "timed out after %d s" % timeout, time.monotonic() - start
    except OSError as error:
        return None, "", str(error), time.monotonic() - start


def parse_ours(stdout):
    """(miles, seconds) from the host's --tsv output: route rows of nine
    tab-separated fields, then TOTAL, miles and seconds; None when there is
    no total line."""
    lines = [line for line in stdout.splitlines() if line.strip()]
    if not lines:
        return None
    fields = lines[-1].split("\t")
    if len(fields) != 3 or fields[0] != "TOTAL":
        return None
    try:
        return float(fields[1]), int(fields[2])
    except ValueError:
        return None


def parse_routino(path):
    """(km, minutes) of a route's all-points text file: the segment distances
    and durations summed (three and two decimals, finer than the totals)."""
    km = minutes = 0.0
    rows = 0
    try:
        with open(path) as text:
            for line in text:
                if line.startswith("#") or not line.strip():
                    continue
                fields = line.split()
                if len(fields) < 8:
                    continue
                km += float(fields[4])
                minutes += float(fields[5])
                rows += 1
    except (OSError, ValueError):
        return None
    return (km, minutes) if rows else None


def routino_route(work, prefix, profiles, start, finish, kind):
    """((km, minutes) or None, seconds, why)."""
    out = os.path.join(work, "route-%s" % kind)
    os.makedirs(out, exist_ok=True)
    result = os.path.join(out, "%s-all.txt" % kind)
    if os.path.exists(result):
        os.remove(result)
    command = ["routino-router", "--dir=" + work, "--prefix=" + prefix, "--profiles=" + profiles,
               "--transport=motorcar", "--" + kind, "--output-text-all", "--quiet",
               "--lon1=%.7f" % start[0], "--lat1=%.7f" % start[1],
               "--lon2=%.7f" % finish[0], "--lat2=%.7f" % finish[1]]
    status, _, stderr, seconds = run(command, cwd=out, timeout=300)
    if status != 0:
        return None, seconds, stderr.strip().splitlines()[-1:] or ["exit %s" % status]
    return parse_routino(result), seconds, []


def our_route(quelmar, data, start, finish, kind):
    """((miles, seconds) or None, wall seconds, why)."""
    command = [quelmar, "route", "%.7f,%.7f" % start, "%.7f,%.7f" % finish,
               "--type", kind, "--tsv", "--data", data]
    status, stdout, stderr, seconds = run(command, timeout=300)
    if status != 0:
        return None, seconds, stderr.strip().splitlines()[-1:] or ["exit %s" % status]
    return parse_ours(stdout), seconds, []


def ratio(ours, theirs):
    return "%.3f" % (ours / theirs) if ours is not None and theirs else "-"


def cell(value, form):
    return form % value if value is not None else "no route"


def prepare(sample, args, work):
    """Exports the state's network and builds Routino's database: the prefix,
    or None after saying why."""
    archive = find_state_archive(args.data, sample.state)
    if not archive:
        print("%s: no street archive %s.ZP5 under %s" % (sample.name, sample.state, args.data), file=sys.stderr)
        return None
    prefix = sample.state
    exported = os.path.join(work, prefix + ".osm")
    status, stdout, stderr, seconds = run([args.quelmar_data, "export-osm", archive, "-o", exported])
    if status != 0:
        print("%s: export-osm failed: %s" % (sample.name, stderr.strip()), file=sys.stderr)
        return None
    print("%s: %s (%.1f s)" % (sample.name, stdout.strip(), seconds))
    routino_input = os.path.join(work, prefix + "-routino.osm")
    for_routino(exported, routino_input)
    status, _, stderr, seconds = run(["planetsplitter", "--dir=" + work, "--prefix=" + prefix,
                                      "--tagging=" + TAGGING, routino_input], timeout=1800)
    if status != 0:
        print("%s: planetsplitter failed: %s" % (sample.name, stderr.strip()[-500:]), file=sys.stderr)
        return None
    print("%s: planetsplitter %.1f s" % (sample.name, seconds))
    return prefix


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--data", default=os.path.expanduser("~/.local/share/quelmar/map"),
                        help="the map data tree (default %(default)s)")
    parser.add_argument("--quelmar", default="build/bin/quelmar", help="the command-line host (default %(default)s)")
    parser.add_argument("--quelmar-data", default="build/bin/quelmar-data",
                        help="the data tool (default %(default)s)")
    parser.add_argument("--work", help="a folder for the exports and Routino's database (default: a temporary one)")
    args = parser.parse_args()
    sys.stdout.reconfigure(line_buffering=True)  # progress and problems in the order they happen
    for tool in ("planetsplitter", "routino-router"):
        if not shutil.which(tool):
            print("%s is missing: apt-get install routino" % tool, file=sys.stderr)
            return 1
    if not os.path.isdir(args.data):
        print("no map data tree at %s (--data)" % args.data, file=sys.stderr)
        return 1
    if not os.path.exists(TAGGING):
        print("%s is missing: apt-get install routino-common" % TAGGING, file=sys.stderr)
        return 1

    temporary = None if args.work else tempfile.TemporaryDirectory(prefix="route-vs-routino-")
    work = args.work or temporary.name
    os.makedirs(work, exist_ok=True)
    profiles = os.path.join(work, "profiles.xml")
    write_profiles(profiles)

    rows = []
    walls = []  # (sample, our seconds, Routino seconds)
    for sample in SAMPLES:
        prefix = prepare(sample, args, work)
        if not prefix:
            continue
        ours_wall = theirs_wall = 0.0
        for number, (start, finish) in enumerate(sample.pairs, 1):
            for ours_kind, theirs_kind in (("shortest", "shortest"), ("fastest", "quickest")):
                ours, ours_seconds, ours_why = our_route(args.quelmar, args.data, start, finish, ours_kind)
                theirs, theirs_seconds, theirs_why = routino_route(work, prefix, profiles, start, finish,
                                                                   theirs_kind)
                ours_wall += ours_seconds
                theirs_wall += theirs_seconds
                for side, why in (("ours", ours_why), ("Routino", theirs_why)):
                    if why:
                        print("%s pair %d %s, %s: %s" % (sample.name, number, ours_kind, side, why[0]),
                              file=sys.stderr)
                our_miles = ours[0] if ours else None
                our_minutes = ours[1] / 60.0 if ours else None
                their_miles = theirs[0] / KM_PER_MILE if theirs else None
                their_minutes = theirs[1] if theirs else None
                rows.append((sample.name, number, ours_kind, our_miles, their_miles, our_minutes, their_minutes))
        walls.append((sample.name, ours_wall, theirs_wall))

    print()
    print("%-16s %4s %-8s %9s %11s %7s %9s %11s %7s" % ("sample", "pair", "type", "our mi", "Routino mi",
                                                        "ratio", "our min", "Routino min", "ratio"))
    for name, number, kind, our_miles, their_miles, our_minutes, their_minutes in rows:
        print("%-16s %4d %-8s %9s %11s %7s %9s %11s %7s" % (
            name, number, kind, cell(our_miles, "%.2f"), cell(their_miles, "%.2f"), ratio(our_miles, their_miles),
            cell(our_minutes, "%.1f"), cell(their_minutes, "%.1f"), ratio(our_minutes, their_minutes)))
    print()
    print("%-16s %12s %12s %7s" % ("wall time", "ours s", "Routino s", "ratio"))
    for name, ours_wall, theirs_wall in walls + [("all", sum(w[1] for w in walls), sum(w[2] for w in walls))]:
        print("%-16s %12.2f %12.2f %7s" % (name, ours_wall, theirs_wall, ratio(ours_wall, theirs_wall)))
    if temporary:
        temporary.cleanup()
    return 0 if rows else 1


if __name__ == "__main__":
    sys.exit(main())
