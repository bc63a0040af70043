// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The density of states: the samples of a run (energy and orbital weights of every eigenstate),
// their histogram on an energy grid and the Gaussian smoothing of the curves.

#include <cstddef>
#include <vector>

namespace quarnel {

// The most samples a run can keep: the largest grid (51 points per axis) times 16 bands.
constexpr std::size_t kDosCapacity = 2122416;

constexpr double kGaussNorm = 0.9394372786996513;  // 2 sqrt(ln 2 / pi)
constexpr double kGaussExp = 2.772588722239781;    // 4 ln 2

class DosSamples {
 public:
  // Empties the store and reserves what a run of the given size needs (never more than the
  // capacity), so that nothing is allocated per k point.
  void Start(std::size_t expectedSamples, int orbitals);

  // One eigenstate; weights[1..orbitals]. A non-finite energy is not kept. When the store is full
  // the last sample is overwritten.
  void Add(double energy, const double* weights);

  // The k points the samples come from, counted by the run that adds them.
  void AddKPoints(std::size_t k) { kpoints_ += k; }

  std::size_t Count() const { return energies_.size(); }
  std::size_t KPoints() const { return kpoints_; }
  // Bands per k point: while every energy is finite, the samples of k point p are
  // p * Bands() + (0..Bands() - 1), in band order (descending energy), k points in grid order.
  int Bands() const { return orbitals_; }
  int Orbitals() const { return orbitals_; }
  double Energy(std::size_t q) const { return energies_[q]; }
  double Weight(std::size_t q, int j) const { return weights_[q * orbitals_ + (j - 1)]; }
  // Lowest and highest energy kept; meaningful when Count() > 0.
  double Emin() const { return emin_; }
  double Emax() const { return emax_; }
  std::size_t Capacity() const { return energies_.capacity(); }

 private:
  int orbitals_ = 0;
  std::vector<double> energies_;
  std::vector<double> weights_;  // orbitals_ per sample
  double emin_ = 0, emax_ = 0;
  std::size_t kpoints_ = 0;
};

// The curves of a DOS: m + 1 energies and, per series (0 total, j orbital j), m + 1 values.
struct DosCurves {
  std::vector<double> energy;
  std::vector<std::vector<double>> value;
  bool Empty() const { return energy.empty(); }
};

// The energy window of the samples: 5 % of the range added on each side. A range of zero width
// (all energies equal) is opened to one energy unit around that energy first. False without
// samples, and when the window is too wide for a double or too narrow to tell its ends apart.
bool DosEnergyWindow(const DosSamples& samples, double& emin, double& emax);

// Raw histogram with m intervals over the energy window: one count per eigenstate in the total,
// the summed weights in the orbital curves; the bin index is rounded half to even. No samples (or
// no window) give empty curves.
DosCurves DosHistogram(const DosSamples& samples, int m);

// GaussNorm * exp(-GaussExp * (x / (2 w))^2).
double GaussWeight(double x, double w);

// Smooths every curve in place with the offsets -3s..3s, weights GaussWeight(k dE, s dE) with dE
// the energy step; only offsets inside the curve count. The weights are deliberately not
// renormalised (the area grows by about 2s), as the program has always shown it.
void SmoothDos(DosCurves& curves, int s);

}  // namespace quarnel
