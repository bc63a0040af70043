// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The workbench's text of the eigen results: a header, then each kept eigenpair followed by its
// partner, tab-separated.

#include <string>
#include <vector>

#include "numeric/jacobi_solver.h"

namespace quarnel {

std::vector<std::string> ResultsListing(const JacobiSolver& solver);

}  // namespace quarnel
