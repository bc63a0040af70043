// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbench/jacobi_check.h"

#include <cmath>
#include <utility>

namespace quarnel {

double WorkbenchDeterminant(const double (&a)[kJacMax + 1][kJacMax + 1], int n) {
  if (n < 1 || n > kJacMax) return 0;
  double m[kJacMax + 1][kJacMax + 1];
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) m[i][j] = a[i][j];
  double sign = 1;
  for (int k = 1; k < n; ++k) {
    int p = k;
    for (int i = k + 1; i <= n; ++i)
      if (std::fabs(m[i][k]) > std::fabs(m[p][k])) p = i;
    if (p != k) {
      for (int j = 1; j <= n; ++j) std::swap(m[k][j], m[p][j]);
      sign = -sign;
    }
    if (m[k][k] == 0) return 0;
    for (int i = k + 1; i <= n; ++i) {
      const double f = m[i][k] / m[k][k];
      if (f == 0) continue;
      for (int j = 1; j <= n; ++j) m[i][j] -= f * m[k][j];
    }
  }
  if (m[n][n] == 0) return 0;
  double det = sign;
  for (int i = 1; i <= n; ++i) det *= m[i][i];
  return det;
}

void CheckEigenpairs(JacobiSolver& solver, JacobiCheckResult& result) {
  const int n = solver.JacN;
  if (n < 1 || n > kJacMax) return;
  for (int m = 1; m <= n; ++m) {
    const double lambda = solver.JacA[m][m];
    for (int i = 0; i <= kJacMax; ++i)
      for (int j = 0; j <= kJacMax; ++j) solver.JacTmp[i][j] = solver.JacInput[i][j];
    for (int i = 1; i <= n; ++i) solver.JacTmp[i][i] -= lambda;
    result.Det[m] = WorkbenchDeterminant(solver.JacTmp, n);
    result.Lambda[m] = lambda;
    for (int i = 1; i <= n; ++i) {
      double y = 0;
      for (int j = 1; j <= n; ++j) y += solver.JacTmp[i][j] * solver.JacV(j, m);
      result.Residual[i][m] = y;
    }
  }
}

}  // namespace quarnel
