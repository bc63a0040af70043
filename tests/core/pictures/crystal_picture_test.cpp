// SPDX-License-Identifier: GPL-3.0-or-later
// The crystal picture: the bonds of graphene (count and length), clicking a bond, and the Bloch
// phases of the eigenvector pictures.

#include "pictures/crystal_picture.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/lattice_reader.h"

namespace quarnel {
namespace {

LatticeModel Read(const char* text) {
  LatticeModel m;
  PendingMessages messages;
  ParseLatticeText(text, m, messages);
  EXPECT_EQ(messages.Text, "");
  return m;
}

const char kGraphene[] =
    "graphene, the cell rotated out of the xy plane\n"
    "_cell a1= 0 1 0 a2= 0 0.5 0.866025403784 a3= 3 0 0\n"
    "_orb A 0 pos= 0 0 0\n"
    "_orb B 0 pos= 1/3 1/3 0\n"
    "_hop A B R= 0 0 0 t= -1\n"
    "_hop A B R= -1 0 0 t= -1\n"
    "_hop A B R= 0 -1 0 t= -0.5 0.1\n";

TEST(CrystalPicture, GrapheneBondsAreNearestNeighboursOnThePlane) {
  const LatticeModel m = Read(kGraphene);
  const CrystalPicture p = BuildCrystalPicture(m, CrystalView::Plane, 1);
  EXPECT_EQ(p.sites.size(), 18u);
  // A hop along R links the pairs of the 3 x 3 cells that stay inside: 9 + 6 + 6.
  ASSERT_EQ(p.bonds.size(), 21u);
  int home = 0;
  for (const CrystalEdge& e : p.edges) {
    home += e.home;
    EXPECT_NEAR(std::hypot(e.to.x - e.from.x, e.to.y - e.from.y), 1, 1e-9);  // |a1| = |a2| = 1
  }
  EXPECT_EQ(home, 4);
  for (const CrystalBond& b : p.bonds) {
    EXPECT_NEAR(std::hypot(b.to.x - b.from.x, b.to.y - b.from.y), 1 / std::sqrt(3.0), 1e-9);
    EXPECT_EQ(b.dashed, b.hop == 2);
    EXPECT_NEAR(b.width, b.hop == 2 ? 1 + 3 * std::abs(std::complex<double>(-0.5, 0.1)) : 4, 1e-12);
    // The middle of a bond names its hop; a point off every bond names none.
    EXPECT_EQ(BondAt(p, (b.from.x + b.to.x) / 2, (b.from.y + b.to.y) / 2, 0.05), b.hop);
  }
  EXPECT_EQ(BondAt(p, p.x1 + 1, p.y1 + 1, 0.05), -1);
}

TEST(CrystalPicture, BlochPhaseAdvancesByPiKAlongEachCell) {
  const LatticeModel m = Read(kGraphene);
  const CrystalPicture p = BuildCrystalPicture(m, CrystalView::Plane, 1);
  const double k[3] = {0.4, -0.3, 0};
  const std::vector<std::complex<double>> c = {std::polar(0.6, 0.2), std::polar(0.8, -1.1)};
  const std::vector<BlochSiteValue> v = BlochSiteValues(m, p, k, c);
  ASSERT_EQ(v.size(), p.sites.size());
  for (std::size_t s = 0; s < v.size(); ++s) {
    const CrystalSite& site = p.sites[s];
    EXPECT_NEAR(v[s].weight, std::norm(c[site.orbital]), 1e-12);
    const double* tau = m.orbitals[site.orbital].pos;
    const double expected = std::arg(c[site.orbital]) + M_PI * (k[0] * (site.cell[0] + tau[0]) +
                                                                k[1] * (site.cell[1] + tau[1]));
    EXPECT_NEAR(std::remainder(v[s].phase - expected, 2 * M_PI), 0, 1e-12);
    EXPECT_GT(v[s].phase, -M_PI);
    EXPECT_LE(v[s].phase, M_PI);
  }
}

TEST(CrystalPicture, ThreeDimensionalCellsShowTwelveHomeEdgesInEveryView) {
  const LatticeModel m = Read(
      "fcc\n_cell a1= 0 .5 .5 a2= .5 0 .5 a3= .5 .5 0\n_orb s 0\n"
      "_hop s s R= 1 0 0 t= -1\n_hop s s R= 0 1 0 t= -1\n_hop s s R= 0 0 1 t= -1\n");
  EXPECT_EQ(DefaultCrystalView(m), CrystalView::Oblique);
  for (CrystalView v :
       {CrystalView::AlongZ, CrystalView::AlongY, CrystalView::AlongX, CrystalView::Oblique}) {
    const CrystalPicture p = BuildCrystalPicture(m, v, 1);
    int home = 0;
    for (const CrystalEdge& e : p.edges) home += e.home;
    EXPECT_EQ(home, 12) << CrystalViewName(v);
    EXPECT_EQ(p.sites.size(), 27u);
    EXPECT_EQ(p.bonds.size(), 3u * 18);
  }
}

}  // namespace
}  // namespace quarnel
