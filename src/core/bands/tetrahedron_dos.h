// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The density of states by linear tetrahedra: inside every simplex of the run's k grid (6
// tetrahedra per cube, 2 triangles per square, a segment per interval) the bands and their orbital
// weights are interpolated linearly. Everything comes from the integrated count N(E), which is
// exact for linear bands: a density over an interval is the rise of N across it, so band edges
// and van Hove peaks stay sharp on coarse grids and a flat band is a step of its full weight.

#include <cstddef>
#include <string>
#include <vector>

#include "bands/dos.h"
#include "bands/filling.h"
#include "numeric/run_model.h"

namespace quarnel {

// The integrated count of a sampled grid. Holds the samples by reference: they must outlive it.
class TetraCount {
 public:
  // False unless the samples hold every band at each k point in grid order (a run stopped early
  // gives the first points; only the cells whose corners were all computed are counted). A
  // direction along which every sample of a whole grid repeats is counted in one layer: the
  // simplices of the other directions give the same count exactly, at a fraction of the work.
  bool Set(const KGridShape& shape, const DosSamples& samples);

  // The simplices counted, over all cells used.
  std::size_t Simplices() const { return usedCells_ * simplexCount_; }

  // States per cell (one per band) below each energy start + k * step, k = 0..count - 1, in
  // series 0. With orbitalStep > 0, series j is the same count weighted by orbital j at every
  // orbitalStep-th of these energies (k = 0, orbitalStep, ...) and 0 at the others. The result
  // does not depend on the number of threads.
  std::vector<std::vector<double>> Count(double start, double step, int count, int orbitalStep,
                                         int threads) const;

  // The energy below which the count is the given number of states, to the last bit; the lowest
  // energy for none, the highest for all bands.
  double EnergyOfCount(double states, int threads) const;

 private:
  // The point numbers of the corners of cell c (bit b of a corner's number: a step along the b-th
  // sampled direction); false when a corner has not been computed.
  bool Corners(std::size_t c, std::size_t* point) const;
  // The energies counted at: start + k * step, k = 0..count - 1; orbitals at every
  // orbitalStep-th (none for 0).
  struct Energies {
    double start, step;
    int count, orbitalStep;
  };
  // The count of the simplices wholly below lo (in below) and the sorted vertex energies of
  // those reaching into lo..hi, simplex after simplex.
  void Straddling(double lo, double hi, int threads, double& below,
                  std::vector<double>& sorted) const;
  // Every sample equal to the one of the first layer along stride.
  bool RepeatsAlong(std::size_t stride, std::size_t layer) const;
  // Adds the counts of cells first..last - 1 to at (inside each simplex's range) and from (its
  // whole weight as a step up from the first energy above it), series after series.
  template <int D>
  void CountCells(std::size_t first, std::size_t last, const Energies& grid, double volume,
                  int series, double* at, double* from) const;

  const DosSamples* samples_ = nullptr;
  KGridShape shape_;
  int dims_ = 0;
  int dir_[3] = {};  // the sampled directions
  std::size_t cellsAlong_[3] = {};
  std::size_t stride_[3] = {};  // point-number step along each sampled direction
  std::size_t cells_ = 0, usedCells_ = 0, points_ = 0;
  int bands_ = 0;
  std::size_t simplexCount_ = 1;
  std::vector<int> simplex_;  // dims_ + 1 corner numbers per simplex
};

// The vertex weights of a simplex of dimension d (0..3) with sorted vertex energies e[0..d]:
// w[i] is the weight of vertex i in the integral, over the part of the simplex below E, of a
// quantity interpolated linearly from its vertex values, relative to the simplex's volume. Their
// sum is the fraction of the simplex below E; above all vertices each is 1 / (d + 1).
void SimplexWeights(int d, const double* e, double E, double* w);

// The curves of a tetrahedron run on the histogram's energy window and points: value p of each
// series is (N(E_p + dE/2) - N(E_p - dE/2)) / dE in states per cell and unit energy, one state per
// band, and with integrated, integrated[p] = N(E_p) of the total (which costs as much again).
struct TetraDosResult {
  DosCurves curves;
  std::vector<double> integrated;
};
// False, with empty curves, without samples, a window or a whole cell of the grid.
bool TetraDos(const KGridShape& shape, const DosSamples& samples, int m, int threads,
              TetraDosResult& result, bool integrated = true);

// The curves of a tetrahedron run as shown with a filling of spin electrons per band state: with
// perCell in electrons per energy unit per cell (spin times the states), else as computed; and
// in electrons, the integrated count in electrons per cell.
DosCurves TetraShownCurves(const TetraDosResult& result, double spin, bool perCell,
                           std::vector<double>& electrons);

// The title of the DOS axis for what it shows: "DOS" before a run, "DOS (counts)" for a histogram,
// "DOS (states per cell and energy)" for tetrahedra, "DOS per cell" for either per cell (in
// electrons per energy unit).
std::string DosAxisTitle(bool drawn, bool tetrahedra, bool perCell);

// The filling of FillBands, with the Fermi level of a metal where the tetrahedron count holds
// electrons / spin states.
FillingResult TetraFilling(const KGridShape& shape, const DosSamples& samples, double electrons,
                           double spin, int threads);

}  // namespace quarnel
