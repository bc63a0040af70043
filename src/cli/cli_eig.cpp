// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <memory>

#include "cli/cli_numeric.h"
#include "numeric/kpoint_calc.h"
#include "support/number_text.h"

namespace quarnel::cli {

int RunEig(const Options& options) {
  const auto& a = options.args;
  bool complexOut = false;
  std::vector<std::string> plain;
  for (const auto& arg : a) {
    if (arg == "--complex")
      complexOut = true;
    else
      plain.push_back(arg);
  }
  if (plain.size() != 5) return UsageError("eig needs MODEL KX KY KZ DIV");
  int n[4];
  for (int d = 0; d < 4; ++d)
    if (!TryParseInt(plain[d + 1], n[d])) return UsageError("not an integer: " + plain[d + 1]);

  auto model = std::make_unique<ModelData>();
  PendingMessages messages = StderrMessages();
  const int status = LoadModel(options, plain[0], *model, messages);
  if (status != kExitOk) return status;

  auto solver = std::make_unique<JacobiSolver>();
  HamMatrix hamK = {};
  const KPoint kp = KPointFromNumerators(n[3], n[0], n[1], n[2]);
  const double angle = CalcKpoint(TableModel(*model), kp, hamK, *solver);

  const int norb = model->NOrb;
  std::cout << "# angle=" << FormatG(angle, 12) << " rotations=" << solver->JacIter << "\n";
  for (int m = 1; m <= norb; ++m) {
    std::string line = FormatG(solver->EigVal[m], 12);
    for (int j = 1; j <= norb; ++j) {
      if (complexOut)
        line +=
            " " + FormatG(solver->EigVecRe[m][j], 12) + " " + FormatG(solver->EigVecIm[m][j], 12);
      else
        line += " " + FormatG(solver->EigVecSq[m][j], 12);
    }
    std::cout << line << "\n";
  }
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
