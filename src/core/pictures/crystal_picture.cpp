// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/crystal_picture.h"

#include <algorithm>
#include <cmath>

namespace quarnel {
namespace {

constexpr double kPi = 3.14159265358979323846;

void CartesianOf(const LatticeModel& m, const double f[3], double r[3]) {
  for (int c = 0; c < 3; ++c)
    r[c] = f[0] * m.cell[0][c] + f[1] * m.cell[1][c] + f[2] * m.cell[2][c];
}

// The two rows of the projection of a view.
void ViewAxes(const LatticeModel& m, CrystalView view, double e[2][3]) {
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) e[r][c] = 0;
  switch (view) {
    case CrystalView::AlongZ:
      e[0][0] = e[1][1] = 1;
      return;
    case CrystalView::AlongY:
      e[0][0] = e[1][2] = 1;
      return;
    case CrystalView::AlongX:
      e[0][1] = e[1][2] = 1;
      return;
    case CrystalView::Oblique: {
      const double az = 30 * kPi / 180, el = 20 * kPi / 180;
      const double right[3] = {-std::sin(az), std::cos(az), 0};
      const double up[3] = {-std::sin(el) * std::cos(az), -std::sin(el) * std::sin(az),
                            std::cos(el)};
      for (int c = 0; c < 3; ++c) {
        e[0][c] = right[c];
        e[1][c] = up[c];
      }
      return;
    }
    case CrystalView::Plane:
      break;
  }
  const double* a1 = m.cell[0];
  const double* a2 = m.cell[1];
  const double n1 = std::sqrt(a1[0] * a1[0] + a1[1] * a1[1] + a1[2] * a1[2]);
  if (n1 == 0) {
    e[0][0] = e[1][1] = 1;
    return;
  }
  for (int c = 0; c < 3; ++c) e[0][c] = a1[c] / n1;
  const double along = a2[0] * e[0][0] + a2[1] * e[0][1] + a2[2] * e[0][2];
  double n2 = 0;
  for (int c = 0; c < 3; ++c) {
    e[1][c] = a2[c] - along * e[0][c];
    n2 += e[1][c] * e[1][c];
  }
  n2 = std::sqrt(n2);
  if (n2 <= 1e-12 * n1) {
    // a2 along a1: any normal of a1 will do.
    const double z[3] = {0, 0, 1}, y[3] = {0, 1, 0};
    const double* t = std::fabs(e[0][2]) < 0.9 ? z : y;
    const double d = t[0] * e[0][0] + t[1] * e[0][1] + t[2] * e[0][2];
    n2 = 0;
    for (int c = 0; c < 3; ++c) {
      e[1][c] = t[c] - d * e[0][c];
      n2 += e[1][c] * e[1][c];
    }
    n2 = std::sqrt(n2);
  }
  for (int c = 0; c < 3; ++c) e[1][c] /= n2;
}

PicturePoint Project(const double e[2][3], const double r[3]) {
  return {e[0][0] * r[0] + e[0][1] * r[1] + e[0][2] * r[2],
          e[1][0] * r[0] + e[1][1] * r[1] + e[1][2] * r[2]};
}

bool InRange(const int R[3], const int lo[3], const int hi[3]) {
  for (int d = 0; d < 3; ++d)
    if (R[d] < lo[d] || R[d] > hi[d]) return false;
  return true;
}

double SegmentDistance(const PicturePoint& a, const PicturePoint& b, double x, double y) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double s = len2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / len2 : 0;
  s = std::clamp(s, 0.0, 1.0);
  return std::hypot(a.x + s * dx - x, a.y + s * dy - y);
}

}  // namespace

CrystalView DefaultCrystalView(const LatticeModel& m) {
  bool periodic[3];
  return PeriodicDirections(m, periodic) == 3 ? CrystalView::Oblique : CrystalView::Plane;
}

const char* CrystalViewName(CrystalView v) {
  switch (v) {
    case CrystalView::Plane:
      return "a1-a2 plane";
    case CrystalView::AlongZ:
      return "along z";
    case CrystalView::AlongY:
      return "along y";
    case CrystalView::AlongX:
      return "along x";
    case CrystalView::Oblique:
      return "oblique";
  }
  return "";
}

PicturePoint ProjectCartesian(const LatticeModel& m, CrystalView view, const double r[3]) {
  double e[2][3];
  ViewAxes(m, view, e);
  return Project(e, r);
}

CrystalPicture BuildCrystalPicture(const LatticeModel& m, CrystalView view, int reach) {
  CrystalPicture p;
  double e[2][3];
  ViewAxes(m, view, e);
  bool periodic[3];
  PeriodicDirections(m, periodic);
  int lo[3], hi[3];
  for (int d = 0; d < 3; ++d) {
    lo[d] = periodic[d] ? -reach : 0;
    hi[d] = periodic[d] ? reach : 0;
  }
  const auto at = [&](const int R[3], const double tau[3]) {
    const double f[3] = {R[0] + tau[0], R[1] + tau[1], R[2] + tau[2]};
    double r[3];
    CartesianOf(m, f, r);
    return Project(e, r);
  };
  // Cell edges: those along the periodic vectors, from each corner of a drawn cell.
  const double zero[3] = {0, 0, 0};
  int R[3];
  for (R[0] = lo[0]; R[0] <= hi[0]; ++R[0])
    for (R[1] = lo[1]; R[1] <= hi[1]; ++R[1])
      for (R[2] = lo[2]; R[2] <= hi[2]; ++R[2]) {
        const bool home = R[0] == 0 && R[1] == 0 && R[2] == 0;
        for (int d = 0; d < 3; ++d) {
          if (!periodic[d]) continue;
          // The four (2-D: two) edges along d of this cell.
          const int o1 = (d + 1) % 3, o2 = (d + 2) % 3;
          for (int s1 = 0; s1 <= (periodic[o1] ? 1 : 0); ++s1)
            for (int s2 = 0; s2 <= (periodic[o2] ? 1 : 0); ++s2) {
              int A[3] = {R[0], R[1], R[2]};
              A[o1] += s1;
              A[o2] += s2;
              int B[3] = {A[0], A[1], A[2]};
              B[d] += 1;
              p.edges.push_back({at(A, zero), at(B, zero), home});
            }
        }
        for (int j = 0; j < m.Orbitals(); ++j) {
          CrystalSite s;
          s.orbital = j;
          for (int d = 0; d < 3; ++d) s.cell[d] = R[d];
          s.at = at(R, m.orbitals[j].pos);
          p.sites.push_back(s);
        }
      }
  double tMax = 0;
  for (const LatticeHop& h : m.hops) tMax = std::max(tMax, std::abs(h.t));
  for (std::size_t k = 0; k < m.hops.size(); ++k) {
    const LatticeHop& h = m.hops[k];
    if (h.i < 0 || h.j < 0 || h.i >= m.Orbitals() || h.j >= m.Orbitals()) continue;
    const double mag = std::abs(h.t);
    for (R[0] = lo[0]; R[0] <= hi[0]; ++R[0])
      for (R[1] = lo[1]; R[1] <= hi[1]; ++R[1])
        for (R[2] = lo[2]; R[2] <= hi[2]; ++R[2]) {
          const int T[3] = {R[0] + h.R[0], R[1] + h.R[1], R[2] + h.R[2]};
          if (!InRange(T, lo, hi)) continue;
          CrystalBond b;
          b.hop = static_cast<int>(k);
          for (int d = 0; d < 3; ++d) b.cell[d] = R[d];
          b.from = at(R, m.orbitals[h.i].pos);
          b.to = at(T, m.orbitals[h.j].pos);
          b.width = tMax > 0 ? 1 + 3 * mag / tMax : 1;
          b.dashed = std::fabs(h.t.imag()) > 1e-9 * mag;
          p.bonds.push_back(b);
        }
  }
  bool first = true;
  const auto grow = [&](const PicturePoint& q) {
    if (first) {
      p.x0 = p.x1 = q.x;
      p.y0 = p.y1 = q.y;
      first = false;
    }
    p.x0 = std::min(p.x0, q.x);
    p.x1 = std::max(p.x1, q.x);
    p.y0 = std::min(p.y0, q.y);
    p.y1 = std::max(p.y1, q.y);
  };
  for (const CrystalEdge& ed : p.edges) {
    grow(ed.from);
    grow(ed.to);
  }
  for (const CrystalSite& s : p.sites) grow(s.at);
  return p;
}

int BondAt(const CrystalPicture& p, double x, double y, double tolerance) {
  int best = -1;
  double bestDistance = tolerance;
  for (std::size_t b = 0; b < p.bonds.size(); ++b) {
    const double d = SegmentDistance(p.bonds[b].from, p.bonds[b].to, x, y);
    if (d <= bestDistance) {
      bestDistance = d;
      best = p.bonds[b].hop;
    }
  }
  return best;
}

std::vector<BlochSiteValue> BlochSiteValues(const LatticeModel& m, const CrystalPicture& p,
                                            const double k[3],
                                            const std::vector<std::complex<double>>& c) {
  std::vector<BlochSiteValue> out(p.sites.size());
  for (std::size_t s = 0; s < p.sites.size(); ++s) {
    const CrystalSite& site = p.sites[s];
    if (site.orbital < 0 || site.orbital >= static_cast<int>(c.size())) continue;
    const std::complex<double> cj = c[site.orbital];
    const double* tau = m.orbitals[site.orbital].pos;
    double kx = 0;
    for (int d = 0; d < 3; ++d) kx += k[d] * (site.cell[d] + tau[d]);
    out[s].weight = std::norm(cj);
    out[s].phase = std::arg(cj * std::polar(1.0, kPi * kx));
  }
  return out;
}

}  // namespace quarnel
