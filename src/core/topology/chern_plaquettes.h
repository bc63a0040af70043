// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Chern number of the occupied bands over a plane of the zone by plaquettes (Fukui, Hatsugai
// and Suzuki): on the n x n grid k1 = 2i/n, k2 = 2j/n of the plane's two directions, each
// plaquette's Berry phase counter-clockwise in (k1, k2), taken in (-pi, pi]; their sum / 2 pi is
// an exact integer wherever the occupied bands stay apart from the next one. The grid's last row
// and column close with u(k + G) = e^{-i G.tau} u(k).

#include <vector>

#include "topology/occupied_states.h"

namespace quarnel {

struct ChernPlaquettes {
  int dir1 = 0, dir2 = 1;  // the plane, 0-based: k1 along dir1, k2 along dir2
  int n = 0;
  bool ok = false;                // false when the solver failed at some k
  int chern = 0;                  // meaningful when ok and guard.Defined()
  double sum = 0;                 // the plaquette phases added up, / 2 pi
  std::vector<double> curvature;  // n * n plaquette phases, k1 fastest, at their lower-left corner
  GapGuard guard;
};

// The plane of directions dir1 and dir2 (0-based; the third k = 0). A 3-D model uses its first
// two periodic directions, as PeriodicList gives them.
ChernPlaquettes ComputeChernPlaquettes(const OccupiedStates& states, int dir1, int dir2, int n);

}  // namespace quarnel
