// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// H(k) of the lattice form. With k the program's k numbers (1 = the zone boundary along each
// reciprocal vector) and x a displacement in fractions of a1, a2, a3:
//
//   H_ii(k) = E_i + sum over hops (i, i, R, t) of t e^{i pi k.R} + conj(t) e^{-i pi k.R}
//   H_ij(k) = sum over hops (i, j, R, t) of t e^{i pi k.(R + tau_j - tau_i)}
//           + sum over hops (j, i, R, t) of conj(t) e^{-i pi k.(R + tau_i - tau_j)}
//
// tau are the orbital positions (the usual convention of tight-binding codes). Without positions
// (Wannier90's convention, WithoutPositions) tau is taken as 0: the matrix differs by the
// diagonal unitary diag(e^{i pi k.tau}), the energies are the same.
//
// The hops are gathered once into one Hermitian block per distinct cell offset; a k point then
// costs one phase per offset (products of per-direction powers) and one per orbital, not one
// complex exponential per hop.

#include <array>
#include <complex>
#include <vector>

#include "model/lattice_model.h"
#include "numeric/hamiltonian.h"

namespace quarnel {

class LatticeHamiltonian {
 public:
  enum Phases { WithPositions, WithoutPositions };
  explicit LatticeHamiltonian(const LatticeModel& m, Phases phases = WithPositions);

  int Orbitals() const { return n_; }
  // The number of distinct cell offsets (a hop's and its partner's counted apart).
  std::size_t Offsets() const { return offsets_.size(); }

  // H(k) in full, row-major: H[i * n + j], i, j = 0..n-1.
  void Fill(const double k[3], std::complex<double>* H) const;
  // The packed matrix of the other forms, rows and columns 1..n: HamK[i][i] = H_ii,
  // HamK[i][j] = Re H_ij and HamK[j][i] = -Im H_ij for i < j (H_ij = R_ij - i I_ij).
  void FillPacked(const KPoint& kp, HamMatrix& HamK) const;

 private:
  // Upper triangle i <= j of H(k) before the orbital phases, into re and im (n(n+1)/2 each).
  void Accumulate(const double k[3], double* re, double* im) const;

  int n_ = 0;
  bool positions_ = true;
  std::vector<double> energy_;
  std::vector<std::array<double, 3>> tau_;
  std::vector<std::array<int, 3>> offsets_;
  int low_[3] = {}, high_[3] = {};  // range of R per direction
  std::vector<double> blockRe_, blockIm_;  // per offset, the upper triangle
};

}  // namespace quarnel
