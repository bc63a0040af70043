// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lattice form (model form 3, files .qrl): any crystal as a tight-binding model.
//
//   cell      Cartesian lattice vectors a1, a2, a3 (any length unit), cell[a][c] = component c of
//             vector a + 1; the unit cube unless the file gives another.
//   orbitals  name, on-site energy (kept with its sign), position in fractions of a1, a2, a3,
//             picture kind (1..11 as in the other forms). At most kMaxOrb.
//   hops      <i, cell 0 | H | j, cell R> = t, i and j 0-based indexes into orbitals, R in integer
//             multiples of a1, a2, a3. The Hermitian partner (j -> i at -R, conj t) is implied and
//             never stored; a hop of an orbital to itself in its own cell (i == j, R == 0) is not
//             a hop (that is the on-site energy).
//   filling   electrons per cell and electrons per band state, as in the other forms.
//
// A plain struct: the readers, the writer, H(k) (numeric/lattice_hamiltonian.h), the Bravais
// lattice and its special points (bands/lattice_kinds.h, bands/special_points.h) all work on it.

#include <complex>
#include <string>
#include <vector>

#include "model/model_data.h"

namespace quarnel {

// The form number of the lattice form (BetaTyp of forms 1 and 2).
constexpr int kLatticeForm = 3;

struct LatticeOrbital {
  std::string name;
  double energy = 0;
  double pos[3] = {0, 0, 0};  // fractions of a1, a2, a3
  int kind = 1;               // picture kind, OrbKindName[kind]
};

struct LatticeHop {
  int i = 0, j = 0;     // 0-based orbital indexes
  int R[3] = {0, 0, 0};  // cell offset in multiples of a1, a2, a3
  std::complex<double> t;
};

struct LatticeModel {
  std::string HeaderText;  // the first line of the file, kept byte for byte
  std::string ModelFileName;
  double cell[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  std::vector<LatticeOrbital> orbitals;
  std::vector<LatticeHop> hops;
  double FillElectrons = 0;  // 0 = not set
  int FillSpin = 2;

  int Orbitals() const { return static_cast<int>(orbitals.size()); }
};

// Index (0-based) of the orbital named name, -1 when none.
int FindLatticeOrbital(const LatticeModel& m, const std::string& name);

// The periodic directions: those along which some hop has a nonzero R component.
// periodic[d] for d = 0, 1, 2; returns their number (0: a molecule).
int PeriodicDirections(const LatticeModel& m, bool periodic[3]);

// The reciprocal vectors b1, b2, b3 with b_a . a_c = delta_ac (in units of 2 pi / length unit).
// False when the cell is degenerate (then b is the unit matrix).
bool ReciprocalVectors(const double cell[3][3], double b[3][3]);

// The volume of the cell (signed triple product a1 . (a2 x a3)).
double CellVolume(const double cell[3][3]);

// The Cartesian k of a point in the program's k numbers (k_d = 2 x the reduced coordinate):
// q = sum_d k_d / 2 * b_d, in units of 2 pi / length unit.
void CartesianK(const LatticeModel& m, const double k[3], double q[3]);

}  // namespace quarnel
