// SPDX-License-Identifier: GPL-3.0-or-later
// Wannier90's files (hr, win, centres) to and from the lattice form: round trips that keep the
// crystal and the energies, weights, partners and limits.

#include "model/wannier_files.h"

#include <gtest/gtest.h>

#include "model/lattice_reader.h"
#include "numeric/fast_eigen.h"
#include "numeric/lattice_hamiltonian.h"

namespace quarnel {
namespace {

const char kGraphene[] =
    "graphene\n"
    "_cell a1= 1 0 0  a2= 0,5 0.866025403784 0  a3= 0 0 10\n"
    "_orb A 0.25 pos= 0 0 0 tok= 1\n"
    "_orb B -0.25 pos= 1/3 1/3 0\n"
    "_hop A B R= 0 0 0 t= -1\n"
    "_hop A B R= -1 0 0 t=-1\n"
    "_hop A B R= 0 -1 0 t= -1 0.5\n";

LatticeModel Parse(const std::string& text, PendingMessages& messages) {
  LatticeModel m;
  ParseLatticeText(text, m, messages);
  return m;
}

std::vector<double> Energies(const LatticeModel& m, const double k[3],
                             LatticeHamiltonian::Phases phases) {
  const LatticeHamiltonian h(m, phases);
  HamMatrix hamK = {};
  KPoint kp;
  for (int d = 0; d < 3; ++d) kp.k[d + 1] = k[d];
  h.FillPacked(kp, hamK);
  FastEigenResult r;
  FastEigenOfHamK(hamK, h.Orbitals(), r);
  return std::vector<double>(r.EigVal + 1, r.EigVal + 1 + h.Orbitals());
}

TEST(WannierFiles, HrRoundTripKeepsTheCrystalAndTheEnergies) {
  PendingMessages messages;
  LatticeModel m = Parse(kGraphene, messages);
  WannierHr hr;
  std::string error;
  ASSERT_TRUE(ParseWannierHr(FormatWannierHr(m), hr, error)) << error;
  EXPECT_EQ(hr.numWann, 2);
  EXPECT_EQ(hr.R.size(), 5u);  // 0 and two offsets with their partners
  double cell[3][3];
  ASSERT_TRUE(ParseWannierWin(FormatWannierWin(m), cell, error)) << error;
  std::vector<std::array<double, 3>> centres;
  ASSERT_TRUE(ParseWannierCentres(FormatWannierCentres(m), 2, centres, error)) << error;
  LatticeModel back;
  ASSERT_TRUE(LatticeFromHr(hr, cell, &centres, 0, back, messages));
  EXPECT_EQ(messages.Text, "");
  ASSERT_EQ(back.Orbitals(), 2);
  EXPECT_NEAR(back.orbitals[1].pos[1], 1.0 / 3, 1e-9);
  EXPECT_NEAR(back.cell[1][1], m.cell[1][1], 1e-11);
  // The same energies everywhere, in either H(k) convention (positions are a gauge).
  const double points[2][3] = {{0.3, -0.7, 0.1}, {1.1, 0.4, 0}};
  for (const auto& k : points) {
    const auto want = Energies(m, k, LatticeHamiltonian::WithPositions);
    for (const auto phases : {LatticeHamiltonian::WithPositions, LatticeHamiltonian::WithoutPositions}) {
      const auto got = Energies(back, k, phases);
      for (std::size_t b = 0; b < want.size(); ++b) EXPECT_NEAR(got[b], want[b], 1e-9);
    }
  }
  // A second round trip writes the same hr file.
  back.ModelFileName = m.ModelFileName;
  EXPECT_EQ(FormatWannierHr(back), FormatWannierHr(m));
}

TEST(WannierFiles, HrReaderWeightsPartnersAndLimits) {
  // One orbital, weight 2 on R = +-1, partners that differ: averaged with a warning.
  const std::string text =
      "hr\n1\n3\n 1 2 2\n"
      "0 0 0 1 1 0.5 0\n"
      "1 0 0 1 1 -2.0 0.2\n"
      "-1 0 0 1 1 -2.0 0.0\n";
  WannierHr hr;
  std::string error;
  ASSERT_TRUE(ParseWannierHr(text, hr, error)) << error;
  LatticeModel m;
  PendingMessages messages;
  ASSERT_TRUE(LatticeFromHr(hr, nullptr, nullptr, 0, m, messages));
  EXPECT_NE(messages.Text.find("differ"), std::string::npos);
  EXPECT_DOUBLE_EQ(m.orbitals[0].energy, 0.5);
  ASSERT_EQ(m.hops.size(), 1u);
  EXPECT_NEAR(std::abs(m.hops[0].t - std::complex<double>(-1, 0.05)), 0, 1e-12);
  EXPECT_FALSE(ParseWannierHr("hr\n1\n2\n1 1\n0 0 0 2 1 1 0\n", hr, error));
  std::string big = "hr\n17\n1\n1\n";
  ASSERT_TRUE(ParseWannierHr(big + "0 0 0 1 1 1 0\n", hr, error)) << error;
  EXPECT_FALSE(LatticeFromHr(hr, nullptr, nullptr, 0, m, messages));
}

TEST(WannierFiles, WinInBohrAndTheSeedName) {
  double cell[3][3];
  std::string error;
  ASSERT_TRUE(ParseWannierWin("num_wann = 1\nBegin Unit_Cell_Cart\nbohr\n2 0 0\n0 2 0\n0 0 2\n"
                              "End Unit_Cell_Cart\n", cell, error)) << error;
  EXPECT_NEAR(cell[0][0], 2 * 0.529177210903, 1e-12);
  EXPECT_FALSE(ParseWannierWin("begin unit_cell_cart\n1 0 0\nend unit_cell_cart\n", cell, error));
  EXPECT_EQ(WannierSeedName("dir/si_hr.dat"), "dir/si");
  EXPECT_EQ(WannierSeedName("si.dat"), "");
}

}  // namespace
}  // namespace quarnel
