// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Jacobi method written the plain way: full row-major pivot scan, cos and sin of theta,
// full N x N products, and extraction that moves whole rows. The fast solver is checked
// against it.

#include <cmath>
#include <utility>

#include "numeric/jacobi_solver.h"

namespace quarnel::test {

struct ReferenceJacobi {
  static constexpr int M = kJacMax + 1;
  int N = 0;
  double A[M][M] = {}, V[M][M] = {}, R[M][M] = {}, RT[M][M] = {}, Tmp[M][M] = {};
  int iter = 0, p = 0, q = 0;
  double EigVal[M] = {}, Re[M][M] = {}, Im[M][M] = {}, Sq[M][M] = {};
  int EigIdx[M] = {}, EigKeep[M] = {};

  void Load(const double input[M][M], int n) {
    N = n;
    for (int i = 0; i < M; ++i)
      for (int j = 0; j < M; ++j) A[i][j] = input[i][j], V[i][j] = (i == j);
    iter = 0;
  }

  double PivotStep() {
    double max = 0;
    int r0 = 0, c0 = 0;
    for (int r = 1; r <= N; ++r)
      for (int c = 1; c <= N; ++c)
        if (c != r && std::fabs(A[r][c]) > max) max = std::fabs(A[r][c]), r0 = r, c0 = c;
    p = std::min(r0, c0);
    q = std::max(r0, c0);
    if (r0 == 0) return 0;
    double d = A[p][p] - A[q][q];
    if (d == 0) d = 1.0;
    const double theta = std::atan(2 * A[p][q] / d) / 2;
    for (int i = 1; i <= N; ++i)
      for (int j = 1; j <= N; ++j) R[i][j] = (i == j);
    R[p][p] = std::cos(theta);
    R[p][q] = std::sin(theta);
    R[q][p] = -std::sin(theta);
    R[q][q] = std::cos(theta);
    for (int i = 1; i <= N; ++i)
      for (int j = 1; j <= N; ++j) RT[i][j] = R[j][i];
    return theta;
  }

  void Product(const double X[M][M], const double Y[M][M], double C[M][M]) const {
    for (int i = 1; i <= N; ++i)
      for (int j = 1; j <= N; ++j) {
        C[i][j] = 0;
        for (int k = 1; k <= N; ++k) C[i][j] += X[i][k] * Y[k][j];
      }
  }

  void ApplyRotation() {
    static double copy[M][M];
    Product(A, RT, Tmp);
    Product(R, Tmp, A);
    for (int i = 0; i < M; ++i)
      for (int j = 0; j < M; ++j) copy[i][j] = V[i][j];
    Product(copy, RT, V);
  }

  double Solve(int maxRot) {
    if (maxRot == 0) maxRot = 1;
    double theta = 0;
    for (int k = 0; k < maxRot; ++k) {
      theta = PivotStep();
      if (theta == 0) break;
      ApplyRotation();
      ++iter;
    }
    Extract();
    return std::fabs(theta);
  }

  static bool Equal(double a, double b) { return std::fabs(a - b) <= 1e-6; }

  void Swap(int a, int b) {
    std::swap(EigVal[a], EigVal[b]);
    std::swap(EigIdx[a], EigIdx[b]);
    for (int j = 1; j <= N / 2; ++j) {
      std::swap(Re[a][j], Re[b][j]);
      std::swap(Im[a][j], Im[b][j]);
      std::swap(Sq[a][j], Sq[b][j]);
    }
  }

  void Extract() {
    const int h = N / 2;
    for (int m = 1; m <= N; ++m) {
      EigVal[m] = A[m][m];
      EigIdx[m] = m;
      for (int j = 1; j <= h; ++j) {
        Re[m][j] = V[j][m];
        Im[m][j] = V[j + h][m];
        Sq[m][j] = Re[m][j] * Re[m][j] + Im[m][j] * Im[m][j];
      }
    }
    for (int last = N - 1; last >= 1;) {
      const int bound = last;
      last = 0;
      for (int i = 1; i <= bound; ++i)
        if (!Equal(EigVal[i], EigVal[i + 1]) && EigVal[i] < EigVal[i + 1])
          Swap(i, i + 1), last = i - 1;
    }
    int s = 0;
    do {
      const int f = s + 1;
      s = f;
      while (s < N && Equal(EigVal[s + 1], EigVal[f])) ++s;
      if (s - f >= 2) {
        int best = 0;
        double bestSum = 0;
        for (int m = f + 1; m <= s; ++m) {
          double sum = 0;
          for (int j = 1; j <= h; ++j)
            sum += std::fabs(std::fabs(Re[f][j]) - std::fabs(Im[m][j])) +
                   std::fabs(std::fabs(Im[f][j]) - std::fabs(Re[m][j]));
          if (best == 0 || sum < bestSum) best = m, bestSum = sum;
        }
        if (best != f + 1) Swap(f + 1, best);
        s = f + 1;
      }
    } while (N - 1 > s);
    int keep[M] = {};
    for (int m = 1; m <= h; ++m) {
      const int a = 2 * m - 1, b = 2 * m;
      double s1 = 0, s2 = 0;
      for (int j = 1; j <= h; ++j) {
        s1 += std::fabs(Re[a][j] - Im[b][j]) + std::fabs(Im[a][j] + Re[b][j]);
        s2 += std::fabs(Re[b][j] - Im[a][j]) + std::fabs(Im[b][j] + Re[a][j]);
      }
      keep[a] = s1 < s2;
      keep[b] = !(s1 < s2);
    }
    static double val[M], re[M][M], im[M][M], sq[M][M];
    static int idx[M];
    for (int m = 1; m <= N; ++m) {
      val[m] = EigVal[m], idx[m] = EigIdx[m];
      for (int j = 1; j <= h; ++j) re[m][j] = Re[m][j], im[m][j] = Im[m][j], sq[m][j] = Sq[m][j];
    }
    int c = 0;
    for (int m = 1; m <= N; ++m)
      if (keep[m]) {
        ++c;
        EigVal[c] = val[m], EigIdx[c] = idx[m];
        for (int j = 1; j <= h; ++j) Re[c][j] = re[m][j], Im[c][j] = im[m][j], Sq[c][j] = sq[m][j];
      }
    for (int m = 1; m <= N; ++m)
      if (!keep[m]) {
        ++c;
        EigVal[c] = val[m], EigIdx[c] = idx[m];
        for (int j = 1; j <= h; ++j) Re[c][j] = im[m][j], Im[c][j] = -re[m][j], Sq[c][j] = sq[m][j];
      }
    for (int m = 1; m <= N; ++m) EigKeep[m] = m <= h;
  }
};

}  // namespace quarnel::test
