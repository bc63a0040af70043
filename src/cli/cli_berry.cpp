// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "bands/csv_export.h"
#include "cli/cli_topology.h"
#include "support/number_text.h"
#include "topology/time_reversal.h"
#include "topology/wilson_loop.h"

namespace quarnel::cli {

namespace {

std::string Number(double x) {
  return FormatG(x, 12);
}

}  // namespace

int RunBerry(const Options& options) {
  std::string modelFile;
  int grid = kDefaultTopologyGrid, occupied = kOccupiedNotGiven, dir = 0;
  const auto& a = options.args;
  for (std::size_t k = 0; k < a.size(); ++k) {
    const int intOption =
        ParseIntOption(a, k, {{"--grid", &grid}, {"--occupied", &occupied}, {"--dir", &dir}});
    if (intOption < 0) return kExitUsage;
    if (intOption > 0) continue;
    if (!modelFile.empty() || (a[k].size() > 1 && a[k][0] == '-'))
      return UsageError("unexpected argument '" + a[k] + "'");
    modelFile = a[k];
  }
  if (modelFile.empty()) return UsageError("berry needs MODEL");
  if (dir < 1 || dir > 3) return UsageError("berry needs --dir d with d = 1, 2 or 3");
  if (CheckTopologyGrid(grid) != kExitOk) return kExitUsage;
  if (CheckOccupied(occupied) != kExitOk) return kExitUsage;

  AnyModel any;
  int status = LoadLatticeModel(options, modelFile, "berry", any);
  if (status != kExitOk) return status;
  int dirs[3];
  const int periodic = PeriodicList(*any.lattice, dirs);
  const int d = dir - 1;
  bool isPeriodic = false;
  for (int p = 0; p < periodic; ++p) isPeriodic = isPeriodic || dirs[p] == d;
  if (!isPeriodic)
    return UsageError("--dir " + std::to_string(dir) + " is not a periodic direction of " +
                      modelFile);
  status = OccupiedBands(any, occupied, occupied);
  if (status != kExitOk) return status;

  // The other in-plane direction: the other of the first two periodic directions (the first one
  // when d is a 3-D model's third); none for a chain.
  int other = -1;
  if (periodic >= 2) other = d == dirs[0] ? dirs[1] : dirs[0];
  const OccupiedStates states(*any.lattice, occupied);
  const double origin[3] = {0, 0, 0};
  GapGuard loopGuard;
  const WilsonLoop loop = ComputeWilsonLoop(states, d, origin, grid, loopGuard);
  WannierFlow flow;
  if (other >= 0) flow = ComputeWannierFlow(states, d, other, grid, grid, 2.0);
  if (!loop.ok || !flow.ok) {
    std::cerr << "quarnel-cli: " << modelFile << ": the eigensolver failed on the grid\n";
    return kExitNoFile;
  }
  GapGuard guard = loopGuard;
  guard.Merge(flow.guard);

  RunDescription run;
  run.modelFile = modelFile;
  run.modelForm = any.form;
  std::string out = CsvHeader("Berry phase and Wannier charge centres", run);
  out += "# dir=" + std::to_string(dir) +
         (other >= 0 ? " other=" + std::to_string(other + 1) : std::string()) +
         " grid=" + std::to_string(grid) + " occupied=" + std::to_string(occupied) + "\n";
  out += "# berry=" + (loopGuard.Defined() ? Number(loop.berry) : std::string("undefined")) +
         " gap=" + Number(guard.gap) + " gap_at=" + Number(guard.k[0]) + "," + Number(guard.k[1]) +
         "," + Number(guard.k[2]) + "\n";
  if (!loopGuard.Defined()) out += "# berry " + loopGuard.Reason() + "\n";
  if (periodic == 2) {
    const bool defined = guard.Defined();
    const bool symmetric = TimeReversalSymmetric(*any.lattice, dirs[0], dirs[1], grid);
    int z2 = -1;
    if (defined && symmetric) {
      if (grid % 2 == 0) {
        WannierFlow half = flow;
        half.centres.resize(grid / 2 + 1);
        z2 = Z2FromFlow(half);
      } else {
        z2 = Z2FromFlow(ComputeWannierFlow(states, d, other, grid, (grid + 1) / 2, 1.0));
      }
    }
    out += "# chern=" + (defined ? std::to_string(ChernFromFlow(flow)) : std::string("undefined")) +
           " z2=" + (z2 >= 0 ? std::to_string(z2) : std::string("undefined")) +
           " time_reversal=" + (symmetric ? "yes" : "no") + "\n";
    if (!defined)
      out += "# chern and z2 " + guard.Reason() + "\n";
    else if (!symmetric)
      out +=
          "# z2 not defined (no time reversal: H(-k) differs from Theta H(k) Theta^-1, Theta = "
          "i sigma_y K on orbitals 2m-1, 2m)\n";
    else if (z2 < 0)
      out += "# z2 not defined (an odd number of occupied bands)\n";
  }
  out += "k";
  for (int c = 1; c <= occupied; ++c) out += ",centre" + std::to_string(c);
  out += "\n";
  for (int i = 0; i <= grid; ++i) {
    // A chain has no other direction: every row holds its one loop.
    const std::vector<double>& centres = other >= 0 ? flow.centres[i] : loop.centres;
    out += Number(2.0 * i / grid);
    for (double c : centres) out += "," + Number(c);
    out += "\n";
  }
  std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
