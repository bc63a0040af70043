// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/path_bands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "bands/dos_grid.h"
#include "common/example_model.h"
#include "numeric/kpoint_calc.h"

namespace quarnel {
namespace {

// The live chart must show the band run's numbers: energies of the Jacobi k-point calculation at
// the same points, and weights wherever the band is not degenerate (there any split is right).
TEST(FastPathBands, EqualsTheJacobiPathOfTheExamples) {
  const std::vector<std::string> lines{"title",    "0 20 0 20 Y", "junk",
                                       "0 0 0 0",  "7 3 0 20",    "10 10 0 20",
                                       "5 0 0 10", "3 5 7 20",    "0 0 0 20"};
  std::vector<int> lineOf;
  const std::vector<KPathPoint> points = PathPoints(lines, &lineOf);
  ASSERT_EQ(points.size(), 6u);  // no title, no divisor 0
  EXPECT_EQ(lineOf, (std::vector<int>{1, 4, 5, 6, 7, 8}));
  for (const char* name : {"square_dp.qrg", "rashba_square.qrg", "square_s.qrg"}) {
    SCOPED_TRACE(name);
    const auto model = Example(name);
    BandTable table;
    ASSERT_TRUE(FastPathBands(TableModel(*model), points, table));
    ASSERT_EQ(table.Points(), points.size());
    const int n = model->NOrb;
    ASSERT_EQ(table.Orbitals(), n);
    auto solver = std::make_unique<JacobiSolver>();
    static HamMatrix h;
    for (std::size_t x = 0; x < points.size(); ++x) {
      const KPathPoint& p = points[x];
      CalcKpoint(TableModel(*model), KPointFromNumerators(p.div, p.nx, p.ny, p.nz), h, *solver);
      for (int i = 1; i <= n; ++i) {
        EXPECT_NEAR(table.Energy(x, i), solver->EigVal[i], 1e-9) << "point " << x << " band " << i;
        const bool single = (i == 1 || solver->EigVal[i - 1] - solver->EigVal[i] > 1e-6) &&
                            (i == n || solver->EigVal[i] - solver->EigVal[i + 1] > 1e-6);
        for (int j = 1; single && j <= n; ++j)
          EXPECT_NEAR(table.Weight(x, i, j), solver->EigVecSq[i][j], 1e-7);
      }
    }
  }
}

// The Fermi level the live chart draws is the DOS run's for the same grid.
TEST(FastGridFilling, FermiLevelOfTheJacobiGrid) {
  const auto model = Example("square_dp.qrg");
  ASSERT_EQ(model->FillElectrons, 5);
  const FillingResult fast = FastGridFilling(TableModel(*model), 8, 2);
  DosSamples samples;
  SampleDosGrid(TableModel(*model), 8, 1, samples, DosSolver::Jacobi);
  const FillingResult ref = FillBands(SampleEnergies(samples), SampleKpoints(samples), 3,
                                      model->FillElectrons, model->FillSpin);
  ASSERT_TRUE(fast.valid && ref.valid);
  EXPECT_NEAR(fast.fermi, ref.fermi, 1e-9);
  EXPECT_EQ(fast.insulator, ref.insulator);
  EXPECT_FALSE(FastGridFilling(TableModel(*model), 0, 2).valid);
}

}  // namespace
}  // namespace quarnel
