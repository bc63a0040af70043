// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/filling.h"

#include <algorithm>
#include <cmath>

#include "bands/kpath.h"
#include "support/number_text.h"

namespace quarnel {

namespace {

// Eigenvalues closer than this are one level; a gap must be wider.
constexpr double kLevelTolerance = 1e-6;

bool WholeList(const std::vector<double>& energy, std::size_t kpoints, int bands) {
  return bands > 0 && kpoints > 0 && energy.size() == kpoints * static_cast<std::size_t>(bands);
}

}  // namespace

bool BandEdges(const std::vector<double>& energy, std::size_t kpoints, int bands, int b,
               double& top, std::size_t& topK, double& bottom, std::size_t& bottomK) {
  if (b < 1 || b >= bands || !WholeList(energy, kpoints, bands)) return false;
  // Band b from the bottom is EigVal index N + 1 - b, stored at offset N - b.
  const std::size_t below = static_cast<std::size_t>(bands - b);
  const std::size_t above = below - 1;
  top = energy[below], bottom = energy[above];
  topK = bottomK = 0;
  for (std::size_t k = 1; k < kpoints; ++k) {
    const double* e = &energy[k * bands];
    if (e[below] > top) top = e[below], topK = k;
    if (e[above] < bottom) bottom = e[above], bottomK = k;
  }
  return true;
}

FillingResult FillBands(const std::vector<double>& energy, std::size_t kpoints, int bands,
                        double electrons, double spin) {
  FillingResult f;
  if (!(electrons > 0) || !std::isfinite(electrons) || !(spin > 0) || kpoints == 0 ||
      energy.empty() || bands < 1)
    return f;
  const double states = static_cast<double>(energy.size());
  // Electrons in units of states; the rounding of electrons * Nk / spin must not open a state.
  const double filled = electrons * static_cast<double>(kpoints) / spin;
  const double slack = 1e-9 * std::max(1.0, filled);
  if (filled > states + slack) {
    f.overfilled = true;
    return f;
  }
  f.valid = true;
  const double b = std::round(electrons / spin);
  if (std::fabs(electrons / spin - b) < 1e-9 && b >= 1 && b < bands &&
      BandEdges(energy, kpoints, bands, static_cast<int>(b), f.vbm, f.vbmK, f.cbm, f.cbmK) &&
      f.cbm - f.vbm > kLevelTolerance) {
    f.insulator = true;
    f.filledBands = static_cast<int>(b);
    f.gap = f.cbm - f.vbm;
    f.fermi = (f.vbm + f.cbm) / 2;
    // A band edge reached at several k points (a flat band) is direct when one of them is the
    // other edge's.
    const std::size_t nb = static_cast<std::size_t>(bands), below = nb - f.filledBands;
    if (energy[f.cbmK * nb + below] >= f.vbm - kLevelTolerance) f.vbmK = f.cbmK;
    if (energy[f.vbmK * nb + below - 1] <= f.cbm + kLevelTolerance) f.cbmK = f.vbmK;
    f.direct = f.vbmK == f.cbmK;
    return f;
  }
  const double last = std::clamp(std::ceil(filled - slack), 1.0, states);
  std::vector<double> sorted = energy;
  const auto nth = sorted.begin() + static_cast<std::ptrdiff_t>(last - 1);
  std::nth_element(sorted.begin(), nth, sorted.end());
  f.fermi = *nth;
  return f;
}

std::vector<double> SampleEnergies(const DosSamples& samples) {
  std::vector<double> energy(samples.Count());
  for (std::size_t q = 0; q < energy.size(); ++q) energy[q] = samples.Energy(q);
  return energy;
}

std::size_t SampleKpoints(const DosSamples& samples) {
  const int n = samples.Orbitals();
  return n > 0 ? samples.Count() / static_cast<std::size_t>(n) : 0;
}

std::string GridPointName(std::size_t q, int n) {
  if (n < 1) return std::string();
  const std::size_t side = static_cast<std::size_t>(n) + 1;
  KPathLine line;
  line.kx = static_cast<double>(q % side);
  line.ky = static_cast<double>(q / side % side);
  line.kz = static_cast<double>(q / side / side);
  line.div = n;
  bool special = false;
  const std::string label = SpecialPointLabel(line, special);
  if (special) return label;
  return "(" + FormatG(line.kx / n, 4) + ", " + FormatG(line.ky / n, 4) + ", " +
         FormatG(line.kz / n, 4) + ")";
}

std::vector<double> IntegratedCount(std::vector<double> energy, std::size_t kpoints, double spin,
                                    const std::vector<double>& at) {
  std::vector<double> count(at.size(), 0.0);
  if (kpoints == 0) return count;
  std::sort(energy.begin(), energy.end());
  const double perState = spin / static_cast<double>(kpoints);
  for (std::size_t p = 0; p < at.size(); ++p) {
    const auto end = std::upper_bound(energy.begin(), energy.end(), at[p]);
    count[p] = static_cast<double>(end - energy.begin()) * perState;
  }
  return count;
}

DosCurves PerCellDos(DosCurves raw, int s, double spin, std::size_t kpoints) {
  if (raw.energy.size() < 2 || kpoints == 0) return raw;
  const double dE = raw.energy[1] - raw.energy[0];
  if (!(dE > 0)) return raw;
  const double scale = spin / (static_cast<double>(kpoints) * dE);
  for (std::vector<double>& v : raw.value)
    for (double& x : v) x *= scale;
  if (s < 1) return raw;
  std::vector<double> weight(6 * s + 1);
  double sum = 0;
  for (int k = -3 * s; k <= 3 * s; ++k) sum += weight[k + 3 * s] = GaussWeight(k * dE, s * dE);
  for (double& w : weight) w /= sum;
  std::vector<double> smoothed;
  for (std::vector<double>& x : raw.value) {
    const int P = static_cast<int>(x.size());
    smoothed.assign(P, 0.0);
    for (int p = 0; p < P; ++p)
      for (int k = std::max(-3 * s, -p); k <= 3 * s && p + k < P; ++k)
        smoothed[p] += weight[k + 3 * s] * x[p + k];
    x.swap(smoothed);
  }
  return raw;
}

std::string FermiText(const FillingResult& f) {
  return "E_F = " + FormatFixed(f.fermi, 0, 3);
}

std::string GapText(const FillingResult& f, const std::string& vbmAt, const std::string& cbmAt) {
  if (f.overfilled) return "more electrons than states";
  if (!f.valid) return std::string();
  if (!f.insulator) return "metal";
  const std::string gap = "gap " + FormatFixed(f.gap, 0, 3);
  if (f.direct) return gap + ", direct at " + vbmAt;
  return gap + ", indirect: VBM at " + vbmAt + ", CBM at " + cbmAt;
}

std::string DosFillingHeader(const DosFillingColumns& c) {
  const auto g = [](double x) { return FormatG(x, 12); };
  const FillingResult& f = c.result;
  std::string h = "# electrons=" + g(c.electrons) + " spin=" + g(c.spin) + "\n";
  h += "# fermi=" + g(f.fermi) + "\n";
  if (f.insulator)
    h += "# gap=" + g(f.gap) + " vbm=" + g(f.vbm) + " cbm=" + g(f.cbm) +
         " direct=" + (f.direct ? "yes" : "no") + "\n";
  else
    h += "# gap=0 metal\n";
  if (c.shifted) h += "# energies: E - E_F\n";
  if (c.perCell) h += "# densities: electrons per energy unit per cell\n";
  return h;
}

}  // namespace quarnel
