// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/kpoint_calc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "test_matrices.h"

#ifdef QUARNEL_HAVE_EIGEN
#include <Eigen/Eigenvalues>
#endif

namespace quarnel {
namespace {

struct Solved {
  std::unique_ptr<JacobiSolver> solver = std::make_unique<JacobiSolver>();
  HamMatrix h = {};
  double angle = 0;
};

Solved SolveRandom(int n, unsigned seed) {
  Solved r;
  test::RandomHermitian(n, seed, r.h);
  FillJacInput(r.h, n, *r.solver);
  r.angle = SolveToConvergence(*r.solver);
  return r;
}

// H as a complex matrix: H_ii = D_i, H_ij = R_ij - i I_ij, H_ji = conj(H_ij), i < j.
void HermitianEntry(const HamMatrix& h, int i, int j, double& re, double& im) {
  if (i == j) {
    re = h[i][i], im = 0;
  } else if (i < j) {
    re = h[i][j], im = -h[j][i];
  } else {
    re = h[j][i], im = h[i][j];
  }
}

TEST(KpointCalcTest, EigenpairsSatisfyHcEqualsEc) {
  for (int n = 1; n <= 16; ++n) {
    SCOPED_TRACE(n);
    const Solved r = SolveRandom(n, 500 + n);
    const JacobiSolver& s = *r.solver;
    for (int m = 1; m <= n; ++m) {
      EXPECT_NEAR(s.EigVal[m], s.EigVal[m + n], 1e-10);  // each eigenvalue twice
      if (m > 1) {
        EXPECT_GE(s.EigVal[m - 1], s.EigVal[m] - 1e-6);
      }
      double norm = 0;
      for (int i = 1; i <= n; ++i) {
        double yr = 0, yi = 0;
        for (int j = 1; j <= n; ++j) {
          double hr, hi;
          HermitianEntry(r.h, i, j, hr, hi);
          yr += hr * s.EigVecRe[m][j] - hi * s.EigVecIm[m][j];
          yi += hr * s.EigVecIm[m][j] + hi * s.EigVecRe[m][j];
        }
        EXPECT_NEAR(yr, s.EigVal[m] * s.EigVecRe[m][i], 1e-10);
        EXPECT_NEAR(yi, s.EigVal[m] * s.EigVecIm[m][i], 1e-10);
        norm += s.EigVecSq[m][i];
      }
      EXPECT_NEAR(norm, 1.0, 1e-12);
    }
    // V^T V = I for the real eigenvector matrix.
    for (int a = 1; a <= 2 * n; ++a)
      for (int b = 1; b <= 2 * n; ++b) {
        double dot = 0;
        for (int i = 1; i <= 2 * n; ++i) dot += s.JacV(i, a) * s.JacV(i, b);
        EXPECT_NEAR(dot, a == b ? 1.0 : 0.0, 1e-12);
      }
  }
}

#ifdef QUARNEL_HAVE_EIGEN
TEST(KpointCalcTest, EigenvaluesEqualAnIndependentSolver) {
  for (int n = 1; n <= 16; ++n)
    for (unsigned seed = 0; seed < 3; ++seed) {
      SCOPED_TRACE(n);
      const Solved r = SolveRandom(n, 1000 * n + seed);
      Eigen::MatrixXcd H(n, n);
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
          double re, im;
          HermitianEntry(r.h, i, j, re, im);
          H(i - 1, j - 1) = {re, im};
        }
      Eigen::SelfAdjointEigenSolver<Eigen::MatrixXcd> es(H, Eigen::EigenvaluesOnly);
      for (int m = 1; m <= n; ++m) EXPECT_NEAR(r.solver->EigVal[m], es.eigenvalues()(n - m), 1e-10);
    }
}
#endif

TEST(KpointCalcTest, BudgetsContinueBeyondOneHundredFifty) {
  // The regression: 50 + 4 x 25 rotations leave 8 orbitals plainly unconverged.
  const Solved r = SolveRandom(8, 77);
  EXPECT_GT(r.solver->JacIter, 150);
  EXPECT_TRUE(r.angle <= kAngleConverged ||
              r.solver->MaxOffDiagonal() <= 1e-14 * r.solver->MaxDiagonal());
  // Budgets are spent whole unless the pivot ran out.
  if (r.solver->PivotP() != 0) {
    EXPECT_EQ((r.solver->JacIter - kFirstBudget) % kNextBudget, 0);
  }
}

TEST(KpointCalcTest, SmallModelStaysWithinFirstBudget) {
  const Solved r = SolveRandom(2, 3);
  EXPECT_LE(r.solver->JacIter, kFirstBudget);
  EXPECT_TRUE(JacobiConverged(*r.solver, r.angle));
}

TEST(KpointCalcTest, StallAtEqualDiagonalConverges) {
  // Regression: equal on-site energies with a coupling far below them repeated the rotation of
  // d := 1, which changes nothing representable, until the cap (100 JacN^2 rotations).
  for (const int n : {2, 8, 16}) {
    for (const double b : {5e-16, 1e-10, 1e-9}) {
      Solved r;
      for (int i = 1; i <= n; ++i) {
        r.h[i][i] = -1.0;
        for (int j = i + 1; j <= n; ++j) r.h[i][j] = b;
      }
      FillJacInput(r.h, n, *r.solver);
      SolveToConvergence(*r.solver);
      SCOPED_TRACE(testing::Message() << n << " orbitals coupled by " << b);
      EXPECT_LE(r.solver->JacIter, SolveRandom(n, 5).solver->JacIter);
      // All pairs coupled alike: -1 + (n-1) b once, -1 - b n-1 times.
      EXPECT_NEAR(r.solver->EigVal[1], -1 + (n - 1) * b, 1e-12);
      for (int m = 2; m <= n; ++m) EXPECT_NEAR(r.solver->EigVal[m], -1 - b, 1e-12);
    }
  }
}

TEST(KpointCalcTest, NoCouplingSpendsNoBudget) {
  auto m = std::make_unique<ModelData>();
  m->NOrb = 3;
  m->Alpha(1) = -1, m->Alpha(2) = -3, m->Alpha(3) = -2;
  HamMatrix h = {};
  auto s = std::make_unique<JacobiSolver>();
  EXPECT_EQ(CalcKpoint(TableModel(*m), KPointFromNumerators(10, 2, 3, 4), h, *s), 0.0);
  EXPECT_EQ(s->JacIter, 0);
  EXPECT_EQ(s->EigVal[1], -1.0);
  EXPECT_EQ(s->EigVal[2], -2.0);
  EXPECT_EQ(s->EigVal[3], -3.0);
  EXPECT_EQ(s->EigVecSq[2][3], 1.0);
}

TEST(KpointCalcTest, EmptyModelLeavesSolverAlone) {
  auto m = std::make_unique<ModelData>();
  HamMatrix h = {};
  auto s = std::make_unique<JacobiSolver>();
  s->JacN = 4;
  EXPECT_EQ(CalcKpoint(TableModel(*m), KPoint(), h, *s), 0.0);
  EXPECT_EQ(s->JacN, 4);
}

TEST(KpointCalcTest, TwoBandChainAgainstClosedForm) {
  // Two orbitals coupled by t (cos k) along x: E = +-|2 t cos(pi kx / 2)| around alpha.
  auto m = std::make_unique<ModelData>();
  m->BetaTyp = 1;
  m->NOrb = 2;
  m->Alpha(1) = m->Alpha(2) = -1;
  m->Beta[1][2][1] = -0.75;
  m->OverlapType[1][2][1] = 1;
  HamMatrix h = {};
  auto s = std::make_unique<JacobiSolver>();
  for (int nx = -9; nx <= 9; nx += 3) {  // not at the boundary, where the bands touch
    CalcKpoint(TableModel(*m), KPointFromNumerators(10, nx, 0, 0), h, *s);
    const double e = std::fabs(1.5 * std::cos(3.14159265358979323846 * nx / 20));
    EXPECT_NEAR(s->EigVal[1], -1 + e, 1e-12);
    EXPECT_NEAR(s->EigVal[2], -1 - e, 1e-12);
    EXPECT_NEAR(s->EigVecSq[1][1], 0.5, 1e-12);
  }
}

TEST(KpointCalcTest, NonFiniteModelValuesStayBounded) {
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity()};
  for (double x : bad)
    for (int where = 0; where < 3; ++where) {
      auto s = std::make_unique<JacobiSolver>();
      HamMatrix h;
      test::RandomHermitian(6, 17, h);
      if (where == 0) h[2][2] = x;
      if (where == 1) h[1][4] = x;
      if (where == 2) h[5][3] = x;
      FillJacInput(h, 6, *s);
      SolveToConvergence(*s);
      EXPECT_LE(s->JacIter, 100 * 12 * 12);
      EXPECT_EQ(s->EigKeep[1], 1);
    }
}

}  // namespace
}  // namespace quarnel
