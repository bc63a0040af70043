// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lattice_model.h"

#include <cmath>

namespace quarnel {

int FindLatticeOrbital(const LatticeModel& m, const std::string& name) {
  for (int i = 0; i < m.Orbitals(); ++i)
    if (m.orbitals[i].name == name) return i;
  return -1;
}

int PeriodicDirections(const LatticeModel& m, bool periodic[3]) {
  for (int d = 0; d < 3; ++d) periodic[d] = false;
  for (const LatticeHop& h : m.hops)
    for (int d = 0; d < 3; ++d)
      if (h.R[d] != 0) periodic[d] = true;
  return periodic[0] + periodic[1] + periodic[2];
}

double CellVolume(const double a[3][3]) {
  return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
         a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
         a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
}

bool ReciprocalVectors(const double a[3][3], double b[3][3]) {
  const double v = CellVolume(a);
  double scale = 0;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) scale = std::fmax(scale, std::fabs(a[r][c]));
  if (!std::isfinite(v) || scale == 0 || std::fabs(v) <= 1e-12 * scale * scale * scale) {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) b[r][c] = r == c ? 1 : 0;
    return false;
  }
  for (int r = 0; r < 3; ++r) {
    const double* p = a[(r + 1) % 3];
    const double* q = a[(r + 2) % 3];
    b[r][0] = (p[1] * q[2] - p[2] * q[1]) / v;
    b[r][1] = (p[2] * q[0] - p[0] * q[2]) / v;
    b[r][2] = (p[0] * q[1] - p[1] * q[0]) / v;
  }
  return true;
}

void CartesianK(const LatticeModel& m, const double k[3], double q[3]) {
  double b[3][3];
  ReciprocalVectors(m.cell, b);
  for (int c = 0; c < 3; ++c) q[c] = 0;
  for (int d = 0; d < 3; ++d)
    for (int c = 0; c < 3; ++c) q[c] += k[d] / 2 * b[d][c];
}

}  // namespace quarnel
