// SPDX-License-Identifier: GPL-3.0-or-later
#include "topology/wilson_loop.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>

namespace quarnel {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

using SmallMatrix =
    Eigen::Matrix<std::complex<double>, Eigen::Dynamic, Eigen::Dynamic, 0, kMaxOrb, kMaxOrb>;

// x modulo period, in [0, period).
double Wrap(double x, double period) {
  double r = std::fmod(x, period);
  if (r < 0) r += period;
  return r >= period ? 0 : r;
}

// x modulo 2 pi, in (-pi, pi].
double WrapSigned(double x) {
  const double r = Wrap(x + kPi, kTwoPi) - kPi;
  return r == -kPi ? kPi : r;
}

// The overlap matrix <a|b> of two frames.
void Overlap(const Frame& a, const Frame& b, int n, int m, SmallMatrix& out) {
  out.resize(m, m);
  for (int p = 0; p < m; ++p)
    for (int q = 0; q < m; ++q) {
      std::complex<double> s = 0;
      for (int j = 0; j < n; ++j) s += std::conj(a[p * n + j]) * b[q * n + j];
      out(p, q) = s;
    }
}

// The middle of the widest gap between sorted centres on the circle [0, 1).
double WidestGapMiddle(const std::vector<double>& c) {
  const std::size_t m = c.size();
  double widest = c[0] + 1 - c[m - 1], middle = Wrap(c[m - 1] + widest / 2, 1.0);
  for (std::size_t i = 0; i + 1 < m; ++i) {
    const double g = c[i + 1] - c[i];
    if (g > widest) {
      widest = g;
      middle = c[i] + g / 2;
    }
  }
  return middle;
}

}  // namespace

WilsonLoop ComputeWilsonLoop(const OccupiedStates& states, int d, const double k[3], int steps,
                             GapGuard& guard) {
  WilsonLoop loop;
  const int n = states.Orbitals(), m = states.Occupied();
  if (steps < 1 || m < 1) return loop;
  double at[3] = {k[0], k[1], k[2]};
  Frame first, previous, current;
  SmallMatrix W = SmallMatrix::Identity(m, m), M;
  for (int i = 0; i <= steps; ++i) {
    if (i < steps) {
      at[d] = 2.0 * i / steps;
      double gap = 0;
      if (!states.Solve(at, current, gap)) return loop;
      guard.Add(gap, at);
    } else {
      current = first;
      states.ShiftByG(d, 1, current);
    }
    if (i == 0) {
      first = current;
    } else {
      Overlap(previous, current, n, m, M);
      W = W * M;
    }
    std::swap(previous, current);
  }
  loop.berry = Wrap(-std::arg(W.determinant()), kTwoPi);
  Eigen::ComplexEigenSolver<SmallMatrix> solver(W, false);
  if (solver.info() != Eigen::Success) return loop;
  for (int p = 0; p < m; ++p)
    loop.centres.push_back(Wrap(-std::arg(solver.eigenvalues()(p)) / kTwoPi, 1.0));
  std::sort(loop.centres.begin(), loop.centres.end());
  loop.ok = true;
  return loop;
}

WannierFlow ComputeWannierFlow(const OccupiedStates& states, int dir, int other, int steps,
                               int rows, double kEnd) {
  WannierFlow flow;
  flow.dir = dir;
  flow.other = other;
  for (int i = 0; i <= rows; ++i) {
    double k[3] = {0, 0, 0};
    k[other] = rows > 0 ? kEnd * i / rows : 0;
    const WilsonLoop loop = ComputeWilsonLoop(states, dir, k, steps, flow.guard);
    flow.ok = flow.ok && loop.ok;
    flow.k.push_back(k[other]);
    flow.centres.push_back(loop.centres);
    flow.berry.push_back(loop.berry);
  }
  return flow;
}

int ChernFromFlow(const WannierFlow& flow) {
  double turns = 0;
  for (std::size_t i = 0; i + 1 < flow.berry.size(); ++i)
    turns += WrapSigned(flow.berry[i + 1] - flow.berry[i]);
  const int winding = static_cast<int>(std::lround(turns / kTwoPi));
  // Around a strip between two rows the plaquettes add up to the loop of the lower row minus the
  // loop of the upper row when the loops run along the plane's first direction, and the reverse
  // when they run along its second.
  return flow.dir < flow.other ? -winding : winding;
}

int Z2FromFlow(const WannierFlow& half) {
  if (half.centres.empty() || half.centres[0].empty() || half.centres[0].size() % 2 != 0) return -1;
  int passes = 0;
  double z = WidestGapMiddle(half.centres[0]);
  for (std::size_t i = 1; i < half.centres.size(); ++i) {
    const double next = WidestGapMiddle(half.centres[i]);
    // The short way round from z to next, and the centres of the new row it sweeps over.
    const double sweep = WrapSigned(kTwoPi * (next - z)) / kTwoPi;
    for (double c : half.centres[i]) {
      const double from = WrapSigned(kTwoPi * (c - z)) / kTwoPi;
      if ((sweep > 0 && from > 0 && from < sweep) || (sweep < 0 && from < 0 && from > sweep))
        ++passes;
    }
    z = next;
  }
  return passes % 2;
}

}  // namespace quarnel
