#!/usr/bin/env python3
"""The record analysis in NumPy, as a peer for bench_elemzes: the same definitions on the
same decoded samples (float64, mm/s, three components one after another). Prints the
seconds of the analysis alone."""
import sys
import time

import numpy as np


def zero_crossing(v, p, rate):
    """The frequency from the zero crossings around sample p of the centred samples v."""
    pos = v > 0
    idx = np.flatnonzero(pos[:-1] != pos[1:])
    before, after = idx[idx + 1 <= p], idx[idx >= p]
    if not (before.size and after.size):
        return None
    j0, j1 = before[-1], after[0]
    t0 = j0 + v[j0] / (v[j0] - v[j0 + 1])
    t1 = j1 + v[j1] / (v[j1] - v[j1 + 1])
    return rate / (2 * (t1 - t0)) if t1 > t0 else None


def component(v, rate):
    v = v - v.mean()
    a = np.abs(v)
    p = int(a.argmax())
    ppv = a[p]
    zc = zero_crossing(v, p, rate)
    m = 1 << int(np.ceil(np.log2(len(v))))
    amp = np.abs(np.fft.rfft(v, m))
    k = int(amp[1:].argmax()) + 1
    d = 0.0
    if k + 1 <= m // 2:
        a0, b, c = amp[k - 1], amp[k], amp[k + 1]
        if a0 - 2 * b + c != 0:
            d = 0.5 * (a0 - c) / (a0 - 2 * b + c)
    fft = (k + d) * rate / m
    acc = np.abs(v[2:] - v[:-2]).max() * rate / 2 / 1000
    # the integral less its least-squares straight line
    disp = np.concatenate(([0.0], np.cumsum((v[1:] + v[:-1]) / 2 / rate)))
    i = np.arange(len(disp))
    slope, intercept = np.polyfit(i, disp, 1)
    disp = np.abs(disp - (intercept + slope * i)).max()
    return v, ppv, p / rate, zc, fft, acc, disp


def main():
    path, n, rate = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    data = np.fromfile(path, dtype=np.float64).reshape(3, n)
    component(np.sin(np.arange(64.0)), rate)  # the libraries loaded before the clock starts
    start = time.perf_counter()
    centred = [component(data[c], rate)[0] for c in range(3)]
    pvs = np.sqrt(sum(c * c for c in centred)).max()
    seconds = time.perf_counter() - start
    assert pvs > 0
    print(f"{seconds:.4f}")


if __name__ == "__main__":
    main()
