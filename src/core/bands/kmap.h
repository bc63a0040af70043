// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Maps over the kx-ky plane at one kz: the energies of every band and the orbital weights of one
// band at (n + 1) x (n + 1) points kx, ky = -1 + 2i / n (the units of the k-point controls),
// computed on several threads with the fast eigen path, and the values drawn from them (a band's
// energy, an orbital's weight, the smoothed density of states at an energy).

#include <atomic>
#include <cstddef>
#include <vector>

#include "bands/filling.h"
#include "numeric/run_model.h"

namespace quarnel {

// The largest n: 201 x 201 points.
constexpr int kMaxKMapGrid = 200;
constexpr int kDefaultKMapGrid = 100;

// Progress and stop of a map computed on other threads. rowsDone counts the finished rows (one
// ky, every kx); a stop ends the run within one row per thread.
struct KMapControl {
  std::atomic<bool> stop{false};
  std::atomic<int> rowsDone{0};
};

struct KMapGrid {
  int n = 0;      // points per side: n + 1
  int bands = 0;  // the model's orbitals
  int band = 1;   // whose weights are kept; 1 = the highest, as EigVal numbers them
  double kz = 0;
  // Point p = iy * (n + 1) + ix. energy[p * bands + b - 1]: band b; weight[p * bands + j - 1]:
  // orbital j in the kept band. Points of rows not computed (a stop) or not diagonalised are NaN.
  std::vector<double> energy;
  std::vector<double> weight;
  std::vector<char> rowDone;  // per iy

  int Side() const { return n + 1; }
  std::size_t Points() const { return static_cast<std::size_t>(Side()) * Side(); }
  // kx of column i, ky of row i.
  double K(int i) const { return -1.0 + 2.0 * i / n; }
  bool Complete() const;
  bool Empty() const { return energy.empty(); }
};

// Computes the map of band (1..orbitals) at kz. threads is clamped to 1..kMaxDosThreads; a grid
// outside 1..kMaxKMapGrid or a model without orbitals gives an empty map. With a control, a stop
// leaves the rows not finished NaN.
void ComputeKMap(const RunModel& model, int n, double kz, int band, int threads, KMapGrid& out,
                 KMapControl* control = nullptr);

// The values of one quantity at every point, in point order (NaN where the grid has none).
std::vector<double> KMapBandEnergy(const KMapGrid& grid, int band);
std::vector<double> KMapWeight(const KMapGrid& grid, int orbital);
// The density of states at energy: every band's state counted with a Gaussian of full width
// at half maximum width, normalised to one state per band (states per energy unit per k point).
std::vector<double> KMapDos(const KMapGrid& grid, double energy, double width);

// The filling of the map's own states (every point of the plane, every band) with the given
// electrons per cell: E_F of this plane. Not valid when some point is missing.
FillingResult KMapFilling(const KMapGrid& grid, double electrons, double spin);

}  // namespace quarnel
