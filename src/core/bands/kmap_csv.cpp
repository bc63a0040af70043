// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/kmap_csv.h"

#include "support/number_text.h"

namespace quarnel {

namespace {

std::string Number(double x) {
  return FormatG(x, 12);
}

}  // namespace

std::string KMapCsv(const RunDescription& run, const std::vector<std::string>& orbitalNames,
                    const KMapGrid& grid, bool weights, const KMapDosColumn* dos) {
  std::string out = CsvHeader("k map", run);
  const std::string side = std::to_string(grid.Side());
  out += "# k plane: kz = " + Number(grid.kz) + ", " + side + " x " + side +
         " points kx, ky = -1 + 2i/" + std::to_string(grid.n) + "\n";
  out += "# band: " + std::to_string(grid.band) + " of " + std::to_string(grid.bands) +
         " (1 = the highest)\n";
  if (dos)
    out += "# dos: states per energy unit at E = " + Number(dos->energy) + ", Gauss width (FWHM) " +
           Number(dos->width) + "\n";
  out += "kx,ky,energy";
  if (weights)
    for (const std::string& name : orbitalNames) out += "," + CsvField(name);
  if (dos) out += ",dos";
  out += "\n";
  const int N = grid.bands;
  for (int iy = 0; iy < grid.Side(); ++iy)
    for (int ix = 0; ix < grid.Side(); ++ix) {
      const std::size_t p = static_cast<std::size_t>(iy) * grid.Side() + ix;
      out += Number(grid.K(ix)) + "," + Number(grid.K(iy)) + "," +
             Number(grid.energy[p * N + grid.band - 1]);
      if (weights)
        for (int j = 0; j < N && j < static_cast<int>(orbitalNames.size()); ++j)
          out += "," + Number(grid.weight[p * N + j]);
      if (dos && p < dos->value.size()) out += "," + Number(dos->value[p]);
      out += "\n";
    }
  return out;
}

}  // namespace quarnel
