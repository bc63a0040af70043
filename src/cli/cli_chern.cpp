// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "bands/csv_export.h"
#include "cli/cli_topology.h"
#include "support/number_text.h"
#include "topology/chern_plaquettes.h"

namespace quarnel::cli {

namespace {

std::string Number(double x) {
  return FormatG(x, 12);
}

}  // namespace

int RunChern(const Options& options) {
  std::string modelFile;
  int grid = kDefaultTopologyGrid, occupied = kOccupiedNotGiven;
  const auto& a = options.args;
  for (std::size_t k = 0; k < a.size(); ++k) {
    const int intOption = ParseIntOption(a, k, {{"--grid", &grid}, {"--occupied", &occupied}});
    if (intOption < 0) return kExitUsage;
    if (intOption > 0) continue;
    if (!modelFile.empty() || (a[k].size() > 1 && a[k][0] == '-'))
      return UsageError("unexpected argument '" + a[k] + "'");
    modelFile = a[k];
  }
  if (modelFile.empty()) return UsageError("chern needs MODEL");
  if (CheckTopologyGrid(grid) != kExitOk) return kExitUsage;
  if (CheckOccupied(occupied) != kExitOk) return kExitUsage;

  AnyModel any;
  int status = LoadLatticeModel(options, modelFile, "chern", any);
  if (status != kExitOk) return status;
  int dirs[3];
  const int periodic = PeriodicList(*any.lattice, dirs);
  if (periodic < 2)
    return UsageError("chern needs a model periodic in two directions; " + modelFile +
                      " is periodic in " + std::to_string(periodic));
  status = OccupiedBands(any, occupied, occupied);
  if (status != kExitOk) return status;

  const OccupiedStates states(*any.lattice, occupied);
  const ChernPlaquettes c = ComputeChernPlaquettes(states, dirs[0], dirs[1], grid);
  if (!c.ok) {
    std::cerr << "quarnel-cli: " << modelFile << ": the eigensolver failed on the grid\n";
    return kExitNoFile;
  }
  RunDescription run;
  run.modelFile = modelFile;
  run.modelForm = any.form;
  std::string out = CsvHeader("Chern number", run);
  out += "# plane=" + std::to_string(dirs[0] + 1) + "," + std::to_string(dirs[1] + 1) +
         " grid=" + std::to_string(grid) + " occupied=" + std::to_string(occupied) + "\n";
  const bool defined = c.guard.Defined();
  out += "# chern=" + (defined ? std::to_string(c.chern) : std::string("undefined")) +
         " gap=" + Number(c.guard.gap) + " gap_at=" + Number(c.guard.k[0]) + "," +
         Number(c.guard.k[1]) + "," + Number(c.guard.k[2]) + " plaquette_sum=" + Number(c.sum) +
         "\n";
  if (!defined) out += "# chern " + c.guard.Reason() + "\n";
  out += "k1,k2,curvature\n";
  for (int j = 0; j < grid; ++j)
    for (int i = 0; i < grid; ++i)
      out += Number(2.0 * i / grid) + "," + Number(2.0 * j / grid) + "," +
             Number(c.curvature[static_cast<std::size_t>(j) * grid + i]) + "\n";
  std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
