// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The occupied Bloch states of a lattice-form model, the raw material of every topological number:
// which bands count as filled, their eigenvectors at a k point, and the direct gap above them.
//
// The eigenvectors are those of H(k) with the orbital positions in its phases (LatticeHamiltonian's
// WithPositions), so a loop across the zone closes with u(k + G) = e^{-i G.tau} u(k): in the
// program's k numbers, G along direction d is k_d + 2 and the phase of orbital j is
// e^{-2 pi i tau_j[d]}.

#include <complex>
#include <limits>
#include <string>
#include <vector>

#include "model/lattice_model.h"
#include "numeric/lattice_hamiltonian.h"

namespace quarnel {

// Below this direct gap a topological number is not defined.
constexpr double kMinTopologyGap = 1e-6;

// The periodic directions of m, 0-based and ascending, into dirs; returns their number.
int PeriodicList(const LatticeModel& m, int dirs[3]);

// The number of occupied bands: requested when it is at least 1 (it must stay below the number
// of bands), else the filling's electrons / spin when that is a whole number. False with the
// reason in why when neither gives a count from 1 to bands - 1.
bool ChooseOccupied(const LatticeModel& m, int requested, int& occupied, std::string& why);

// The smallest direct gap met so far and where.
struct GapGuard {
  double gap = std::numeric_limits<double>::infinity();
  double k[3] = {0, 0, 0};

  void Add(double g, const double at[3]);
  void Merge(const GapGuard& other);
  bool Defined() const { return gap >= kMinTopologyGap; }
  // "not defined (gap closes near k = (k1, k2, k3))", the k numbers of the smallest gap.
  std::string Reason() const;
};

// A frame: the occupied eigenvectors at one k, column by column (orbital fastest), Orbitals() x
// Occupied() numbers.
using Frame = std::vector<std::complex<double>>;

class OccupiedStates {
 public:
  OccupiedStates(const LatticeModel& m, int occupied);

  int Orbitals() const { return n_; }
  int Occupied() const { return occupied_; }
  const LatticeHamiltonian& Hamiltonian() const { return h_; }

  // The occupied eigenvectors at k (k numbers) into frame; returns the direct gap between band
  // Occupied() and the next, counted from the lowest. False (frame emptied) when the solver fails.
  bool Solve(const double k[3], Frame& frame, double& gap) const;

  // frame at k becomes the frame at k + G_d: u_j times e^{-2 pi i tau_j[d]} (times = -1: k - G_d).
  void ShiftByG(int d, int times, Frame& frame) const;

  // det <a|b> of two frames (the Occupied() x Occupied() overlap matrix).
  std::complex<double> OverlapDet(const Frame& a, const Frame& b) const;

 private:
  LatticeHamiltonian h_;
  int n_ = 0, occupied_ = 0;
  std::vector<double> tau_[3];  // per direction, the positions of the orbitals
};

}  // namespace quarnel
