// SPDX-License-Identifier: GPL-3.0-or-later
#include "topology/chern_plaquettes.h"

#include <cmath>

namespace quarnel {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

ChernPlaquettes ComputeChernPlaquettes(const OccupiedStates& states, int dir1, int dir2, int n) {
  ChernPlaquettes out;
  out.dir1 = dir1;
  out.dir2 = dir2;
  out.n = n;
  if (n < 1 || states.Occupied() < 1) return out;
  const std::size_t points = static_cast<std::size_t>(n) * n;
  // Every frame once: the grid's n^2 k points are the whole cost of the eigenvectors.
  std::vector<Frame> frames(points);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      double k[3] = {0, 0, 0};
      k[dir1] = 2.0 * i / n;
      k[dir2] = 2.0 * j / n;
      double gap = 0;
      if (!states.Solve(k, frames[j * n + i], gap)) return out;
      out.guard.Add(gap, k);
    }
  // The frames one step beyond the grid, k1 = 2 or k2 = 2, are those at 0 shifted by G.
  std::vector<Frame> right(n), top(n);
  for (int j = 0; j < n; ++j) {
    right[j] = frames[j * n];
    states.ShiftByG(dir1, 1, right[j]);
  }
  for (int i = 0; i < n; ++i) {
    top[i] = frames[i];
    states.ShiftByG(dir2, 1, top[i]);
  }
  Frame corner = frames[0];
  states.ShiftByG(dir1, 1, corner);
  states.ShiftByG(dir2, 1, corner);
  const auto at = [&](int i, int j) -> const Frame& {
    if (i == n && j == n) return corner;
    if (i == n) return right[j];
    if (j == n) return top[i];
    return frames[j * n + i];
  };
  // Link k -> k + e1 along dir1 (u1) and k -> k + e2 along dir2 (u2), each once.
  std::vector<std::complex<double>> u1(points), u2(points), u1Top(n), u2Right(n);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      u1[j * n + i] = states.OverlapDet(at(i, j), at(i + 1, j));
      u2[j * n + i] = states.OverlapDet(at(i, j), at(i, j + 1));
    }
  for (int i = 0; i < n; ++i) u1Top[i] = states.OverlapDet(at(i, n), at(i + 1, n));
  for (int j = 0; j < n; ++j) u2Right[j] = states.OverlapDet(at(n, j), at(n, j + 1));
  out.curvature.resize(points);
  double total = 0;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const std::complex<double> bottom = u1[j * n + i];
      const std::complex<double> rightSide = i + 1 < n ? u2[j * n + i + 1] : u2Right[j];
      const std::complex<double> topSide = j + 1 < n ? u1[(j + 1) * n + i] : u1Top[i];
      const std::complex<double> left = u2[j * n + i];
      // k -> k+e1 -> k+e1+e2 -> k+e2 -> k: the last two links run backwards, <b|a> = conj <a|b>.
      double phase = -std::arg(bottom * rightSide * std::conj(topSide) * std::conj(left));
      if (phase <= -kPi) phase += 2 * kPi;
      out.curvature[j * n + i] = phase;
      total += phase;
    }
  out.sum = total / (2 * kPi);
  out.chern = static_cast<int>(std::lround(out.sum));
  out.ok = true;
  return out;
}

}  // namespace quarnel
