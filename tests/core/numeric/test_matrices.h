// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Matrices shared by the solver tests.

#include <random>

#include "numeric/hamiltonian.h"

namespace quarnel::test {

// A packed Hermitian matrix with entries uniform in [-1, 1].
inline void RandomHermitian(int n, unsigned seed, HamMatrix& h) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) h[i][j] = u(gen);
}

}  // namespace quarnel::test
