// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dense form-2 model for the benchmarks: every pair coupled along all three directions, with
// spin-orbit terms, so that no work is skipped. The seed picks the random values.

#include <memory>
#include <random>

#include "model/model_data.h"

inline std::unique_ptr<quarnel::ModelData> DenseBenchModel(int n, unsigned seed) {
  auto m = std::make_unique<quarnel::ModelData>();
  m->BetaTyp = 2;
  m->NOrb = n;
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  for (int i = 1; i <= n; ++i) {
    m->Alpha(i) = -2 + u(gen);
    for (int j = i; j <= n; ++j)
      for (int d = 1; d <= 3; ++d) {
        m->BetaPlus[i][j][d] = 0.5 * u(gen);
        m->BetaMinus[i][j][d] = i == j ? m->BetaPlus[i][j][d] : 0.5 * u(gen);
        m->BetaPos[i][j][d] = i == j ? 1.0 : 0.5;
        m->BetaPosMinus[i][j][d] = i == j ? -1.0 : -0.5;
        if (i != j) {
          m->SocRe[i][j][d] = 0.05 * u(gen);
          m->SocIm[i][j][d] = 0.05 * u(gen);
        }
      }
  }
  return m;
}
