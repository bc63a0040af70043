#pragma once
// The band-structure and DOS runs of the batch front end: the same path, label, binning and
// smoothing code as the bands window, CSV on standard output.

#include "cli/cli_common.h"

namespace quarnel::cli {

// bands MODEL PATH: PATH is a k path (.qrk) or a klist_band file (by its extension).
int RunBands(const Options& options);

// dos MODEL [--grid n] [--bins m] [--smooth s]: defaults 20, 100, 0.
int RunDos(const Options& options);

// A CSV field, quoted when it holds a comma, a quote or a line end.
std::string CsvField(const std::string& text);

}  // namespace quarnel::cli
