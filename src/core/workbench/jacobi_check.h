// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Verification of the workbench's eigenpairs against the input matrix: for each column m of JacV
// with lambda = JacA[m][m], the residual (A - lambda I) v and det(A - lambda I).

#include "numeric/jacobi_solver.h"

namespace quarnel {

constexpr int kMaxDeterminantOrder = 200;

// Determinant by elimination with the largest pivot of each column; each row exchange flips the
// sign, so the value is the determinant and not only its magnitude. a is a 1-based n x n block,
// left unchanged.
double WorkbenchDeterminant(const double (&a)[kJacMax + 1][kJacMax + 1], int n);

struct JacobiCheckResult {
  double Lambda[kJacMax + 1] = {};                 // column labels of sgJacobiR1
  double Det[kJacMax + 1] = {};                    // column labels of sgJacobiR2
  double Residual[kJacMax + 1][kJacMax + 1] = {};  // [i][m]: cell (m, i) of sgJacobiR1
};

// Uses JacTmp as scratch. Nothing when JacN is 0.
void CheckEigenpairs(JacobiSolver& solver, JacobiCheckResult& result);

}  // namespace quarnel
