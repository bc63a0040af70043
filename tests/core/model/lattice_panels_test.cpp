// SPDX-License-Identifier: GPL-3.0-or-later
// The lattice form's grid texts and panels: orientation of a pair's hops, Apply refusing bad
// rows without touching the model, and presets that are the lattices they are named after.

#include "model/lattice_panels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "bands/lattice_kinds.h"
#include "model/lattice_reader.h"
#include "model/lattice_texts.h"
#include "numeric/lattice_hamiltonian.h"

namespace quarnel {
namespace {

LatticeModel Honeycomb() {
  LatticeModel m;
  PendingMessages messages;
  ParseLatticeText(
      "honeycomb\n"
      "_cell a1= 1 0 0 a2= 0.5 0.866025403784 0 a3= 0 0 3\n"
      "_orb A 0.5 pos= 0 0 0\n"
      "_orb B -0.5 pos= 1/3 1/3 0\n"
      "_hop A B R= 0 0 0 t= -2.7\n"
      "_hop A B R= -1 0 0 t= -2.7\n"
      "_hop B A R= 0 1 0 t= -1 0.5\n"
      "_hop A A R= 1 0 0 t= 0.1 0.2\n",
      m, messages);
  EXPECT_EQ(messages.Text, "");
  return m;
}

std::vector<std::complex<double>> H(const LatticeModel& m, double kx, double ky) {
  const LatticeHamiltonian h(m);
  std::vector<std::complex<double>> out(m.Orbitals() * m.Orbitals());
  const double k[3] = {kx, ky, 0};
  h.Fill(k, out.data());
  return out;
}

void ExpectSameH(const LatticeModel& a, const LatticeModel& b) {
  for (double kx : {0.0, 0.3, -0.7})
    for (double ky : {0.0, 0.45}) {
      const auto ha = H(a, kx, ky), hb = H(b, kx, ky);
      for (std::size_t e = 0; e < ha.size(); ++e) EXPECT_LT(std::abs(ha[e] - hb[e]), 1e-12);
    }
}

TEST(LatticeTexts, PairCellsAreOrientedFromRowToColumn) {
  const LatticeModel m = Honeycomb();
  EXPECT_EQ(LatticePairCellText(m, 0, 1), "(0,0,0) -2.7; (-1,0,0) -2.7; (0,-1,0) -1-0.5i");
  EXPECT_EQ(LatticePairCellText(m, 1, 0), "(0,0,0) -2.7; (1,0,0) -2.7; (0,1,0) -1+0.5i");
  EXPECT_EQ(LatticePairCellText(m, 0, 0), "(1,0,0) 0.1+0.2i");
  EXPECT_EQ(LatticePairCellText(m, 1, 1), "");
  EXPECT_EQ(LatticeEnergyText(m, 1), "-0.5");
  // K of a 60 degree cell: |q| = 2/3 in units of 2 pi / a.
  const double k[3] = {4.0 / 3, 2.0 / 3, 0};
  EXPECT_EQ(CartesianKText(m, k).substr(0, 16), "q = (0.6667, 0, ");
}

TEST(LatticePanels, PairPanelKeepsHamiltonianEitherWayAndRefusesBadRows) {
  const LatticeModel m = Honeycomb();
  // Applying the panel of B-A (the hops read the other way) changes nothing physical.
  LatticeModel r = m;
  EXPECT_EQ(ApplyLatticePairPanel(r, 1, 0, LatticePairPanelFill(m, 1, 0)), "");
  ExpectSameH(m, r);
  EXPECT_EQ(r.hops.size(), m.hops.size());
  LatticeModel s = m;
  EXPECT_EQ(ApplyLatticePairPanel(s, 0, 0, LatticePairPanelFill(m, 0, 0)), "");
  ExpectSameH(m, s);

  // Bad rows leave the model as it was.
  const auto refused = [&](int i, int j, std::vector<LatticeHopRow> rows) {
    LatticeModel t = m;
    EXPECT_NE(ApplyLatticePairPanel(t, i, j, rows), "");
    ExpectSameH(m, t);
  };
  refused(0, 1, {{{"0.5", "0", "0"}, "-1", "0"}});
  refused(0, 1, {{{"1", "0", "0"}, "x", "0"}});
  refused(0, 1, {{{"1", "0", "0"}, "-1", ""}, {{"1", "0", "0"}, "-2", ""}});
  refused(0, 0, {{{"0", "0", "0"}, "-1", ""}});
  refused(0, 0, {{{"1", "0", "0"}, "-1", ""}, {{"-1", "0", "0"}, "-1", ""}});

  // A new row and a blank row: one more hop, written as typed.
  LatticeModel t = m;
  std::vector<LatticeHopRow> rows = LatticePairPanelFill(m, 0, 1);
  rows.push_back({{"1", "1", "0"}, "-0.1", ""});
  rows.push_back({});
  EXPECT_EQ(ApplyLatticePairPanel(t, 0, 1, rows), "");
  EXPECT_EQ(t.hops.size(), m.hops.size() + 1);
  EXPECT_EQ(LatticePairCellText(t, 0, 1),
            "(0,0,0) -2.7; (-1,0,0) -2.7; (0,-1,0) -1-0.5i; (1,1,0) -0.1");
}

TEST(LatticePanels, OrbitalAndCellPanels) {
  LatticeModel m = Honeycomb();
  LatticeOrbitalTexts o = LatticeOrbitalPanelFill(m, 1);
  o.name = "A";
  EXPECT_NE(ApplyLatticeOrbitalPanel(m, 1, o), "");
  o.name = "N";
  o.energy = "1.5";
  o.pos[2] = "0.25";
  o.kindItem = 2;
  EXPECT_EQ(ApplyLatticeOrbitalPanel(m, 1, o), "");
  EXPECT_EQ(m.orbitals[1].name, "N");
  EXPECT_EQ(m.orbitals[1].energy, 1.5);
  EXPECT_EQ(m.orbitals[1].pos[2], 0.25);
  EXPECT_EQ(m.orbitals[1].kind, 3);

  LatticeCellTexts c = LatticeCellPanelFill(m);
  c.a[1][0] = "2";
  c.a[1][1] = "0";  // a2 along a1
  EXPECT_NE(ApplyLatticeCellPanel(m, c), "");
  EXPECT_DOUBLE_EQ(m.cell[1][0], 0.5);

  const struct {
    CellPreset preset;
    LatticeKind kind;
    double volume;
  } presets[] = {{CellPreset::Square, LatticeKind::SimpleCubic, 1},
                 {CellPreset::Hexagonal, LatticeKind::Hexagonal3D, std::sqrt(3.0) / 2},
                 {CellPreset::Cubic, LatticeKind::SimpleCubic, 1},
                 {CellPreset::Fcc, LatticeKind::Fcc, 0.25},
                 {CellPreset::Bcc, LatticeKind::Bcc, 0.5}};
  const bool all[3] = {true, true, true};
  for (const auto& p : presets) {
    double cell[3][3];
    CellPresetVectors(p.preset, cell);
    EXPECT_NEAR(std::fabs(CellVolume(cell)), p.volume, 1e-12) << CellPresetName(p.preset);
    EXPECT_EQ(RecogniseLattice(cell, all).kind, p.kind) << CellPresetName(p.preset);
  }
}

}  // namespace
}  // namespace quarnel
