// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the topology window shows, computed from a copy of a lattice-form model away from the
// window (plain C++, no Qt, so it runs on a worker thread): the Wannier-centre flow with the Chern
// and Z2 numbers and their gap guard, the plaquette Berry curvature, and the ribbon bands or the
// finite piece's levels with each state's weight on the edge cells. Every number comes from
// core/topology; this file only chooses the grids and paths and puts the results side by side.

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "model/lattice_model.h"
#include "topology/chern_plaquettes.h"
#include "topology/open_pieces.h"
#include "topology/wilson_loop.h"

// Grids small enough for a live slider on a small model; the user raises them.
constexpr int kDefaultTopologyWindowGrid = 24;
constexpr int kMinTopologyWindowGrid = 2, kMaxTopologyWindowGrid = 200;
constexpr int kDefaultRibbonCells = 40, kDefaultFlakeCells = 12;
constexpr int kRibbonPathSteps = 120;  // over k 0..2: thirds of the zone are points of the path
// A dense solve with vectors of more states than this keeps the worker busy for seconds.
constexpr int kMaxWindowOpenStates = 1200;

struct TopologyRequest {
  quarnel::LatticeModel model;
  int occupied = 0;  // 0: as the filling gives
  int grid = kDefaultTopologyWindowGrid;
  int open = -1;  // the direction (0-based) the ribbon is cut along; -1: the finite piece
  int cells = kDefaultRibbonCells;
};

// The counters the window reads while the worker runs.
struct TopologyProgress {
  std::atomic<int> done{0}, total{1};
  std::atomic<bool> stop{false};
};

struct FlowPart {
  int periodic = 0;  // the number of periodic directions
  int dirs[3] = {0, 1, 2};
  int occupied = 0;
  std::string why;            // why nothing was computed ("" when it was)
  bool ok = false;            // the solver succeeded everywhere
  quarnel::WannierFlow flow;  // two or more periodic directions: the loop along dirs[0]
  quarnel::WilsonLoop loop;   // one: the chain's loop
  quarnel::GapGuard guard;    // of everything above and the plaquettes
  int chern = 0;              // from the flow; meaningful when guard.Defined()
  bool timeReversal = false;
  int z2 = -1;                          // -1: not defined
  quarnel::ChernPlaquettes plaquettes;  // over the plane of dirs[0], dirs[1]
  double plaquetteArea = 0;             // in Cartesian k, (1 / length unit)^2
};

struct RibbonPart {
  bool finite = false;
  int open = -1, along = -1;  // the cut direction; the direction the bands run along (-1: none)
  int cells = 0, states = 0;
  std::string why;  // why nothing was computed
  bool ok = false;
  // The ribbon: per path point its k along `along` and the energies and edge weights (first +
  // last cell), ascending in energy.
  std::vector<double> k;
  std::vector<std::vector<double>> energies, edge;
  // The finite piece: one spectrum with its states, and the piece for pictures of them.
  quarnel::OpenSpectrum spectrum;
  std::shared_ptr<const quarnel::OpenHamiltonian> piece;
};

struct TopologyResults {
  FlowPart flow;
  RibbonPart ribbon;
};

// Everything for one request; stops early (results incomplete) when progress.stop is set.
void ComputeTopology(const TopologyRequest& request, TopologyResults& out,
                     TopologyProgress& progress);

// The plaquette phases (n x n, k1 fastest, at their lower-left corner) as values on the k map's
// grid (side n + 1, k = -1 + 2i / n), divided by the plaquette area: the curvature at a grid
// point is the mean of the four plaquettes around it (n even) or the plaquette centred on it
// (n odd).
std::vector<double> CurvatureOnMapGrid(const std::vector<double>& phases, int n, double area);

// The sentences under the flow chart: the Chern number, the Z2 number, or why they are not
// defined (the gap guard in words).
std::string ChernText(const FlowPart& f);
std::string Z2Text(const FlowPart& f);
