// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbench/results_listing.h"

#include "support/number_text.h"

namespace quarnel {
namespace {

std::string EntryLine(const JacobiSolver& s, int e, int h) {
  std::string line = std::to_string(s.EigIdx[e]) + "(" + std::to_string(s.EigKeep[e]) + ")\t" +
                     FormatFixed(s.EigVal[e], 8, 6);
  for (int j = 1; j <= h; ++j)
    line += "\t" + FormatFixed(s.EigVecRe[e][j], 8, 6) + "\t" + FormatFixed(s.EigVecIm[e][j], 8, 6);
  return line;
}

}  // namespace

std::vector<std::string> ResultsListing(const JacobiSolver& solver) {
  const int h = solver.JacN / 2;
  std::vector<std::string> lines;
  std::string header = "i(s)\tEigVal";
  for (int m = 1; m <= h; ++m) header += "\tR" + std::to_string(m) + "\tI" + std::to_string(m);
  lines.push_back(header);
  for (int m = 1; m <= h; ++m) {
    lines.push_back(EntryLine(solver, m, h));
    lines.push_back(EntryLine(solver, m + h, h));
  }
  return lines;
}

}  // namespace quarnel
