// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/tetrahedron_dos.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "bands/dos_grid.h"
#include "common/example_model.h"

namespace quarnel {
namespace {

const double kPi = std::acos(-1.0);

// One s orbital at energy 0, hopping t = -1 to its images along the first `dims` directions:
// E = -2 (cos pi kx + ...).
ModelData SBand(int dims) {
  ModelData m;
  m.NOrb = 1;
  m.OrbName[1] = "s";
  for (int d = 1; d <= dims; ++d) m.BetaPlus[1][1][d] = m.BetaMinus[1][1][d] = -1;
  NormalizeModel(m);
  return m;
}

TetraDosResult Tetra(const ModelData& m, int n, int bins, int threads = 2) {
  DosSamples s;
  SampleDosGrid(TableModel(m), n, threads, s);
  TetraDosResult r;
  EXPECT_TRUE(TetraDos(TableModel(m).DosGrid(n), s, bins, threads, r));
  return r;
}

// Sum |g - g0| dE over the points farther than 5 % of the band width from the singular energies.
double L1Away(const DosCurves& c, const std::function<double(double)>& g0,
              std::vector<double> singular, double width) {
  const double dE = c.energy[1] - c.energy[0];
  double sum = 0;
  for (std::size_t p = 0; p < c.energy.size(); ++p) {
    const double e = c.energy[p];
    if (std::all_of(singular.begin(), singular.end(),
                    [&](double s) { return std::fabs(e - s) > 0.05 * width; }))
      sum += std::fabs(c.value[0][p] - g0(e)) * dE;
  }
  return sum;
}

double ChainDos(double e) {
  return std::fabs(e) < 2 ? 1 / (kPi * std::sqrt(4 - e * e)) : 0;
}
double SquareDos(double e) {
  return std::fabs(e) < 4 ? std::comp_ellint_1(std::sqrt(1 - e * e / 16)) / (2 * kPi * kPi) : 0;
}

TEST(SimplexWeights, IntegrateALinearQuantityOverThePartBelowE) {
  // Against sampling uniformly in the simplex (spacings of sorted uniforms), with equal
  // vertex energies among the cases.
  std::mt19937 random(7);
  std::uniform_real_distribution<double> u(0, 1);
  const std::vector<std::vector<double>> cases = {{-1, 2},           {0, 0.5, 3},  {1, 1, 2},
                                                  {-1, 0.2, 0.7, 2}, {0, 0, 1, 1}, {0, 1, 1, 3}};
  for (const std::vector<double>& e : cases) {
    const int d = static_cast<int>(e.size()) - 1;
    const double a[4] = {0.3, -1.1, 2.0, 0.7};  // the quantity at the vertices
    for (double E : {e[0] - 1, e[0] + 0.3 * (e[d] - e[0]), (e[0] + e[d]) / 2, e[d] - 0.1, e[d]}) {
      double w[4], exact = 0, fraction = 0;
      SimplexWeights(d, e.data(), E, w);
      for (int i = 0; i <= d; ++i) exact += w[i] * a[i], fraction += w[i];
      constexpr int kSamples = 200000;
      double sum = 0, below = 0;
      for (int k = 0; k < kSamples; ++k) {
        std::vector<double> c(d + 2, 1.0);
        c[0] = 0;
        for (int i = 1; i <= d; ++i) c[i] = u(random);
        std::sort(c.begin() + 1, c.end() - 1);
        double energy = 0, value = 0;
        for (int i = 0; i <= d; ++i) {
          const double lambda = c[i + 1] - c[i];  // barycentric coordinate of vertex i
          energy += lambda * e[i], value += lambda * a[i];
        }
        if (energy < E) sum += value, below += 1;
      }
      EXPECT_NEAR(fraction, below / kSamples, 4e-3) << "d " << d << " E " << E;
      EXPECT_NEAR(exact, sum / kSamples, 8e-3) << "d " << d << " E " << E;
    }
  }
}

TEST(TetraDos, MatchesClosedFormsAwayFromTheVanHoveEnergies) {
  // E = -2 cos: the chain's singular energies are its band edges; the square's also its middle.
  const TetraDosResult chain = Tetra(SBand(1), 16, 200);
  EXPECT_LT(L1Away(chain.curves, ChainDos, {-2, 2}, 4), 0.03);
  const TetraDosResult square = Tetra(SBand(2), 16, 200);
  const double tetra = L1Away(square.curves, SquareDos, {-4, 0, 4}, 8);
  EXPECT_LT(tetra, 0.03);
  // Closer than the histogram at grid 50, each histogram divided by its own area.
  DosSamples fine;
  const ModelData squareBand = SBand(2);
  SampleDosGrid(TableModel(squareBand), 50, 2, fine);
  for (int s = 0; s <= 3; ++s) {
    DosCurves h = DosHistogram(fine, 200);
    SmoothDos(h, s);
    const double dE = h.energy[1] - h.energy[0];
    double area = 0;
    for (double x : h.value[0]) area += x * dE;
    for (double& x : h.value[0]) x /= area;
    EXPECT_LT(tetra, L1Away(h, SquareDos, {-4, 0, 4}, 8)) << "smoothing " << s;
  }
}

TEST(TetraDos, SimpleCubicMomentsAndTheFullZoneGrid) {
  // Moments of E = -2 (cos + cos + cos): 1, 0, 6, 90.
  const TetraDosResult cubic = Tetra(SBand(3), 16, 400);
  const DosCurves& c = cubic.curves;
  const double dE = c.energy[1] - c.energy[0];
  double mu[5] = {};
  for (std::size_t p = 0; p < c.energy.size(); ++p)
    for (int k = 0; k <= 4; ++k) mu[k] += std::pow(c.energy[p], k) * c.value[0][p] * dE;
  EXPECT_NEAR(mu[0], 1, 1e-12);
  EXPECT_NEAR(mu[1], 0, 1e-9);
  EXPECT_NEAR(mu[2], 6, 0.06);
  EXPECT_NEAR(mu[4], 90, 1.8);

  // The square band over the full zone k = -1 + 2 i / n, the last point's neighbour the first.
  const int n = 32;
  KGridShape zone;
  zone.wraps = true;
  DosSamples s;
  s.Start(n * n, 1);
  for (int d = 1; d <= 2; ++d) zone.count[d] = n;
  const double one[2] = {0, 1};
  for (int iy = 0; iy < n; ++iy)
    for (int ix = 0; ix < n; ++ix)
      s.Add(-2 * std::cos(kPi * (-1 + 2.0 * ix / n)) - 2 * std::cos(kPi * (-1 + 2.0 * iy / n)),
            one);
  s.AddKPoints(n * n);
  TetraDosResult full;
  ASSERT_TRUE(TetraDos(zone, s, 200, 2, full));
  EXPECT_LT(L1Away(full.curves, SquareDos, {-4, 0, 4}, 8), 0.03);
}

TEST(TetraDos, CountsEveryBandOnceAndOrbitalsSumToTheTotal) {
  const auto model = Example("square_dp.qrg");
  const int N = model->NOrb;
  DosSamples s;
  SampleDosGrid(TableModel(*model), 8, 2, s);
  TetraDosResult one, three;
  ASSERT_TRUE(TetraDos(TableModel(*model).DosGrid(8), s, 150, 1, one));
  ASSERT_TRUE(TetraDos(TableModel(*model).DosGrid(8), s, 150, 3, three));
  EXPECT_EQ(one.curves.value, three.curves.value);  // bit for bit, whatever the threads
  const DosCurves& c = one.curves;
  const double dE = c.energy[1] - c.energy[0];
  double area = 0;
  for (std::size_t p = 0; p < c.energy.size(); ++p) {
    double orbitals = 0;
    for (int j = 1; j <= N; ++j) orbitals += c.value[j][p];
    EXPECT_NEAR(orbitals, c.value[0][p], 1e-9 * (1 + c.value[0][p]));
    area += c.value[0][p] * dE;
  }
  EXPECT_NEAR(area, N, 1e-9);
  EXPECT_NEAR(one.integrated.back(), N, 1e-9);

  // A flat band is a peak of weight 1 in one point.
  const TetraDosResult flat = Tetra(SBand(0), 6, 100);
  const std::vector<double>& g = flat.curves.value[0];
  EXPECT_EQ(std::count_if(g.begin(), g.end(), [](double x) { return x != 0; }), 1);
  const double fdE = flat.curves.energy[1] - flat.curves.energy[0];
  EXPECT_NEAR(*std::max_element(g.begin(), g.end()) * fdE, 1, 1e-12);

  // A run stopped after part of the grid counts the whole cells it has, normalised.
  DosSamples part;
  const std::size_t kept = 5 * 9 * 9;  // 5 of 9 layers of points: 4 of 8 layers of cells
  part.Start(0, N);
  for (std::size_t q = 0; q < kept * N; ++q) {
    double w[kMaxOrb + 1] = {};
    for (int j = 1; j <= N; ++j) w[j] = s.Weight(q, j);
    part.Add(s.Energy(q), w);
  }
  part.AddKPoints(kept);
  TetraCount count;
  ASSERT_TRUE(count.Set(TableModel(*model).DosGrid(8), part));
  EXPECT_EQ(count.Simplices(), 8u * 8 * 4 * 6);
  EXPECT_NEAR(count.Count(s.Emax() + 1, 1, 1, 0, 2)[0][0], N, 1e-12);
}

TEST(TetraFilling, FermiLevelWhereTheCountHoldsTheElectrons) {
  // The chain's count below e is 1 - arccos(-e / 2) / pi per band.
  const ModelData chain = SBand(1);
  const KGridShape grid = TableModel(chain).DosGrid(16);
  DosSamples s;
  SampleDosGrid(TableModel(chain), 16, 2, s);
  EXPECT_NEAR(TetraFilling(grid, s, 1, 2, 2).fermi, 0, 1e-8);
  EXPECT_NEAR(TetraFilling(grid, s, 0.5, 2, 2).fermi, -std::sqrt(2.0), 2e-3);
  EXPECT_TRUE(TetraFilling(grid, s, 2.5, 2, 2).overfilled);
}

}  // namespace
}  // namespace quarnel
