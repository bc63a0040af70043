// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/dos.h"

#include <algorithm>
#include <cmath>

#include "bands/kpath.h"

namespace quarnel {

void DosSamples::Start(std::size_t expectedSamples, int orbitals) {
  orbitals_ = std::max(0, orbitals);
  const std::size_t n = std::min(expectedSamples, kDosCapacity);
  energies_.clear();
  weights_.clear();
  energies_.reserve(n);
  weights_.reserve(n * static_cast<std::size_t>(orbitals_));
  emin_ = emax_ = 0;
  kpoints_ = 0;
}

void DosSamples::Add(double energy, const double* weights) {
  if (!std::isfinite(energy)) return;
  if (energies_.size() >= kDosCapacity) {
    energies_.pop_back();
    weights_.resize(weights_.size() - orbitals_);
  }
  if (energies_.empty()) emin_ = emax_ = energy;
  emin_ = std::min(emin_, energy);
  emax_ = std::max(emax_, energy);
  energies_.push_back(energy);
  for (int j = 1; j <= orbitals_; ++j) weights_.push_back(weights[j]);
}

bool DosEnergyWindow(const DosSamples& samples, double& emin, double& emax) {
  if (samples.Count() == 0) return false;
  emin = samples.Emin();
  emax = samples.Emax();
  double r = emax - emin;
  if (!(r > 0)) {
    emin -= 0.5;
    emax += 0.5;
    r = 1;
  }
  emax += 0.05 * r;
  emin -= 0.05 * r;
  // Energies near the largest double leave no window to bin in: its width overflows, or the
  // margins vanish in rounding.
  return std::isfinite(emax - emin) && emax > emin;
}

DosCurves DosHistogram(const DosSamples& samples, int m) {
  DosCurves curves;
  double emin = 0, emax = 0;
  if (m < 1 || !DosEnergyWindow(samples, emin, emax)) return curves;
  const int n = samples.Orbitals();
  const double dE = (emax - emin) / m;
  curves.energy.resize(m + 1);
  for (int p = 0; p <= m; ++p) curves.energy[p] = emin + p * dE;
  curves.value.assign(n + 1, std::vector<double>(m + 1, 0.0));
  for (std::size_t q = 0; q < samples.Count(); ++q) {
    const double b = RoundHalfEven((samples.Energy(q) - emin) / (emax - emin) * m);
    const int bin = static_cast<int>(std::clamp(b, 0.0, static_cast<double>(m)));
    curves.value[0][bin] += 1;
    for (int j = 1; j <= n; ++j) curves.value[j][bin] += samples.Weight(q, j);
  }
  return curves;
}

double GaussWeight(double x, double w) {
  const double t = x / (2 * w);
  return kGaussNorm * std::exp(-kGaussExp * t * t);
}

void SmoothDos(DosCurves& curves, int s) {
  if (s < 1 || curves.energy.size() < 2) return;
  const double d = curves.energy[1] - curves.energy[0];
  if (!(d > 0)) return;
  const double w = s * d;
  std::vector<double> weight(6 * s + 1);
  for (int k = -3 * s; k <= 3 * s; ++k) weight[k + 3 * s] = GaussWeight(k * d, w);
  std::vector<double> smoothed;
  for (std::vector<double>& x : curves.value) {
    const int P = static_cast<int>(x.size());
    smoothed.assign(P, 0.0);
    for (int p = 0; p < P; ++p) {
      double sum = 0;
      for (int k = std::max(-3 * s, -p); k <= 3 * s && p + k < P; ++k)
        sum += weight[k + 3 * s] * x[p + k];
      smoothed[p] = sum;
    }
    x.swap(smoothed);
  }
}

}  // namespace quarnel
