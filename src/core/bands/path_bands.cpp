// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/path_bands.h"

#include <algorithm>
#include <cmath>

#include "bands/csv_export.h"
#include "bands/dos_grid.h"
#include "numeric/fast_eigen.h"

namespace quarnel {

std::vector<KPathPoint> PathPoints(const std::vector<std::string>& lines,
                                   std::vector<int>* lineOf) {
  std::vector<KPathPoint> points;
  if (lineOf) lineOf->clear();
  for (std::size_t line = 1; line < lines.size(); ++line) {
    KPathPoint p;
    if (!KPathPointOf(ParseKPathLine(lines[line]), p)) continue;
    points.push_back(p);
    if (lineOf) lineOf->push_back(static_cast<int>(line));
  }
  return points;
}

bool FastPathBands(const RunModel& model, const std::vector<KPathPoint>& points, BandTable& table) {
  table.Start(OrbitalNames(model), points.size());
  HamMatrix h;
  FastEigenResult r;
  for (const KPathPoint& p : points) {
    FastEigen(model, KPointFromNumerators(p.div, p.nx, p.ny, p.nz), h, r);
    if (!r.ok) return false;
    table.Add(p, r);
  }
  return true;
}

int LiveFillingGrid(int dosGrid, int orbitals) {
  // A k point costs about orbitals^3 plus a fixed 600 in these units (building H, storing, the
  // filling's sort): 16 orbitals get 8^3 points, some 17 ms on one core; 3 orbitals 15^3.
  constexpr double kWork = 2.5e6;
  const double n3 = std::pow(std::max(orbitals, 1), 3) + 600;
  int n = std::max(dosGrid, 1);
  while (n > 1 && std::pow(n + 1, 3) * n3 > kWork) --n;
  return n;
}

FillingResult FastGridFilling(const RunModel& model, int n, int threads) {
  if (n < 1 || model.Orbitals() < 1) return {};
  DosSamples samples;
  SampleDosGrid(model, n, threads, samples, DosSolver::Fast);
  return FillBands(SampleEnergies(samples), SampleKpoints(samples), samples.Orbitals(),
                   model.FillElectrons(), model.FillSpin());
}

}  // namespace quarnel
