// SPDX-License-Identifier: GPL-3.0-or-later
// Open boundaries against closed forms: the zigzag graphene ribbon's edge band between the
// projections of K and K' (|k1| > 2/3), the SSH chain's end states, and a flake of the square
// lattice whose spectrum is known cell by cell.

#include "topology/open_pieces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/topology/lattice_examples.h"

namespace quarnel {
namespace {

TEST(OpenPieces, ZigzagRibbonHasItsEdgeBandBetweenKAndKPrime) {
  // A zigzag edge state decays by 2 cos(pi k1 / 2) per cell: it exists where that is below 1.
  OpenShape shape;
  shape.open[1] = true;
  shape.cells[1] = 24;
  const OpenHamiltonian h(Example("graphene.qrl"), shape);
  ASSERT_EQ(h.States(), 48);
  for (double k1 : {0.0, 0.3, 0.55, 0.8, 0.9, -0.9, 1.0}) {
    const double k[3] = {k1, 0, 0};
    const OpenSpectrum s = SolveOpen(h, k, true);
    ASSERT_TRUE(s.ok);
    std::vector<double> first, last;
    EdgeWeights(h, s, 1, first, last);
    int nearZero = 0;
    double edge = 0;
    for (std::size_t x = 0; x < s.energies.size(); ++x) {
      EXPECT_LE(first[x] + last[x], 1 + 1e-9);
      if (std::fabs(s.energies[x]) < 1e-3) {
        ++nearZero;
        edge += first[x] + last[x];
      }
    }
    const double decay = 2 * std::cos(kPi * k1 / 2);
    EXPECT_EQ(nearZero, std::fabs(decay) < 1 ? 2 : 0) << "k1 = " << k1;
    // On its own edge cell the state holds 1 - decay^2 of its weight (a geometric series).
    if (nearZero == 2) EXPECT_NEAR(edge / 2, 1 - decay * decay, 1e-6) << "k1 = " << k1;
  }
}

TEST(OpenPieces, SshChainEndStatesAndDensities) {
  for (double w : {-0.5, -1.6}) {  // |w| > |v| = 1: two end states
    LatticeModel m = Example("ssh_chain.qrl");
    m.hops[1].t = w;
    const int cells[2] = {30, 1};
    OpenShape shape;
    ASSERT_TRUE(FlakeShape(m, cells, shape));
    const OpenHamiltonian h(m, shape);
    const double k[3] = {0, 0, 0};
    const OpenSpectrum s = SolveOpen(h, k, true);
    ASSERT_TRUE(s.ok);
    std::vector<double> first, last;
    EdgeWeights(h, s, 0, first, last);
    int ends = 0;
    for (std::size_t x = 0; x < s.energies.size(); ++x) {
      if (std::fabs(s.energies[x]) > 1e-6) continue;
      ++ends;
      // Half of each end state on each end; the end cell holds 1 - (v/w)^2 of a half.
      EXPECT_NEAR(first[x] + last[x], 1 - 1 / (w * w), 1e-6);
      const std::vector<double> density = StateDensity(h, s, static_cast<int>(x));
      double total = 0;
      for (double p : density) total += p;
      EXPECT_NEAR(total, 1, 1e-12);
    }
    EXPECT_EQ(ends, std::fabs(w) > 1 ? 2 : 0) << "w = " << w;
  }
}

TEST(OpenPieces, SquareFlakeSpectrumIsTheSumOfTwoChains) {
  // Nearest-neighbour hopping -1 on an N x M piece: E = -2 cos(pi a / (N+1)) - 2 cos(pi b / (M+1)).
  LatticeModel m;
  m.orbitals.push_back({"s", 0.3, {0.25, 0.5, 0}, 1});
  m.hops.push_back({0, 0, {1, 0, 0}, -1.0});
  m.hops.push_back({0, 0, {0, 1, 0}, -1.0});
  const int cells[2] = {5, 3};
  OpenShape shape;
  ASSERT_TRUE(FlakeShape(m, cells, shape));
  const OpenHamiltonian h(m, shape);
  const double k[3] = {0.7, -0.2, 0};  // not read: nothing stays periodic
  const OpenSpectrum s = SolveOpen(h, k, false);
  std::vector<double> expected;
  for (int a = 1; a <= 5; ++a)
    for (int b = 1; b <= 3; ++b)
      expected.push_back(0.3 - 2 * std::cos(kPi * a / 6) - 2 * std::cos(kPi * b / 4));
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(s.energies.size(), expected.size());
  for (std::size_t x = 0; x < expected.size(); ++x) EXPECT_NEAR(s.energies[x], expected[x], 1e-12);
  double xyz[3];
  SitePosition(m, h, h.CellIndex(std::array<int, 3>{4, 2, 0}.data()), xyz);
  EXPECT_DOUBLE_EQ(xyz[0], 4.25);
  EXPECT_DOUBLE_EQ(xyz[1], 2.5);
}

}  // namespace
}  // namespace quarnel
