// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <memory>

#include "cli/cli_numeric.h"
#include "support/number_text.h"
#include "workbench/hermitian_check.h"
#include "workbench/matrix_file.h"
#include "workbench/results_listing.h"

namespace quarnel::cli {

int RunJacobi(const Options& options) {
  const auto& a = options.args;
  std::string file;
  int rotations = 50;
  for (size_t k = 0; k < a.size(); ++k) {
    if (a[k] == "--rotations") {
      if (k + 1 >= a.size() || !TryParseInt(a[k + 1], rotations) || rotations < 0)
        return UsageError("--rotations needs a count of at least 0");
      ++k;
    } else if (file.empty()) {
      file = a[k];
    } else {
      return UsageError("jacobi takes one matrix file");
    }
  }
  if (file.empty()) return UsageError("jacobi needs a matrix file");

  auto solver = std::make_unique<JacobiSolver>();
  MatrixGrid grid;
  PendingMessages messages = StderrMessages();
  if (ReadMatrixFile(file, grid, *solver, messages) != 0) {
    ShowPendingMessages(messages);
    return kExitNoFile;
  }
  // Said, not refused: the workbench steps through such a matrix too.
  CheckHermitianMatrix(file, *solver, messages);
  ShowPendingMessages(messages);
  solver->Reset();
  solver->Solve(rotations);
  for (const auto& line : ResultsListing(*solver)) std::cout << line << "\n";
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
