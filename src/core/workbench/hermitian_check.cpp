// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbench/hermitian_check.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/number_text.h"

namespace quarnel {
namespace {

constexpr std::size_t kListed = 5;

// Equal but for the last bits: "0.1+0.2" and "0.3" in a file mean the same number.
bool Same(double a, double b) {
  return a == b || std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
}

std::string ComplexText(double re, double im) {
  if (im == 0) im = 0;  // no "-0"
  return FormatGeneral(re) + (im >= 0 ? "+" : "") + FormatGeneral(im) + "i";
}

std::string At(int i, int j) {
  return "(" + std::to_string(i) + "," + std::to_string(j) + ")";
}

}  // namespace

bool CheckHermitianMatrix(const std::string& name, const JacobiSolver& solver,
                          PendingMessages& messages) {
  const int n = std::min(solver.JacN, kJacMax) / 2;
  const auto& a = solver.JacInput;
  std::vector<std::string> found;
  std::size_t count = 0;
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) {
      const double re = a[i][j], im = a[i][j + n], reT = a[j][i], imT = a[j][i + n];
      if (Same(re, reT) && Same(im, -imT)) continue;
      if (++count > kListed) continue;
      found.push_back(i == j ? At(i, i) + " = " + ComplexText(re, im) + " is not real"
                             : At(i, j) + " = " + ComplexText(re, im) + " but " + At(j, i) + " = " +
                                   ComplexText(reT, imT) + ", not " + ComplexText(re, -im));
    }
  if (count == 0) return true;
  std::string text = name + ": not a Hermitian matrix, so the Jacobi results do not belong to " +
                     "it. Element (j,i) must be the complex conjugate of element (i,j):";
  for (const std::string& line : found) text += "\r\n  " + line;
  if (count > kListed) text += "\r\n  and " + std::to_string(count - kListed) + " more";
  AddPendingMessage(messages, text);
  return false;
}

}  // namespace quarnel
