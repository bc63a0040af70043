// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The CSV file of a k map, written alike by the k map window and quarnel-cli map: the comment
// header of the other files, then kx,ky,energy (the band's energy), the orbital weights in that
// band when asked for, and the density of states when the map shows it; kx varies fastest.

#include <string>
#include <vector>

#include "bands/csv_export.h"
#include "bands/kmap.h"

namespace quarnel {

// The smoothed density of states at one energy, a value per point of the grid.
struct KMapDosColumn {
  double energy = 0, width = 0;
  std::vector<double> value;
};

std::string KMapCsv(const RunDescription& run, const std::vector<std::string>& orbitalNames,
                    const KMapGrid& grid, bool weights, const KMapDosColumn* dos = nullptr);

}  // namespace quarnel
