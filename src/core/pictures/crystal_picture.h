// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture of a lattice-form crystal: the cells around the home cell projected on a plane,
// the outline of each drawn cell, each orbital at its Cartesian position, and each hop as a bond
// from its orbital in a drawn cell to its partner, where that lies in a drawn cell too. A 2-D
// (or 1-D) crystal is seen on the a1-a2 plane; a 3-D one along x, y or z, or obliquely.
// The eigenvector pictures put the weight and the Bloch phase of one state on the same sites.

#include <complex>
#include <vector>

#include "model/lattice_model.h"

namespace quarnel {

enum class CrystalView {
  Plane,    // the a1-a2 plane: x along a1, y the part of a2 normal to a1
  AlongZ,   // x, y
  AlongY,   // x, z
  AlongX,   // y, z
  Oblique,  // from azimuth 30 degrees, elevation 20 degrees
};
// The view a model starts with: Plane for fewer than three periodic directions, else Oblique.
CrystalView DefaultCrystalView(const LatticeModel& m);
const char* CrystalViewName(CrystalView v);

struct PicturePoint {
  double x = 0, y = 0;
};

struct CrystalSite {
  int orbital = 0;
  int cell[3] = {0, 0, 0};
  PicturePoint at;
};

struct CrystalBond {
  int hop = 0;              // index into the model's hop list
  int cell[3] = {0, 0, 0};  // the cell of the hop's first orbital
  PicturePoint from, to;
  double width = 1;     // 1..4, following |t| relative to the largest |t|
  bool dashed = false;  // complex t
};

struct CrystalEdge {
  PicturePoint from, to;
  bool home = false;  // an edge of the home cell
};

struct CrystalPicture {
  std::vector<CrystalEdge> edges;
  std::vector<CrystalSite> sites;
  std::vector<CrystalBond> bonds;
  // Bounds of everything drawn.
  double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
};

// The cells R with R_d in -reach..reach along periodic directions and 0 along the others.
CrystalPicture BuildCrystalPicture(const LatticeModel& m, CrystalView view, int reach = 1);

// The 2-D point of a Cartesian position in a view of m.
PicturePoint ProjectCartesian(const LatticeModel& m, CrystalView view, const double r[3]);

// The bond nearest (x, y) within tolerance (picture units), -1 when none.
int BondAt(const CrystalPicture& p, double x, double y, double tolerance);

// One state on the drawn sites: weight |c_j|^2 and Bloch phase arg c_j + pi k.(R + tau_j),
// wrapped to (-pi, pi], for each site of the picture (same order). c holds one coefficient per
// orbital; k is in the program's k numbers.
struct BlochSiteValue {
  double weight = 0, phase = 0;
};
std::vector<BlochSiteValue> BlochSiteValues(const LatticeModel& m, const CrystalPicture& p,
                                            const double k[3],
                                            const std::vector<std::complex<double>>& c);

}  // namespace quarnel
