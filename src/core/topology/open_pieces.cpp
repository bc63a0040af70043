// SPDX-License-Identifier: GPL-3.0-or-later
#include "topology/open_pieces.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>

namespace quarnel {

namespace {

constexpr double kPi = 3.14159265358979323846;

using RowMajorMatrix =
    Eigen::Matrix<std::complex<double>, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

}  // namespace

OpenHamiltonian::OpenHamiltonian(const LatticeModel& m, const OpenShape& shape)
    : shape_(shape), n_(m.Orbitals()) {
  for (int d = 0; d < 3; ++d) cells_[d] = shape.open[d] ? std::max(1, shape.cells[d]) : 1;
  for (const LatticeOrbital& o : m.orbitals) {
    energy_.push_back(o.energy);
    tau_.push_back({o.pos[0], o.pos[1], o.pos[2]});
  }
  for (const LatticeHop& h : m.hops)
    if (h.i >= 0 && h.j >= 0 && h.i < n_ && h.j < n_) hops_.push_back(h);
}

void OpenHamiltonian::CellOf(int index, int c[3]) const {
  c[0] = index % cells_[0];
  index /= cells_[0];
  c[1] = index % cells_[1];
  c[2] = index / cells_[1];
}

void OpenHamiltonian::Fill(const double k[3], std::vector<std::complex<double>>& H) const {
  const std::size_t S = static_cast<std::size_t>(States());
  H.assign(S * S, 0.0);
  for (int cell = 0; cell < Cells(); ++cell)
    for (int i = 0; i < n_; ++i) {
      const std::size_t s = static_cast<std::size_t>(cell) * n_ + i;
      H[s * S + s] += energy_[i];
    }
  for (const LatticeHop& h : hops_) {
    // Along the periodic directions the hop keeps its phase; along the open ones it moves cells.
    double x = 0;
    for (int d = 0; d < 3; ++d)
      if (!shape_.open[d]) x += k[d] * (h.R[d] + tau_[h.j][d] - tau_[h.i][d]);
    const std::complex<double> t = h.t * std::polar(1.0, kPi * x);
    for (int cell = 0; cell < Cells(); ++cell) {
      int c[3];
      CellOf(cell, c);
      bool inside = true;
      for (int d = 0; d < 3; ++d) {
        if (!shape_.open[d]) continue;
        c[d] += h.R[d];
        inside = inside && c[d] >= 0 && c[d] < cells_[d];
      }
      if (!inside) continue;
      const std::size_t a = static_cast<std::size_t>(cell) * n_ + h.i;
      const std::size_t b = static_cast<std::size_t>(CellIndex(c)) * n_ + h.j;
      H[a * S + b] += t;
      H[b * S + a] += std::conj(t);
    }
  }
}

OpenSpectrum SolveOpen(const OpenHamiltonian& h, const double k[3], bool vectors) {
  OpenSpectrum out;
  const int S = h.States();
  if (S < 1) return out;
  Eigen::SelfAdjointEigenSolver<Eigen::MatrixXcd> solver(S);
  {
    // The matrix goes as soon as the solver has its copy: a few thousand states take a few
    // hundred megabytes per copy.
    std::vector<std::complex<double>> H;
    h.Fill(k, H);
    const Eigen::Map<const RowMajorMatrix> A(H.data(), S, S);
    solver.compute(A, vectors ? Eigen::ComputeEigenvectors : Eigen::EigenvaluesOnly);
  }
  if (solver.info() != Eigen::Success) return out;
  out.energies.assign(solver.eigenvalues().data(), solver.eigenvalues().data() + S);
  if (vectors) {
    const auto& v = solver.eigenvectors();  // column-major, one state per column
    out.vectors.assign(v.data(), v.data() + static_cast<std::size_t>(S) * S);
  }
  out.ok = true;
  return out;
}

void EdgeWeights(const OpenHamiltonian& h, const OpenSpectrum& spectrum, int d,
                 std::vector<double>& first, std::vector<double>& last) {
  const int S = h.States(), n = h.Orbitals();
  const int end = h.Shape().open[d] ? std::max(1, h.Shape().cells[d]) - 1 : 0;
  first.assign(spectrum.energies.size(), 0.0);
  last.assign(spectrum.energies.size(), 0.0);
  if (spectrum.vectors.size() < static_cast<std::size_t>(S) * S) return;
  std::vector<int> along(h.Cells());
  for (int cell = 0; cell < h.Cells(); ++cell) {
    int c[3];
    h.CellOf(cell, c);
    along[cell] = c[d];
  }
  for (int s = 0; s < S; ++s) {
    const std::complex<double>* v = &spectrum.vectors[static_cast<std::size_t>(s) * S];
    for (int site = 0; site < S; ++site) {
      const int c = along[site / n];
      if (c == 0) first[s] += std::norm(v[site]);
      if (c == end) last[s] += std::norm(v[site]);
    }
  }
}

std::vector<double> StateDensity(const OpenHamiltonian& h, const OpenSpectrum& spectrum, int s) {
  const std::size_t S = static_cast<std::size_t>(h.States());
  std::vector<double> density(S, 0.0);
  if (s < 0 || static_cast<std::size_t>(s) >= S || spectrum.vectors.size() < S * S) return density;
  for (std::size_t site = 0; site < S; ++site)
    density[site] = std::norm(spectrum.vectors[s * S + site]);
  return density;
}

void SitePosition(const LatticeModel& m, const OpenHamiltonian& h, int site, double xyz[3]) {
  const int n = std::max(1, h.Orbitals());
  int c[3];
  h.CellOf(site / n, c);
  const LatticeOrbital& o = m.orbitals[site % n];
  for (int x = 0; x < 3; ++x) {
    xyz[x] = 0;
    for (int a = 0; a < 3; ++a) xyz[x] += (c[a] + o.pos[a]) * m.cell[a][x];
  }
}

bool FlakeShape(const LatticeModel& m, const int cells[2], OpenShape& shape) {
  bool periodic[3];
  const int count = PeriodicDirections(m, periodic);
  if (count < 1 || count > 2) return false;
  shape = OpenShape();
  int which = 0;
  for (int d = 0; d < 3; ++d) {
    if (!periodic[d]) continue;
    shape.open[d] = true;
    shape.cells[d] = std::max(1, cells[which++]);
  }
  return true;
}

}  // namespace quarnel
