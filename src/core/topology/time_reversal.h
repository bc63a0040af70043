// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time reversal of a lattice-form model whose orbitals come in up/down pairs (orbitals 2m-1 and
// 2m, counted from 1): Theta = i sigma_y K on every pair. The model is time-reversal symmetric
// when H(-k) = Theta H(k) Theta^-1.

#include "model/lattice_model.h"
#include "numeric/lattice_hamiltonian.h"

namespace quarnel {

// ||H(-k) - Theta H(k) Theta^-1|| (Frobenius) at one k; infinite for an odd number of orbitals.
double TimeReversalDefect(const LatticeHamiltonian& h, const double k[3]);

// True when the defect stays below 1e-9 on the n x n grid k_d1 = 2i/n, k_d2 = 2j/n (the other
// k = 0) of directions d1 and d2 (0-based).
bool TimeReversalSymmetric(const LatticeModel& m, int d1, int d2, int n);

}  // namespace quarnel
