// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Open boundaries: a lattice-form model cut to a finite number of cells along some directions.
//
//   ribbon, slab, finite chain   N cells stacked along one periodic direction d, the other
//                                directions still periodic (H depends on their k)
//   flake                        every periodic direction open: N x M cells of a 2-D model, N
//                                cells of a 1-D one; one spectrum
//
// Hops that leave the stack are dropped. A state's components are numbered by site: site = cell
// index * orbitals + orbital, the cell index counting direction 1 fastest.
// The matrices are dense and of any size (N x orbitals may far exceed 16).

#include <array>
#include <complex>
#include <vector>

#include "model/lattice_model.h"

namespace quarnel {

// The largest number of states the batch front end cuts a model into.
constexpr int kMaxOpenStates = 3000;

struct OpenShape {
  bool open[3] = {false, false, false};
  int cells[3] = {1, 1, 1};  // along an open direction its number of cells; 1 otherwise
};

class OpenHamiltonian {
 public:
  OpenHamiltonian(const LatticeModel& m, const OpenShape& shape);

  int Orbitals() const { return n_; }
  int Cells() const { return cells_[0] * cells_[1] * cells_[2]; }
  int States() const { return Cells() * n_; }
  const OpenShape& Shape() const { return shape_; }

  // The cell index of cell c (c[d] = 0..cells[d] - 1) and its cell numbers back.
  int CellIndex(const int c[3]) const { return (c[2] * cells_[1] + c[1]) * cells_[0] + c[0]; }
  void CellOf(int index, int c[3]) const;

  // H at k (k numbers; the components along open directions are not read), row-major,
  // States() x States(). The phases carry the orbital positions along the periodic directions.
  void Fill(const double k[3], std::vector<std::complex<double>>& H) const;

 private:
  OpenShape shape_;
  int n_ = 0;
  int cells_[3] = {1, 1, 1};
  std::vector<double> energy_;
  std::vector<LatticeHop> hops_;
  std::vector<std::array<double, 3>> tau_;
};

// The eigenstates of an open piece at one k: energies ascending; with vectors, column s of
// vectors (States() numbers from s * States()) is the state of energies[s].
struct OpenSpectrum {
  bool ok = false;
  std::vector<double> energies;
  std::vector<std::complex<double>> vectors;
};
OpenSpectrum SolveOpen(const OpenHamiltonian& h, const double k[3], bool vectors);

// Each state's weight on the first and on the last cell along the open direction d (0-based), in
// the order of spectrum.energies.
void EdgeWeights(const OpenHamiltonian& h, const OpenSpectrum& spectrum, int d,
                 std::vector<double>& first, std::vector<double>& last);

// |psi|^2 of state s on every site (site = cell index * orbitals + orbital).
std::vector<double> StateDensity(const OpenHamiltonian& h, const OpenSpectrum& spectrum, int s);

// The Cartesian position of a site: the cell's corner plus the orbital's position.
void SitePosition(const LatticeModel& m, const OpenHamiltonian& h, int site, double xyz[3]);

// A flake: every periodic direction of m open, with cells[0] and cells[1] cells along the first
// and second periodic direction. False for a model with no periodic direction or with three.
bool FlakeShape(const LatticeModel& m, const int cells[2], OpenShape& shape);

}  // namespace quarnel
