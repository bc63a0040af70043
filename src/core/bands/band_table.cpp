// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/band_table.h"

#include "numeric/fast_eigen.h"
#include "numeric/jacobi_solver.h"

namespace quarnel {

void BandTable::Start(const std::vector<std::string>& orbitalNames, std::size_t expectedPoints) {
  names_ = orbitalNames;
  points_.clear();
  energies_.clear();
  weights_.clear();
  const std::size_t n = names_.size();
  points_.reserve(expectedPoints);
  energies_.reserve(expectedPoints * n);
  weights_.reserve(expectedPoints * n * n);
}

void BandTable::Add(const KPathPoint& point, const JacobiSolver& solver) {
  const int n = Orbitals();
  points_.push_back(point);
  for (int i = 1; i <= n; ++i) energies_.push_back(solver.EigVal[i]);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) weights_.push_back(solver.EigVecSq[i][j]);
}

void BandTable::Add(const KPathPoint& point, const FastEigenResult& result) {
  const int n = Orbitals();
  points_.push_back(point);
  for (int i = 1; i <= n; ++i) energies_.push_back(result.EigVal[i]);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) weights_.push_back(result.EigVecSq[i][j]);
}

}  // namespace quarnel
