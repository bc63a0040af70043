// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quarnel-cli map: a band over the kx-ky plane as CSV.

#include "cli/cli_common.h"

namespace quarnel::cli {

// map MODEL --band b [--kz K] [--grid n] [--weights] [--threads t]: band b (1 = the highest) at
// (n + 1) x (n + 1) points kx, ky = -1 + 2i/n, n = 1..200 (default 100), kz default 0; the
// orbital weights in that band as further columns with --weights.
int RunMap(const Options& options);

}  // namespace quarnel::cli
