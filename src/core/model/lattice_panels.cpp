// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lattice_panels.h"

#include <cmath>

#include "model/model_data.h"
#include "model/panel_values.h"
#include "support/number_text.h"

namespace quarnel {
namespace {

const char* const kAxis[3] = {"1", "2", "3"};
const char* const kComponent[3] = {"x", "y", "z"};

bool Blank(const std::string& s) {
  return s.find_first_not_of(" \t") == std::string::npos;
}

// A blank field reads as 0 where a default makes sense (Im t, a position).
bool ReadOrZero(const std::string& s, double& x) {
  if (Blank(s)) {
    x = 0;
    return true;
  }
  return ReadNumber(s, x) && std::isfinite(x);
}

bool ReadInteger(const std::string& s, int& n) {
  if (Blank(s)) {
    n = 0;
    return true;
  }
  double x;
  if (!ReadNumber(s, x) || !std::isfinite(x) || x != std::floor(x) || std::fabs(x) > 1e6)
    return false;
  n = static_cast<int>(x);
  return true;
}

bool SameR(const int a[3], const int b[3], int sign) {
  return a[0] == sign * b[0] && a[1] == sign * b[1] && a[2] == sign * b[2];
}

}  // namespace

LatticeOrbitalTexts LatticeOrbitalPanelFill(const LatticeModel& m, int i) {
  LatticeOrbitalTexts t;
  if (i < 0 || i >= m.Orbitals()) return t;
  const LatticeOrbital& o = m.orbitals[i];
  t.name = o.name;
  t.energy = FormatGeneral(o.energy);
  for (int d = 0; d < 3; ++d) t.pos[d] = FormatGeneral(o.pos[d]);
  t.kindItem = o.kind >= 1 && o.kind <= kOrbKinds ? o.kind - 1 : 0;
  return t;
}

std::string ApplyLatticeOrbitalPanel(LatticeModel& m, int i, const LatticeOrbitalTexts& t) {
  if (i < 0 || i >= m.Orbitals()) return "No such orbital.";
  const std::string name = CleanOrbitalName(t.name);
  if (name.empty()) return "The orbital needs a name.";
  const int other = FindLatticeOrbital(m, name);
  if (other >= 0 && other != i) return "Another orbital is named " + name + ".";
  double energy, pos[3];
  if (!ReadNumber(t.energy, energy) || !std::isfinite(energy)) return "Energy: not a number.";
  for (int d = 0; d < 3; ++d)
    if (!ReadOrZero(t.pos[d], pos[d]))
      return std::string("Position ") + kAxis[d] + ": not a number.";
  LatticeOrbital& o = m.orbitals[i];
  o.name = name;
  o.energy = energy;
  for (int d = 0; d < 3; ++d) o.pos[d] = pos[d];
  if (t.kindItem >= 0 && t.kindItem < kOrbKinds) o.kind = t.kindItem + 1;
  return "";
}

std::vector<LatticeHopRow> LatticePairPanelFill(const LatticeModel& m, int i, int j) {
  std::vector<LatticeHopRow> rows;
  for (const LatticeHop& h : m.hops) {
    int sign;
    std::complex<double> t;
    if (h.i == i && h.j == j) {
      sign = 1;
      t = h.t;
    } else if (h.i == j && h.j == i) {
      sign = -1;
      t = std::conj(h.t);
    } else {
      continue;
    }
    LatticeHopRow row;
    for (int d = 0; d < 3; ++d) row.R[d] = std::to_string(sign * h.R[d]);
    row.re = FormatGeneral(t.real());
    row.im = FormatGeneral(t.imag());
    rows.push_back(row);
  }
  return rows;
}

std::string ApplyLatticePairPanel(LatticeModel& m, int i, int j,
                                  const std::vector<LatticeHopRow>& rows) {
  if (i < 0 || j < 0 || i >= m.Orbitals() || j >= m.Orbitals()) return "No such pair.";
  std::vector<LatticeHop> read;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const LatticeHopRow& row = rows[r];
    if (Blank(row.R[0]) && Blank(row.R[1]) && Blank(row.R[2]) && Blank(row.re) && Blank(row.im))
      continue;
    const std::string at = "Row " + std::to_string(r + 1) + ": ";
    LatticeHop h;
    h.i = i;
    h.j = j;
    for (int d = 0; d < 3; ++d)
      if (!ReadInteger(row.R[d], h.R[d])) return at + "R" + kAxis[d] + " is not an integer.";
    double re, im;
    if (!ReadNumber(row.re, re) || !std::isfinite(re)) return at + "Re t is not a number.";
    if (!ReadOrZero(row.im, im)) return at + "Im t is not a number.";
    h.t = {re, im};
    const int zero[3] = {0, 0, 0};
    if (i == j && SameR(h.R, zero, 1))
      return at + "a hop of an orbital to itself in its own cell is its energy.";
    for (const LatticeHop& o : read)
      if (SameR(o.R, h.R, 1) || (i == j && SameR(o.R, h.R, -1)))
        return at + "the hop to cell " + std::to_string(h.R[0]) + "," + std::to_string(h.R[1]) +
               "," + std::to_string(h.R[2]) + " is given twice.";
    read.push_back(h);
  }
  std::vector<LatticeHop> kept;
  std::size_t first = m.hops.size();  // where the pair's hops were, so the list keeps its order
  for (std::size_t k = 0; k < m.hops.size(); ++k) {
    const LatticeHop& h = m.hops[k];
    if ((h.i == i && h.j == j) || (h.i == j && h.j == i)) {
      if (first == m.hops.size()) first = kept.size();
      continue;
    }
    kept.push_back(h);
  }
  if (first > kept.size()) first = kept.size();
  kept.insert(kept.begin() + static_cast<std::ptrdiff_t>(first), read.begin(), read.end());
  m.hops = kept;
  return "";
}

LatticeCellTexts LatticeCellPanelFill(const LatticeModel& m) {
  LatticeCellTexts t;
  for (int v = 0; v < 3; ++v)
    for (int c = 0; c < 3; ++c) t.a[v][c] = FormatGeneral(m.cell[v][c]);
  return t;
}

std::string ApplyLatticeCellPanel(LatticeModel& m, const LatticeCellTexts& t) {
  double a[3][3];
  for (int v = 0; v < 3; ++v)
    for (int c = 0; c < 3; ++c)
      if (!ReadOrZero(t.a[v][c], a[v][c]))
        return std::string("a") + kAxis[v] + " " + kComponent[c] + ": not a number.";
  double b[3][3];
  if (!ReciprocalVectors(a, b)) return "The vectors a1, a2, a3 span no volume.";
  for (int v = 0; v < 3; ++v)
    for (int c = 0; c < 3; ++c) m.cell[v][c] = a[v][c];
  return "";
}

const char* CellPresetName(CellPreset p) {
  switch (p) {
    case CellPreset::Square:
      return "square";
    case CellPreset::Hexagonal:
      return "hexagonal";
    case CellPreset::Cubic:
      return "cubic";
    case CellPreset::Fcc:
      return "fcc";
    case CellPreset::Bcc:
      return "bcc";
  }
  return "";
}

void CellPresetVectors(CellPreset p, double cell[3][3]) {
  static const double kSquare[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  static const double kHexagonal[3][3] = {{1, 0, 0}, {0.5, 0.86602540378443865, 0}, {0, 0, 1}};
  static const double kFcc[3][3] = {{0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.5, 0.5, 0}};
  static const double kBcc[3][3] = {{-0.5, 0.5, 0.5}, {0.5, -0.5, 0.5}, {0.5, 0.5, -0.5}};
  const double(*v)[3] = kSquare;
  if (p == CellPreset::Hexagonal) v = kHexagonal;
  if (p == CellPreset::Fcc) v = kFcc;
  if (p == CellPreset::Bcc) v = kBcc;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) cell[r][c] = v[r][c];
}

}  // namespace quarnel
