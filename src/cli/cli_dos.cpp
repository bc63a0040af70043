// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <memory>

#include "bands/csv_export.h"
#include "bands/dos.h"
#include "bands/dos_grid.h"
#include "bands/tetrahedron_dos.h"
#include "cli/cli_filling.h"
#include "cli/cli_runs.h"
#include "support/text_utils.h"

namespace quarnel::cli {

int DefaultThreads() {
  return DefaultDosThreads();
}

int RunDos(const Options& options) {
  std::string modelFile;
  int grid = 20, bins = 100, smooth = 0, threads = DefaultThreads();
  DosSolver solver = DosSolver::Fast;
  FillingOptions filling;
  bool tetra = false, smoothGiven = false;
  const auto& a = options.args;
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k] == "--method") {
      if (k + 1 >= a.size() || (a[k + 1] != "histogram" && a[k + 1] != "tetra"))
        return UsageError("--method needs histogram or tetra");
      tetra = a[++k] == "tetra";
      continue;
    }
    smoothGiven = smoothGiven || a[k] == "--smooth";
    if (a[k] == "--solver") {
      if (k + 1 >= a.size() || (a[k + 1] != "fast" && a[k + 1] != "jacobi"))
        return UsageError("--solver needs fast or jacobi");
      solver = a[++k] == "jacobi" ? DosSolver::Jacobi : DosSolver::Fast;
      continue;
    }
    const int fillingOption = ParseFillingOption(a, k, filling);
    if (fillingOption < 0) return kExitUsage;
    if (fillingOption > 0) continue;
    const int intOption = ParseIntOption(
        a, k,
        {{"--grid", &grid}, {"--bins", &bins}, {"--smooth", &smooth}, {"--threads", &threads}});
    if (intOption < 0) return kExitUsage;
    if (intOption > 0) continue;
    if (modelFile.empty()) {
      modelFile = a[k];
    } else {
      return UsageError("unexpected argument '" + a[k] + "'");
    }
  }
  if (modelFile.empty()) return UsageError("dos needs MODEL");
  if (threads < 1) return UsageError("--threads needs a count of at least 1");
  if (!CheckFillingOptions(filling)) return kExitUsage;
  // The tetrahedra give smooth curves themselves; a Gaussian would only blur their edges.
  if (tetra && smoothGiven) return UsageError("--smooth works with --method histogram only");
  // The window's edits clamp to the same ranges.
  grid = ClampInt(grid, 5, 50);
  bins = ClampInt(bins, 10, 1000);
  smooth = ClampInt(smooth, 0, 5);

  auto model = std::make_unique<ModelData>();
  PendingMessages messages = StderrMessages();
  const int status = LoadModel(options, modelFile, *model, messages);
  if (status != kExitOk) return status;

  DosSamples samples;
  SampleDosGrid(TableModel(*model), grid, threads, samples, solver);
  DosCurves curves = DosHistogram(samples, bins);
  SmoothDos(curves, smooth);
  const KGridShape shape = TableModel(*model).DosGrid(grid);
  TetraDosResult tetraResult;
  if (tetra) {
    TetraDos(shape, samples, bins, threads, tetraResult, filling.set);
    curves = tetraResult.curves;
  }

  RunDescription run;
  run.modelFile = modelFile;
  run.modelForm = model->BetaTyp;
  run.grid = grid;
  run.bins = bins;
  run.smooth = smooth;
  run.samples = samples.Count();
  if (tetra) run.method = "tetrahedra";
  std::string text;
  if (!filling.set)
    text = DosCsv(run, OrbitalNames(TableModel(*model)), curves);
  else if (tetra ? !FilledTetraDosCsv(filling, modelFile, run, OrbitalNames(TableModel(*model)),
                                      shape, samples, tetraResult, threads, text)
                 : !FilledDosCsv(filling, modelFile, run, OrbitalNames(TableModel(*model)), samples,
                                 text))
    return kExitNoFile;
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::cout.flush();
  if (!std::cout) return kExitNoFile;
  // Energies near the largest double leave no interval to count in; an empty table alone would
  // read as success.
  if (samples.Count() > 0 && curves.Empty()) {
    std::cerr << "quarnel-cli: " << modelFile
              << (tetra && !DosHistogram(samples, bins).Empty()
                      ? ": k points without energies leave no whole tetrahedra; no density of "
                        "states\n"
                      : ": the energies span no finite range; no density of states\n");
    return kExitNoFile;
  }
  return kExitOk;
}

}  // namespace quarnel::cli
