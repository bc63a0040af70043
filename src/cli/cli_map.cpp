// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_map.h"

#include <cmath>
#include <iostream>
#include <memory>

#include "bands/kmap.h"
#include "bands/kmap_csv.h"
#include "cli/cli_runs.h"
#include "support/number_text.h"
#include "support/text_utils.h"

namespace quarnel::cli {

int RunMap(const Options& options) {
  std::string modelFile;
  int band = 0, grid = kDefaultKMapGrid, threads = DefaultThreads();
  double kz = 0;
  bool weights = false;
  const auto& a = options.args;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k] == "--weights") {
      weights = true;
      continue;
    }
    if (a[k] == "--kz") {
      if (k + 1 >= a.size() || !ReadNumber(a[k + 1], kz) || !std::isfinite(kz))
        return UsageError("--kz needs a number");
      ++k;
      continue;
    }
    const int intOption =
        ParseIntOption(a, k, {{"--band", &band}, {"--grid", &grid}, {"--threads", &threads}});
    if (intOption < 0) return kExitUsage;
    if (intOption > 0) continue;
    if (modelFile.empty()) {
      modelFile = a[k];
    } else {
      return UsageError("unexpected argument '" + a[k] + "'");
    }
  }
  if (modelFile.empty()) return UsageError("map needs MODEL");
  if (band < 1) return UsageError("map needs --band b with b = 1 (the highest band) or more");
  if (grid < 1 || grid > kMaxKMapGrid)
    return UsageError("--grid needs n from 1 to " + std::to_string(kMaxKMapGrid));
  if (threads < 1) return UsageError("--threads needs a count of at least 1");

  auto model = std::make_unique<ModelData>();
  PendingMessages messages = StderrMessages();
  const int status = LoadModel(options, modelFile, *model, messages);
  if (status != kExitOk) return status;
  if (model->NOrb < 1) {
    std::cerr << "quarnel-cli: " << modelFile << ": the model has no orbitals\n";
    return kExitNoFile;
  }
  if (band > model->NOrb) {
    std::cerr << "quarnel-cli: " << modelFile << ": no band " << band << ", the model has "
              << model->NOrb << (model->NOrb == 1 ? " band\n" : " bands\n");
    return kExitUsage;
  }

  KMapGrid map;
  ComputeKMap(TableModel(*model), grid, kz, band, threads, map);
  RunDescription run;
  run.modelFile = modelFile;
  run.modelForm = model->BetaTyp;
  const std::string text = KMapCsv(run, OrbitalNames(TableModel(*model)), map, weights);
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
