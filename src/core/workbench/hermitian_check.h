// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a matrix opened in the workbench is Hermitian. The Jacobi method is meant for
// Hermitian matrices; a file that is not (a sign slip in the I block, a row typed twice) gives
// eigenvalues of some other matrix, so the user is told which elements break the rule.

#include <string>

#include "numeric/jacobi_solver.h"
#include "support/pending_messages.h"

namespace quarnel {

// The complex matrix behind the solver's input (blocks R and I of JacInput, order JacN = 2n) is
// Hermitian when element (j, i) is the conjugate of (i, j): R symmetric, I antisymmetric, so
// the diagonal real. Otherwise queues "<name>: not a Hermitian matrix ..." naming the first
// elements that differ, and returns false.
bool CheckHermitianMatrix(const std::string& name, const JacobiSolver& solver,
                          PendingMessages& messages);

}  // namespace quarnel
