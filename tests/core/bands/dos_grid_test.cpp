// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/dos_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <thread>

#include "common/example_model.h"
#include "numeric/kpoint_calc.h"

namespace quarnel {
namespace {

// Same samples, bit for bit.
void ExpectSameSamples(const DosSamples& a, const DosSamples& b) {
  ASSERT_EQ(a.Count(), b.Count());
  ASSERT_EQ(a.Orbitals(), b.Orbitals());
  for (std::size_t q = 0; q < a.Count(); ++q) {
    ASSERT_EQ(a.Energy(q), b.Energy(q)) << "sample " << q;
    for (int j = 1; j <= a.Orbitals(); ++j) ASSERT_EQ(a.Weight(q, j), b.Weight(q, j));
  }
  EXPECT_EQ(a.Emin(), b.Emin());
  EXPECT_EQ(a.Emax(), b.Emax());
}

TEST(SampleDosGrid, SameOrderAndValuesAsOneLoopOverTheGrid) {
  const auto model = Example("square_dp.qrg");
  const int n = 6, N = model->NOrb;
  ASSERT_GT(N, 1);
  DosSamples loop;
  loop.Start(343 * N, N);
  auto solver = std::make_unique<JacobiSolver>();
  HamMatrix h = {};
  for (int iz = 0; iz <= n; ++iz)
    for (int iy = 0; iy <= n; ++iy)
      for (int ix = 0; ix <= n; ++ix) {
        CalcKpoint(TableModel(*model), KPointFromNumerators(n, ix, iy, iz), h, *solver);
        for (int i = 1; i <= N; ++i) loop.Add(solver->EigVal[i], solver->EigVecSq[i]);
      }
  DosSamples grid;
  SampleDosGrid(TableModel(*model), n, 3, grid, DosSolver::Jacobi);
  ExpectSameSamples(grid, loop);
}

TEST(SampleDosGrid, EveryThreadCountGivesTheSameSamples) {
  // Grid 13 has 2744 points: more than one block of points, so blocks meet inside the grid.
  for (const char* name : {"square_dp.qrg", "dimer_chain.qre"}) {
    const auto model = Example(name);
    DosSamples one;
    SampleDosGrid(TableModel(*model), 13, 1, one);
    EXPECT_EQ(one.Count(), 2744u * model->NOrb);
    for (int threads : {2, 3, 8}) {
      DosSamples many;
      SampleDosGrid(TableModel(*model), 13, threads, many);
      ExpectSameSamples(many, one);
    }
  }
}

TEST(SampleDosGrid, OutOfRangeThreadCountsAndEmptyModels) {
  const auto model = Example("chain_s.qrg");
  DosSamples one, odd;
  SampleDosGrid(TableModel(*model), 5, 1, one);
  for (int threads : {0, -4, 100000}) {
    SampleDosGrid(TableModel(*model), 5, threads, odd);
    ExpectSameSamples(odd, one);
  }
  ModelData empty;
  SampleDosGrid(TableModel(empty), 5, 2, odd);
  EXPECT_EQ(odd.Count(), 0u);
}

// Two identical, uncoupled chains of eight orbitals with every form-2 term: each band is twice
// degenerate, so the weights of one state depend on the basis the solver picks.
std::unique_ptr<ModelData> DegenerateSixteen() {
  auto m = std::make_unique<ModelData>();
  m->BetaTyp = 2;
  m->NOrb = 16;
  for (int i = 1; i <= 16; ++i) {
    const int a = (i - 1) % 8 + 1;
    m->Alpha(i) = -0.3 * a;
    m->EffMass[i] = a % 3 ? 0.0 : 2.0;
    for (int d = 1; d <= 3; ++d) {
      m->BetaPlus[i][i][d] = m->BetaMinus[i][i][d] = -0.1 * d;
      m->BetaPos[i][i][d] = 1;
      m->BetaPosMinus[i][i][d] = -1;
    }
    if (a == 8) continue;
    for (int d = 1; d <= 3; ++d) {
      m->BetaPlus[i][i + 1][d] = 0.2 + 0.05 * a;
      m->BetaMinus[i][i + 1][d] = -0.1 * d;
      m->BetaPos[i][i + 1][d] = 0.5;
      m->BetaPosMinus[i][i + 1][d] = -0.5;
      m->SocRe[i][i + 1][d] = 0.03 * d;
      m->SocIm[i][i + 1][d] = -0.02 * a;
    }
  }
  return m;
}

// The library solver's DOS is the Jacobi DOS: energies per k point to 1e-10, curves to 1e-9
// relative, except bins next to a sample that lies on a bin edge within rounding.
void ExpectSameDos(const ModelData& model, int n, int m) {
  DosSamples fast, jacobi;
  SampleDosGrid(TableModel(model), n, 2, fast, DosSolver::Fast);
  SampleDosGrid(TableModel(model), n, 2, jacobi, DosSolver::Jacobi);
  ASSERT_EQ(fast.Count(), jacobi.Count());
  const int N = model.NOrb;
  for (std::size_t k = 0; k < fast.KPoints(); ++k) {
    std::vector<double> a(N), b(N);
    for (int i = 0; i < N; ++i) a[i] = fast.Energy(k * N + i), b[i] = jacobi.Energy(k * N + i);
    // Bands that the Jacobi order leaves within its tolerance of each other may be swapped.
    std::sort(b.rbegin(), b.rend());
    EXPECT_TRUE(std::is_sorted(a.rbegin(), a.rend())) << "k point " << k;
    for (int i = 0; i < N; ++i) ASSERT_NEAR(a[i], b[i], 1e-10) << "k point " << k;
  }
  const DosCurves cf = DosHistogram(fast, m), cj = DosHistogram(jacobi, m);
  ASSERT_EQ(cf.energy.size(), cj.energy.size());
  for (std::size_t p = 0; p < cf.energy.size(); ++p) ASSERT_NEAR(cf.energy[p], cj.energy[p], 1e-10);
  const double emin = cj.energy.front(), width = cj.energy.back() - emin;
  std::vector<bool> edge(m + 1, false);
  for (std::size_t q = 0; q < jacobi.Count(); ++q) {
    const double x = (jacobi.Energy(q) - emin) / width * m, f = std::floor(x);
    if (std::abs(x - f - 0.5) < 1e-8)
      edge[static_cast<int>(f)] = edge[static_cast<int>(f) + 1] = true;
  }
  int compared = 0;
  for (std::size_t s = 0; s < cf.value.size(); ++s)
    for (int p = 0; p <= m; ++p)
      if (!edge[p]) {
        EXPECT_NEAR(cf.value[s][p], cj.value[s][p], 1e-9 * std::abs(cj.value[s][p]) + 1e-12)
            << "series " << s << " bin " << p;
        ++compared;
      }
  EXPECT_GT(compared, static_cast<int>(cf.value.size()) * m / 2);
}

TEST(SampleDosGrid, LibrarySolverGivesTheJacobiDos) {
  for (const char* name :
       {"square_dp.qrg", "rashba_square.qrg", "chain_s.qrg", "square_s.qrg", "dimer_chain.qre"})
    ExpectSameDos(*Example(name), 12, 200);
  ExpectSameDos(*DegenerateSixteen(), 6, 100);
}

TEST(SampleDosGrid, StopKeepsWholeRowsInGridOrder) {
  const auto model = DegenerateSixteen();
  const int n = 20, side = n + 1;
  DosSamples whole, part;
  SampleDosGrid(TableModel(*model), n, 2, whole);
  DosGridControl control;
  std::thread stopper([&] {
    while (control.rowsDone == 0) std::this_thread::yield();
    control.stop = true;
  });
  SampleDosGrid(TableModel(*model), n, 2, part, DosSolver::Fast, &control);
  stopper.join();
  const std::size_t rows = control.rowsDone;
  ASSERT_GT(rows, 0u);
  EXPECT_LT(rows, static_cast<std::size_t>(side * side));
  ASSERT_EQ(part.KPoints(), rows * side);
  ASSERT_EQ(part.Count(), part.KPoints() * 16);
  for (std::size_t q = 0; q < part.Count(); ++q) ASSERT_EQ(part.Energy(q), whole.Energy(q));

  // A stop before the start takes nothing.
  SampleDosGrid(TableModel(*model), n, 2, part, DosSolver::Fast, &control);
  EXPECT_EQ(part.Count(), 0u);
  EXPECT_EQ(control.rowsDone, 0u);
}

}  // namespace
}  // namespace quarnel
