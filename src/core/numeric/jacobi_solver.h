// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The classical Jacobi method on the real symmetric matrix of order 2n that stands for a complex
// Hermitian n x n matrix, and the folding of its doubled spectrum back into n complex eigenpairs.
// Storage is fixed and 1-based (index 0 unused); only the leading JacN x JacN block is meaningful.
//
// A rotation updates only rows and columns p and q, with the same arithmetic the full products
// R A R^T and V R^T would do. While JacA is exactly symmetric the pivot is found in the upper
// triangle (from cached maxima of its rows above small orders), which picks the same element as a
// row-major scan of the whole matrix (ties keep the first). JacA must therefore change only
// through Reset and ApplyRotation.

#include <string>

namespace quarnel {

constexpr int kJacMax = 40;

class JacobiSolver;

// The workbench's view of the solver. Called only while JacVerbose is on.
class JacobiDisplay {
 public:
  virtual ~JacobiDisplay() = default;
  // JacA, JacV and the rotation count changed (reset, solve, hand rotation).
  virtual void ShowState(const JacobiSolver& solver) = 0;
  // A pivot step chose (p, q) and the angle theta in radians; p = q = 0 when there was no pivot.
  virtual void ShowRotation(const JacobiSolver& solver, int p, int q, double theta) = 0;
  // JacInput was replaced by the matrix of a k point.
  virtual void ShowInput(const JacobiSolver& solver) = 0;
};

class JacobiSolver {
 public:
  int JacN = 0;
  double JacInput[kJacMax + 1][kJacMax + 1] = {};
  double JacA[kJacMax + 1][kJacMax + 1] = {};
  double JacR[kJacMax + 1][kJacMax + 1] = {};
  double JacRT[kJacMax + 1][kJacMax + 1] = {};
  double JacTmp[kJacMax + 1][kJacMax + 1] = {};
  // The eigenvector matrix transposed, so that the two vectors a rotation mixes are contiguous:
  // JacVT[m][i] is JacV(i, m), component i of the vector of diagonal position m.
  double JacVT[kJacMax + 1][kJacMax + 1] = {};
  int JacIter = 0;
  bool JacVerbose = true;

  double EigVal[kJacMax + 1] = {};
  int EigIdx[kJacMax + 1] = {};
  double EigVecRe[kJacMax + 1][kJacMax + 1] = {};
  double EigVecIm[kJacMax + 1][kJacMax + 1] = {};
  double EigVecSq[kJacMax + 1][kJacMax + 1] = {};
  int EigKeep[kJacMax + 1] = {};
  double LastAngle = 0;  // |theta| of the last pivot step of the last solve

  JacobiDisplay* Display = nullptr;
  // Off for the hand steps, which show the method as taught. On (the k-point calculation), a
  // pivot between equal diagonal elements whose rotation would change nothing representable
  // (d := 1 with a coupling far below 1) gets the quarter turn that zeroes it instead, so such a
  // matrix converges rather than repeating the same rotation up to the cap.
  bool ZeroStalledPivots = false;

  double JacV(int i, int m) const { return JacVT[m][i]; }

  // Working matrix := input, eigenvectors := identity, rotation count := 0.
  void Reset();
  // Finds the pivot and builds JacR and JacRT; returns theta (0 and no new rotation without one).
  double PivotStep();
  // JacA := R A R^T, JacV := JacV R^T with the last rotation built; not counted.
  void ApplyRotation();
  // Up to maxRot counted rotations (0 means 1), then the eigen results. Returns |last theta|.
  double Solve(int maxRot);

  // The rotations of Solve without building JacR/JacRT or the eigen results, for callers that
  // spend several budgets and extract once; ends with FinishRotations.
  double Rotate(int maxRot);
  void FinishRotations();
  // The display's rotation label for the last pivot step of Rotate (only while JacVerbose).
  void ShowLastRotation();
  // Eigen results from JacA and JacV: sort, partner matching, kept member, reorder.
  void Extract();

  // Largest |off-diagonal| element and largest |diagonal| element of JacA.
  double MaxOffDiagonal() const;
  double MaxDiagonal() const;
  // Last pivot, 0 when none was found.
  int PivotP() const { return pivotP_; }
  int PivotQ() const { return pivotQ_; }

 private:
  bool FindPivot(int& p, int& q);
  void BuildRotation(int p, int q, double t);
  void RotateInPlace();
  void RescanRow(int r);
  void UpdateMovedRowMax(int i, int p, int q, double vp, double vq);
  void RebuildRowMax();

  int pivotP_ = 0, pivotQ_ = 0;
  double lastTheta_ = 0;
  // The last rotation built (rotP_ = 0: none yet); JacR/JacRT mirror it once materialised.
  int rotP_ = 0, rotQ_ = 0;
  double rotC_ = 1, rotS_ = 0;
  bool rotationShown_ = true;  // JacR/JacRT hold the last rotation
  bool symmetric_ = false;
  // Up to this order a plain scan finds the pivot faster than the cached row maxima are kept.
  static constexpr int kSmallOrder = 12;
  bool rowMaxKept_ = false;
  // Upper triangle: first largest |JacA[r][c]|, c > r, and its column; or, with the column
  // kBoundOnly, a bound that no element of the row exceeds (the row is read when it matters).
  static constexpr int kBoundOnly = -1;
  double rowMax_[kJacMax + 1] = {};
  int rowMaxCol_[kJacMax + 1] = {};
};

// Theta of a pivot with off-diagonal a and diagonal difference d, as the method defines it.
double JacobiAngle(double a, double d);

// The workbench's matrix cells: fixed with w decimals, trailing zeros and point removed.
std::string CompactNumberText(int w, double x);

}  // namespace quarnel
