#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""quarnel-cli dos on one thread against the same DOS in numpy: H(k) for the whole grid at once,
one batched eigh, the same histogram. One BLAS thread for both; alternating runs, medians.

  OPENBLAS_NUM_THREADS=1 OMP_NUM_THREADS=1 bench/dos_numpy.py QUARNEL_CLI DOS_BENCH MODEL|- [GRID] [REPEATS]

MODEL is a form-2 model file; "-" is dos_bench's generated 16-orbital model. Needs python3-numpy.
"""
import os
import subprocess
import sys
import tempfile
import time

for var in ("OPENBLAS_NUM_THREADS", "OMP_NUM_THREADS", "MKL_NUM_THREADS"):
    os.environ.setdefault(var, "1")
import numpy as np  # noqa: E402  (after the thread settings)


def read_terms(text):
    n, diag, phase, soc = 0, [], [], []
    for line in text.splitlines():
        f = line.split()
        if not f:
            continue
        if f[0] == "n":
            n = int(f[1])
        elif f[0] == "d":
            diag.append((int(f[1]) - 1, float(f[2]), float(f[3])))
        elif f[0] == "p":
            phase.append((int(f[1]) - 1, int(f[2]) - 1, int(f[3]) - 1, float(f[4]), float(f[5])))
        elif f[0] == "s":
            soc.append((int(f[1]) - 1, int(f[2]) - 1, int(f[3]) - 1, float(f[4]), float(f[5])))
    return n, diag, phase, soc


def numpy_dos(terms, grid, bins):
    n, diag, phase, soc = terms
    i = np.arange(grid + 1) / grid
    kz, ky, kx = np.meshgrid(i, i, i, indexing="ij")  # ix innermost, as the program's grid
    k = np.stack([kx.ravel(), ky.ravel(), kz.ravel()], axis=1)
    ksq = (k * k).sum(axis=1)
    elem = np.zeros((len(k), n, n), dtype=complex)
    for a, b, d, c, x in phase:
        elem[:, a, b] += c * np.exp(1j * np.pi * k[:, d] * x)
    for a, b, d, re, im in soc:
        elem[:, a, b] += (re + 1j * im) * k[:, d]
    h = np.zeros_like(elem)
    upper = np.triu_indices(n, 1)
    h[:, upper[0], upper[1]] = elem[:, upper[0], upper[1]]
    h += np.conj(np.swapaxes(h, 1, 2))
    for a, alpha, kin in diag:
        h[:, a, a] = alpha + elem[:, a, a].real + kin * ksq
    w, v = np.linalg.eigh(h)
    e = w.ravel()
    weight = (np.abs(v) ** 2).transpose(0, 2, 1).reshape(-1, n)
    emin, emax = e.min(), e.max()
    r = emax - emin
    if not r > 0:
        emin, emax, r = emin - 0.5, emax + 0.5, 1.0
    emax, emin = emax + 0.05 * r, emin - 0.05 * r
    b = np.rint((e - emin) / (emax - emin) * bins).astype(int)
    total = np.bincount(b, minlength=bins + 1)
    partial = [np.bincount(b, weights=weight[:, j], minlength=bins + 1) for j in range(n)]
    return emin + np.arange(bins + 1) * ((emax - emin) / bins), total, partial


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    cli, bench, model = sys.argv[1:4]
    grid = int(sys.argv[4]) if len(sys.argv) > 4 else 20
    repeats = int(sys.argv[5]) if len(sys.argv) > 5 else 5
    with tempfile.TemporaryDirectory() as tmp:
        if model == "-":
            model = os.path.join(tmp, "sixteen.qrg")
            text = subprocess.run([bench, "terms", "-", model], capture_output=True, text=True).stdout
        else:
            text = subprocess.run([bench, "terms", model], capture_output=True, text=True).stdout
        terms = read_terms(text)
        if terms[0] == 0:
            sys.exit("no form-2 model in " + model)
        ours, theirs = [], []
        for _ in range(repeats):  # alternating, so that a change of load touches both alike
            start = time.perf_counter()
            out = subprocess.run([cli, "dos", model, "--grid", str(grid), "--threads", "1"],
                                 capture_output=True, text=True, check=True).stdout
            ours.append(time.perf_counter() - start)
            start = time.perf_counter()
            energy, total, _ = numpy_dos(terms, grid, 100)
            theirs.append(time.perf_counter() - start)
    rows = [l.split(",") for l in out.splitlines() if l and not l.startswith("#")][1:]
    same = len(rows) == len(total) and all(
        abs(float(r[0]) - e) < 1e-5 and abs(float(r[1]) - t) < 1e-5 * max(1, t)
        for r, e, t in zip(rows, energy, total))
    print("%d orbitals, grid %d, %d repeats, total curve as quarnel-cli's: %s"
          % (terms[0], grid, repeats, "yes" if same else "NO"))
    print("quarnel-cli dos, 1 thread  median %.3f s (min %.3f)" % (np.median(ours), min(ours)))
    print("numpy, 1 BLAS thread       median %.3f s (min %.3f)" % (np.median(theirs), min(theirs)))
    print("numpy / quarnel-cli: %.2f" % (np.median(theirs) / np.median(ours)))


if __name__ == "__main__":
    main()
