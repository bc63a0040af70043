// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Energies and orbital weights of one k point by a library Hermitian eigensolver, for the runs
// that read nothing else (the density of states). The k-point calculation, the band run and the
// workbench keep the Jacobi method: it is what the program shows step by step.
//
// Nothing here touches a JacobiSolver or any other shared state, so several threads may call it
// at once, each with its own result.

#include "model/model_data.h"
#include "numeric/hamiltonian.h"
#include "numeric/run_model.h"

namespace quarnel {

// The results laid out and numbered as the Jacobi extraction leaves them: EigVal[1..n]
// descending, EigVecSq[m][j] the weight of orbital j in the eigenvector of EigVal[m].
struct FastEigenResult {
  int n = 0;
  bool ok = false;  // false when the solver did not converge (no result is kept then)
  double EigVal[kMaxOrb + 1] = {};
  double EigVecSq[kMaxOrb + 1][kMaxOrb + 1] = {};
};

// H(k) of the model at kp (the same matrix the k-point calculation builds), then its
// diagonalisation. HamK is scratch for the packed matrix.
void FastEigen(const RunModel& model, const KPoint& kp, HamMatrix& HamK, FastEigenResult& out);

// The diagonalisation alone, of rows and columns 1..n of a packed HamK.
void FastEigenOfHamK(const HamMatrix& HamK, int n, FastEigenResult& out);

}  // namespace quarnel
