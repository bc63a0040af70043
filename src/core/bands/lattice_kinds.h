// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Bravais lattice of a lattice-form model, recognised from its cell (within 1e-4 relative)
// over its periodic directions, and the orthonormal frame in which its special points are
// tabulated (bands/special_points.h).

#include <string>

#include "model/lattice_model.h"

namespace quarnel {

enum class LatticeKind {
  Molecule,  // no periodic direction
  Chain,     // 1-D
  Square,
  Rectangular,
  Hexagonal2D,
  CentredRectangular,
  Oblique,
  SimpleCubic,
  Fcc,
  Bcc,
  Tetragonal,
  Orthorhombic,
  Hexagonal3D,
  Other,  // 3-D, none of the above: only G is named
};

// "1-D", "square", "rectangular", "hexagonal", "centred rectangular", "oblique",
// "simple cubic", "fcc", "bcc", "tetragonal", "orthorhombic", "hexagonal", "other", "molecule".
const char* LatticeKindName(LatticeKind kind);

struct LatticeFrame {
  LatticeKind kind = LatticeKind::Molecule;
  int dimensions = 0;
  bool periodic[3] = {false, false, false};
  // Orthonormal Cartesian axes of the conventional cell (rows). 2-D: e[0], e[1] span the plane;
  // hexagonal: e[0] points to the corner K of the zone.
  double e[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  // Lengths of the conventional cell along e[0], e[1], e[2].
  double a = 1, b = 1, c = 1;
  // Oblique and other lattices: the user's own periodic vectors (reciprocal points come from
  // them); index of the first and second periodic vector.
  int first = 0, second = 1;
};

LatticeFrame RecogniseLattice(const double cell[3][3], const bool periodic[3]);
LatticeFrame RecogniseLattice(const LatticeModel& m);

}  // namespace quarnel
