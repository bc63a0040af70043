// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/brillouin_zone.h"

#include <algorithm>
#include <cmath>

#include "bands/special_points.h"

namespace quarnel {
namespace {

double Dot(const double a[3], const double b[3]) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Keeps the part of the convex polygon where a x + b y <= c.
std::vector<ZonePoint> Clip(const std::vector<ZonePoint>& poly, double a, double b, double c) {
  std::vector<ZonePoint> out;
  const std::size_t n = poly.size();
  for (std::size_t i = 0; i < n; ++i) {
    const ZonePoint& p = poly[i];
    const ZonePoint& q = poly[(i + 1) % n];
    const double fp = a * p.x + b * p.y - c, fq = a * q.x + b * q.y - c;
    if (fp <= 0) out.push_back(p);
    if ((fp < 0 && fq > 0) || (fp > 0 && fq < 0)) {
      const double s = fp / (fp - fq);
      out.push_back({p.x + s * (q.x - p.x), p.y + s * (q.y - p.y)});
    }
  }
  return out;
}

// k reduced into -1..1 by whole reciprocal vectors (k numbers: period 2).
double Reduce(double k) {
  return k - 2 * std::round(k / 2);
}

}  // namespace

ZoneSlice FirstZoneSlice(const LatticeModel& m, double kz) {
  ZoneSlice z;
  bool periodic[3];
  PeriodicDirections(m, periodic);
  z.periodic[0] = periodic[0];
  z.periodic[1] = periodic[1];
  double b[3][3];
  ReciprocalVectors(m.cell, b);
  // The plane's axes u, v.
  double u[3] = {1, 0, 0}, v[3] = {0, 1, 0};
  const double scale = std::sqrt(Dot(b[0], b[0]) + Dot(b[1], b[1]));
  if (std::fabs(b[0][2]) > 1e-9 * scale || std::fabs(b[1][2]) > 1e-9 * scale) {
    const double n1 = std::sqrt(Dot(b[0], b[0]));
    for (int c = 0; c < 3; ++c) u[c] = b[0][c] / n1;
    const double along = Dot(b[1], u);
    for (int c = 0; c < 3; ++c) v[c] = b[1][c] - along * u[c];
    const double n2 = std::sqrt(Dot(v, v));
    for (int c = 0; c < 3; ++c) v[c] /= n2;
  }
  for (int d = 0; d < 2; ++d) {
    z.toPlane[0][d] = Dot(b[d], u) / 2;
    z.toPlane[1][d] = Dot(b[d], v) / 2;
  }
  const double det = z.toPlane[0][0] * z.toPlane[1][1] - z.toPlane[0][1] * z.toPlane[1][0];
  z.fromPlane[0][0] = z.toPlane[1][1] / det;
  z.fromPlane[0][1] = -z.toPlane[0][1] / det;
  z.fromPlane[1][0] = -z.toPlane[1][0] / det;
  z.fromPlane[1][1] = z.toPlane[0][0] / det;
  // Start from the computed cell widened twice along the periodic directions, which holds the
  // zone; the Bragg planes of the lattice vectors near G then cut it down.
  std::vector<ZonePoint> poly;
  const double w0 = periodic[0] ? 3 : 1, w1 = periodic[1] ? 3 : 1;
  const double corners[4][2] = {{-w0, -w1}, {w0, -w1}, {w0, w1}, {-w0, w1}};
  const bool flip = det < 0;  // keep the outline counter-clockwise
  for (int c = 0; c < 4; ++c) {
    const int i = flip ? 3 - c : c;
    poly.push_back(ZonePointOfK(z, corners[i][0], corners[i][1]));
  }
  double origin[3] = {0, 0, 0};
  if (periodic[2])
    for (int c = 0; c < 3; ++c) origin[c] = kz / 2 * b[2][c];
  const int r0 = periodic[0] ? 3 : 0, r1 = periodic[1] ? 3 : 0, r2 = periodic[2] ? 3 : 0;
  for (int i = -r0; i <= r0; ++i)
    for (int j = -r1; j <= r1; ++j)
      for (int l = -r2; l <= r2; ++l) {
        if (i == 0 && j == 0 && l == 0) continue;
        double G[3];
        for (int c = 0; c < 3; ++c) G[c] = i * b[0][c] + j * b[1][c] + l * b[2][c];
        // (origin + x u + y v) . G <= |G|^2 / 2
        poly = Clip(poly, Dot(u, G), Dot(v, G), Dot(G, G) / 2 - Dot(origin, G));
        if (poly.empty()) break;
      }
  // Drop points that coincide (a clip through a corner).
  std::vector<ZonePoint> clean;
  for (const ZonePoint& p : poly)
    if (clean.empty() || std::hypot(p.x - clean.back().x, p.y - clean.back().y) > 1e-12 * scale)
      clean.push_back(p);
  while (clean.size() > 1 && std::hypot(clean.front().x - clean.back().x,
                                        clean.front().y - clean.back().y) <= 1e-12 * scale)
    clean.pop_back();
  z.outline = clean.size() >= 3 ? clean : std::vector<ZonePoint>{};
  for (std::size_t i = 0; i < z.outline.size(); ++i) {
    const ZonePoint& p = z.outline[i];
    if (i == 0) {
      z.x0 = z.x1 = p.x;
      z.y0 = z.y1 = p.y;
    }
    z.x0 = std::min(z.x0, p.x);
    z.x1 = std::max(z.x1, p.x);
    z.y0 = std::min(z.y0, p.y);
    z.y1 = std::max(z.y1, p.y);
  }
  return z;
}

ZonePoint ZonePointOfK(const ZoneSlice& z, double kx, double ky) {
  return {z.toPlane[0][0] * kx + z.toPlane[0][1] * ky, z.toPlane[1][0] * kx + z.toPlane[1][1] * ky};
}

void KOfZonePoint(const ZoneSlice& z, const ZonePoint& p, double& kx, double& ky) {
  kx = z.fromPlane[0][0] * p.x + z.fromPlane[0][1] * p.y;
  ky = z.fromPlane[1][0] * p.x + z.fromPlane[1][1] * p.y;
}

bool InsideZone(const ZoneSlice& z, const ZonePoint& p, double tolerance) {
  const std::size_t n = z.outline.size();
  if (n < 3) return false;
  for (std::size_t i = 0; i < n; ++i) {
    const ZonePoint& a = z.outline[i];
    const ZonePoint& b = z.outline[(i + 1) % n];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    if (cross < -tolerance * len) return false;
  }
  return true;
}

std::vector<double> ZoneRaster(const ZoneSlice& z, const std::vector<double>& value, int n, int nx,
                               int ny, double x0, double y0, double h) {
  const double nan = std::nan("");
  std::vector<double> out(static_cast<std::size_t>(std::max(nx, 0)) * std::max(ny, 0), nan);
  const int side = n + 1;
  if (n < 1 || value.size() < static_cast<std::size_t>(side) * side) return out;
  const auto at = [&](int ix, int iy) { return value[static_cast<std::size_t>(iy) * side + ix]; };
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) {
      const ZonePoint p{x0 + i * h, y0 + j * h};
      if (!InsideZone(z, p, 1e-9)) continue;
      double k[2];
      KOfZonePoint(z, p, k[0], k[1]);
      double f[2];
      int c[2];
      bool inside = true;
      for (int d = 0; d < 2; ++d) {
        if (z.periodic[d]) k[d] = Reduce(k[d]);
        const double g = (k[d] + 1) / 2 * n;  // grid coordinate 0..n
        if (g < -1e-9 || g > n + 1e-9) inside = false;
        c[d] = std::clamp(static_cast<int>(std::floor(g)), 0, n - 1);
        f[d] = std::clamp(g - c[d], 0.0, 1.0);
      }
      if (!inside) continue;
      const double v =
          (1 - f[0]) * (1 - f[1]) * at(c[0], c[1]) + f[0] * (1 - f[1]) * at(c[0] + 1, c[1]) +
          (1 - f[0]) * f[1] * at(c[0], c[1] + 1) + f[0] * f[1] * at(c[0] + 1, c[1] + 1);
      out[static_cast<std::size_t>(j) * nx + i] = v;
    }
  return out;
}

std::vector<ZoneMark> ZoneSpecialPoints(const LatticeModel& m, const ZoneSlice& z, double kz) {
  std::vector<ZoneMark> marks;
  if (z.outline.empty()) return marks;
  const SpecialPointNamer namer(m);
  bool periodic[3];
  PeriodicDirections(m, periodic);
  const double size = std::max(z.x1 - z.x0, z.y1 - z.y0);
  for (const SpecialPoint& s : namer.Points()) {
    // In the plane: the same kz up to a whole reciprocal vector.
    if (periodic[2] && std::fabs(Reduce(s.k[2] - kz)) > 1e-9) continue;
    const int r0 = z.periodic[0] ? 2 : 0, r1 = z.periodic[1] ? 2 : 0;
    for (int i = -r0; i <= r0; ++i)
      for (int j = -r1; j <= r1; ++j) {
        const ZonePoint p = ZonePointOfK(z, s.k[0] + 2 * i, s.k[1] + 2 * j);
        if (!InsideZone(z, p, 1e-7 * size)) continue;
        bool seen = false;
        for (const ZoneMark& mk : marks)
          if (std::hypot(mk.at.x - p.x, mk.at.y - p.y) < 1e-7 * size) seen = true;
        if (!seen) marks.push_back({s.name, p});
      }
  }
  // A 3-D zone's slice shows points equivalent by symmetry rather than by a lattice vector (X
  // of fcc on the (110) plane): its corners and edge middles, when they are special points.
  const auto named = [&](const ZonePoint& p) {
    for (const ZoneMark& mk : marks)
      if (std::hypot(mk.at.x - p.x, mk.at.y - p.y) < 1e-7 * size) return;
    double k[3] = {0, 0, kz};
    KOfZonePoint(z, p, k[0], k[1]);
    const std::string name = namer.Name(k);
    if (!name.empty()) marks.push_back({name, p});
  };
  for (std::size_t i = 0; i < z.outline.size(); ++i) {
    const ZonePoint& a = z.outline[i];
    const ZonePoint& b = z.outline[(i + 1) % z.outline.size()];
    named(a);
    named({(a.x + b.x) / 2, (a.y + b.y) / 2});
  }
  return marks;
}

}  // namespace quarnel
