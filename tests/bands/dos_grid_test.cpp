#include "bands/dos_grid.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/model_reader.h"
#include "numeric/kpoint_calc.h"

namespace quarnel {
namespace {

std::unique_ptr<ModelData> Example(const char* name) {
  auto model = std::make_unique<ModelData>();
  PendingMessages messages;
  model->BetaTyp = std::string(name).find(".qre") != std::string::npos ? 1 : 2;
  EXPECT_EQ(ReadModelFile(*model, messages, std::string(QUARNEL_EXAMPLES) + "/" + name), 0);
  return model;
}

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
        CalcKpoint(*model, KPointFromNumerators(n, ix, iy, iz), h, *solver);
        for (int i = 1; i <= N; ++i) loop.Add(solver->EigVal[i], solver->EigVecSq[i]);
      }
  DosSamples grid;
  SampleDosGrid(*model, n, 3, grid);
  ExpectSameSamples(grid, loop);
}

TEST(SampleDosGrid, EveryThreadCountGivesTheSameSamples) {
  // Grid 13 has 2744 points: more than one block of points, so blocks meet inside the grid.
  for (const char* name : {"square_dp.qrg", "dimer_chain.qre"}) {
    const auto model = Example(name);
    DosSamples one;
    SampleDosGrid(*model, 13, 1, one);
    EXPECT_EQ(one.Count(), 2744u * model->NOrb);
    for (int threads : {2, 3, 8}) {
      DosSamples many;
      SampleDosGrid(*model, 13, threads, many);
      ExpectSameSamples(many, one);
    }
  }
}

TEST(SampleDosGrid, OutOfRangeThreadCountsAndEmptyModels) {
  const auto model = Example("chain_s.qrg");
  DosSamples one, odd;
  SampleDosGrid(*model, 5, 1, one);
  for (int threads : {0, -4, 100000}) {
    SampleDosGrid(*model, 5, threads, odd);
    ExpectSameSamples(odd, one);
  }
  ModelData empty;
  SampleDosGrid(empty, 5, 2, odd);
  EXPECT_EQ(odd.Count(), 0u);
}

}  // namespace
}  // namespace quarnel
