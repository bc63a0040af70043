// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/special_points.h"

#include <array>
#include <cmath>

namespace quarnel {
namespace {

struct Entry {
  const char* name;
  double f[3];      // frame coordinates in units of 1/a, 1/b, 1/c
  bool star = true;  // named alike in every symmetry image
};

const double kS3 = std::sqrt(3.0);

std::vector<Entry> Table(LatticeKind kind, double a, double b) {
  switch (kind) {
    case LatticeKind::Chain:
      return {{"G", {0, 0, 0}}, {"X", {0.5, 0, 0}}};
    case LatticeKind::Square:
      return {{"G", {0, 0, 0}}, {"X", {0.5, 0, 0}}, {"M", {0.5, 0.5, 0}}};
    case LatticeKind::Rectangular:
      return {{"G", {0, 0, 0}}, {"X", {0.5, 0, 0}}, {"Y", {0, 0.5, 0}}, {"S", {0.5, 0.5, 0}}};
    case LatticeKind::CentredRectangular: {
      const double z = (1 + a * a / (b * b)) / 4;
      return {{"G", {0, 0, 0}},         {"X", {2 * z, 0, 0}}, {"X1", {1 - 2 * z, 1, 0}},
              {"Y", {0, 1, 0}},         {"S", {0.5, 0.5, 0}}};
    }
    case LatticeKind::Hexagonal2D:
      return {{"G", {0, 0, 0}},
              {"M", {0.5, -0.5 / kS3, 0}},
              {"K", {2.0 / 3, 0, 0}, false},
              {"K'", {-2.0 / 3, 0, 0}, false}};
    case LatticeKind::SimpleCubic:
      return {{"G", {0, 0, 0}}, {"X", {0, 0.5, 0}}, {"M", {0.5, 0.5, 0}}, {"R", {0.5, 0.5, 0.5}}};
    case LatticeKind::Fcc:
      return {{"G", {0, 0, 0}},     {"X", {0, 1, 0}},       {"L", {0.5, 0.5, 0.5}},
              {"W", {0.5, 1, 0}},   {"K", {0.75, 0.75, 0}}, {"U", {0.25, 1, 0.25}}};
    case LatticeKind::Bcc:
      return {{"G", {0, 0, 0}}, {"H", {0, 1, 0}}, {"N", {0.5, 0.5, 0}}, {"P", {0.5, 0.5, 0.5}}};
    case LatticeKind::Tetragonal:
      return {{"G", {0, 0, 0}},     {"X", {0, 0.5, 0}},   {"M", {0.5, 0.5, 0}},
              {"Z", {0, 0, 0.5}},   {"R", {0, 0.5, 0.5}}, {"A", {0.5, 0.5, 0.5}}};
    case LatticeKind::Orthorhombic:
      return {{"G", {0, 0, 0}},       {"X", {0.5, 0, 0}},     {"Y", {0, 0.5, 0}},
              {"Z", {0, 0, 0.5}},     {"S", {0.5, 0.5, 0}},   {"T", {0, 0.5, 0.5}},
              {"U", {0.5, 0, 0.5}},   {"R", {0.5, 0.5, 0.5}}};
    case LatticeKind::Hexagonal3D:
      return {{"G", {0, 0, 0}},
              {"M", {0.5, -0.5 / kS3, 0}},
              {"K", {2.0 / 3, 0, 0}, false},
              {"K'", {-2.0 / 3, 0, 0}, false},
              {"A", {0, 0, 0.5}},
              {"L", {0.5, -0.5 / kS3, 0.5}},
              {"H", {2.0 / 3, 0, 0.5}, false}};
    default:
      return {{"G", {0, 0, 0}}};
  }
}

using Op = std::array<std::array<double, 3>, 3>;

// The point group of the lattice, on frame coordinates.
std::vector<Op> Symmetries(LatticeKind kind) {
  std::vector<Op> ops;
  const auto signedPermutations = [&ops](bool swapXY, bool allPermutations) {
    static const int kPerms[6][3] = {{0, 1, 2}, {1, 0, 2}, {0, 2, 1},
                                     {2, 1, 0}, {1, 2, 0}, {2, 0, 1}};
    const int perms = allPermutations ? 6 : (swapXY ? 2 : 1);
    for (int p = 0; p < perms; ++p)
      for (int s = 0; s < 8; ++s) {
        Op op{};
        for (int r = 0; r < 3; ++r) op[r][kPerms[p][r]] = (s >> r) & 1 ? -1 : 1;
        ops.push_back(op);
      }
  };
  switch (kind) {
    case LatticeKind::SimpleCubic:
    case LatticeKind::Fcc:
    case LatticeKind::Bcc:
      signedPermutations(true, true);
      break;
    case LatticeKind::Square:
    case LatticeKind::Tetragonal:
      signedPermutations(true, false);
      break;
    case LatticeKind::Hexagonal2D:
    case LatticeKind::Hexagonal3D: {
      const double pi = std::acos(-1.0);
      for (int m = 0; m < 6; ++m)
        for (int mirror = 0; mirror < 2; ++mirror)
          for (int zs = -1; zs <= 1; zs += 2) {
            const double c = std::cos(m * pi / 3), s = std::sin(m * pi / 3), y = mirror ? -1 : 1;
            ops.push_back(Op{{{c, -s * y, 0}, {s, c * y, 0}, {0, 0, double(zs)}}});
          }
      break;
    }
    default:
      signedPermutations(false, false);  // sign flips along the frame axes
      break;
  }
  return ops;
}

// A number close to a fraction with a small denominator becomes that fraction: cells written
// with a few digits (0.866 for sqrt 3 / 2) still put K on 40 20 0 30.
double Snap(double x) {
  for (int den = 1; den <= 24; ++den) {
    const double r = std::round(x * den);
    if (std::fabs(x * den - r) < 1e-3 * den) return r / den;
  }
  return x;
}

bool Equivalent(const double k[3], const double s[3], const bool periodic[3], bool shift) {
  for (int d = 0; d < 3; ++d) {
    if (!periodic[d]) continue;
    const double diff = k[d] - s[d];
    const double g = shift ? 2 * std::round(diff / 2) : 0;
    if (std::fabs(diff - g) > 1e-6) return false;
  }
  return true;
}

}  // namespace

SpecialPointNamer::SpecialPointNamer(const LatticeModel& m) : frame_(RecogniseLattice(m)) {
  const LatticeFrame& f = frame_;
  const double len[3] = {f.a, f.b, f.c};
  // k numbers of frame coordinates: q = sum f_i / len_i e_i, k_d = 2 q.a_d.
  const auto toK = [&](const double fc[3], double k[3]) {
    double q[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
      for (int c = 0; c < 3; ++c) q[c] += fc[i] / len[i] * f.e[i][c];
    for (int d = 0; d < 3; ++d) {
      k[d] = 0;
      if (!f.periodic[d]) continue;
      for (int c = 0; c < 3; ++c) k[d] += 2 * q[c] * m.cell[d][c];
      k[d] = Snap(k[d]);
    }
  };
  if (f.kind == LatticeKind::Oblique) {
    // The user's own reciprocal vectors: X and Y at the middle of b1 and b2.
    SpecialPoint g{"G", {0, 0, 0}}, x{"X", {0, 0, 0}}, y{"Y", {0, 0, 0}};
    x.k[f.first] = 1;
    y.k[f.second] = 1;
    points_ = {g, x, y};
    images_ = points_;
    for (const SpecialPoint& p : points_) {
      SpecialPoint minus = p;
      for (double& c : minus.k) c = -c;
      images_.push_back(minus);
    }
    return;
  }
  const std::vector<Op> ops = Symmetries(f.kind);
  for (const Entry& e : Table(f.kind, f.a, f.b)) {
    SpecialPoint p;
    p.name = e.name;
    toK(e.f, p.k);
    points_.push_back(p);
    images_.push_back(p);
    if (!e.star) continue;
    for (const Op& op : ops) {
      double g[3] = {0, 0, 0};
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) g[r] += op[r][c] * e.f[c];
      SpecialPoint image;
      image.name = e.name;
      toK(g, image.k);
      images_.push_back(image);
    }
  }
}

const SpecialPoint* SpecialPointNamer::Find(const std::string& name) const {
  for (const SpecialPoint& p : points_)
    if (p.name == name) return &p;
  return nullptr;
}

std::string SpecialPointNamer::Name(const double k[3]) const {
  for (const bool shift : {false, true})
    for (const SpecialPoint& p : images_)
      if (Equivalent(k, p.k, frame_.periodic, shift)) return p.name;
  return std::string();
}

void SpecialPointNamer::Label(const KPathLine& line, KPathPoint& point) const {
  if (!line.label.empty()) return;
  const double k[3] = {static_cast<double>(point.nx) / point.div,
                       static_cast<double>(point.ny) / point.div,
                       static_cast<double>(point.nz) / point.div};
  point.label = Name(k);
  point.special = !point.label.empty();
}

std::vector<KPathPoint> LatticePathPoints(const LatticeModel& m,
                                          const std::vector<std::string>& lines) {
  const SpecialPointNamer namer(m);
  std::vector<KPathPoint> points;
  for (std::size_t n = 1; n < lines.size(); ++n) {
    const KPathLine line = ParseKPathLine(lines[n]);
    KPathPoint p;
    if (!KPathPointOf(line, p)) continue;
    namer.Label(line, p);
    points.push_back(p);
  }
  return points;
}

}  // namespace quarnel
