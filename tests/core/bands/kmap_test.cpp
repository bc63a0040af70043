// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/kmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "bands/contour.h"
#include "common/example_model.h"

namespace quarnel {
namespace {

const double kPi = std::acos(-1.0);

TEST(KMap, SquareLatticeBandAndItsFermiSquare) {
  const auto model = Example("square_s.qrg");  // alpha 0, t = -1
  const int n = 60;
  KMapGrid one, three;
  ComputeKMap(TableModel(*model), n, 0.3, 1, 1, one);
  ComputeKMap(TableModel(*model), n, 0.3, 1, 3, three);
  ASSERT_TRUE(one.Complete());
  ASSERT_EQ(one.Points(), 61u * 61u);
  EXPECT_EQ(one.energy, three.energy);  // the thread count changes nothing
  const std::vector<double> e = KMapBandEnergy(one, 1), w = KMapWeight(one, 1);
  for (int iy = 0; iy <= n; ++iy)
    for (int ix = 0; ix <= n; ++ix) {
      const double kx = -1 + 2.0 * ix / n, ky = -1 + 2.0 * iy / n;
      ASSERT_NEAR(e[iy * (n + 1) + ix], -2 * (std::cos(kPi * kx) + std::cos(kPi * ky)), 1e-12);
      ASSERT_NEAR(w[iy * (n + 1) + ix], 1, 1e-12);
    }

  // Half filling: E_F = alpha, and the Fermi line is |kx| + |ky| = 1 on all four sides.
  const FillingResult f = KMapFilling(one, 1, 2);
  ASSERT_TRUE(f.valid);
  EXPECT_NEAR(f.fermi, 0, 1e-9);
  const auto lines = ContourLines(e, n + 1, n + 1, -1, -1, 2.0 / n, f.fermi);
  ASSERT_GT(lines.size(), 4u * n / 2);
  int quadrant[4] = {};
  for (const ContourSegment& s : lines)
    for (const auto& [x, y] : {std::pair(s.x1, s.y1), std::pair(s.x2, s.y2)}) {
      ASSERT_NEAR(std::abs(x) + std::abs(y), 1, 2e-3) << x << " " << y;
      ++quadrant[(x < 0) + 2 * (y < 0)];
    }
  for (int q : quadrant) EXPECT_GT(q, n / 2);

  // The smoothed DOS at one point holds one state per band: its integral over E is 1.
  double sum = 0;
  for (double E = -8; E <= 8; E += 0.01) sum += KMapDos(one, E, 0.2)[1234] * 0.01;
  EXPECT_NEAR(sum, 1, 1e-6);
}

TEST(KMap, BadRequestsAndStopLeaveNoValues) {
  const auto model = Example("square_dp.qrg");
  KMapGrid map;
  ComputeKMap(TableModel(*model), kMaxKMapGrid + 1, 0, 1, 2, map);
  EXPECT_TRUE(map.Empty());
  ComputeKMap(TableModel(*model), 0, 0, 1, 2, map);
  EXPECT_TRUE(map.Empty());
  KMapControl control;
  control.stop = true;
  ComputeKMap(TableModel(*model), 20, 0, 2, 2, map, &control);
  EXPECT_FALSE(map.Complete());
  EXPECT_EQ(control.rowsDone, 0);
  EXPECT_TRUE(std::isnan(KMapBandEnergy(map, 2)[0]));
  EXPECT_FALSE(KMapFilling(map, 5, 2).valid);  // no E_F from part of the plane
  // The weights are those of the kept band and sum to 1.
  ComputeKMap(TableModel(*model), 8, 0, 2, 2, map);
  double total = 0;
  for (int j = 1; j <= model->NOrb; ++j) total += KMapWeight(map, j)[7];
  EXPECT_NEAR(total, 1, 1e-9);
}

TEST(ContourLines, CrossingsSaddlesAndGaps) {
  // v = x on a 3 x 2 grid of step 1: the level 0.25 runs straight up at x = 0.25.
  auto lines = ContourLines({0, 1, 2, 0, 1, 2}, 3, 2, 0, 0, 1, 0.25);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_DOUBLE_EQ(lines[0].x1, 0.25);
  EXPECT_DOUBLE_EQ(lines[0].x2, 0.25);
  EXPECT_DOUBLE_EQ(std::abs(lines[0].y2 - lines[0].y1), 1);
  // A saddle gives two segments; with its centre inside they cut off the two outside corners.
  lines = ContourLines({1, 0, 0, 1}, 2, 2, 0, 0, 1, 0.4);  // centre 0.5 >= 0.4
  ASSERT_EQ(lines.size(), 2u);
  for (const ContourSegment& s : lines) {
    const double cx = (s.x1 + s.x2) / 2, cy = (s.y1 + s.y2) / 2;
    EXPECT_TRUE((cx > 0.5 && cy < 0.5) || (cx < 0.5 && cy > 0.5)) << cx << " " << cy;
  }
  EXPECT_TRUE(ContourLines({1, NAN, 0, 1}, 2, 2, 0, 0, 1, 0.4).empty());
  // Joined: the four cells around a peak give one closed line; the straight one stays open.
  const auto ring = JoinContour(ContourLines({0, 0, 0, 0, 1, 0, 0, 0, 0}, 3, 3, 0, 0, 1, 0.5));
  ASSERT_EQ(ring.size(), 1u);
  ASSERT_EQ(ring[0].size(), 5u);
  EXPECT_DOUBLE_EQ(ring[0].front().x, ring[0].back().x);
  EXPECT_DOUBLE_EQ(ring[0].front().y, ring[0].back().y);
  const auto straight = JoinContour(ContourLines({0, 1, 0, 1, 0, 1}, 2, 3, 0, 0, 1, 0.5));
  ASSERT_EQ(straight.size(), 1u);
  EXPECT_EQ(straight[0].size(), 3u);
}

}  // namespace
}  // namespace quarnel
