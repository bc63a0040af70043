// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix files of the workbench: the file reader and the line reader must agree, the matrix must
// have the block form [[R, I], [-I, R]] within the size limit, and the solver must step through
// it without hanging or leaving its storage.

#include <cmath>
#include <memory>

#include "fuzz_support.h"
#include "numeric/jacobi_solver.h"
#include "support/pending_messages.h"
#include "workbench/jacobi_check.h"
#include "workbench/matrix_file.h"

using namespace quarnel;

namespace {

std::vector<std::string> RowsAfterTitle(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  bool any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    any = true;
    if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(line);
      line.clear();
      any = false;
    } else {
      line += c;
    }
  }
  if (any) lines.push_back(line);
  if (!lines.empty()) lines.erase(lines.begin());
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string& name = quarnel_fuzz::InputFile(data, size, "qmx");

  auto solver = std::make_unique<JacobiSolver>();
  solver->JacVerbose = false;
  MatrixGrid grid;
  PendingMessages messages;
  FUZZ_CHECK(LoadMatrixFile(name, grid, *solver, messages) == 0);
  const int n2 = solver->JacN, n = n2 / 2;
  FUZZ_CHECK(n >= 1 && n <= kMaxMatrixRows && n2 == 2 * n);
  FUZZ_CHECK(grid.RowCount() == n2 + 1 && grid.ColCount() == n2 + 1);
  for (const auto& row : grid.Cells) FUZZ_CHECK(static_cast<int>(row.size()) == n2 + 1);
  for (int r = 1; r <= n; ++r)
    for (int c = 1; c <= n; ++c) {
      const double re = solver->JacInput[r][c], im = solver->JacInput[r][c + n];
      FUZZ_CHECK(std::isfinite(re) && std::isfinite(im));
      FUZZ_CHECK(solver->JacInput[r + n][c + n] == re);
      // Minus I goes through the 15-digit text of the grid.
      FUZZ_CHECK(std::fabs(solver->JacInput[r + n][c] + im) <= 1e-14 * std::fabs(im));
    }

  // The same text handed over as lines.
  auto solver2 = std::make_unique<JacobiSolver>();
  solver2->JacVerbose = false;
  MatrixGrid grid2;
  PendingMessages messages2;
  LoadMatrixLines(RowsAfterTitle(text), grid2, *solver2, messages2);
  FUZZ_CHECK(grid2.Cells == grid.Cells);
  FUZZ_CHECK(messages2.Text == messages.Text);

  // Saving the grid and loading the save gives [[M, 0], [0, M]] (cut at the size limit).
  const std::string saved = FormatMatrixFile(grid);
  auto solver3 = std::make_unique<JacobiSolver>();
  MatrixGrid grid3;
  PendingMessages messages3;
  LoadMatrixLines(RowsAfterTitle(saved), grid3, *solver3, messages3);
  const int m = std::min(n2, kMaxMatrixRows);
  FUZZ_CHECK(solver3->JacN == 2 * m);
  for (int r = 1; r <= m; ++r)
    for (int c = 1; c <= m; ++c) FUZZ_CHECK(solver3->JacInput[r][c] == solver->JacInput[r][c]);

  // Hand steps, then a bounded solve and the check of the eigenpairs.
  solver->Reset();
  for (int step = 0; step < 8; ++step) {
    solver->PivotStep();
    solver->ApplyRotation();
  }
  solver->Solve(200);
  for (int i = 1; i <= n2; ++i) FUZZ_CHECK(solver->EigIdx[i] >= 1 && solver->EigIdx[i] <= n2);
  auto check = std::make_unique<JacobiCheckResult>();
  CheckEigenpairs(*solver, *check);
  return 0;
}
