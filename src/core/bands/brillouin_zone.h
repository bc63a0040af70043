// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first Brillouin zone (the Wigner-Seitz cell of the reciprocal lattice) where the k map's
// plane cuts it, in Cartesian k, and the map's computed reciprocal cell (k numbers -1..1 along
// kx, ky) tiled by its periodic images and clipped to it.
//
// The plane is spanned by b1 and b2 at the k map's kz; a point of it is drawn at (x, y), its
// Cartesian k (units of 2 pi / length unit) along two orthonormal axes of the plane: the
// Cartesian x and y when b1 and b2 lie in the xy plane, else b1's direction and the normal to it
// in the plane. Only periodic directions tile; along the others the zone is the computed range.

#include <string>
#include <vector>

#include "model/lattice_model.h"

namespace quarnel {

struct ZonePoint {
  double x = 0, y = 0;
};

struct ZoneSlice {
  // (x, y) = toPlane * (kx, ky); fromPlane is its inverse.
  double toPlane[2][2] = {{1, 0}, {0, 1}};
  double fromPlane[2][2] = {{1, 0}, {0, 1}};
  bool periodic[2] = {false, false};
  // The zone's outline, counter-clockwise, not closed; empty when the plane misses the zone.
  std::vector<ZonePoint> outline;
  // Bounds of the outline.
  double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
};

ZoneSlice FirstZoneSlice(const LatticeModel& m, double kz);

ZonePoint ZonePointOfK(const ZoneSlice& z, double kx, double ky);
void KOfZonePoint(const ZoneSlice& z, const ZonePoint& p, double& kx, double& ky);
// Inside or on the outline (within tolerance, in Cartesian k).
bool InsideZone(const ZoneSlice& z, const ZonePoint& p, double tolerance = 1e-9);

// The values of the map grid (side n + 1, kx, ky = -1 + 2i / n, value[iy * (n + 1) + ix]) at a
// raster of nx x ny points x0 + i h, y0 + j h over the zone: each point taken back into the
// computed cell along the periodic directions and interpolated bilinearly; NaN outside the zone.
std::vector<double> ZoneRaster(const ZoneSlice& z, const std::vector<double>& value, int n, int nx,
                               int ny, double x0, double y0, double h);

// The special points of m's lattice in the plane and inside the zone (their images by lattice
// vectors included, and the outline's corners and edge middles that are special points), named.
struct ZoneMark {
  std::string name;
  ZonePoint at;
};
std::vector<ZoneMark> ZoneSpecialPoints(const LatticeModel& m, const ZoneSlice& z, double kz);

}  // namespace quarnel
