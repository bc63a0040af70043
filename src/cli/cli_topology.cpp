// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_topology.h"

#include "topology/occupied_states.h"

namespace quarnel::cli {

int LoadLatticeModel(const Options& options, const std::string& file, const char* command,
                     AnyModel& model) {
  const int form = ModelFormFor(options, file);
  if (form != kLatticeForm)
    return UsageError(std::string(command) + " needs a model of the lattice form (.qrl): " + file +
                      " is of form " + std::to_string(form) +
                      ", whose k-linear and half-period terms do not close a loop across the zone");
  PendingMessages messages = StderrMessages();
  return LoadAnyModel(options, file, model, messages);
}

int CheckOccupied(int requested) {
  if (requested != kOccupiedNotGiven && requested < 1)
    return UsageError("--occupied needs a count of at least 1");
  return kExitOk;
}

int OccupiedBands(const AnyModel& model, int requested, int& occupied) {
  std::string why;
  if (requested == kOccupiedNotGiven) requested = 0;
  if (!model.lattice || !ChooseOccupied(*model.lattice, requested, occupied, why))
    return UsageError(why.empty() ? std::string("no lattice-form model") : why);
  return kExitOk;
}

int CheckTopologyGrid(int grid) {
  if (grid < kMinTopologyGrid || grid > kMaxTopologyGrid)
    return UsageError("--grid needs n from " + std::to_string(kMinTopologyGrid) + " to " +
                      std::to_string(kMaxTopologyGrid));
  return kExitOk;
}

}  // namespace quarnel::cli
