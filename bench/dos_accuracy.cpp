// SPDX-License-Identifier: GPL-3.0-or-later
// How far the DOS of the square-lattice s band (E = -2 cos pi kx - 2 cos pi ky) lies from its
// closed form (1 / (2 pi^2)) K(sqrt(1 - (E/4)^2)): the L1 error, sum |g - g0| dE over the points
// farther than 5 % of the band width from the van Hove energies -4, 0, 4, for the tetrahedron
// method and for the histogram divided by its own area.
//
//   dos_accuracy [BINS...]     default: 100 and 200 energy intervals

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bands/dos_grid.h"
#include "bands/tetrahedron_dos.h"

namespace {

using namespace quarnel;

const double kPi = std::acos(-1.0);

ModelData SquareS() {
  ModelData m;
  m.NOrb = 1;
  m.OrbName[1] = "s";
  for (int d = 1; d <= 2; ++d) m.BetaPlus[1][1][d] = m.BetaMinus[1][1][d] = -1;
  NormalizeModel(m);
  return m;
}

double L1(const DosCurves& c) {
  const double dE = c.energy[1] - c.energy[0];
  double sum = 0;
  for (std::size_t p = 0; p < c.energy.size(); ++p) {
    const double e = c.energy[p];
    if (std::fabs(e) <= 0.4 || std::fabs(std::fabs(e) - 4) <= 0.4) continue;
    const double g0 =
        std::fabs(e) < 4 ? std::comp_ellint_1(std::sqrt(1 - e * e / 16)) / (2 * kPi * kPi) : 0;
    sum += std::fabs(c.value[0][p] - g0) * dE;
  }
  return sum;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> bins;
  for (int a = 1; a < argc; ++a) bins.push_back(std::atoi(argv[a]));
  if (bins.empty()) bins = {100, 200};
  const ModelData model = SquareS();
  const int threads = DefaultDosThreads();
  std::printf("%-28s", "L1 error, square s band");
  for (int m : bins) std::printf("  %4d intervals", m);
  std::printf("\n");
  for (int n : {10, 16, 24}) {
    DosSamples s;
    SampleDosGrid(TableModel(model), n, threads, s);
    std::printf("tetrahedra, grid %-11d", n);
    for (int m : bins) {
      TetraDosResult r;
      TetraDos(TableModel(model).DosGrid(n), s, m, threads, r);
      std::printf("  %14.4f", L1(r.curves));
    }
    std::printf("\n");
  }
  for (int n : {20, 50}) {
    DosSamples s;
    SampleDosGrid(TableModel(model), n, threads, s);
    for (int smooth = 0; smooth <= 3; ++smooth) {
      std::printf("histogram, grid %d, smooth %d ", n, smooth);
      for (int m : bins) {
        DosCurves h = DosHistogram(s, m);
        SmoothDos(h, smooth);
        const double dE = h.energy[1] - h.energy[0];
        double area = 0;
        for (double x : h.value[0]) area += x * dE;
        for (double& x : h.value[0]) x /= area;
        std::printf("  %14.4f", L1(h));
      }
      std::printf("\n");
    }
  }
  return 0;
}
