// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/lattice_hamiltonian.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace quarnel {
namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr std::size_t Triangle(int n) {
  return static_cast<std::size_t>(n) * (n + 1) / 2;
}

// Index of (i, j), i <= j, in the packed upper triangle, row by row.
std::size_t Upper(int n, int i, int j) {
  return static_cast<std::size_t>(i) * n - static_cast<std::size_t>(i) * (i - 1) / 2 + (j - i);
}

}  // namespace

LatticeHamiltonian::LatticeHamiltonian(const LatticeModel& m, Phases phases)
    : n_(std::min(m.Orbitals(), kMaxOrb)), positions_(phases == WithPositions) {
  for (int i = 0; i < n_; ++i) {
    energy_.push_back(m.orbitals[i].energy);
    tau_.push_back({m.orbitals[i].pos[0], m.orbitals[i].pos[1], m.orbitals[i].pos[2]});
  }
  const std::size_t T = Triangle(n_);
  std::map<std::array<int, 3>, std::size_t> index;
  const auto block = [&](const std::array<int, 3>& R) {
    const auto found = index.find(R);
    if (found != index.end()) return found->second;
    const std::size_t b = offsets_.size();
    index[R] = b;
    offsets_.push_back(R);
    blockRe_.resize(blockRe_.size() + T, 0.0);
    blockIm_.resize(blockIm_.size() + T, 0.0);
    return b;
  };
  const auto add = [&](const std::array<int, 3>& R, int i, int j, std::complex<double> t) {
    const std::size_t at = block(R) * T + Upper(n_, i, j);
    blockRe_[at] += t.real();
    blockIm_[at] += t.imag();
  };
  for (const LatticeHop& h : m.hops) {
    if (h.i < 0 || h.j < 0 || h.i >= n_ || h.j >= n_) continue;
    const std::array<int, 3> R{h.R[0], h.R[1], h.R[2]}, minus{-h.R[0], -h.R[1], -h.R[2]};
    if (h.i < h.j) {
      add(R, h.i, h.j, h.t);
    } else if (h.i > h.j) {
      add(minus, h.j, h.i, std::conj(h.t));
    } else {
      add(R, h.i, h.i, h.t);
      add(minus, h.i, h.i, std::conj(h.t));
    }
  }
  for (int d = 0; d < 3; ++d) {
    for (const auto& R : offsets_) {
      low_[d] = std::min(low_[d], R[d]);
      high_[d] = std::max(high_[d], R[d]);
    }
  }
}

void LatticeHamiltonian::Accumulate(const double k[3], double* __restrict re,
                                    double* __restrict im) const {
  const std::size_t T = Triangle(n_);
  std::fill(re, re + T, 0.0);
  std::fill(im, im + T, 0.0);
  // e^{i pi k_d r} for r = low..high, one sine and cosine per direction and value; an offset's
  // phase is the product of its three.
  constexpr int kTable = 64;
  std::complex<double> table[3][kTable];
  bool tabulated = true;
  for (int d = 0; d < 3; ++d) {
    if (high_[d] - low_[d] >= kTable) {
      tabulated = false;
      continue;
    }
    for (int r = low_[d]; r <= high_[d]; ++r) table[d][r - low_[d]] = std::polar(1.0, kPi * k[d] * r);
  }
  for (std::size_t b = 0; b < offsets_.size(); ++b) {
    const auto& R = offsets_[b];
    const std::complex<double> phase =
        tabulated ? table[0][R[0] - low_[0]] * table[1][R[1] - low_[1]] * table[2][R[2] - low_[2]]
                  : std::polar(1.0, kPi * (k[0] * R[0] + k[1] * R[1] + k[2] * R[2]));
    const double c = phase.real(), s = phase.imag();
    const double* __restrict br = &blockRe_[b * T];
    const double* __restrict bi = &blockIm_[b * T];
    for (std::size_t x = 0; x < T; ++x) {
      re[x] += c * br[x] - s * bi[x];
      im[x] += s * br[x] + c * bi[x];
    }
  }
  // The diagonal is real: a hop's and its partner's imaginary parts cancel up to rounding.
  for (int i = 0; i < n_; ++i) {
    re[Upper(n_, i, i)] += energy_[i];
    im[Upper(n_, i, i)] = 0;
  }
  if (!positions_) return;
  std::complex<double> orbital[kMaxOrb];
  for (int i = 0; i < n_; ++i)
    orbital[i] = std::polar(1.0, kPi * (k[0] * tau_[i][0] + k[1] * tau_[i][1] + k[2] * tau_[i][2]));
  for (int i = 0; i < n_; ++i)
    for (int j = i + 1; j < n_; ++j) {
      const std::size_t x = Upper(n_, i, j);
      const std::complex<double> h = std::complex<double>(re[x], im[x]) * std::conj(orbital[i]) *
                                     orbital[j];
      re[x] = h.real();
      im[x] = h.imag();
    }
}

void LatticeHamiltonian::Fill(const double k[3], std::complex<double>* H) const {
  double re[Triangle(kMaxOrb)], im[Triangle(kMaxOrb)];
  Accumulate(k, re, im);
  for (int i = 0; i < n_; ++i)
    for (int j = i; j < n_; ++j) {
      const std::size_t x = Upper(n_, i, j);
      H[i * n_ + j] = {re[x], im[x]};
      H[j * n_ + i] = {re[x], -im[x]};
    }
}

void LatticeHamiltonian::FillPacked(const KPoint& kp, HamMatrix& HamK) const {
  double re[Triangle(kMaxOrb)], im[Triangle(kMaxOrb)];
  const double k[3] = {kp.k[1], kp.k[2], kp.k[3]};
  Accumulate(k, re, im);
  for (int i = 0; i < n_; ++i) {
    HamK[i + 1][i + 1] = re[Upper(n_, i, i)];
    for (int j = i + 1; j < n_; ++j) {
      const std::size_t x = Upper(n_, i, j);
      HamK[i + 1][j + 1] = re[x];
      HamK[j + 1][i + 1] = -im[x];
    }
  }
}

}  // namespace quarnel
