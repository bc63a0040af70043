// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Commands of the batch front end on the numerical core.

#include "cli/cli_common.h"

namespace quarnel::cli {

// eig MODEL KX KY KZ DIV [--complex]: one k point, bands in descending order.
int RunEig(const Options& options);

// jacobi MATRIX [--rotations K]: reset, Solve(K) (default 50), the results listing.
int RunJacobi(const Options& options);

}  // namespace quarnel::cli
