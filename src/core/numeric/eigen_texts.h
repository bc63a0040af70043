// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts of the eigen-result grid: eigenvalues, coefficients and the row and column sums that
// check normalisation and completeness.

#include <string>

namespace quarnel {

class JacobiSolver;

// "%9.6f" of an eigenvalue.
std::string EigenValueText(double value);
// "%10.6f" of the squared modulus, or "%10.6f +%8.6f*I" with "+-" shown as "-".
std::string CoefficientText(bool square, double sq, double re, double im);
// "SUM=%8.6f" with " !!!" when the sum is not 1 within 1e-4, or "SR=%8.6f SI=%8.6f".
std::string SumText(bool square, double sumSq, double sumRe, double sumIm);
// Cell (0, 0) after a calculation: "%9.6f/%d" of the last angle and the rotation count.
std::string AngleText(double angle, int rotations);

// The whole grid of n bands as cells [row][col], rows and columns 0..n+1; row 0 and column 0
// other than the eigenvalues are left empty (they belong to the headers).
struct EigenGridTexts {
  std::string cell[18][18];
};
void FillEigenGridTexts(const JacobiSolver& solver, int n, bool square, EigenGridTexts& out);

}  // namespace quarnel
