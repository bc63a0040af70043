// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The topology commands of the batch front end: chern, berry and ribbon, on lattice-form models.

#include <string>

#include "cli/cli_common.h"

namespace quarnel::cli {

// The k grid of chern and berry when --grid is not given, and its bounds.
constexpr int kDefaultTopologyGrid = 48;
constexpr int kMinTopologyGrid = 2, kMaxTopologyGrid = 1000;

// chern MODEL [--grid n] [--occupied N]: the Chern number by plaquettes and the Berry phase of
// every plaquette.
int RunChern(const Options& options);

// berry MODEL --dir d [--grid n] [--occupied N]: the Berry phase along d, the Wannier charge
// centres as the other in-plane k crosses the zone, and for a 2-D model the Chern number from
// their winding and the Z2 index.
int RunBerry(const Options& options);

// ribbon MODEL --open d --cells N [PATH]: N cells along d, bands and edge weights along PATH.
int RunRibbon(const Options& options);

// Reads a lattice-form model for command; a model of forms 1 and 2 is a usage error (their
// k-linear and half-period terms leave a loop across the zone open). Returns kExitOk or the
// command's exit status.
int LoadLatticeModel(const Options& options, const std::string& file, const char* command,
                     AnyModel& model);

// --occupied's value before the arguments are read.
constexpr int kOccupiedNotGiven = -1000000;

// --occupied N given with N below 1: a usage error.
int CheckOccupied(int requested);

// The number of occupied bands (requested by --occupied, else the filling); a usage error when
// neither gives one. Returns kExitOk or kExitUsage.
int OccupiedBands(const AnyModel& model, int requested, int& occupied);

// --grid n in its bounds; a usage error otherwise.
int CheckTopologyGrid(int grid);

}  // namespace quarnel::cli
