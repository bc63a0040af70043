// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/lattice_kinds.h"

#include <algorithm>
#include <cmath>

namespace quarnel {
namespace {

constexpr double kTolerance = 1e-4;

struct Vec {
  double x[3] = {0, 0, 0};
};

Vec Of(const double* p) {
  Vec v;
  for (int c = 0; c < 3; ++c) v.x[c] = p[c];
  return v;
}
double Dot(const Vec& u, const Vec& v) {
  return u.x[0] * v.x[0] + u.x[1] * v.x[1] + u.x[2] * v.x[2];
}
double Length(const Vec& v) {
  return std::sqrt(Dot(v, v));
}
Vec Scaled(const Vec& v, double s) {
  Vec r;
  for (int c = 0; c < 3; ++c) r.x[c] = v.x[c] * s;
  return r;
}
Vec Sum(const Vec& u, const Vec& v, double s = 1) {
  Vec r;
  for (int c = 0; c < 3; ++c) r.x[c] = u.x[c] + s * v.x[c];
  return r;
}
Vec Cross(const Vec& u, const Vec& v) {
  Vec r;
  r.x[0] = u.x[1] * v.x[2] - u.x[2] * v.x[1];
  r.x[1] = u.x[2] * v.x[0] - u.x[0] * v.x[2];
  r.x[2] = u.x[0] * v.x[1] - u.x[1] * v.x[0];
  return r;
}
Vec Unit(const Vec& v) {
  const double l = Length(v);
  return l > 0 ? Scaled(v, 1 / l) : v;
}
bool Same(double x, double y) {
  return std::fabs(x - y) <= kTolerance * std::max(std::fabs(x), std::fabs(y));
}
bool Near(double x, double y) {
  return std::fabs(x - y) <= kTolerance;
}
double Cos(const Vec& u, const Vec& v) {
  return Dot(u, v) / (Length(u) * Length(v));
}

void SetAxes(LatticeFrame& f, const Vec& e0, const Vec& e1, const Vec& e2) {
  for (int c = 0; c < 3; ++c) {
    f.e[0][c] = e0.x[c];
    f.e[1][c] = e1.x[c];
    f.e[2][c] = e2.x[c];
  }
}

// An in-plane frame of the plane of u and v: the normal towards +z (else +y, +x), e[0] the
// Cartesian x seen in the plane (else u).
void PlaneFrame(const Vec& u, const Vec& v, Vec& e0, Vec& e1, Vec& n) {
  n = Unit(Cross(u, v));
  for (int c = 2; c >= 0; --c) {
    if (std::fabs(n.x[c]) > 1e-9) {
      if (n.x[c] < 0) n = Scaled(n, -1);
      break;
    }
  }
  Vec x;
  x.x[0] = 1;
  e0 = Sum(x, n, -Dot(x, n));
  if (Length(e0) < 1e-6) e0 = u;
  e0 = Unit(e0);
  e1 = Cross(n, e0);
}

// Hexagonal plane of u and v (equal lengths at 60 or 120 degrees): e[0] along the corner K,
// the corner direction (a lattice-vector direction) with angle in (-30, 30] degrees from the
// plane's x.
void HexagonalFrame(LatticeFrame& f, const Vec& u, const Vec& v, const Vec& third) {
  Vec x, y, n;
  PlaneFrame(u, v, x, y, n);
  const double pi = std::acos(-1.0);
  double angle = std::atan2(Dot(u, y), Dot(u, x));
  // The six lattice directions are angle + m 60 degrees; bring one into (-30, 30].
  while (angle > pi / 6 + 1e-9) angle -= pi / 3;
  while (angle <= -pi / 6 + 1e-9) angle += pi / 3;
  const Vec e0 = Sum(Scaled(x, std::cos(angle)), y, std::sin(angle));
  const Vec e1 = Cross(n, e0);
  Vec e2 = n;
  if (f.dimensions == 3) {
    f.c = std::fabs(Dot(third, n));
    if (Dot(third, n) < 0) e2 = Scaled(n, -1);
  }
  SetAxes(f, e0, e1, e2);
  f.a = Length(u);
}

void Recognise2D(LatticeFrame& f, const Vec& u, const Vec& v) {
  const double lu = Length(u), lv = Length(v), cs = Cos(u, v);
  Vec x, y, n;
  PlaneFrame(u, v, x, y, n);
  if (Same(lu, lv) && (Near(cs, 0.5) || Near(cs, -0.5))) {
    f.kind = LatticeKind::Hexagonal2D;
    return HexagonalFrame(f, u, v, n);
  }
  if (Near(cs, 0)) {
    f.kind = Same(lu, lv) ? LatticeKind::Square : LatticeKind::Rectangular;
    SetAxes(f, Unit(u), Unit(Sum(v, n, -Dot(v, n))), n);
    f.a = lu;
    f.b = lv;
    return;
  }
  // Centred rectangular: a rhombic primitive cell (u + v and u - v are the conventional axes),
  // or one vector reaching the centre of the rectangle on the other (2 u.v = |u|^2).
  Vec A, B;
  bool centred = false;
  if (Same(lu, lv)) {
    A = Sum(u, v), B = Sum(u, v, -1), centred = true;
  } else if (Same(2 * std::fabs(Dot(u, v)), lu * lu)) {
    A = u, B = Sum(Scaled(v, 2 * (Dot(u, v) > 0 ? 1 : -1)), u, -1), centred = true;
  } else if (Same(2 * std::fabs(Dot(u, v)), lv * lv)) {
    A = v, B = Sum(Scaled(u, 2 * (Dot(u, v) > 0 ? 1 : -1)), v, -1), centred = true;
  }
  if (centred) {
    // Setyawan and Curtarolo's points need a < b: the shorter conventional axis first.
    if (Length(A) > Length(B)) std::swap(A, B);
    f.kind = LatticeKind::CentredRectangular;
    SetAxes(f, Unit(A), Unit(B), n);
    f.a = Length(A);
    f.b = Length(B);
    return;
  }
  f.kind = LatticeKind::Oblique;
}

void Recognise3D(LatticeFrame& f, const Vec a[3]) {
  const double l[3] = {Length(a[0]), Length(a[1]), Length(a[2])};
  const double cs[3] = {Cos(a[1], a[2]), Cos(a[0], a[2]), Cos(a[0], a[1])};  // opposite index
  const bool equal = Same(l[0], l[1]) && Same(l[1], l[2]);
  const bool right = Near(cs[0], 0) && Near(cs[1], 0) && Near(cs[2], 0);
  if (right) {
    SetAxes(f, Unit(a[0]), Unit(a[1]), Unit(a[2]));
    f.a = l[0], f.b = l[1], f.c = l[2];
    if (equal) {
      f.kind = LatticeKind::SimpleCubic;
      return;
    }
    for (int odd = 0; odd < 3; ++odd) {
      const int p = (odd + 1) % 3, q = (odd + 2) % 3;
      if (!Same(l[p], l[q])) continue;
      f.kind = LatticeKind::Tetragonal;
      SetAxes(f, Unit(a[std::min(p, q)]), Unit(a[std::max(p, q)]), Unit(a[odd]));
      f.a = f.b = l[p];
      f.c = l[odd];
      return;
    }
    f.kind = LatticeKind::Orthorhombic;
    return;
  }
  if (equal) {
    // Signs s_i with s_i s_j cos_ij all equal: fcc at +1/2, bcc at -1/3.
    for (const double target : {0.5, -1.0 / 3}) {
      bool fits = true;
      for (int k = 0; k < 3; ++k) fits = fits && Near(std::fabs(cs[k]), std::fabs(target));
      if (!fits) continue;
      const double s0 = 1, s2 = (cs[1] > 0) == (target > 0) ? 1 : -1,
                   s1 = (cs[2] > 0) == (target > 0) ? 1 : -1;
      // The third pair must agree: s1 s2 cos_12 has the target's sign.
      if ((s1 * s2 * cs[0] > 0) != (target > 0)) continue;
      const Vec b0 = Scaled(a[0], s0), b1 = Scaled(a[1], s1), b2 = Scaled(a[2], s2);
      Vec x, y, z;
      if (target > 0) {  // fcc: a_i = (sum of two axes) a / 2
        x = Sum(Sum(b1, b2), b0, -1), y = Sum(Sum(b0, b2), b1, -1), z = Sum(Sum(b0, b1), b2, -1);
        f.kind = LatticeKind::Fcc;
      } else {  // bcc: a_i = (sum of all axes, one negated) a / 2
        x = Sum(b1, b2), y = Sum(b0, b2), z = Sum(b0, b1);
        f.kind = LatticeKind::Bcc;
      }
      SetAxes(f, Unit(x), Unit(y), Unit(z));
      f.a = f.b = f.c = Length(x);
      return;
    }
  }
  // Hexagonal: two equal vectors at 60 or 120 degrees, the third at right angles to both.
  for (int odd = 0; odd < 3; ++odd) {
    const int p = (odd + 1) % 3, q = (odd + 2) % 3;
    if (Same(l[p], l[q]) && Near(std::fabs(cs[odd]), 0.5) && Near(cs[p], 0) && Near(cs[q], 0)) {
      f.kind = LatticeKind::Hexagonal3D;
      return HexagonalFrame(f, a[std::min(p, q)], a[std::max(p, q)], a[odd]);
    }
  }
  f.kind = LatticeKind::Other;
}

}  // namespace

const char* LatticeKindName(LatticeKind kind) {
  switch (kind) {
    case LatticeKind::Molecule: return "molecule";
    case LatticeKind::Chain: return "1-D";
    case LatticeKind::Square: return "square";
    case LatticeKind::Rectangular: return "rectangular";
    case LatticeKind::Hexagonal2D: return "hexagonal";
    case LatticeKind::CentredRectangular: return "centred rectangular";
    case LatticeKind::Oblique: return "oblique";
    case LatticeKind::SimpleCubic: return "simple cubic";
    case LatticeKind::Fcc: return "fcc";
    case LatticeKind::Bcc: return "bcc";
    case LatticeKind::Tetragonal: return "tetragonal";
    case LatticeKind::Orthorhombic: return "orthorhombic";
    case LatticeKind::Hexagonal3D: return "hexagonal";
    case LatticeKind::Other: return "other";
  }
  return "other";
}

LatticeFrame RecogniseLattice(const double cell[3][3], const bool periodic[3]) {
  LatticeFrame f;
  int dirs[3], n = 0;
  for (int d = 0; d < 3; ++d) {
    f.periodic[d] = periodic[d];
    if (periodic[d]) dirs[n++] = d;
  }
  f.dimensions = n;
  if (n > 0) f.first = dirs[0];
  if (n > 1) f.second = dirs[1];
  Vec a[3] = {Of(cell[0]), Of(cell[1]), Of(cell[2])};
  if (n == 0) {
    f.kind = LatticeKind::Molecule;
  } else if (n == 1) {
    f.kind = LatticeKind::Chain;
    const Vec u = Unit(a[dirs[0]]);
    Vec other;
    other.x[std::fabs(u.x[0]) < 0.9 ? 0 : 1] = 1;
    const Vec v = Unit(Sum(other, u, -Dot(other, u)));
    SetAxes(f, u, v, Cross(u, v));
    f.a = Length(a[dirs[0]]);
  } else if (n == 2) {
    Recognise2D(f, a[dirs[0]], a[dirs[1]]);
  } else {
    Recognise3D(f, a);
  }
  return f;
}

LatticeFrame RecogniseLattice(const LatticeModel& m) {
  bool periodic[3];
  PeriodicDirections(m, periodic);
  return RecogniseLattice(m.cell, periodic);
}

}  // namespace quarnel
