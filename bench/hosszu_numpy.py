#!/usr/bin/env python3
"""Events and interval peaks of a long record in NumPy, as a peer for bench_elemzes: the same
definitions on the same decoded samples (float64, mm/s, three components one after another).
Prints the seconds of the work alone and what it found."""
import sys
import time

import numpy as np

from elemzes_numpy import component, zero_crossing


def events(data, rate, trigger):
    centred = data - data.mean(axis=1, keepdims=True)
    hits = np.flatnonzero((np.abs(centred) >= trigger).any(axis=0))
    found = []
    if hits.size:
        cuts = np.flatnonzero(np.diff(hits) >= rate) + 1
        for group in np.split(hits, cuts):
            first = max(0, group[0] - int(round(0.25 * rate)))
            last = min(data.shape[1] - 1, group[-1] + int(round(1.0 * rate)))
            window = data[:, first:last + 1]
            parts = [component(window[c], rate) for c in range(3)]
            pvs = np.sqrt(sum(p[0] * p[0] for p in parts)).max()
            found.append((first, [p[1] for p in parts], pvs))
    return found


def intervals(data, rate, seconds, offset):
    n = data.shape[1]
    step = int(round(seconds * rate))
    first = (step - offset % step) % step  # the first sample of the second interval
    edges = [0] + list(range(first if first else step, n, step)) + [n]
    peaks = []
    for a, b in zip(edges[:-1], edges[1:]):
        if b <= a:
            continue
        for c in range(3):
            v = data[c, a:b] - data[c, a:b].mean()
            p = int(np.abs(v).argmax())
            peaks.append((a, c, abs(v[p]), zero_crossing(v, p, rate)))
    return peaks


def main():
    path, n, rate, mode = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), sys.argv[4]
    data = np.fromfile(path, dtype=np.float64).reshape(3, n)
    component(np.sin(np.arange(64.0)), rate)  # the libraries loaded before the clock starts
    start = time.perf_counter()
    if mode == "events":
        found = len(events(data, rate, 0.5))
    else:
        found = len(intervals(data, rate, 60.0, int(sys.argv[5]))) // 3
    seconds = time.perf_counter() - start
    print(f"{seconds:.4f} {found}")


if __name__ == "__main__":
    main()
