// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/fast_eigen.h"

#include <Eigen/Eigenvalues>
#include <complex>

namespace quarnel {

namespace {

// At most kMaxOrb rows: the storage is fixed, so a k point allocates nothing.
using HermitianMatrix =
    Eigen::Matrix<std::complex<double>, Eigen::Dynamic, Eigen::Dynamic, 0, kMaxOrb, kMaxOrb>;

}  // namespace

void FastEigenOfHamK(const HamMatrix& HamK, int n, FastEigenResult& out) {
  if (n < 0) n = 0;
  if (n > kMaxOrb) n = kMaxOrb;
  out.n = n;
  out.ok = n > 0;
  if (n == 0) return;
  // The solver reads the lower triangle only. Element (j, i), i < j, is R_ij + i I_ij: the
  // conjugate of the Hermitian matrix the doubled real one stands for has the same energies and
  // the same squared moduli.
  HermitianMatrix H(n, n);
  for (int i = 1; i <= n; ++i) {
    H(i - 1, i - 1) = HamK[i][i];
    for (int j = i + 1; j <= n; ++j) H(j - 1, i - 1) = {HamK[i][j], HamK[j][i]};
  }
  Eigen::SelfAdjointEigenSolver<HermitianMatrix> solver(H, Eigen::ComputeEigenvectors);
  if (solver.info() != Eigen::Success) {
    out.ok = false;
    return;
  }
  const auto& values = solver.eigenvalues();
  const auto& vectors = solver.eigenvectors();
  // Ascending from the solver, descending as the program numbers its bands.
  for (int m = 1; m <= n; ++m) {
    const int c = n - m;
    out.EigVal[m] = values(c);
    for (int j = 1; j <= n; ++j) out.EigVecSq[m][j] = std::norm(vectors(j - 1, c));
  }
}

void FastEigen(const RunModel& model, const KPoint& kp, HamMatrix& HamK, FastEigenResult& out) {
  model.FillHamK(kp, HamK);
  FastEigenOfHamK(HamK, model.Orbitals(), out);
}

}  // namespace quarnel
