// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The input grid's cell texts for the lattice form. A pair cell lists the hops of that pair
// oriented from the row's orbital to the column's: a hop stored the other way (column -> row at
// R, t) is shown as its partner (row -> column at -R, conj t). The diagonal cell shows the self
// hops of the orbital (each at the R under which it is stored); the energy has its own cell.

#include <string>

#include "model/lattice_model.h"

namespace quarnel {

// "(1,0,0)" for an offset.
std::string CellOffsetText(const int R[3]);
// "-2.7" for a real amplitude, "-1+0.5i" or "0-2i" for a complex one.
std::string HopAmplitudeText(std::complex<double> t);

// The hops of orbital row to orbital col (0-based), oriented row -> col, joined by "; " in the
// order of the hop list: "(0,0,0) -2.7; (-1,0,0) -2.7". row == col: the self hops.
std::string LatticePairCellText(const LatticeModel& m, int row, int col);

// The energy cell.
std::string LatticeEnergyText(const LatticeModel& m, int i);

// The Cartesian k of a point in k numbers, for the k-point group:
// "q = (0.667, 0.385, 0) 2pi/a" (units of 2 pi / the cell's length unit).
std::string CartesianKText(const LatticeModel& m, const double k[3]);

}  // namespace quarnel
