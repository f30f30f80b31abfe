#!/usr/bin/env python3
"""Times calls from Python through the package: a property read (LonLeft)
and a method call (Distance -87, 41, -87, 42), median per call over batches,
then prints the C++ figures of bench/dispatch_bench.cpp beside them (the
read through the interface slot, by Invoke, and both by name as the host
library makes them).

  ninja -C build && PYTHONPATH=build/python python3 bench/python_calls.py [BUILD_DIR]

(the build registers the control in the user's class registry; set
$QUELMAR_REGISTRY to time another registry's control).

A call from Python crosses ctypes into libquelmar_host.so, which calls the
control by name (GetIDsOfNames, then Invoke) and turns the message loop once,
as `quelmar run` does after every call.
"""
import os
import statistics
import subprocess
import sys
import time

import quelmar

BATCH, BATCHES = 2000, 25


def per_call(fn):
    """The median over batches of the time of one call, in microseconds."""
    times = []
    for _ in range(BATCHES):
        start = time.perf_counter()
        for _ in range(BATCH):
            fn()
        times.append((time.perf_counter() - start) / BATCH)
    return statistics.median(times) * 1e6


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    with quelmar.Tarvo() as m:
        m.ZoomWindow(-88, 42, -87, 41)
        distance = m.Distance
        figures = [
            ("property read   m.LonLeft", per_call(lambda: m.LonLeft)),
            ("method call     m.Distance(-87, 41, -87, 42)", per_call(lambda: m.Distance(-87, 41, -87, 42))),
            ("method call     bound once, distance(-87, 41, -87, 42)", per_call(lambda: distance(-87, 41, -87, 42))),
        ]
    for name, micros in figures:
        print("Python  %-56s %8.2f us per call" % (name, micros))
    bench = os.path.join(build, "bench", "quelmar_bench")
    if not os.path.exists(bench):
        print("(no %s: build it for the C++ figures)" % bench)
        return
    out = subprocess.run([bench, "--benchmark_filter=Through|ByName"], capture_output=True, text=True).stdout
    for line in out.splitlines():
        if line.startswith("BM_"):
            print("C++     " + line)


if __name__ == "__main__":
    main()
