// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbers of a band run: for every computed k point of the path its energies and orbital
// weights, as the band chart shows them. The bands window and the batch front end both fill one,
// so that what they write out cannot differ.

#include <cstddef>
#include <string>
#include <vector>

#include "bands/kpath.h"

namespace quarnel {

class JacobiSolver;
struct FastEigenResult;

class BandTable {
 public:
  // Empties the table for a run with these orbital names ([0] is orbital 1), reserving room for
  // the expected number of points.
  void Start(const std::vector<std::string>& orbitalNames, std::size_t expectedPoints);
  void Clear() { Start({}, 0); }

  // One computed point: EigVal[1..n] and EigVecSq[1..n][1..n] of the solver, n = Orbitals().
  void Add(const KPathPoint& point, const JacobiSolver& solver);
  // The same from the fast eigen path, whose results are numbered alike.
  void Add(const KPathPoint& point, const FastEigenResult& result);

  int Orbitals() const { return static_cast<int>(names_.size()); }
  const std::vector<std::string>& OrbitalNames() const { return names_; }
  std::size_t Points() const { return points_.size(); }
  // A table without points, or without orbitals, has no rows to show.
  bool Empty() const { return points_.empty() || names_.empty(); }
  const KPathPoint& Point(std::size_t x) const { return points_[x]; }
  // Band i and orbital j count from 1.
  double Energy(std::size_t x, int i) const { return energies_[x * names_.size() + (i - 1)]; }
  double Weight(std::size_t x, int i, int j) const {
    const std::size_t n = names_.size();
    return weights_[(x * n + (i - 1)) * n + (j - 1)];
  }

 private:
  std::vector<std::string> names_;
  std::vector<KPathPoint> points_;
  std::vector<double> energies_;  // n per point
  std::vector<double> weights_;   // n * n per point, band-major
};

}  // namespace quarnel
