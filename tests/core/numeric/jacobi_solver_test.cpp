// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/jacobi_solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

#include "numeric/hamiltonian.h"
#include "reference_jacobi.h"
#include "test_matrices.h"

namespace quarnel {
namespace {

using test::ReferenceJacobi;

std::unique_ptr<JacobiSolver> RandomSolver(int n, unsigned seed) {
  auto s = std::make_unique<JacobiSolver>();
  HamMatrix h;
  test::RandomHermitian(n, seed, h);
  FillJacInput(h, n, *s);
  s->Reset();
  return s;
}

void ExpectMatricesNear(const double (&x)[kJacMax + 1][kJacMax + 1],
                        const double (&y)[kJacMax + 1][kJacMax + 1], int n, double tol,
                        const char* what, int step) {
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      ASSERT_NEAR(x[i][j], y[i][j], tol) << what << " [" << i << "," << j << "] step " << step;
}

// Each rotation starts both solvers from the fast one's state, so rounding cannot accumulate
// into a different pivot; any difference is a fault of the update or of the cached maxima.
void CompareStepByStep(JacobiSolver& fast, int steps) {
  auto ref = std::make_unique<ReferenceJacobi>();
  const int n = fast.JacN;
  for (int step = 0; step < steps; ++step) {
    ref->N = n;
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) ref->A[i][j] = fast.JacA[i][j], ref->V[i][j] = fast.JacV(i, j);
    const double refTheta = ref->PivotStep();
    const double theta = fast.PivotStep();
    ASSERT_EQ(fast.PivotP(), ref->p) << "step " << step;
    ASSERT_EQ(fast.PivotQ(), ref->q) << "step " << step;
    ASSERT_NEAR(theta, refTheta, 1e-15) << "step " << step;
    if (theta == 0) return;
    ExpectMatricesNear(fast.JacR, ref->R, n, 1e-15, "R", step);
    ExpectMatricesNear(fast.JacRT, ref->RT, n, 1e-15, "RT", step);
    fast.ApplyRotation();
    ref->ApplyRotation();
    ExpectMatricesNear(fast.JacA, ref->A, n, 1e-13, "A", step);
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) ASSERT_NEAR(fast.JacV(i, j), ref->V[i][j], 1e-14);
  }
}

TEST(JacobiSolverTest, RotationsMatchFullProductsStepByStep) {
  for (int n = 1; n <= 16; ++n) {
    SCOPED_TRACE(n);
    auto s = RandomSolver(n, 100 + n);
    CompareStepByStep(*s, 60 * n);
  }
}

TEST(JacobiSolverTest, NonSymmetricInputMatchesFullProductsStepByStep) {
  // A matrix file need not hold a Hermitian matrix; the rotations must still be the products.
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> u(-1, 1);
  JacobiSolver s;
  s.JacN = 10;
  for (int i = 1; i <= 10; ++i)
    for (int j = 1; j <= 10; ++j) s.JacInput[i][j] = u(gen);
  s.Reset();
  CompareStepByStep(s, 200);
}

TEST(JacobiSolverTest, TiesChooseTheFirstElementInRowMajorOrder) {
  // Equal magnitudes everywhere off the diagonal: the scan keeps (1, 2), then whatever is first.
  JacobiSolver s;
  s.JacN = 6;
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) s.JacInput[i][j] = i == j ? i : (i + j) % 2 ? 0.5 : -0.5;
  s.Reset();
  CompareStepByStep(s, 100);
}

TEST(JacobiSolverTest, TiesAtLargerOrdersChooseTheFirstElement) {
  // Orders above the small-matrix scan, where the pivot comes from kept row maxima: equal
  // magnitudes everywhere, and a few values only, so that rotated elements meet the maxima of
  // other rows exactly.
  for (int n : {14, 20, 32}) {
    for (int diagonal : {0, 1}) {
      SCOPED_TRACE(n * 10 + diagonal);
      // Equal diagonal elements give every first rotation the same angle, so that equal
      // elements keep turning up in the same row.
      JacobiSolver s;
      s.JacN = n;
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
          s.JacInput[i][j] = i == j ? diagonal * i : (i + j) % 2 ? 0.5 : -0.5;
      s.Reset();
      CompareStepByStep(s, 30 * n);
    }
  }
  {
    // Off-diagonal elements far below the diagonal: the rotations leave the others unchanged to
    // the last bit, so every row keeps its ties while its elements are rewritten.
    std::mt19937 gen(3);
    std::uniform_int_distribution<int> pick(-2, 2);
    JacobiSolver s;
    s.JacN = 24;
    for (int i = 1; i <= 24; ++i)
      for (int j = i; j <= 24; ++j)
        s.JacInput[i][j] = s.JacInput[j][i] = i == j ? i : 1e-20 * pick(gen);
    s.Reset();
    CompareStepByStep(s, 300);
  }
  for (int orbitals : {7, 10, 16}) {
    SCOPED_TRACE(orbitals);
    std::mt19937 gen(orbitals);
    std::uniform_int_distribution<int> pick(-2, 2);
    HamMatrix h = {};
    for (int i = 1; i <= orbitals; ++i)
      for (int j = 1; j <= orbitals; ++j) h[i][j] = i == j ? pick(gen) : 0.25 * pick(gen);
    JacobiSolver s;
    FillJacInput(h, orbitals, s);
    s.Reset();
    CompareStepByStep(s, 60 * orbitals);
  }
}

TEST(JacobiSolverTest, MaxOffDiagonalFollowsTheRotations) {
  for (int n : {3, 6, 7, 12}) {
    SCOPED_TRACE(n);
    auto s = RandomSolver(n, 500 + n);
    for (int step = 0; step < 20 * n; ++step) {
      s->Rotate(1);
      double max = 0;
      for (int i = 1; i <= s->JacN; ++i)
        for (int j = 1; j <= s->JacN; ++j)
          if (i != j) max = std::max(max, std::fabs(s->JacA[i][j]));
      ASSERT_EQ(s->MaxOffDiagonal(), max) << step;
    }
  }
}

TEST(JacobiSolverTest, IndependentSolvesAgreeWithFullProducts) {
  for (int n : {2, 3, 8}) {
    SCOPED_TRACE(n);
    auto fast = RandomSolver(n, 40 + n);
    auto ref = std::make_unique<ReferenceJacobi>();
    ref->Load(fast->JacInput, fast->JacN);
    // Short of convergence: at rounding level the two may rightly choose different pivots.
    const int budget = 4 * n;
    const double r1 = fast->Solve(budget);
    const double r2 = ref->Solve(budget);
    EXPECT_EQ(fast->JacIter, ref->iter);
    EXPECT_NEAR(r1, r2, 1e-12);
    for (int m = 1; m <= 2 * n; ++m) {
      EXPECT_NEAR(fast->EigVal[m], ref->EigVal[m], 1e-12);
      EXPECT_EQ(fast->EigKeep[m], ref->EigKeep[m]);
      for (int j = 1; j <= n; ++j) EXPECT_NEAR(fast->EigVecSq[m][j], ref->Sq[m][j], 1e-12);
    }
  }
}

// Extraction reads the same JacA and JacV in both; results must be identical, bit for bit.
void ExpectExtractionLikeReference(JacobiSolver& s) {
  auto ref = std::make_unique<ReferenceJacobi>();
  ref->N = s.JacN;
  for (int i = 1; i <= s.JacN; ++i)
    for (int j = 1; j <= s.JacN; ++j) ref->A[i][j] = s.JacA[i][j], ref->V[i][j] = s.JacV(i, j);
  s.Extract();
  ref->Extract();
  for (int m = 1; m <= s.JacN; ++m) {
    ASSERT_EQ(s.EigVal[m], ref->EigVal[m]) << m;
    ASSERT_EQ(s.EigIdx[m], ref->EigIdx[m]) << m;
    ASSERT_EQ(s.EigKeep[m], ref->EigKeep[m]) << m;
    for (int j = 1; j <= s.JacN / 2; ++j) {
      ASSERT_EQ(s.EigVecRe[m][j], ref->Re[m][j]);
      ASSERT_EQ(s.EigVecIm[m][j], ref->Im[m][j]);
      ASSERT_EQ(s.EigVecSq[m][j], ref->Sq[m][j]);
    }
  }
}

TEST(JacobiSolverTest, ExtractionEqualsMovingWholeRows) {
  for (int n = 1; n <= 12; ++n) {
    SCOPED_TRACE(n);
    auto s = RandomSolver(n, 300 + n);
    s->Solve(2000);
    ExpectExtractionLikeReference(*s);
    // Part way through, with the spectrum still unsorted.
    s->Reset();
    s->Solve(3 * n);
    ExpectExtractionLikeReference(*s);
  }
}

TEST(JacobiSolverTest, DegenerateGroupsPairRealPartners) {
  // Two uncoupled copies of one 2 x 2 block: each complex eigenvalue twice, four times in the
  // real spectrum, so the matching of groups of three and more is exercised.
  HamMatrix h = {};
  const double b[3][3] = {{0, 0, 0}, {0, 0.7, 0.3}, {0, -0.4, -0.2}};
  for (int i = 1; i <= 2; ++i)
    for (int j = 1; j <= 2; ++j) h[i][j] = h[i + 2][j + 2] = b[i][j];
  auto s = std::make_unique<JacobiSolver>();
  FillJacInput(h, 4, *s);
  s->Reset();
  s->Solve(1000);
  ExpectExtractionLikeReference(*s);
  // Kept and partner of each band: the partner times i is the kept vector.
  for (int m = 1; m <= 4; ++m) {
    EXPECT_NEAR(s->EigVal[m], s->EigVal[m + 4], 1e-12);
    double sum = 0;
    for (int j = 1; j <= 4; ++j) sum += s->EigVecSq[m][j];
    EXPECT_NEAR(sum, 1.0, 1e-12);
  }
  EXPECT_NEAR(s->EigVal[1], s->EigVal[2], 1e-12);
  EXPECT_GT(s->EigVal[2], s->EigVal[3] + 0.1);
}

TEST(JacobiSolverTest, DiagonalInputNeedsNoRotation) {
  JacobiSolver s;
  s.JacN = 4;
  const double d[5] = {0, 3, -1, 5, 2};
  for (int i = 1; i <= 4; ++i) s.JacInput[i][i] = d[i];
  s.Reset();
  EXPECT_EQ(s.PivotStep(), 0.0);
  EXPECT_EQ(s.Solve(50), 0.0);
  EXPECT_EQ(s.JacIter, 0);
  // Sorted descending, then the kept members first.
  EXPECT_EQ(s.EigKeep[1] + s.EigKeep[2], 2);
  double sorted[5];
  for (int m = 1; m <= 4; ++m) sorted[m] = s.EigVal[m];
  EXPECT_EQ(sorted[1] + sorted[2] + sorted[3] + sorted[4], 9.0);
}

TEST(JacobiSolverTest, OneOrbitalKeepsItsPair) {
  JacobiSolver s;
  HamMatrix h = {};
  h[1][1] = -2.5;
  FillJacInput(h, 1, s);
  s.Reset();
  EXPECT_EQ(s.Solve(50), 0.0);
  EXPECT_EQ(s.JacIter, 0);
  EXPECT_EQ(s.EigVal[1], -2.5);
  EXPECT_EQ(s.EigVal[2], -2.5);
  EXPECT_EQ(s.EigKeep[1], 1);
  EXPECT_EQ(s.EigKeep[2], 0);
  EXPECT_EQ(s.EigVecSq[1][1], 1.0);
}

TEST(JacobiSolverTest, EqualDiagonalUsesDenominatorOne) {
  JacobiSolver s;
  s.JacN = 2;
  s.JacInput[1][1] = s.JacInput[2][2] = 0.25;
  s.JacInput[1][2] = s.JacInput[2][1] = 0.3;
  s.Reset();
  EXPECT_NEAR(s.PivotStep(), std::atan(0.6) / 2, 1e-16);
  s.ApplyRotation();
  // Not a quarter turn: the pivot is reduced but not removed.
  EXPECT_GT(std::fabs(s.JacA[1][2]), 0.1);
  EXPECT_EQ(s.JacA[1][2], s.JacA[2][1]);
}

TEST(JacobiSolverTest, RoundingLevelPivotCountsLikeTheFullMethod) {
  // Equal diagonal elements and a pivot at rounding level: the method repeats one rotation to the
  // end of the budget; the fast solver counts those rotations without doing them.
  for (int budget : {1, 7, 50}) {
    JacobiSolver s;
    s.JacN = 2;
    s.JacInput[1][1] = s.JacInput[2][2] = 2.0;
    s.JacInput[1][2] = s.JacInput[2][1] = 6e-16;
    s.Reset();
    auto ref = std::make_unique<ReferenceJacobi>();
    ref->Load(s.JacInput, 2);
    EXPECT_NEAR(s.Solve(budget), ref->Solve(budget), 1e-30);
    EXPECT_EQ(s.JacIter, ref->iter);
    EXPECT_EQ(s.EigVal[1], ref->EigVal[1]);
    EXPECT_NEAR(s.EigVecSq[1][1], ref->Sq[1][1], 1e-14);
  }
}

TEST(JacobiSolverTest, SolveZeroDoesOneStep) {
  auto a = RandomSolver(3, 5);
  auto b = RandomSolver(3, 5);
  a->Solve(0);
  b->Solve(1);
  EXPECT_EQ(a->JacIter, 1);
  EXPECT_EQ(b->JacIter, 1);
  EXPECT_EQ(a->JacA[1][1], b->JacA[1][1]);
  // Solve continues where it stopped.
  a->Solve(4);
  EXPECT_EQ(a->JacIter, 5);
}

TEST(JacobiSolverTest, CloseEigenvaluesAreNotSwapped) {
  JacobiSolver s;
  s.JacN = 4;
  s.JacInput[1][1] = 1.0;
  s.JacInput[2][2] = 1.0 + 5e-7;  // equal within 1e-6, in the wrong order
  s.JacInput[3][3] = 2.0;
  s.JacInput[4][4] = -1.0;
  s.Reset();
  s.Solve(1);
  // Sorted: 2, 1, 1+5e-7, -1 (the close pair keeps its order); the pairs (2, 1) and
  // (1+5e-7, -1) keep entries 1 and 2 of the input, which therefore come first.
  const int expected[5] = {0, 1, 2, 3, 4};
  for (int m = 1; m <= 4; ++m) EXPECT_EQ(s.EigIdx[m], expected[m]) << m;
  EXPECT_EQ(s.EigVal[1], 1.0);
  EXPECT_EQ(s.EigVal[3], 2.0);
}

TEST(JacobiSolverTest, HandRotationBeforeAnyPivotChangesNothing) {
  auto s = RandomSolver(3, 9);
  const double a11 = s->JacA[1][1], a12 = s->JacA[1][2];
  s->ApplyRotation();
  EXPECT_EQ(s->JacA[1][1], a11);
  EXPECT_EQ(s->JacA[1][2], a12);
}

TEST(JacobiSolverTest, HandRotationTwiceRepeatsTheSameRotation) {
  auto s = RandomSolver(3, 11);
  auto ref = std::make_unique<ReferenceJacobi>();
  ref->Load(s->JacInput, s->JacN);
  s->PivotStep();
  ref->PivotStep();
  for (int k = 0; k < 2; ++k) {
    s->ApplyRotation();
    ref->ApplyRotation();
  }
  EXPECT_EQ(s->JacIter, 0);
  ExpectMatricesNear(s->JacA, ref->A, 6, 1e-13, "A", 2);
}

TEST(JacobiSolverTest, EmptySolverDoesNothing) {
  JacobiSolver s;
  s.Reset();
  EXPECT_EQ(s.PivotStep(), 0.0);
  EXPECT_EQ(s.Solve(10), 0.0);
  s.JacN = 99;  // beyond the storage: refused rather than overrun
  s.Reset();
  EXPECT_EQ(s.Solve(10), 0.0);
}

class RecordingDisplay : public JacobiDisplay {
 public:
  void ShowState(const JacobiSolver&) override { ++states; }
  void ShowRotation(const JacobiSolver&, int p, int q, double) override {
    ++rotations, lastP = p, lastQ = q;
  }
  void ShowInput(const JacobiSolver&) override { ++inputs; }
  int states = 0, rotations = 0, inputs = 0, lastP = -1, lastQ = -1;
};

TEST(JacobiSolverTest, DisplaySeesTheSolverOnlyWhileVerbose) {
  auto s = RandomSolver(3, 13);
  RecordingDisplay display;
  s->Display = &display;
  s->Reset();
  s->PivotStep();
  EXPECT_EQ(display.states, 1);
  EXPECT_EQ(display.rotations, 1);
  s->Solve(5);
  EXPECT_EQ(display.rotations, 2);
  EXPECT_EQ(display.lastP, s->PivotP());
  s->JacVerbose = false;
  s->Reset();
  s->PivotStep();
  s->Solve(5);
  EXPECT_EQ(display.states, 1);
  EXPECT_EQ(display.rotations, 2);
}

TEST(CompactNumberTextTest, StripsTrailingZerosAndPoint) {
  EXPECT_EQ(CompactNumberText(6, 1.0), "1");
  EXPECT_EQ(CompactNumberText(6, 0.5), "0.5");
  EXPECT_EQ(CompactNumberText(6, -2.25), "-2.25");
  EXPECT_EQ(CompactNumberText(6, 0.0), "0");
  EXPECT_EQ(CompactNumberText(6, 10.0), "10");
  EXPECT_EQ(CompactNumberText(6, 1.000001), "1.000001");
  EXPECT_EQ(CompactNumberText(6, 0.0001), "0.0001");
  EXPECT_EQ(CompactNumberText(6, 123.45), "123.45");
}

}  // namespace
}  // namespace quarnel
