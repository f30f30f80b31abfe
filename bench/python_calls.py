#!/usr/bin/env python3
"""Times calls from Python through the package: a property read (LonLeft)
and a method call (Distance -87, 41, -87, 42), median per call over batches,
beside the same calls made in C++ (quelmar_bench's dispatch benchmarks).

  PYTHONPATH=build/python bench/python_calls.py [BUILD_DIR]
"""
import os
import statistics
import subprocess
import sys
import time

import quelmar

BATCH, BATCHES = 2000, 15


def per_call(fn):
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
        read = per_call(lambda: m.LonLeft)
        call = per_call(lambda: m.Distance(-87, 41, -87, 42))
    print("Python  property read (LonLeft)      %.2f us per call" % read)
    print("Python  method call (Distance)       %.2f us per call" % call)
    bench = os.path.join(build, "bench", "quelmar_bench")
    if os.path.exists(bench):
        out = subprocess.run([bench, "--benchmark_filter=Through"], capture_output=True, text=True).stdout
        for line in out.splitlines():
            if line.startswith("BM_"):
                print("C++     " + line)


if __name__ == "__main__":
    main()
