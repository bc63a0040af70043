// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/eigen_texts.h"

#include <cmath>

#include "numeric/jacobi_solver.h"
#include "support/number_text.h"

namespace quarnel {

std::string EigenValueText(double value) { return FormatFixed(value, 9, 6); }

std::string CoefficientText(bool square, double sq, double re, double im) {
  if (square) return FormatFixed(sq, 10, 6);
  std::string text = FormatFixed(re, 10, 6) + " +" + FormatFixed(im, 8, 6) + "*I";
  const auto p = text.find("+-");
  if (p != std::string::npos) text.erase(p, 1);
  return text;
}

std::string SumText(bool square, double sumSq, double sumRe, double sumIm) {
  if (square)
    return "SUM=" + FormatFixed(sumSq, 8, 6) + (std::fabs(sumSq - 1) <= 1e-4 ? "" : " !!!");
  return "SR=" + FormatFixed(sumRe, 8, 6) + " SI=" + FormatFixed(sumIm, 8, 6);
}

std::string AngleText(double angle, int rotations) {
  return FormatFixed(angle, 9, 6) + "/" + std::to_string(rotations);
}

void FillEigenGridTexts(const JacobiSolver& s, int n, bool square, EigenGridTexts& out) {
  for (auto& row : out.cell)
    for (auto& c : row) c.clear();
  double colSq[18] = {}, colRe[18] = {}, colIm[18] = {};
  for (int m = 1; m <= n; ++m) {
    out.cell[m][0] = EigenValueText(s.EigVal[m]);
    double sq = 0, re = 0, im = 0;
    for (int j = 1; j <= n; ++j) {
      out.cell[m][j] = CoefficientText(square, s.EigVecSq[m][j], s.EigVecRe[m][j], s.EigVecIm[m][j]);
      sq += s.EigVecSq[m][j], re += s.EigVecRe[m][j], im += s.EigVecIm[m][j];
      colSq[j] += s.EigVecSq[m][j], colRe[j] += s.EigVecRe[m][j], colIm[j] += s.EigVecIm[m][j];
    }
    out.cell[m][n + 1] = SumText(square, sq, re, im);
  }
  for (int j = 1; j <= n; ++j) out.cell[n + 1][j] = SumText(square, colSq[j], colRe[j], colIm[j]);
}

}  // namespace quarnel
