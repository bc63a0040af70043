#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""quarnel-cli dos of a lattice-form model (.qrl) on one thread against the same DOS in numpy:
H(k) of the whole grid by one matrix product (the phases of every k and cell offset times the
hopping blocks, then the orbital phases), one batched eigh, the same histogram. One BLAS thread
for both; alternating runs, medians.

  OPENBLAS_NUM_THREADS=1 OMP_NUM_THREADS=1 bench/lattice_dos_numpy.py QUARNEL_CLI [MODEL|-] [GRID] [REPEATS]

MODEL is a .qrl file; "-" (the default) is a generated Wannier-sized model: 16 orbitals, about
8,000 hops over the 125 cell offsets -2..2 along a1, a2, a3. GRID (default 20) gives the
whole-zone grid of GRID^3 points. Needs python3-numpy.
"""
import os
import random
import subprocess
import sys
import tempfile
import time

for var in ("OPENBLAS_NUM_THREADS", "OMP_NUM_THREADS", "MKL_NUM_THREADS"):
    os.environ.setdefault(var, "1")
import numpy as np  # noqa: E402  (after the thread settings)


def wannier_sized_model(path, orbitals=16, hops=8000, seed=7):
    """A 16-orbital model with hops to every offset in -2..2 (125 offsets), decaying with |R|."""
    rng = random.Random(seed)
    lines = ["generated: %d orbitals, %d hops over 125 cell offsets" % (orbitals, hops),
             "_cell a1= 3.1 0 0 a2= 0.4 2.9 0 a3= 0.2 0.3 3.3"]
    for i in range(orbitals):
        lines.append("_orb w%d %.6f pos= %.4f %.4f %.4f" % (
            i + 1, rng.uniform(-2, 2), rng.random(), rng.random(), rng.random()))
    offsets = [(a, b, c) for a in range(-2, 3) for b in range(-2, 3) for c in range(-2, 3)]
    pairs = set()
    for R in offsets:
        for i in range(orbitals):
            for j in range(i, orbitals):
                if i == j and R <= (0, 0, 0):
                    continue  # a hop's partner, or an orbital in its own cell
                pairs.add((i, j, R))
    # Every offset gets hops: the first round takes one pair per offset.
    chosen = [rng.choice(sorted(p for p in pairs if p[2] == R)) for R in offsets]
    rest = sorted(pairs - set(chosen))
    chosen += rng.sample(rest, hops - len(chosen))
    for i, j, R in chosen:
        scale = np.exp(-0.6 * (abs(R[0]) + abs(R[1]) + abs(R[2])))
        lines.append("_hop w%d w%d R= %d %d %d t= %.6f %.6f" % (
            i + 1, j + 1, R[0], R[1], R[2], rng.uniform(-1, 1) * scale,
            (rng.uniform(-1, 1) * scale if i != j else 0.0)))
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def read_qrl(text):
    """The saved form (quarnel-cli save): _cell, _orb NAME E pos= ..., _hop A B R= .. t= re [im]."""
    names, energy, pos, hops, periodic = {}, [], [], [], [False] * 3
    for line in text.splitlines():
        f = line.replace("= ", "=").split()
        if not f or not f[0].startswith("_"):
            continue
        if f[0] == "_orb":
            names[f[1]] = len(energy)
            energy.append(float(f[2]))
            p = f.index("pos=0") if "pos=0" in f else None
            k = [w for w in f if w.startswith("pos=")][0]
            at = f.index(k)
            pos.append([float(k[4:]), float(f[at + 1]), float(f[at + 2])])
        elif f[0] == "_hop":
            r = [w for w in f if w.startswith("R=")][0]
            at = f.index(r)
            R = (int(r[2:]), int(f[at + 1]), int(f[at + 2]))
            t = [w for w in f if w.startswith("t=")][0]
            at = f.index(t)
            im = float(f[at + 1]) if at + 1 < len(f) else 0.0
            hops.append((names[f[1]], names[f[2]], R, complex(float(t[2:]), im)))
            for d in range(3):
                periodic[d] = periodic[d] or R[d] != 0
    return np.array(energy), np.array(pos), hops, periodic


def numpy_dos(model, grid, bins):
    energy, pos, hops, periodic = model
    n = len(energy)
    # The hopping blocks T_R (both partners), one row per distinct offset.
    index, blocks = {}, []
    def block(R):
        if R not in index:
            index[R] = len(blocks)
            blocks.append(np.zeros((n, n), dtype=complex))
        return blocks[index[R]]
    block((0, 0, 0))[np.arange(n), np.arange(n)] += energy
    for i, j, R, t in hops:
        block(R)[i, j] += t
        block((-R[0], -R[1], -R[2]))[j, i] += np.conj(t)
    offsets = np.array(list(index.keys()), dtype=float)            # (m, 3)
    T = np.array(blocks).reshape(len(blocks), n * n)               # (m, n^2)
    # The whole zone: k numbers 2i/n along the periodic directions, direction 1 fastest.
    axes = [2.0 * np.arange(grid) / grid if periodic[d] else np.zeros(1) for d in range(3)]
    kz, ky, kx = np.meshgrid(axes[2], axes[1], axes[0], indexing="ij")
    k = np.stack([kx.ravel(), ky.ravel(), kz.ravel()], axis=1)     # (Nk, 3)
    phase = np.exp(1j * np.pi * (k @ offsets.T))                    # (Nk, m)
    h = (phase @ T).reshape(len(k), n, n)                           # one matrix product
    p = np.exp(1j * np.pi * (k @ pos.T))                            # orbital phases (Nk, n)
    h = np.conj(p)[:, :, None] * h * p[:, None, :]
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
    return emin + np.arange(bins + 1) * ((emax - emin) / bins), total, partial, len(blocks)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cli = sys.argv[1]
    model = sys.argv[2] if len(sys.argv) > 2 else "-"
    grid = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    repeats = int(sys.argv[4]) if len(sys.argv) > 4 else 5
    with tempfile.TemporaryDirectory() as tmp:
        if model == "-":
            model = os.path.join(tmp, "wannier_sized.qrl")
            wannier_sized_model(model)
        saved = subprocess.run([cli, "save", model], capture_output=True, text=True,
                               check=True).stdout
        terms = read_qrl(saved)
        ours, theirs = [], []
        for _ in range(repeats):  # alternating, so that a change of load touches both alike
            start = time.perf_counter()
            out = subprocess.run([cli, "dos", model, "--grid", str(grid), "--threads", "1"],
                                 capture_output=True, text=True, check=True).stdout
            ours.append(time.perf_counter() - start)
            start = time.perf_counter()
            energy, total, _, offsets = numpy_dos(terms, grid, 100)
            theirs.append(time.perf_counter() - start)
    rows = [l.split(",") for l in out.splitlines() if l and not l.startswith("#")][1:]
    # Histogram bins may take a state on their edge either way: compare the curves loosely.
    same = len(rows) == len(total) and all(
        abs(float(r[0]) - e) < 1e-5 for r, e in zip(rows, energy)) and \
        sum(abs(float(r[1]) - t) for r, t in zip(rows, total)) <= 1e-4 * sum(total) + 4
    print("%d orbitals, %d hops, %d cell offsets, grid %d, %d repeats, total curve as "
          "quarnel-cli's: %s" % (len(terms[0]), len(terms[2]), offsets, grid, repeats,
                                 "yes" if same else "NO"))
    print("quarnel-cli dos, 1 thread  median %.3f s (min %.3f)" % (np.median(ours), min(ours)))
    print("numpy, 1 BLAS thread       median %.3f s (min %.3f)" % (np.median(theirs), min(theirs)))
    print("numpy / quarnel-cli: %.2f" % (np.median(theirs) / np.median(ours)))


if __name__ == "__main__":
    main()
