// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Wilson loops of the occupied bands: the Berry phase of a loop across the zone, its eigenvalues
// (the Wannier charge centres), their flow as another k crosses the zone, the Chern number from
// the flow's winding and the Z2 index from its flow over half the zone.
//
// The Berry phase of a closed loop is -Im ln prod det <u_k|u_k+1> (A = i <u|du>), taken in
// [0, 2 pi). A centre is -arg(lambda) / 2 pi mod 1 for an eigenvalue lambda of the loop's product
// of overlap matrices, so the centres add up to the Berry phase / 2 pi, modulo 1.

#include <vector>

#include "topology/occupied_states.h"

namespace quarnel {

struct WilsonLoop {
  bool ok = false;              // false when the solver failed at some k of the loop
  double berry = 0;             // in [0, 2 pi)
  std::vector<double> centres;  // ascending, each in [0, 1)
};

// The loop along direction d (0-based) through k (k[d] is not read): steps >= 1 points
// k_d = 2i / steps, closed by u(k + G_d) = e^{-i G.tau} u(k). The gap at each point goes to guard.
WilsonLoop ComputeWilsonLoop(const OccupiedStates& states, int d, const double k[3], int steps,
                             GapGuard& guard);

// The loops along dir (steps points each) for k_other = kEnd * i / rows, i = 0..rows; the other
// directions at k = 0.
struct WannierFlow {
  int dir = 0, other = 0;
  bool ok = true;
  std::vector<double> k;                     // k_other of each row
  std::vector<std::vector<double>> centres;  // each row ascending
  std::vector<double> berry;                 // each row in [0, 2 pi)
  GapGuard guard;
};
WannierFlow ComputeWannierFlow(const OccupiedStates& states, int dir, int other, int steps,
                               int rows, double kEnd);

// The Chern number of the plane (dir, other) from a flow over the whole zone (kEnd = 2): the
// winding of the summed centres, with the sign of the plaquette Chern number of the plane
// (ChernPlaquettes, counter-clockwise in its first and second direction).
int ChernFromFlow(const WannierFlow& flow);

// The Z2 index from a flow over half the zone (kEnd = 1) of a time-reversal symmetric model: the
// parity of the centres the middle of the widest gap between centres passes as k_other moves.
// -1 when the flow has an odd number of centres (Kramers pairs cannot be whole).
int Z2FromFlow(const WannierFlow& half);

}  // namespace quarnel
