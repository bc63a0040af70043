// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/default_paths.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <numeric>

#include "bands/lattice_kinds.h"
#include "bands/special_points.h"

namespace quarnel {
namespace {

std::vector<std::string> PathNames(LatticeKind kind) {
  switch (kind) {
    case LatticeKind::Molecule:
      return {"G"};
    case LatticeKind::Chain:
      return {"G", "X"};
    case LatticeKind::Square:
      return {"G", "X", "M", "G"};
    case LatticeKind::Rectangular:
    case LatticeKind::CentredRectangular:
      return {"G", "X", "S", "Y", "G"};
    case LatticeKind::Hexagonal2D:
      return {"G", "M", "K", "G"};
    case LatticeKind::Oblique:
      return {"X", "G", "Y"};
    case LatticeKind::SimpleCubic:
      return {"G", "X", "M", "G", "R", "X"};
    case LatticeKind::Fcc:
      return {"G", "X", "W", "K", "G", "L", "U", "W", "L", "K"};
    case LatticeKind::Bcc:
      return {"G", "H", "N", "G", "P", "H"};
    case LatticeKind::Tetragonal:
      return {"G", "X", "M", "G", "Z", "R", "A", "Z"};
    case LatticeKind::Orthorhombic:
      return {"G", "X", "S", "Y", "G", "Z", "U", "R", "T", "Z"};
    case LatticeKind::Hexagonal3D:
      return {"G", "M", "K", "G", "A", "L", "H", "A"};
    case LatticeKind::Other:
      return {"X", "G", "Y", "G", "Z"};
  }
  return {"G"};
}

// The steps of a segment: a divisor of the numerators' change near 20 (at least 8) so that every
// point lies on the segment; else 20 steps rounded.
int Steps(const long delta[3]) {
  long g = 0;
  for (int d = 0; d < 3; ++d) g = std::gcd(g, std::labs(delta[d]));
  if (g == 0) return 0;
  int best = 0;
  for (int s = 8; s <= 40; ++s)
    if (g % s == 0 && (best == 0 || std::abs(s - 20) < std::abs(best - 20))) best = s;
  return best ? best : 20;
}

}  // namespace

std::vector<std::string> DefaultKPathLines(const LatticeModel& m, std::string* lattice) {
  const SpecialPointNamer namer(m);
  const LatticeFrame& f = namer.Frame();
  const int div =
      f.kind == LatticeKind::Hexagonal2D || f.kind == LatticeKind::Hexagonal3D ? 30 : 40;
  if (lattice) *lattice = std::string("default ") + LatticeKindName(f.kind);
  std::vector<std::string> names = PathNames(f.kind);
  std::vector<std::array<long, 3>> corners;
  std::string title;
  for (const std::string& name : names) {
    std::array<long, 3> n{0, 0, 0};
    const SpecialPoint* p = namer.Find(name);
    if (p) {
      for (int d = 0; d < 3; ++d) n[d] = std::lround(p->k[d] * div);
    } else {
      // Other lattices: the middle of b1, b2, b3 (of the periodic directions).
      const int d = name == "X" ? 0 : name == "Y" ? 1 : 2;
      if (!f.periodic[d]) continue;
      n[d] = div;
    }
    corners.push_back(n);
    title += (title.empty() ? "" : " ") + name;
  }
  std::vector<std::string> lines{title};
  const auto add = [&lines, div](double x, double y, double z) {
    lines.push_back("   " + std::to_string(std::lround(x)) + "   " +
                    std::to_string(std::lround(y)) + "   " + std::to_string(std::lround(z)) +
                    "   " + std::to_string(div));
  };
  if (!corners.empty()) add(corners[0][0], corners[0][1], corners[0][2]);
  for (std::size_t c = 1; c < corners.size(); ++c) {
    const long delta[3] = {corners[c][0] - corners[c - 1][0], corners[c][1] - corners[c - 1][1],
                           corners[c][2] - corners[c - 1][2]};
    const int steps = Steps(delta);
    for (int s = 1; s <= steps; ++s)
      add(corners[c - 1][0] + double(delta[0]) * s / steps,
          corners[c - 1][1] + double(delta[1]) * s / steps,
          corners[c - 1][2] + double(delta[2]) * s / steps);
  }
  return lines;
}

}  // namespace quarnel

namespace quarnel {
namespace {

std::vector<std::string> Trimmed(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (std::string s : lines) {
    const auto end = s.find_last_not_of(" \t\r");
    s.erase(end == std::string::npos ? 0 : end + 1);
    out.push_back(s);
  }
  while (!out.empty() && out.back().empty()) out.pop_back();
  return out;
}

}  // namespace

bool MayPlaceDefaultPath(const std::vector<std::string>& memo,
                         const std::vector<std::string>& start,
                         const std::vector<std::string>& lastDefault) {
  const std::vector<std::string> now = Trimmed(memo);
  if (now.empty() || now == Trimmed(start)) return true;
  return !Trimmed(lastDefault).empty() && now == Trimmed(lastDefault);
}

}  // namespace quarnel
