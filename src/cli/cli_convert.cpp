// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <string>

#include "cli/cli_commands.h"
#include "model/wannier_files.h"
#include "support/number_text.h"
#include "support/text_utils.h"

namespace quarnel::cli {

int RunConvert(const Options& options) {
  std::vector<std::string> names;
  double minHop = 0;
  const auto& a = options.args;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k] == "--min") {
      if (k + 1 >= a.size() || !ReadNumber(a[k + 1], minHop) || !std::isfinite(minHop) ||
          minHop < 0)
        return UsageError("--min needs a number of at least 0");
      ++k;
      continue;
    }
    names.push_back(a[k]);
  }
  if (names.size() != 2) return UsageError("convert needs IN and OUT");
  const std::string& in = names[0];
  const std::string& out = names[1];
  PendingMessages messages = StderrMessages();
  int result = 0;
  if (!WannierSeedName(in).empty() && FileExtension(out) == "qrl") {
    result = ConvertHrToLattice(in, out, minHop, messages);
  } else if (FileExtension(in) == "qrl" && !WannierSeedName(out).empty()) {
    result = ConvertLatticeToHr(in, out, messages);
  } else {
    return UsageError("convert takes SEED_hr.dat to NAME.qrl, or NAME.qrl to SEED_hr.dat");
  }
  ShowPendingMessages(messages);
  return result == 0 ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
