// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_filling.h"

#include <cmath>
#include <iostream>

#include "bands/filling.h"
#include "cli/cli_common.h"
#include "support/number_text.h"

namespace quarnel::cli {

int ParseFillingOption(const std::vector<std::string>& a, std::size_t& k, FillingOptions& f) {
  if (a[k] == "--per-cell") return f.perCell = true, 1;
  if (a[k] == "--shift") return f.shift = true, 1;
  if (a[k] != "--electrons" && a[k] != "--spin") return 0;
  if (k + 1 >= a.size()) return UsageError(a[k] + " needs a value"), -1;
  const std::string& value = a[++k];
  if (a[k - 1] == "--electrons") {
    if (!ReadNumber(value, f.electrons) || !std::isfinite(f.electrons) || f.electrons <= 0)
      return UsageError("--electrons needs a number of electrons per cell above 0"), -1;
    f.set = true;
    return 1;
  }
  if (!TryParseInt(value, f.spin) || (f.spin != 1 && f.spin != 2))
    return UsageError("--spin needs 1 (spin orbitals) or 2"), -1;
  f.spinGiven = true;
  return 1;
}

bool CheckFillingOptions(const FillingOptions& f) {
  if (f.set || (!f.spinGiven && !f.perCell && !f.shift)) return true;
  UsageError("--spin, --per-cell and --shift need --electrons");
  return false;
}

namespace {

DosFillingColumns Columns(const FillingOptions& f, const FillingResult& result) {
  DosFillingColumns c;
  c.electrons = f.electrons;
  c.spin = f.spin;
  c.shifted = f.shift;
  c.perCell = f.perCell;
  c.result = result;
  return c;
}

// False, after saying why, when the filling found no Fermi level.
bool Filled(const FillingResult& r, const FillingOptions& f, const std::string& modelFile,
            int bands) {
  if (r.valid) return true;
  std::cerr << "quarnel-cli: " << modelFile << ": "
            << (r.overfilled ? "more electrons per cell than the bands hold (" +
                                   FormatG(f.spin * bands, 12) + ")"
                             : std::string("no states to fill"))
            << "\n";
  return false;
}

}  // namespace

bool FilledDosCsv(const FillingOptions& f, const std::string& modelFile, const RunDescription& run,
                  const std::vector<std::string>& names, const DosSamples& samples,
                  std::string& text) {
  const std::vector<double> energy = SampleEnergies(samples);
  const std::size_t kpoints = SampleKpoints(samples);
  DosFillingColumns c =
      Columns(f, FillBands(energy, kpoints, samples.Orbitals(), f.electrons, f.spin));
  if (!Filled(c.result, f, modelFile, samples.Orbitals())) return false;
  DosCurves curves = DosHistogram(samples, run.bins);
  if (f.perCell)
    curves = PerCellDos(curves, run.smooth, f.spin, kpoints);
  else
    SmoothDos(curves, run.smooth);
  c.integrated = IntegratedCount(energy, kpoints, f.spin, curves.energy);
  if (f.shift)
    for (double& e : curves.energy) e -= c.result.fermi;
  text = DosCsv(run, names, curves, &c);
  return true;
}

bool FilledTetraDosCsv(const FillingOptions& f, const std::string& modelFile,
                       const RunDescription& run, const std::vector<std::string>& names,
                       const KGridShape& shape, const DosSamples& samples,
                       const TetraDosResult& tetra, int threads, std::string& text) {
  DosFillingColumns c = Columns(f, TetraFilling(shape, samples, f.electrons, f.spin, threads));
  if (!Filled(c.result, f, modelFile, samples.Orbitals())) return false;
  DosCurves curves = TetraShownCurves(tetra, f.spin, f.perCell, c.integrated);
  if (f.shift)
    for (double& e : curves.energy) e -= c.result.fermi;
  text = DosCsv(run, names, curves, &c);
  return true;
}

}  // namespace quarnel::cli
