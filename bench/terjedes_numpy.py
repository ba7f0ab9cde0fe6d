#!/usr/bin/env python3
"""The site law's fit in NumPy, as a peer for bench_terjedes: log10 SD and log10 PPV from the
same distances, charges and PPVs (float64, three after one another), then numpy.polyfit of
degree 1. Prints the best seconds of `runs`, then K and beta."""
import sys
import time

import numpy as np


def main():
    path, n, runs = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    data = np.fromfile(path, dtype="<f8")
    d, w, ppv = data[:n], data[n:2 * n], data[2 * n:3 * n]
    best = float("inf")
    for _ in range(runs):
        start = time.perf_counter()
        x = np.log10(d / np.sqrt(w))
        y = np.log10(ppv)
        slope, intercept = np.polyfit(x, y, 1)
        best = min(best, time.perf_counter() - start)
    print(f"{best:.6f} {10 ** intercept:.10g} {-slope:.10g}")


main()
