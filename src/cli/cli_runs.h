// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The band-structure and DOS runs of the batch front end: the same path, label, binning and
// smoothing code as the bands window, CSV on standard output.

#include "cli/cli_common.h"

namespace quarnel::cli {

// bands MODEL PATH: PATH is a k path (.qrk) or a klist_band file (by its extension).
int RunBands(const Options& options);

// dos MODEL [--grid n] [--bins m] [--smooth s] [--threads t]: defaults 20, 100, 0 and the
// number of cores; the output does not depend on t. With --electrons Ne (per cell) [--spin g]
// [--per-cell] [--shift]: the Fermi level and gap in the header and a column "integrated".
int RunDos(const Options& options);

// The number of cores (1 when it cannot be told).
int DefaultThreads();

}  // namespace quarnel::cli
