// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/jacobi_solver.h"

#include <cmath>
#include <utility>

#include "support/number_text.h"

namespace quarnel {
namespace {

bool EigEqual(double a, double b) {
  return std::fabs(a - b) <= 1e-6;
}

// Below this |tan 2theta| the angle may round to exactly zero, which ends a solve.
constexpr double kTinyTan = 1e-300;
// A pivot this small against the largest diagonal element is at rounding level.
constexpr double kRoundingPivot = 4 * 2.220446049250313e-16;
// Above this tan^2 overflows; cos 2theta is then 1/|t| to full precision.
constexpr double kHugeTan = 1e150;

double Tan2Theta(double a, double d) {
  if (d == 0) d = 1.0;  // equal diagonal elements: no quarter turn, as the method defines it
  return 2 * a / d;
}

// cos and sin of theta = atan(t) / 2 without trigonometric calls.
void CosSinFromTan2(double t, double& c, double& s) {
  double cos2, sin2;
  if (std::fabs(t) > kHugeTan) {
    cos2 = 1 / std::fabs(t);
    sin2 = t > 0 ? 1.0 : -1.0;
  } else {
    const double r = std::sqrt(1 + t * t);
    cos2 = 1 / r;
    sin2 = t / r;
  }
  c = std::sqrt((1 + cos2) / 2);
  s = sin2 / (2 * c);
}

// x := c x + s y, y := -s x + c y on entries 1..n; two at a time so the compiler can pair them.
void RotatePair(double* __restrict x, double* __restrict y, int n, double c, double s) {
  int j = 1;
  for (; j < n; j += 2) {
    const double x0 = x[j], x1 = x[j + 1], y0 = y[j], y1 = y[j + 1];
    x[j] = c * x0 + s * y0;
    x[j + 1] = c * x1 + s * y1;
    y[j] = -s * x0 + c * y0;
    y[j + 1] = -s * x1 + c * y1;
  }
  if (j == n) {
    const double x0 = x[j], y0 = y[j];
    x[j] = c * x0 + s * y0;
    y[j] = -s * x0 + c * y0;
  }
}

// Largest |a[c]| for c = from..to and the first column holding it; 0 and column 0 when all are
// zero. The largest value first, in two chains that need no branches, then the first column that
// holds it: one hard-to-predict branch instead of one per new maximum.
inline void ScanMax(const double* a, int from, int to, double& max, int& col) {
  double m0 = 0, m1 = 0;
  int c = from;
  for (; c < to; c += 2) {
    const double v0 = std::fabs(a[c]), v1 = std::fabs(a[c + 1]);
    m0 = v0 > m0 ? v0 : m0;
    m1 = v1 > m1 ? v1 : m1;
  }
  if (c == to) {
    const double v0 = std::fabs(a[c]);
    m0 = v0 > m0 ? v0 : m0;
  }
  max = m1 > m0 ? m1 : m0;
  col = 0;
  if (max > 0) {
    col = from;
    while (!(std::fabs(a[col]) == max)) ++col;
  }
}

bool ValidOrder(int n) {
  return n >= 1 && n <= kJacMax;
}

}  // namespace

double JacobiAngle(double a, double d) {
  return std::atan(Tan2Theta(a, d)) / 2;
}

void JacobiSolver::Reset() {
  if (!ValidOrder(JacN)) return;
  const int n = JacN;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) JacVT[i][j] = i == j ? 1.0 : 0.0;
  for (int i = 0; i <= kJacMax; ++i)
    for (int j = 0; j <= kJacMax; ++j) JacA[i][j] = JacInput[i][j];
  JacIter = 0;
  symmetric_ = true;
  for (int i = 1; i <= n && symmetric_; ++i)
    for (int j = i + 1; j <= n; ++j)
      if (!(JacA[i][j] == JacA[j][i])) {
        symmetric_ = false;
        break;
      }
  rowMaxKept_ = symmetric_ && n > kSmallOrder;
  RebuildRowMax();
  if (JacVerbose && Display) Display->ShowState(*this);
}

void JacobiSolver::RebuildRowMax() {
  if (!rowMaxKept_) return;
  for (int r = 1; r <= JacN; ++r) RescanRow(r);
}

void JacobiSolver::RescanRow(int r) {
  ScanMax(JacA[r], r + 1, JacN, rowMax_[r], rowMaxCol_[r]);
}

// Row i, whose cached maximum sat in column p or q, after a rotation of (p, q) that left
// |A[i][p]| = vp (ignored for i > p) and |A[i][q]| = vq. Columns before the cached maximum hold
// smaller values, columns after it at most equal ones, so most cases are settled without reading
// the row. Otherwise the old maximum stays as a bound, and the row is read only if the bound
// comes first in a pivot search.
void JacobiSolver::UpdateMovedRowMax(int i, int p, int q, double vp, double vq) {
  const double m = rowMax_[i];
  double nm;
  int nc;
  if (rowMaxCol_[i] == p) {
    if (vp >= m) {
      nm = vp, nc = p;
      if (vq > nm) nm = vq, nc = q;
    } else if (vq > m) {
      nm = vq, nc = q;
    } else {
      rowMaxCol_[i] = kBoundOnly;
      return;
    }
  } else {
    if (vq >= m) {
      nm = vq, nc = q;
      if (i < p && vp >= nm) nm = vp, nc = p;
    } else if (i < p && vp >= m) {
      nm = vp, nc = p;
    } else {
      rowMaxCol_[i] = kBoundOnly;
      return;
    }
  }
  rowMax_[i] = nm;
  rowMaxCol_[i] = nc;
}

bool JacobiSolver::FindPivot(int& p, int& q) {
  const int n = JacN;
  double max = 0;
  p = q = 0;
  if (symmetric_ && !rowMaxKept_) {
    // Exact symmetry puts the first maximum of the row-major scan in the upper triangle.
    for (int r = 1; r < n; ++r) {
      const double* a = JacA[r];
      for (int c = r + 1; c <= n; ++c) {
        const double v = std::fabs(a[c]);
        if (v > max) max = v, p = r, q = c;
      }
    }
    return p != 0;
  }
  if (symmetric_) {
    // A row known only by a bound is read when the bound comes first: a row that is exact there
    // holds the first maximum, as no bound and so no row before it reaches its value.
    int r;
    for (;;) {
      ScanMax(rowMax_, 1, n - 1, max, r);
      if (r == 0) return false;
      if (rowMaxCol_[r] != kBoundOnly) break;
      RescanRow(r);
    }
    p = r;
    q = rowMaxCol_[r];
    return true;
  }
  for (int r = 1; r <= n; ++r)
    for (int c = 1; c <= n; ++c) {
      if (c == r) continue;
      const double v = std::fabs(JacA[r][c]);
      if (v > max) max = v, p = r, q = c;
    }
  if (p > q) std::swap(p, q);
  return p != 0;
}

void JacobiSolver::BuildRotation(int p, int q, double t) {
  rotP_ = p;
  rotQ_ = q;
  CosSinFromTan2(t, rotC_, rotS_);
  rotationShown_ = false;
}

void JacobiSolver::FinishRotations() {
  if (rotationShown_ || !ValidOrder(JacN)) return;
  const int n = JacN;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) JacR[i][j] = i == j ? 1.0 : 0.0;
  if (rotQ_ <= n) {
    JacR[rotP_][rotP_] = rotC_;
    JacR[rotP_][rotQ_] = rotS_;
    JacR[rotQ_][rotP_] = -rotS_;
    JacR[rotQ_][rotQ_] = rotC_;
  }
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) JacRT[i][j] = JacR[j][i];
  rotationShown_ = true;
}

double JacobiSolver::PivotStep() {
  if (!ValidOrder(JacN)) return 0;
  int p, q;
  double theta = 0;
  if (FindPivot(p, q)) {
    theta = JacobiAngle(JacA[p][q], JacA[p][p] - JacA[q][q]);
    BuildRotation(p, q, Tan2Theta(JacA[p][q], JacA[p][p] - JacA[q][q]));
    FinishRotations();
  }
  pivotP_ = p;
  pivotQ_ = q;
  lastTheta_ = theta;
  if (JacVerbose && Display) Display->ShowRotation(*this, p, q, theta);
  return theta;
}

void JacobiSolver::ApplyRotation() {
  if (!ValidOrder(JacN) || rotP_ == 0 || rotQ_ > JacN) return;
  RotateInPlace();
}

// The full products restricted to what they change: columns p, q of A R^T, then rows p, q of
// R (A R^T), then columns p, q of V R^T. The same operations in the same order as the products.
void JacobiSolver::RotateInPlace() {
  const int n = JacN, p = rotP_, q = rotQ_;
  const double c = rotC_, s = rotS_;
  double* ap = JacA[p];
  double* aq = JacA[q];
  if (symmetric_) {
    const double app = ap[p], apq = ap[q], aqp = aq[p], aqq = aq[q];
    RotatePair(ap, aq, n, c, s);
    const double tpp = app * c + apq * s, tpq = app * -s + apq * c;
    const double tqp = aqp * c + aqq * s, tqq = aqp * -s + aqq * c;
    ap[p] = c * tpp + s * tqp;
    ap[q] = c * tpq + s * tqq;
    aq[q] = -s * tpq + c * tqq;
    aq[p] = ap[q];  // keeps the symmetry exact; the products differ here only by rounding
    // The mirror of rows p and q, and the cached maxima of the rows above q. Row i < q changed
    // only in columns p (when i < p) and q; unless its maximum sat there, the new maximum is the
    // first largest of the old one and the new elements, found without branches.
    if (!rowMaxKept_) {
      // Small orders scan for the pivot; the mirror is all there is to do (on the diagonal
      // block it rewrites what is already there).
      for (int i = 1; i <= n; ++i) {
        JacA[i][p] = ap[i];
        JacA[i][q] = aq[i];
      }
      RotatePair(JacVT[p], JacVT[q], n, c, s);
      return;
    }
    for (int i = 1; i < p; ++i) {
      JacA[i][p] = ap[i];
      JacA[i][q] = aq[i];
      const double vp = std::fabs(ap[i]), vq = std::fabs(aq[i]);
      const int col = rowMaxCol_[i];
      if (col == p || col == q) {
        UpdateMovedRowMax(i, p, q, vp, vq);
        continue;
      }
      const double m = rowMax_[i];
      const bool tp = (vp > m) | ((vp == m) & (p < col));
      const double m1 = vp > m ? vp : m;
      const int c1 = tp ? p : col;
      const bool tq = (vq > m1) | ((vq == m1) & (q < c1));
      rowMax_[i] = vq > m1 ? vq : m1;
      rowMaxCol_[i] = tq ? q : c1;
    }
    for (int i = p + 1; i < q; ++i) {
      JacA[i][p] = ap[i];
      JacA[i][q] = aq[i];
      const double vq = std::fabs(aq[i]);
      const int col = rowMaxCol_[i];
      if (col == q) {
        UpdateMovedRowMax(i, p, q, 0.0, vq);
        continue;
      }
      const double m = rowMax_[i];
      const bool tq = (vq > m) | ((vq == m) & (q < col));
      rowMax_[i] = vq > m ? vq : m;
      rowMaxCol_[i] = tq ? q : col;
    }
    for (int i = q + 1; i <= n; ++i) {
      JacA[i][p] = ap[i];
      JacA[i][q] = aq[i];
    }
    RescanRow(p);
    RescanRow(q);
  } else {
    for (int i = 1; i <= n; ++i) {
      const double x = JacA[i][p], y = JacA[i][q];
      JacA[i][p] = x * c + y * s;
      JacA[i][q] = x * -s + y * c;
    }
    for (int j = 1; j <= n; ++j) {
      const double x = ap[j], y = aq[j];
      ap[j] = c * x + s * y;
      aq[j] = -s * x + c * y;
    }
  }
  RotatePair(JacVT[p], JacVT[q], n, c, s);
}

double JacobiSolver::Rotate(int maxRot) {
  if (!ValidOrder(JacN)) return 0;
  if (maxRot == 0) maxRot = 1;
  double lastT = 0;
  for (int k = 0; k < maxRot; ++k) {
    int p, q;
    if (!FindPivot(p, q)) {
      pivotP_ = pivotQ_ = 0;
      lastT = 0;
      break;
    }
    pivotP_ = p;
    pivotQ_ = q;
    const double a = JacA[p][q], d = JacA[p][p] - JacA[q][q];
    lastT = Tan2Theta(a, d);
    BuildRotation(p, q, lastT);
    // The rotation of d := 1 moves the diagonal by 2 a s; when that is lost in rounding the
    // diagonal stays equal and the next step would be the same rotation again.
    if (ZeroStalledPivots && d == 0 && a != 0 && JacA[p][p] + 2 * a * rotS_ == JacA[p][p]) {
      rotC_ = std::sqrt(0.5);
      rotS_ = std::copysign(rotC_, a);
      lastT = std::copysign(HUGE_VAL, a);  // theta = +-pi/4
    }
    if (std::fabs(lastT) < kTinyTan && std::atan(lastT) / 2 == 0) break;
    if (rotC_ == 1.0 && std::fabs(a) <= kRoundingPivot * MaxDiagonal()) {
      // A pivot at rounding level: this and the rest of the budget's rotations change JacA and
      // JacV only within rounding (at equal diagonal elements they are the same rotation over
      // and over), so they are counted as the budget would count them and not carried out.
      JacIter += maxRot - k;
      break;
    }
    RotateInPlace();
    ++JacIter;
  }
  lastTheta_ = std::atan(lastT) / 2;
  LastAngle = std::fabs(lastTheta_);
  return LastAngle;
}

double JacobiSolver::Solve(int maxRot) {
  if (!ValidOrder(JacN)) return 0;
  const double r = Rotate(maxRot);
  FinishRotations();
  Extract();
  ShowLastRotation();
  return r;
}

// Nothing is painted while a solve runs, so showing only its last pivot step looks the same as
// showing every one.
void JacobiSolver::ShowLastRotation() {
  if (JacVerbose && Display) Display->ShowRotation(*this, pivotP_, pivotQ_, lastTheta_);
}

double JacobiSolver::MaxOffDiagonal() const {
  double max = 0;
  if (rowMaxKept_) {
    for (int r = 1; r < JacN; ++r) {
      double m = rowMax_[r];
      int col;
      if (rowMaxCol_[r] == kBoundOnly) ScanMax(JacA[r], r + 1, JacN, m, col);
      if (m > max) max = m;
    }
    return max;
  }
  for (int r = 1; r <= JacN; ++r)
    for (int c = 1; c <= JacN; ++c)
      if (c != r && std::fabs(JacA[r][c]) > max) max = std::fabs(JacA[r][c]);
  return max;
}

double JacobiSolver::MaxDiagonal() const {
  double max = 0;
  for (int r = 1; r <= JacN; ++r)
    if (std::fabs(JacA[r][r]) > max) max = std::fabs(JacA[r][r]);
  return max;
}

// Sorting and matching move only (EigVal, EigIdx); the vectors are read from JacV through
// EigIdx and written once at the end, which gives the rows that moving them would give.
void JacobiSolver::Extract() {
  if (!ValidOrder(JacN)) return;
  const int n = JacN, h = n / 2;
  for (int m = 1; m <= n; ++m) {
    EigVal[m] = JacA[m][m];
    EigIdx[m] = m;
  }
  auto swapEntries = [this](int a, int b) {
    std::swap(EigVal[a], EigVal[b]);
    std::swap(EigIdx[a], EigIdx[b]);
  };

  int last = n - 1;
  while (last >= 1) {
    const int bound = last;
    last = 0;
    for (int i = 1; i <= bound; ++i)
      if (!EigEqual(EigVal[i], EigVal[i + 1]) && EigVal[i] < EigVal[i + 1]) {
        swapEntries(i, i + 1);
        last = i - 1;
      }
  }

  // Partners of a complex eigenvector: Re of one matches Im of the other in magnitude.
  auto distance = [this, h](int f, int m) {
    const double* vf = JacVT[EigIdx[f]];
    const double* vm = JacVT[EigIdx[m]];
    double sum = 0;
    for (int j = 1; j <= h; ++j)
      sum += std::fabs(std::fabs(vf[j]) - std::fabs(vm[j + h])) +
             std::fabs(std::fabs(vf[j + h]) - std::fabs(vm[j]));
    return sum;
  };
  int s = 0;
  do {
    const int f = s + 1;
    s = f;
    while (s < n && EigEqual(EigVal[s + 1], EigVal[f])) ++s;
    if (s - f >= 2) {
      int best = f + 1;
      double bestSum = distance(f, f + 1);
      for (int m = f + 2; m <= s; ++m) {
        const double sum = distance(f, m);
        if (sum < bestSum) bestSum = sum, best = m;
      }
      if (best != f + 1) swapEntries(f + 1, best);
      s = f + 1;
    }
  } while (n - 1 > s);

  int keep[kJacMax + 1] = {};
  for (int m = 1; 2 * m <= n; ++m) {
    const int a = 2 * m - 1, b = 2 * m;
    const double* va = JacVT[EigIdx[a]];
    const double* vb = JacVT[EigIdx[b]];
    double s1 = 0, s2 = 0;
    for (int j = 1; j <= h; ++j) {
      s1 += std::fabs(va[j] - vb[j + h]) + std::fabs(va[j + h] + vb[j]);
      s2 += std::fabs(vb[j] - va[j + h]) + std::fabs(vb[j + h] + va[j]);
    }
    keep[a] = s1 < s2 ? 1 : 0;
    keep[b] = s1 < s2 ? 0 : 1;
  }

  double val[kJacMax + 1];
  int idx[kJacMax + 1];
  bool partner[kJacMax + 1];
  int c = 0;
  for (int pass = 1; pass >= 0; --pass)
    for (int m = 1; m <= n; ++m)
      if (keep[m] == pass) {
        ++c;
        val[c] = EigVal[m];
        idx[c] = EigIdx[m];
        partner[c] = pass == 0;
      }
  for (int e = 1; e <= n; ++e) {
    EigVal[e] = val[e];
    EigIdx[e] = idx[e];
    EigKeep[e] = e <= h ? 1 : 0;
    const double* v = JacVT[idx[e]];
    double* re = EigVecRe[e];
    double* im = EigVecIm[e];
    double* sq = EigVecSq[e];
    for (int j = 1; j <= h; ++j) {
      const double x = v[j], y = v[j + h];
      sq[j] = x * x + y * y;
      // A partner is turned into its kept form by multiplying with -i.
      re[j] = partner[e] ? y : x;
      im[j] = partner[e] ? -x : y;
    }
  }
}

std::string CompactNumberText(int w, double x) {
  std::string t = FormatFixed(x, w + 2, w) + "|";
  for (const char* tail : {"0000|", "000|", "00|", "0|", ".|"}) {
    const size_t at = t.find(tail);
    if (at != std::string::npos) t.replace(at, std::char_traits<char>::length(tail), "|");
  }
  const size_t bar = t.find('|');
  if (bar != std::string::npos) t.erase(bar, 1);
  return t;
}

}  // namespace quarnel
