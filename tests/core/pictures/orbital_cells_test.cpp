// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/orbital_cells.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quarnel {
namespace {

TEST(OrbitalCells, FrameIsTheClosedScaledSquare) {
  const auto f = CellFramePoints(1, 0, 2);  // cell (2, 1)
  const ChartPoint want[5] = {{4, 2}, {2, 2}, {2, 0}, {4, 0}, {4, 2}};
  for (int p = 0; p < 5; ++p) {
    EXPECT_DOUBLE_EQ(f[p].x, want[p].x) << p;
    EXPECT_DOUBLE_EQ(f[p].y, want[p].y) << p;
  }
}

TEST(OrbitalCells, CentresAndEnergyMarksScaleWithTheCell) {
  ModelData m;
  m.OrbPlotX[1] = 0.5;
  m.OrbPlotY[1] = 0.25;
  const ChartPoint c = OrbitalCentre(m, 1, 2, 3, 2.0);
  EXPECT_DOUBLE_EQ(c.x, 3.0);
  EXPECT_DOUBLE_EQ(c.y, 4.5);
  const ChartPoint e = EnergyMarkPosition(1, 3, 0.5);
  EXPECT_DOUBLE_EQ(e.x, 0.55);
  EXPECT_DOUBLE_EQ(e.y, 1.25);
  EXPECT_EQ(EigenvectorInRow(3, 1), 3);  // lowest energy at the bottom
  EXPECT_EQ(EigenvectorInRow(3, 3), 1);
}

TEST(OrbitalCells, DominantPartOfTheCoefficientGivesTheSign) {
  EXPECT_DOUBLE_EQ(SignedWeight(-0.6, 0.2, 0.4), -0.4);
  EXPECT_DOUBLE_EQ(SignedWeight(0.1, -0.5, 0.26), -0.26);
  EXPECT_DOUBLE_EQ(SignedWeight(0.6, -0.2, 0.4), 0.4);
  EXPECT_DOUBLE_EQ(SignedWeight(-0.3, 0.3, 0.18), 0.18);  // a tie: the imaginary part decides
  EXPECT_DOUBLE_EQ(SignedWeight(0, 0, 0), 0);
  const LobeColours plus = ColoursForSize(0.4), minus = ColoursForSize(-0.4);
  EXPECT_EQ(plus.lobe1.b, 255);
  EXPECT_EQ(plus.lobe2.r, 255);
  EXPECT_EQ(minus.lobe1.r, 255);
  EXPECT_EQ(minus.lobe2.b, 255);
}

TEST(OrbitalCells, PhasePicturesFlipTheRightCells) {
  // Bloch phase exp(i k.R) at the special points for the cells at R = (0,0), (0,1), (1,0), (1,1).
  const double kx[4] = {0, 1, 0, 1}, ky[4] = {0, 0, 1, 1};
  for (int p = 0; p < 4; ++p) {
    const PhasePicture& s = PhasePictures[p];
    auto phase = [&](int rx, int ry) {
      return static_cast<int>(std::lround(std::cos(M_PI * (kx[p] * rx + ky[p] * ry))));
    };
    EXPECT_EQ(s.s11, phase(0, 0)) << s.label;
    EXPECT_EQ(s.s12, phase(0, 1)) << s.label;
    EXPECT_EQ(s.s21, phase(1, 0)) << s.label;
    EXPECT_EQ(s.s22, phase(1, 1)) << s.label;
  }
  EXPECT_STREQ(PhasePictures[0].label, "G");
  EXPECT_STREQ(PhasePictures[3].label, "S");
}

TEST(OrbitalCells, EqualAspectMakesUnitsSquareInPixels) {
  // A tall picture in a square chart: the x range grows until a unit is as long on both axes.
  AxisFit f = EqualAspectRanges(0, 2, 0, 6, 400, 400);
  ASSERT_TRUE(f.fixed);
  EXPECT_NEAR((f.x1 - f.x0) / 400, (f.y1 - f.y0) / 400, 0.03 * 6 / 400);
  EXPECT_DOUBLE_EQ(f.x0, -0.02);
  EXPECT_DOUBLE_EQ(f.y0, -0.06);
  // A square picture in a tall chart: the y range grows.
  f = EqualAspectRanges(0, 4, 0, 4, 600, 300);
  EXPECT_NEAR((f.y1 - f.y0) / 600, (f.x1 - f.x0) / 300, 0.03 * 4 / 300);
  // Close enough already: only the 1 % margins.
  f = EqualAspectRanges(0, 4, 0, 4, 420, 400);
  EXPECT_DOUBLE_EQ(f.x1, 4.04);
  EXPECT_DOUBLE_EQ(f.y1, 4.04);
}

TEST(OrbitalCells, DegenerateRangesOrChartsStayAutomaticOrUnstretched) {
  EXPECT_FALSE(EqualAspectRanges(1, 1, 0, 2, 100, 100).fixed);
  EXPECT_FALSE(EqualAspectRanges(0, 2, 3, 3, 100, 100).fixed);
  // A chart not laid out yet has no pixels: margins only, never infinite ranges.
  const AxisFit f = EqualAspectRanges(0, 2, 0, 6, 0, 0);
  EXPECT_TRUE(f.fixed);
  EXPECT_DOUBLE_EQ(f.x1, 2.02);
  EXPECT_DOUBLE_EQ(f.y1, 6.06);
}

TEST(OrbitalCells, KindItemsOnlyInsideTheList) {
  EXPECT_EQ(OrbKindItem(1), 0);
  EXPECT_EQ(OrbKindItem(11), 10);
  EXPECT_EQ(OrbKindItem(0), -1);
  EXPECT_EQ(OrbKindItem(12), -1);
  EXPECT_EQ(OrbKindItem(-3), -1);
}

}  // namespace
}  // namespace quarnel
