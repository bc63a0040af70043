#include <iostream>
#include <memory>

#include "bands/dos.h"
#include "cli/cli_runs.h"
#include "numeric/kpoint_calc.h"
#include "support/number_text.h"
#include "support/text_utils.h"

namespace quarnel::cli {

int RunDos(const Options& options) {
  std::string modelFile;
  int grid = 20, bins = 100, smooth = 0;
  const auto& a = options.args;
  for (std::size_t k = 0; k < a.size(); ++k) {
    int* target = a[k] == "--grid"     ? &grid
                  : a[k] == "--bins"   ? &bins
                  : a[k] == "--smooth" ? &smooth
                                       : nullptr;
    if (target) {
      if (k + 1 >= a.size() || !TryParseInt(a[k + 1], *target))
        return UsageError(a[k] + " needs an integer");
      ++k;
    } else if (modelFile.empty()) {
      modelFile = a[k];
    } else {
      return UsageError("unexpected argument '" + a[k] + "'");
    }
  }
  if (modelFile.empty()) return UsageError("dos needs MODEL");
  // The window's edits clamp to the same ranges.
  grid = ClampInt(grid, 5, 50);
  bins = ClampInt(bins, 10, 1000);
  smooth = ClampInt(smooth, 0, 5);

  auto model = std::make_unique<ModelData>();
  PendingMessages messages = StderrMessages();
  const int status = LoadModel(options, modelFile, *model, messages);
  if (status != kExitOk) return status;

  const int n = model->NOrb;
  const std::size_t points = static_cast<std::size_t>(grid + 1) * (grid + 1) * (grid + 1);
  DosSamples samples;
  samples.Start(points * n, n);
  auto solver = std::make_unique<JacobiSolver>();
  solver->JacVerbose = false;
  HamMatrix hamK = {};
  if (n > 0)
    for (int iz = 0; iz <= grid; ++iz)
      for (int iy = 0; iy <= grid; ++iy)
        for (int ix = 0; ix <= grid; ++ix) {
          CalcKpoint(*model, KPointFromNumerators(grid, ix, iy, iz), hamK, *solver);
          for (int i = 1; i <= n; ++i) samples.Add(solver->EigVal[i], solver->EigVecSq[i]);
        }
  DosCurves curves = DosHistogram(samples, bins);
  SmoothDos(curves, smooth);

  std::cout << "energy,total";
  for (int j = 1; j <= n; ++j) std::cout << "," << CsvField(model->OrbName[j]);
  std::cout << "\n";
  for (std::size_t p = 0; p < curves.energy.size(); ++p) {
    std::cout << FormatG(curves.energy[p], 12);
    for (const auto& v : curves.value) std::cout << "," << FormatG(v[p], 12);
    std::cout << "\n";
  }
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
