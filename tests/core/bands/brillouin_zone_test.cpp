// SPDX-License-Identifier: GPL-3.0-or-later
// The first zone of the k map's plane, the computed cell tiled into it, its special points, and
// the rule for putting a default path into the memo.

#include "bands/brillouin_zone.h"

#include <gtest/gtest.h>

#include <cmath>

#include "bands/default_paths.h"
#include "bands/kpath.h"
#include "model/lattice_reader.h"

namespace quarnel {
namespace {

LatticeModel Read(const std::string& cell, const std::string& hops) {
  LatticeModel m;
  PendingMessages messages;
  ParseLatticeText("model\n_cell " + cell + "\n_orb s 0\n" + hops, m, messages);
  EXPECT_EQ(messages.Text, "");
  return m;
}

const char kHops2D[] = "_hop s s R= 1 0 0 t= -1\n_hop s s R= 0 1 0 t= -1\n";

double Area(const std::vector<ZonePoint>& p) {
  double a = 0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const ZonePoint& q = p[(i + 1) % p.size()];
    a += p[i].x * q.y - q.x * p[i].y;
  }
  return a / 2;
}

TEST(BrillouinZone, OutlineIsTheWignerSeitzCellOfTheLattice) {
  // Hexagonal at 120 degrees: a hexagon of corners |K| = 2/3 (units of 2 pi / a), of the area of
  // the reciprocal cell.
  const LatticeModel hex = Read("a1= 1 0 0 a2= -0.5 0.866025403784 0 a3= 0 0 4", kHops2D);
  const ZoneSlice z = FirstZoneSlice(hex, 0);
  ASSERT_EQ(z.outline.size(), 6u);
  for (const ZonePoint& p : z.outline) EXPECT_NEAR(std::hypot(p.x, p.y), 2.0 / 3, 1e-9);
  EXPECT_NEAR(Area(z.outline), 2 / std::sqrt(3.0), 1e-9);
  // Its marks: G, the six corners (K and K') and M on the edges.
  int corners = 0, g = 0;
  for (const ZoneMark& mk : ZoneSpecialPoints(hex, z, 0)) {
    if (mk.name == "K" || mk.name == "K'") {
      ++corners;
      EXPECT_NEAR(std::hypot(mk.at.x, mk.at.y), 2.0 / 3, 1e-9);
    }
    if (mk.name == "G") g += std::hypot(mk.at.x, mk.at.y) < 1e-12;
  }
  EXPECT_EQ(corners, 6);
  EXPECT_EQ(g, 1);

  // A rectangular cell 1 x 2: the rectangle of half-sides 1/2, 1/4.
  const LatticeModel rect = Read("a1= 1 0 0 a2= 0 2 0 a3= 0 0 4", kHops2D);
  const ZoneSlice r = FirstZoneSlice(rect, 0);
  ASSERT_EQ(r.outline.size(), 4u);
  EXPECT_NEAR(r.x1, 0.5, 1e-12);
  EXPECT_NEAR(r.y1, 0.25, 1e-12);
  EXPECT_NEAR(Area(r.outline), 0.5, 1e-12);

  // fcc at kz = 0: the plane of b1, b2 cuts the truncated octahedron.
  const LatticeModel fcc =
      Read("a1= 0 .5 .5 a2= .5 0 .5 a3= .5 .5 0",
           "_hop s s R= 1 0 0 t= -1\n_hop s s R= 0 1 0 t= -1\n_hop s s R= 0 0 1 t= -1\n");
  const ZoneSlice f = FirstZoneSlice(fcc, 0);
  ASSERT_GE(f.outline.size(), 4u);
  EXPECT_TRUE(InsideZone(f, {0, 0}));
  // The plane is (110): it meets a square face at X and a hexagonal face at L, mid-edge of the
  // slice, at |q| = 1 and sqrt(3) / 2.
  bool x = false, l = false;
  for (const ZoneMark& mk : ZoneSpecialPoints(fcc, f, 0)) {
    const double q = std::hypot(mk.at.x, mk.at.y);
    x = x || (mk.name == "X" && std::fabs(q - 1) < 1e-9);
    l = l || (mk.name == "L" && std::fabs(q - std::sqrt(0.75)) < 1e-9);
  }
  EXPECT_TRUE(x);
  EXPECT_TRUE(l);
}

TEST(BrillouinZone, RasterTakesEveryPointBackIntoTheComputedCell) {
  const LatticeModel hex = Read("a1= 1 0 0 a2= 0.5 0.866025403784 0 a3= 0 0 4", kHops2D);
  const ZoneSlice z = FirstZoneSlice(hex, 0);
  // A periodic function of the k numbers sampled on the map's grid.
  const int n = 60;
  const auto f = [](double kx, double ky) {
    return std::cos(M_PI * kx) + 0.5 * std::sin(M_PI * ky) + std::cos(M_PI * (kx - ky));
  };
  std::vector<double> grid((n + 1) * (n + 1));
  for (int iy = 0; iy <= n; ++iy)
    for (int ix = 0; ix <= n; ++ix)
      grid[iy * (n + 1) + ix] = f(-1 + 2.0 * ix / n, -1 + 2.0 * iy / n);
  const int nx = 41, ny = 41;
  const double h = (z.x1 - z.x0) / (nx - 1);
  const std::vector<double> raster = ZoneRaster(z, grid, n, nx, ny, z.x0, z.y0 - 0.1, h);
  int inside = 0, outside = 0;
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) {
      const ZonePoint p{z.x0 + i * h, z.y0 - 0.1 + j * h};
      const double v = raster[j * nx + i];
      if (!InsideZone(z, p)) {
        EXPECT_TRUE(std::isnan(v));
        ++outside;
        continue;
      }
      ++inside;
      double kx, ky;
      KOfZonePoint(z, p, kx, ky);
      EXPECT_NEAR(v, f(kx, ky), 0.01) << kx << " " << ky;
    }
  EXPECT_GT(inside, 100);
  EXPECT_GT(outside, 100);
}

TEST(DefaultPaths, MemoTakesTheDefaultPathOnlyOverTheStartOrAnotherDefault) {
  const std::vector<std::string> start = StartKPathLines();
  const LatticeModel hex = Read("a1= 1 0 0 a2= 0.5 0.866025403784 0 a3= 0 0 4", kHops2D);
  const std::vector<std::string> last = DefaultKPathLines(hex);
  std::vector<std::string> padded = start;
  padded.back() += "  ";
  padded.push_back("");
  EXPECT_TRUE(MayPlaceDefaultPath(padded, start, {}));
  EXPECT_TRUE(MayPlaceDefaultPath({}, start, last));
  EXPECT_TRUE(MayPlaceDefaultPath(last, start, last));
  std::vector<std::string> typed = last;
  typed[1] = "0 0 0 30";
  EXPECT_FALSE(MayPlaceDefaultPath(typed, start, last));
  EXPECT_FALSE(MayPlaceDefaultPath(last, start, {}));
}

}  // namespace
}  // namespace quarnel
