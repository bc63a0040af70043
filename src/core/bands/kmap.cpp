// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/kmap.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <system_error>
#include <thread>

#include "bands/dos.h"
#include "bands/dos_grid.h"
#include "numeric/fast_eigen.h"

namespace quarnel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct MapWorker {
  HamMatrix hamK = {};
  FastEigenResult eig;
};

// One row (fixed ky) of the map into its place in out; the rows of different threads never
// share an element.
void ComputeRow(const RunModel& model, KMapGrid& out, int iy, MapWorker& w) {
  const int N = out.bands, side = out.Side();
  for (int ix = 0; ix < side; ++ix) {
    KPoint kp;
    kp.k[1] = out.K(ix);
    kp.k[2] = out.K(iy);
    kp.k[3] = out.kz;
    FastEigen(model, kp, w.hamK, w.eig);
    const std::size_t p = static_cast<std::size_t>(iy) * side + ix;
    double* energy = &out.energy[p * N];
    double* weight = &out.weight[p * N];
    if (!w.eig.ok) continue;  // stays NaN: no value at this point
    for (int b = 1; b <= N; ++b) energy[b - 1] = w.eig.EigVal[b];
    for (int j = 1; j <= N; ++j) weight[j - 1] = w.eig.EigVecSq[out.band][j];
  }
}

}  // namespace

bool KMapGrid::Complete() const {
  return !rowDone.empty() && std::all_of(rowDone.begin(), rowDone.end(), [](char d) { return d; });
}

void ComputeKMap(const RunModel& model, int n, double kz, int band, int threads, KMapGrid& out,
                 KMapControl* control) {
  out = KMapGrid();
  if (control) control->rowsDone = 0;
  const int N = model.Orbitals();
  if (N <= 0 || N > kMaxOrb || n < 1 || n > kMaxKMapGrid || !std::isfinite(kz)) return;
  out.n = n;
  out.bands = N;
  out.band = std::clamp(band, 1, N);
  out.kz = kz;
  out.energy.assign(out.Points() * N, kNaN);
  out.weight.assign(out.Points() * N, kNaN);
  out.rowDone.assign(out.Side(), 0);

  const int side = out.Side();
  threads = std::min(std::clamp(threads, 1, kMaxDosThreads), side);
  std::vector<std::unique_ptr<MapWorker>> workers;
  for (int t = 0; t < threads; ++t) workers.push_back(std::make_unique<MapWorker>());
  std::atomic<int> next{0};
  const auto work = [&](MapWorker& w) {
    while (!(control && control->stop.load())) {
      const int iy = next.fetch_add(1);
      if (iy >= side) break;
      ComputeRow(model, out, iy, w);
      out.rowDone[iy] = 1;
      if (control) control->rowsDone.fetch_add(1);
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < threads; ++t) {
    try {
      helpers.emplace_back(work, std::ref(*workers[t]));
    } catch (const std::system_error&) {
      break;  // the threads already running share the rows
    }
  }
  work(*workers[0]);
  for (std::thread& h : helpers) h.join();
  // A row stopped halfway may hold a few values; a row is shown whole or not at all.
  for (int iy = 0; iy < side; ++iy)
    if (!out.rowDone[iy]) {
      const std::size_t first = static_cast<std::size_t>(iy) * side * N;
      std::fill(out.energy.begin() + first, out.energy.begin() + first + side * N, kNaN);
      std::fill(out.weight.begin() + first, out.weight.begin() + first + side * N, kNaN);
    }
}

std::vector<double> KMapBandEnergy(const KMapGrid& grid, int band) {
  std::vector<double> v(grid.Points(), kNaN);
  if (band < 1 || band > grid.bands) return v;
  for (std::size_t p = 0; p < v.size(); ++p) v[p] = grid.energy[p * grid.bands + band - 1];
  return v;
}

std::vector<double> KMapWeight(const KMapGrid& grid, int orbital) {
  std::vector<double> v(grid.Points(), kNaN);
  if (orbital < 1 || orbital > grid.bands) return v;
  for (std::size_t p = 0; p < v.size(); ++p) v[p] = grid.weight[p * grid.bands + orbital - 1];
  return v;
}

std::vector<double> KMapDos(const KMapGrid& grid, double energy, double width) {
  std::vector<double> v(grid.Points(), kNaN);
  if (!(width > 0) || !std::isfinite(energy)) return v;
  // GaussWeight(x, w) integrates to 2 w over x; its full width at half maximum is 2 w.
  const double w = width / 2, norm = 1 / width;
  for (std::size_t p = 0; p < v.size(); ++p) {
    double sum = 0;
    for (int b = 0; b < grid.bands; ++b)
      sum += GaussWeight(energy - grid.energy[p * grid.bands + b], w);
    v[p] = sum * norm;  // NaN when a band is missing here
  }
  return v;
}

FillingResult KMapFilling(const KMapGrid& grid, double electrons, double spin) {
  if (!grid.Complete() ||
      std::any_of(grid.energy.begin(), grid.energy.end(), [](double e) { return std::isnan(e); }))
    return FillingResult();
  return FillBands(grid.energy, grid.Points(), grid.bands, electrons, spin);
}

}  // namespace quarnel
