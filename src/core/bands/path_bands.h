// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bands of a k path and the Fermi level of a filling by the fast eigen path, for a chart that
// follows a model value while it moves. The numbers are those of the band run and the DOS run up
// to rounding; only the diagonalisation differs.

#include <string>
#include <vector>

#include "bands/band_table.h"
#include "bands/filling.h"
#include "bands/kpath.h"
#include "numeric/run_model.h"

namespace quarnel {

// The points a band run computes from the lines of a path: every line after the title (line 0)
// that names a point, in order; lineOf, when given, receives the line of each.
std::vector<KPathPoint> PathPoints(const std::vector<std::string>& lines,
                                   std::vector<int>* lineOf = nullptr);

// Energies and orbital weights at every point into table, which is started with the model's
// orbital names. False when the solver failed at a point; the table then holds the points before.
bool FastPathBands(const RunModel& model, const std::vector<KPathPoint>& points, BandTable& table);

// The grid divisor for the Fermi level of a moving value: the DOS run's, but no finer than keeps
// the grid's diagonalisations (about orbitals^3 each) within a few milliseconds; at least 1.
int LiveFillingGrid(int dosGrid, int orbitals);

// The model's filling over the grid of the DOS run with divisor n >= 1, on threads.
FillingResult FastGridFilling(const RunModel& model, int n, int threads);

}  // namespace quarnel
