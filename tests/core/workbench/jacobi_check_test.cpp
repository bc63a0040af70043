// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbench/jacobi_check.h"

#include <gtest/gtest.h>

#include <memory>

namespace quarnel {
namespace {

using Matrix = double[kJacMax + 1][kJacMax + 1];

TEST(JacobiCheckTest, DeterminantByElimination) {
  static Matrix m;
  m[1][1] = 2, m[1][2] = 1, m[2][1] = 1, m[2][2] = 3;
  EXPECT_DOUBLE_EQ(WorkbenchDeterminant(m, 2), 5.0);
  // Regression: a row exchange used to leave the sign, so det [[0, 1], [1, 0]] showed as 1.
  m[1][1] = 0, m[1][2] = 1, m[2][1] = 1, m[2][2] = 0;
  EXPECT_DOUBLE_EQ(WorkbenchDeterminant(m, 2), -1.0);
  m[1][1] = 1, m[1][2] = 2, m[2][1] = 3, m[2][2] = 4;
  EXPECT_DOUBLE_EQ(WorkbenchDeterminant(m, 2), -2.0);
  // A zero column gives 0.
  m[1][1] = 0, m[2][1] = 0;
  EXPECT_EQ(WorkbenchDeterminant(m, 2), 0.0);
  m[1][1] = 4, m[1][2] = 2, m[2][1] = 2, m[2][2] = 1;
  EXPECT_EQ(WorkbenchDeterminant(m, 2), 0.0);
  m[1][1] = -7;
  EXPECT_DOUBLE_EQ(WorkbenchDeterminant(m, 1), -7.0);
  EXPECT_EQ(m[1][1], -7.0);  // the input is left alone
}

TEST(JacobiCheckTest, ResidualsRightAfterResetAreColumnsOfAMinusLambda) {
  auto s = std::make_unique<JacobiSolver>();
  s->JacN = 2;
  s->JacInput[1][1] = 1, s->JacInput[1][2] = 2, s->JacInput[2][1] = 2, s->JacInput[2][2] = 5;
  s->Reset();
  auto r = std::make_unique<JacobiCheckResult>();
  CheckEigenpairs(*s, *r);
  EXPECT_EQ(r->Lambda[1], 1.0);
  EXPECT_EQ(r->Lambda[2], 5.0);
  EXPECT_EQ(r->Residual[1][1], 0.0);
  EXPECT_EQ(r->Residual[2][1], 2.0);
  EXPECT_EQ(r->Residual[1][2], 2.0);
  EXPECT_EQ(r->Residual[2][2], 0.0);
  EXPECT_DOUBLE_EQ(r->Det[1], -4.0);
}

TEST(JacobiCheckTest, ConvergedResultHasSmallResiduals) {
  auto s = std::make_unique<JacobiSolver>();
  s->JacN = 4;
  const double a[5][5] = {{}, {0, 1, 2, 0, 3}, {0, 2, 4, -3, 0}, {0, 0, -3, 1, 2}, {0, 3, 0, 2, 4}};
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) s->JacInput[i][j] = a[i][j];
  s->Reset();
  s->Solve(50);
  auto r = std::make_unique<JacobiCheckResult>();
  CheckEigenpairs(*s, *r);
  for (int m = 1; m <= 4; ++m) {
    for (int i = 1; i <= 4; ++i) EXPECT_NEAR(r->Residual[i][m], 0.0, 1e-12);
    EXPECT_NEAR(r->Det[m], 0.0, 1e-9);
  }
}

}  // namespace
}  // namespace quarnel
