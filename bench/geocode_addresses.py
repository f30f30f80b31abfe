#!/usr/bin/env python3
"""Geocodes real addresses with `quelmar geocode` and measures how many find
their street and how far the first hit lies from the address's true point.

  bench/geocode_addresses.py [ADDRESSES_JSON] [--quelmar build/bin/quelmar] [--data TREE]

Only addresses in a state whose street archive the data tree holds are tried
(the other states have no street data to find a street in). Prints the
counts by precision and the median and 90th-percentile distance in miles.
"""
import argparse
import json
import math
import os
import statistics
import subprocess
import sys

FIPS = {"AL": 1, "AK": 2, "AZ": 4, "AR": 5, "CA": 6, "CO": 8, "CT": 9, "DE": 10, "DC": 11, "FL": 12, "GA": 13,
        "HI": 15, "ID": 16, "IL": 17, "IN": 18, "IA": 19, "KS": 20, "KY": 21, "LA": 22, "ME": 23, "MD": 24, "MA": 25,
        "MI": 26, "MN": 27, "MS": 28, "MO": 29, "MT": 30, "NE": 31, "NV": 32, "NH": 33, "NJ": 34, "NM": 35, "NY": 36,
        "NC": 37, "ND": 38, "OH": 39, "OK": 40, "OR": 41, "PA": 42, "RI": 44, "SC": 45, "SD": 46, "TN": 47, "TX": 48,
        "UT": 49, "VT": 50, "VA": 51, "WA": 53, "WV": 54, "WI": 55, "WY": 56}


def miles(lat1, lon1, lat2, lon2):
    p1, p2 = math.radians(lat1), math.radians(lat2)
    dp, dl = p2 - p1, math.radians(lon2 - lon1)
    a = math.sin(dp / 2) ** 2 + math.cos(p1) * math.cos(p2) * math.sin(dl / 2) ** 2
    return 3958.8 * 2 * math.asin(math.sqrt(a))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("addresses", nargs="?",
                        default=os.path.join(here, "..", "..", "shared", "testdata", "addresses", "addresses-us-all.json"))
    parser.add_argument("--quelmar", default=os.path.join(here, "..", "build", "bin", "quelmar"))
    parser.add_argument("--data", default=os.environ.get("QUELMAR_DATA",
                                                        os.path.expanduser("~/.local/share/quelmar/map")))
    args = parser.parse_args()

    with open(args.addresses) as f:
        records = json.load(f)["addresses"]
    states = {code for code, fips in FIPS.items()
              if fips != 2 and os.path.exists(os.path.join(args.data, "STATES0", "%02d.ZP5" % fips))}
    tried = [r for r in records if r.get("state") in states and r.get("city") and r.get("address1")]
    if not tried:
        print("no address lies in a state with street data (%s)" % ", ".join(sorted(states)))
        return 0
    texts = ["%s, %s, %s %s" % (r["address1"], r["city"], r["state"], r.get("postalCode", "")) for r in tried]
    out = subprocess.run([args.quelmar, "geocode", "--tsv", "--data", args.data] + texts,
                         capture_output=True, text=True, check=False)
    if out.returncode != 0:
        sys.stderr.write(out.stderr)
        return 1
    first = {}
    for line in out.stdout.splitlines():
        fields = line.split("\t")
        if len(fields) >= 3 and fields[0] not in first:
            first[fields[0]] = fields[1:]
    distances = {}
    for record, text in zip(tried, texts):
        hit = first.get(text, ["none"])
        precision = hit[0]
        distances.setdefault(precision, [])
        point = hit[8] if len(hit) >= 9 else ""
        if "," in point:
            lon, lat = (float(v) for v in point.split(","))
            distances[precision].append(miles(record["coordinates"]["lat"], record["coordinates"]["lng"], lat, lon))
    print("addresses in states with street data (%s): %d" % (", ".join(sorted(states)), len(tried)))
    print("  precision      count  median miles  90th percentile miles (first hit to the true point)")
    for precision in ("house", "street", "intersection", "zip", "city", "none"):
        found = sorted(distances.get(precision, []))
        count = len(distances.get(precision, [])) if precision not in distances else sum(
            1 for t in texts if first.get(t, ["none"])[0] == precision)
        if found:
            print("  %-12s %7d  %12.3f  %12.3f" % (precision, count, statistics.median(found),
                                                 found[min(len(found) - 1, int(len(found) * 0.9))]))
        else:
            print("  %-12s %7d" % (precision, count))
    street = sum(len(distances.get(p, [])) for p in ("house", "street", "intersection"))
    print("found their street: %d of %d" % (street, len(tried)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
