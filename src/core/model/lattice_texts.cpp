// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lattice_texts.h"

#include <cmath>

#include "support/number_text.h"

namespace quarnel {

std::string CellOffsetText(const int R[3]) {
  return "(" + std::to_string(R[0]) + "," + std::to_string(R[1]) + "," + std::to_string(R[2]) + ")";
}

std::string HopAmplitudeText(std::complex<double> t) {
  if (t.imag() == 0) return FormatGeneral(t.real());
  const std::string im = FormatGeneral(t.imag());
  return FormatGeneral(t.real()) + (t.imag() < 0 ? "" : "+") + im + "i";
}

std::string LatticePairCellText(const LatticeModel& m, int row, int col) {
  std::string text;
  for (const LatticeHop& h : m.hops) {
    int R[3];
    std::complex<double> t;
    if (h.i == row && h.j == col) {
      for (int d = 0; d < 3; ++d) R[d] = h.R[d];
      t = h.t;
    } else if (h.i == col && h.j == row) {
      for (int d = 0; d < 3; ++d) R[d] = -h.R[d];
      t = std::conj(h.t);
    } else {
      continue;
    }
    if (!text.empty()) text += "; ";
    text += CellOffsetText(R) + " " + HopAmplitudeText(t);
  }
  return text;
}

std::string LatticeEnergyText(const LatticeModel& m, int i) {
  if (i < 0 || i >= m.Orbitals()) return "";
  return FormatGeneral(m.orbitals[i].energy);
}

std::string CartesianKText(const LatticeModel& m, const double k[3]) {
  double q[3];
  CartesianK(m, k, q);
  std::string text = "q = (";
  for (int c = 0; c < 3; ++c)
    text += (c ? ", " : "") + FormatG(std::fabs(q[c]) < 1e-12 ? 0 : q[c], 4);
  return text + ") 2\xCF\x80/a";
}

}  // namespace quarnel
