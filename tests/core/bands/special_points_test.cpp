// SPDX-License-Identifier: GPL-3.0-or-later
// The Bravais lattice of a cell, its named special points in the user's own basis, and the
// default paths.

#include "bands/special_points.h"

#include <gtest/gtest.h>

#include <cmath>

#include "bands/default_paths.h"
#include "bands/lattice_kinds.h"

namespace quarnel {
namespace {

const double kR3 = std::sqrt(3.0);

// One orbital, hops along the first dims directions, in the given cell.
LatticeModel Model(std::array<std::array<double, 3>, 3> cell, int dims = 3) {
  LatticeModel m;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) m.cell[r][c] = cell[r][c];
  m.orbitals.push_back({"s", 0, {0, 0, 0}, 1});
  for (int d = 0; d < dims; ++d) {
    LatticeHop h;
    h.R[d] = 1;
    h.t = -1;
    m.hops.push_back(h);
  }
  return m;
}

std::string Name(const LatticeModel& m, double k1, double k2, double k3 = 0) {
  const double k[3] = {k1, k2, k3};
  return SpecialPointNamer(m).Name(k);
}

LatticeKind Kind(std::array<std::array<double, 3>, 3> cell, int dims = 3) {
  return RecogniseLattice(Model(cell, dims)).kind;
}

TEST(LatticeKinds, RecognisesTheBravaisLattices) {
  EXPECT_EQ(Kind({{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}, 0), LatticeKind::Molecule);
  EXPECT_EQ(Kind({{{2, 0, 0}, {0, 1, 0}, {0, 0, 1}}}, 1), LatticeKind::Chain);
  EXPECT_EQ(Kind({{{1, 0, 0}, {0, 1, 0}, {0, 0, 5}}}, 2), LatticeKind::Square);
  EXPECT_EQ(Kind({{{1, 0, 0}, {0, 2, 0}, {0, 0, 5}}}, 2), LatticeKind::Rectangular);
  EXPECT_EQ(Kind({{{1, 0, 0}, {0.5, kR3 / 2, 0}, {0, 0, 5}}}, 2), LatticeKind::Hexagonal2D);
  EXPECT_EQ(Kind({{{1, 0, 0}, {-0.5, 0.866, 0}, {0, 0, 5}}}, 2), LatticeKind::Hexagonal2D);
  EXPECT_EQ(Kind({{{1, 1, 0}, {1, -1, 0}, {0, 0, 5}}}, 2), LatticeKind::Square);
  EXPECT_EQ(Kind({{{1, 0.5, 0}, {1, -0.5, 0}, {0, 0, 5}}}, 2), LatticeKind::CentredRectangular);
  EXPECT_EQ(Kind({{{1, 0, 0}, {0.3, 1.7, 0}, {0, 0, 5}}}, 2), LatticeKind::Oblique);
  EXPECT_EQ(Kind({{{2, 0, 0}, {0, 2, 0}, {0, 0, 2}}}), LatticeKind::SimpleCubic);
  EXPECT_EQ(Kind({{{0, 1, 1}, {1, 0, 1}, {1, 1, 0}}}), LatticeKind::Fcc);
  EXPECT_EQ(Kind({{{1, 1, 0}, {0, -1, -1}, {1, 0, 1}}}), LatticeKind::Fcc);
  EXPECT_EQ(Kind({{{-1, 1, 1}, {1, -1, 1}, {1, 1, -1}}}), LatticeKind::Bcc);
  EXPECT_EQ(Kind({{{1, 0, 0}, {0, 0, 3}, {0, 1, 0}}}), LatticeKind::Tetragonal);
  EXPECT_EQ(Kind({{{1, 0, 0}, {0, 2, 0}, {0, 0, 3}}}), LatticeKind::Orthorhombic);
  EXPECT_EQ(Kind({{{1, 0, 0}, {0.5, kR3 / 2, 0}, {0, 0, 1.6}}}), LatticeKind::Hexagonal3D);
  EXPECT_EQ(Kind({{{1, 0, 0}, {0.3, 1.1, 0}, {0.2, 0.1, 1.4}}}), LatticeKind::Other);
}

TEST(SpecialPoints, HexagonalCornersInEitherCell) {
  const LatticeModel sixty = Model({{{1, 0, 0}, {0.5, kR3 / 2, 0}, {0, 0, 5}}}, 2);
  EXPECT_EQ(Name(sixty, 40.0 / 30, 20.0 / 30), "K");
  EXPECT_EQ(Name(sixty, -40.0 / 30, -20.0 / 30), "K'");
  EXPECT_EQ(Name(sixty, 40.0 / 30 - 2, 20.0 / 30), "K");  // one reciprocal vector away
  EXPECT_EQ(Name(sixty, 1, 0), "M");
  EXPECT_EQ(Name(sixty, 0, 1), "M");
  EXPECT_EQ(Name(sixty, 0, 0, 0.7), "G");  // not periodic along a3
  EXPECT_EQ(Name(sixty, 0.5, 0), "");
  // The same lattice from vectors at 120 degrees: K is at (1/3, 1/3) reduced.
  const LatticeModel wide = Model({{{0.5, -kR3 / 2, 0}, {0.5, kR3 / 2, 0}, {0, 0, 5}}}, 2);
  EXPECT_EQ(Name(wide, 2.0 / 3, 2.0 / 3), "K");
  EXPECT_EQ(Name(wide, -2.0 / 3, -2.0 / 3), "K'");
  // A cell written with three digits still has its corner on 40 20 0 30.
  EXPECT_EQ(Name(Model({{{1, 0, 0}, {0.5, 0.866, 0}, {0, 0, 5}}}, 2), 40.0 / 30, 20.0 / 30), "K");
}

TEST(SpecialPoints, CentredRectangularVertexWithTheShorterAxisFirst) {
  // a = 1 along x, b = 2 along y; X is the zone's vertex at (1 + a^2/b^2) / (2a) = 0.625 on x.
  for (const auto& cell : {std::array<std::array<double, 3>, 3>{{{1, 0, 0}, {0.5, 1, 0}, {0, 0, 5}}},
                           std::array<std::array<double, 3>, 3>{{{0.5, 1, 0}, {0.5, -1, 0}, {0, 0, 5}}}}) {
    const LatticeModel m = Model(cell, 2);
    double q[3];
    const SpecialPointNamer namer(m);  // owns the point Find returns
    const SpecialPoint* x = namer.Find("X");
    ASSERT_NE(x, nullptr);
    CartesianK(m, x->k, q);
    EXPECT_NEAR(std::fabs(q[0]), 0.625, 1e-12);
    EXPECT_NEAR(q[1], 0, 1e-12);
  }
}

TEST(SpecialPoints, PermutedFccVectorsGetTheSamePoints) {
  const LatticeModel standard = Model({{{0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.5, 0.5, 0}}});
  const LatticeModel permuted = Model({{{0.5, 0.5, 0}, {0, -0.5, -0.5}, {0.5, 0, 0.5}}});
  // Setyawan-Curtarolo's reduced coordinates in the standard basis (k numbers: twice them).
  EXPECT_EQ(Name(standard, 1, 0, 1), "X");
  EXPECT_EQ(Name(standard, 1, 1, 1), "L");
  EXPECT_EQ(Name(standard, 1, 0.5, 1.5), "W");
  EXPECT_EQ(Name(standard, 0.75, 0.75, 1.5), "K");
  EXPECT_EQ(Name(standard, 1.25, 0.5, 1.25), "U");
  // Every point of either default path is named as its title says, in both bases.
  for (const LatticeModel* m : {&standard, &permuted}) {
    std::string lattice;
    const auto lines = DefaultKPathLines(*m, &lattice);
    EXPECT_EQ(lattice, "default fcc");
    EXPECT_EQ(lines[0], "G X W K G L U W L K");
    std::string names;
    for (const KPathPoint& p : LatticePathPoints(*m, lines))
      if (p.special) names += (names.empty() ? "" : " ") + p.label;
    EXPECT_EQ(names, lines[0]);
  }
}

TEST(DefaultPaths, EveryLatticeNamesItsCorners) {
  const std::array<std::array<std::array<double, 3>, 3>, 7> cells = {{
      {{{1, 0, 0}, {0.5, kR3 / 2, 0}, {0, 0, 5}}},
      {{{1, 0, 0}, {0, 1, 0}, {0, 0, 5}}},
      {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
      {{{-1, 1, 1}, {1, -1, 1}, {1, 1, -1}}},
      {{{1, 0, 0}, {0, 1, 0}, {0, 0, 2}}},
      {{{1, 0, 0}, {0, 2, 0}, {0, 0, 3}}},
      {{{1, 0, 0}, {-0.5, kR3 / 2, 0}, {0, 0, 1.6}}},
  }};
  const char* const titles[] = {"G M K G", "G X M G", "G X M G R X", "G H N G P H",
                                "G X M G Z R A Z", "G X S Y G Z U R T Z", "G M K G A L H A"};
  for (std::size_t c = 0; c < cells.size(); ++c) {
    const LatticeModel m = Model(cells[c], c < 2 ? 2 : 3);
    const auto lines = DefaultKPathLines(m);
    EXPECT_EQ(lines[0], titles[c]);
    const auto points = LatticePathPoints(m, lines);
    std::string names;
    for (const KPathPoint& p : points) {
      EXPECT_EQ(p.div, c == 0 || c == 6 ? 30 : 40);
      if (p.special) names += (names.empty() ? "" : " ") + p.label;
    }
    EXPECT_EQ(names, titles[c]);
    EXPECT_GT(points.size(), 10 * (lines.size() > 0 ? 1u : 0u));
  }
}

}  // namespace
}  // namespace quarnel
