// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/filling.h"

#include <gtest/gtest.h>

#include <cmath>

#include "bands/dos_grid.h"

namespace quarnel {
namespace {

// One s orbital; hopping t to its own images along X (and Y when square).
ModelData Lattice(bool square) {
  ModelData m;
  m.NOrb = 1;
  m.OrbName[1] = "s";
  m.Alpha(1) = -1;
  for (int d = 1; d <= (square ? 2 : 1); ++d) m.BetaPlus[1][1][d] = m.BetaMinus[1][1][d] = -1;
  NormalizeModel(m);
  return m;
}

// Two orbitals, hopping t1 towards the plus partner and t2 towards the minus one.
ModelData DimerChain(double t1, double t2) {
  ModelData m;
  m.NOrb = 2;
  m.OrbName[1] = "A";
  m.OrbName[2] = "B";
  m.BetaPlus[1][2][1] = t1;
  m.BetaMinus[1][2][1] = t2;
  m.BetaPos[1][2][1] = 0.5;
  NormalizeModel(m);
  return m;
}

FillingResult Fill(const ModelData& m, int n, double electrons, DosSamples& s) {
  SampleDosGrid(TableModel(m), n, 1, s);
  return FillBands(SampleEnergies(s), SampleKpoints(s), s.Orbitals(), electrons, 2);
}

TEST(Filling, HalfFilledBandsHaveTheFermiLevelAtAlpha) {
  DosSamples s;
  const FillingResult chain = Fill(Lattice(false), 10, 1, s);
  ASSERT_TRUE(chain.valid);
  EXPECT_FALSE(chain.insulator);
  EXPECT_NEAR(chain.fermi, -1, 1e-12);
  EXPECT_EQ(GapText(chain, "", ""), "metal");
  const FillingResult square = Fill(Lattice(true), 10, 1, s);
  EXPECT_NEAR(square.fermi, -1, 1e-12);
  // A full band holds g electrons; more cannot be placed.
  EXPECT_TRUE(Fill(Lattice(false), 10, 2.5, s).overfilled);
  EXPECT_FALSE(Fill(Lattice(false), 10, 0, s).valid);
}

TEST(Filling, DimerChainIsADirectInsulatorAtTheZoneBoundary) {
  const double t1 = -1, t2 = -0.6;
  DosSamples s;
  const FillingResult f = Fill(DimerChain(t1, t2), 10, 2, s);
  ASSERT_TRUE(f.insulator);
  EXPECT_EQ(f.filledBands, 1);
  EXPECT_NEAR(f.gap, 2 * std::fabs(t1 - t2), 1e-9);
  EXPECT_NEAR(f.fermi, (f.vbm + f.cbm) / 2, 1e-12);
  EXPECT_NEAR(f.fermi, 0, 1e-9);
  EXPECT_TRUE(f.direct);
  EXPECT_EQ(GridPointName(f.vbmK, 10), "X");
  EXPECT_EQ(GapText(f, "X", "X"), "gap 0.800, direct at X");
  // Two bands' worth of electrons less one: no whole band, so the filling ends inside band 2.
  EXPECT_FALSE(Fill(DimerChain(t1, t2), 10, 3, s).insulator);
}

TEST(Filling, IntegratedCountAndPerCellDensityAgree) {
  DosSamples s;
  SampleDosGrid(TableModel(DimerChain(-1, -0.6)), 10, 1, s);
  const std::size_t nk = SampleKpoints(s);
  ASSERT_EQ(nk, 11u * 11 * 11);
  for (int smooth : {0, 2}) {
    const DosCurves perCell = PerCellDos(DosHistogram(s, 200), smooth, 2, nk);
    const std::vector<double> n = IntegratedCount(SampleEnergies(s), nk, 2, perCell.energy);
    EXPECT_EQ(n.front(), 0);
    EXPECT_NEAR(n.back(), 4, 1e-12);  // g N
    const double dE = perCell.energy[1] - perCell.energy[0];
    double area = 0;
    for (double x : perCell.value[0]) area += x * dE;
    EXPECT_NEAR(area, 4, 1e-9) << "smoothing " << smooth;
  }
}

}  // namespace
}  // namespace quarnel
