// SPDX-License-Identifier: GPL-3.0-or-later
#include "topology/occupied_states.h"

#include <Eigen/Eigenvalues>
#include <Eigen/LU>
#include <algorithm>
#include <cmath>

#include "support/number_text.h"

namespace quarnel {

namespace {

constexpr double kPi = 3.14159265358979323846;

// At most kMaxOrb rows: a k point allocates nothing in the solver.
using SmallMatrix =
    Eigen::Matrix<std::complex<double>, Eigen::Dynamic, Eigen::Dynamic, 0, kMaxOrb, kMaxOrb>;

}  // namespace

int PeriodicList(const LatticeModel& m, int dirs[3]) {
  bool periodic[3];
  PeriodicDirections(m, periodic);
  int count = 0;
  for (int d = 0; d < 3; ++d)
    if (periodic[d]) dirs[count++] = d;
  return count;
}

bool ChooseOccupied(const LatticeModel& m, int requested, int& occupied, std::string& why) {
  const int bands = std::min(m.Orbitals(), kMaxOrb);
  if (bands < 2) {
    why = "the model has " + std::to_string(bands) + (bands == 1 ? " band" : " bands") +
          ": no band can be filled below an empty one";
    return false;
  }
  const std::string range = "from 1 to " + std::to_string(bands - 1);
  if (requested > 0) {
    if (requested >= bands) {
      why = "--occupied needs a count " + range + " (the model has " + std::to_string(bands) +
            " bands)";
      return false;
    }
    occupied = requested;
    return true;
  }
  const double perBand = m.FillSpin > 0 ? m.FillElectrons / m.FillSpin : 0;
  const double whole = std::round(perBand);
  if (m.FillElectrons <= 0 || std::fabs(perBand - whole) > 1e-9) {
    why = m.FillElectrons <= 0 ? "the model sets no filling: give --occupied N"
                               : "the filling's " + FormatGeneral(m.FillElectrons) +
                                     " electrons / spin " + std::to_string(m.FillSpin) +
                                     " fill no whole number of bands: give --occupied N";
    return false;
  }
  if (whole < 1 || whole >= bands) {
    why = "the filling fills " + FormatGeneral(whole) + " of " + std::to_string(bands) +
          " bands: give --occupied N " + range;
    return false;
  }
  occupied = static_cast<int>(whole);
  return true;
}

void GapGuard::Add(double g, const double at[3]) {
  if (!(g >= gap)) {  // a NaN gap counts as closed
    gap = std::isnan(g) ? 0 : g;
    for (int d = 0; d < 3; ++d) k[d] = at[d];
  }
}

void GapGuard::Merge(const GapGuard& other) {
  if (other.gap < gap) *this = other;
}

std::string GapGuard::Reason() const {
  return "not defined (gap closes near k = (" + FormatG(k[0], 6) + ", " + FormatG(k[1], 6) + ", " +
         FormatG(k[2], 6) + "))";
}

OccupiedStates::OccupiedStates(const LatticeModel& m, int occupied)
    : h_(m, LatticeHamiltonian::WithPositions), n_(h_.Orbitals()), occupied_(occupied) {
  for (int d = 0; d < 3; ++d)
    for (int j = 0; j < n_; ++j) tau_[d].push_back(m.orbitals[j].pos[d]);
}

bool OccupiedStates::Solve(const double k[3], Frame& frame, double& gap) const {
  std::complex<double> H[kMaxOrb * kMaxOrb];
  h_.Fill(k, H);
  SmallMatrix A(n_, n_);
  for (int i = 0; i < n_; ++i)
    for (int j = 0; j < n_; ++j) A(i, j) = H[i * n_ + j];
  Eigen::SelfAdjointEigenSolver<SmallMatrix> solver(A, Eigen::ComputeEigenvectors);
  if (solver.info() != Eigen::Success) {
    frame.clear();
    gap = 0;
    return false;
  }
  const auto& values = solver.eigenvalues();
  const auto& vectors = solver.eigenvectors();
  frame.resize(static_cast<std::size_t>(n_) * occupied_);
  for (int c = 0; c < occupied_; ++c)
    for (int j = 0; j < n_; ++j) frame[c * n_ + j] = vectors(j, c);
  gap = values(occupied_) - values(occupied_ - 1);
  return true;
}

void OccupiedStates::ShiftByG(int d, int times, Frame& frame) const {
  for (int j = 0; j < n_; ++j) {
    const std::complex<double> phase = std::polar(1.0, -2 * kPi * times * tau_[d][j]);
    for (int c = 0; c < occupied_; ++c) frame[c * n_ + j] *= phase;
  }
}

std::complex<double> OccupiedStates::OverlapDet(const Frame& a, const Frame& b) const {
  const auto dot = [&](int p, int q) {
    std::complex<double> s = 0;
    const std::complex<double>* x = &a[p * n_];
    const std::complex<double>* y = &b[q * n_];
    for (int j = 0; j < n_; ++j) s += std::conj(x[j]) * y[j];
    return s;
  };
  if (occupied_ == 1) return dot(0, 0);
  if (occupied_ == 2) return dot(0, 0) * dot(1, 1) - dot(0, 1) * dot(1, 0);
  SmallMatrix M(occupied_, occupied_);
  for (int p = 0; p < occupied_; ++p)
    for (int q = 0; q < occupied_; ++q) M(p, q) = dot(p, q);
  return M.partialPivLu().determinant();
}

}  // namespace quarnel
