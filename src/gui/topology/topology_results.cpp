// SPDX-License-Identifier: GPL-3.0-or-later
#include "topology/topology_results.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "support/number_text.h"
#include "topology/time_reversal.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

std::string Replace(std::string s, const std::string& from, const std::string& to) {
  const std::size_t at = s.find(from);
  if (at != std::string::npos) s.replace(at, from.size(), to);
  return s;
}

// The batch front end's reasons, in the window's words.
std::string WindowWords(const std::string& why) {
  std::string s = Replace(why, "give --occupied N", "set the occupied bands");
  s = Replace(s, "--occupied needs a count", "the occupied bands need a count");
  if (!s.empty()) s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
  return s + ".";
}

// The area of the plaquette (1/n of b1 by 1/n of b2, b in 2 pi / length unit) in (1 / length
// unit)^2.
double PlaquetteArea(const quarnel::LatticeModel& m, int d1, int d2, int n) {
  double b[3][3];
  quarnel::ReciprocalVectors(m.cell, b);
  const double* u = b[d1];
  const double* v = b[d2];
  const double cross[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                           u[0] * v[1] - u[1] * v[0]};
  const double length = std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]);
  return 4 * kPi * kPi * length / (static_cast<double>(n) * n);
}

bool Stopped(TopologyProgress& p) {
  return p.stop.load();
}

void Step(TopologyProgress& p) {
  p.done.fetch_add(1);
}

void ComputeFlow(const TopologyRequest& r, FlowPart& f, TopologyProgress& progress) {
  const quarnel::LatticeModel& m = r.model;
  f.periodic = quarnel::PeriodicList(m, f.dirs);
  if (f.periodic == 0) {
    f.why =
        "The model has no periodic direction (no hop leaves the home cell): a molecule has no "
        "Brillouin zone.";
    return;
  }
  std::string why;
  if (!quarnel::ChooseOccupied(m, r.occupied, f.occupied, why)) {
    f.why = WindowWords(why);
    return;
  }
  const quarnel::OccupiedStates states(m, f.occupied);
  const double origin[3] = {0, 0, 0};
  if (f.periodic == 1) {
    f.loop = quarnel::ComputeWilsonLoop(states, f.dirs[0], origin, r.grid, f.guard);
    f.ok = f.loop.ok;
    Step(progress);
    return;
  }
  const int d1 = f.dirs[0], d2 = f.dirs[1];
  f.flow = quarnel::ComputeWannierFlow(states, d1, d2, r.grid, r.grid, 2.0);
  Step(progress);
  if (Stopped(progress)) return;
  f.plaquettes = quarnel::ComputeChernPlaquettes(states, d1, d2, r.grid);
  f.plaquetteArea = PlaquetteArea(m, d1, d2, r.grid);
  Step(progress);
  f.ok = f.flow.ok && f.plaquettes.ok;
  f.guard = f.flow.guard;
  f.guard.Merge(f.plaquettes.guard);
  if (!f.ok || !f.guard.Defined()) return;
  f.chern = quarnel::ChernFromFlow(f.flow);
  f.timeReversal = quarnel::TimeReversalSymmetric(m, d1, d2, r.grid);
  if (!f.timeReversal || Stopped(progress)) return;
  // Z2 from the flow over half the zone: the first half of the rows when they include k = 1.
  if (r.grid % 2 == 0) {
    quarnel::WannierFlow half = f.flow;
    half.centres.resize(r.grid / 2 + 1);
    f.z2 = quarnel::Z2FromFlow(half);
  } else {
    f.z2 = quarnel::Z2FromFlow(
        quarnel::ComputeWannierFlow(states, d1, d2, r.grid, (r.grid + 1) / 2, 1.0));
  }
}

// The weight of each state on the cells at the ends of every open direction, at most 1.
std::vector<double> EdgeWeightSum(const quarnel::OpenHamiltonian& h,
                                  const quarnel::OpenSpectrum& s) {
  std::vector<double> sum(s.energies.size(), 0.0), first, last;
  for (int d = 0; d < 3; ++d) {
    if (!h.Shape().open[d]) continue;
    quarnel::EdgeWeights(h, s, d, first, last);
    const bool oneCell = h.Shape().cells[d] == 1;
    for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += first[i] + (oneCell ? 0 : last[i]);
  }
  for (double& w : sum) w = std::min(w, 1.0);
  return sum;
}

void ComputeRibbon(const TopologyRequest& r, RibbonPart& out, TopologyProgress& progress) {
  const quarnel::LatticeModel& m = r.model;
  int dirs[3];
  const int periodic = quarnel::PeriodicList(m, dirs);
  out.cells = std::max(1, r.cells);
  out.open = r.open;
  out.finite = r.open < 0;
  quarnel::OpenShape shape;
  if (m.Orbitals() < 1) {
    out.why = "The model has no orbitals.";
    return;
  }
  if (out.finite) {
    const int cells[2] = {out.cells, out.cells};
    if (!quarnel::FlakeShape(m, cells, shape)) {
      out.why = periodic == 0 ? "The model has no periodic direction to cut."
                              : "A finite piece is cut from a chain or a plane; this model is "
                                "periodic in three directions: choose a slab.";
      return;
    }
  } else {
    bool isPeriodic = false;
    for (int p = 0; p < periodic; ++p) {
      if (dirs[p] == r.open)
        isPeriodic = true;
      else if (out.along < 0)
        out.along = dirs[p];
    }
    if (!isPeriodic) {
      out.why = "The model is not periodic along a" + std::to_string(r.open + 1) + ".";
      return;
    }
    shape.open[r.open] = true;
    shape.cells[r.open] = out.cells;
  }
  long long states = 1LL * m.Orbitals();
  for (int d = 0; d < 3; ++d) states *= shape.cells[d];
  if (states > kMaxWindowOpenStates) {
    out.why = "The piece has " + std::to_string(states) + " states; the window solves at most " +
              std::to_string(kMaxWindowOpenStates) + ": choose fewer cells.";
    return;
  }
  auto piece = std::make_shared<const quarnel::OpenHamiltonian>(m, shape);
  out.states = piece->States();
  out.piece = piece;
  if (out.finite || out.along < 0) {
    const double k[3] = {0, 0, 0};
    out.spectrum = quarnel::SolveOpen(*piece, k, true);
    out.ok = out.spectrum.ok;
    if (out.ok) out.edge.push_back(EdgeWeightSum(*piece, out.spectrum));
    Step(progress);
    return;
  }
  for (int i = 0; i <= kRibbonPathSteps; ++i) {
    if (Stopped(progress)) return;
    double k[3] = {0, 0, 0};
    k[out.along] = 2.0 * i / kRibbonPathSteps;
    const quarnel::OpenSpectrum s = quarnel::SolveOpen(*piece, k, true);
    if (!s.ok) return;
    out.k.push_back(k[out.along]);
    out.energies.push_back(s.energies);
    out.edge.push_back(EdgeWeightSum(*piece, s));
    Step(progress);
  }
  out.ok = true;
}

}  // namespace

void ComputeTopology(const TopologyRequest& request, TopologyResults& out,
                     TopologyProgress& progress) {
  progress.done = 0;
  progress.total = 2 + kRibbonPathSteps + 1;
  ComputeFlow(request, out.flow, progress);
  progress.done = 2;
  if (Stopped(progress)) return;
  ComputeRibbon(request, out.ribbon, progress);
  progress.done = progress.total.load();
}

std::vector<double> CurvatureOnMapGrid(const std::vector<double>& phases, int n, double area) {
  std::vector<double> value;
  if (n < 1 || phases.size() != static_cast<std::size_t>(n) * n || area <= 0) return value;
  const auto at = [&](int i, int j) {
    i = ((i % n) + n) % n;
    j = ((j % n) + n) % n;
    return phases[static_cast<std::size_t>(j) * n + i];
  };
  const int side = n + 1;
  value.resize(static_cast<std::size_t>(side) * side);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      double v;
      if (n % 2 == 0) {
        // k = -1 + 2x / n is the grid point x - n / 2.
        const int i = x - n / 2, j = y - n / 2;
        v = (at(i - 1, j - 1) + at(i, j - 1) + at(i - 1, j) + at(i, j)) / 4;
      } else {
        // k = -1 + 2x / n is the middle of plaquette x - (n + 1) / 2.
        v = at(x - (n + 1) / 2, y - (n + 1) / 2);
      }
      value[static_cast<std::size_t>(y) * side + x] = v / area;
    }
  }
  return value;
}

std::string ChernText(const FlowPart& f) {
  if (!f.why.empty()) return f.why;
  if (!f.ok) return "The eigensolver failed on the grid: no Chern number.";
  const quarnel::GapGuard& g = f.guard;
  if (!g.Defined())
    return "The occupied bands touch the empty ones near k = (" + quarnel::FormatG(g.k[0], 4) +
           ", " + quarnel::FormatG(g.k[1], 4) + ", " + quarnel::FormatG(g.k[2], 4) +
           ") (smallest direct gap " + quarnel::FormatG(g.gap, 3) +
           "): the Chern number is not defined there.";
  if (f.periodic == 1) {
    // The centres place the occupied Wannier functions in the cell: a student reads the bond
    // they sit on, the end states follow from it.
    const std::string a = "a" + std::to_string(f.dirs[0] + 1);
    std::string centres;
    for (double c : f.loop.centres)
      centres += (centres.empty() ? "" : ", ") + quarnel::FormatFixed(c, 0, 3);
    return "Berry phase along " + a + ": " + quarnel::FormatFixed(f.loop.berry, 0, 4) + " = " +
           quarnel::FormatFixed(f.loop.berry / kPi, 0, 3) + " \xCF\x80. Wannier centre" +
           (f.loop.centres.size() == 1 ? "" : "s") + " of the occupied bands at " + centres +
           " of " + a + " (a chain has no Chern number).";
  }
  return "Chern number C = " + std::to_string(f.chern) + "   (" + std::to_string(f.occupied) +
         (f.occupied == 1 ? " occupied band, smallest direct gap "
                          : " occupied bands, smallest direct gap ") +
         quarnel::FormatG(g.gap, 3) + ")";
}

std::string Z2Text(const FlowPart& f) {
  if (!f.why.empty() || !f.ok || !f.guard.Defined() || f.periodic < 2) return "";
  if (!f.timeReversal)
    return "Z\xE2\x82\x82 not defined: the model breaks time reversal (\xCE\x98 = i\xCF\x83y K "
           "on the orbital pairs 1-2, 3-4, ...).";
  if (f.z2 < 0) return "Z\xE2\x82\x82 not defined: an odd number of occupied bands.";
  return "Z\xE2\x82\x82 = " + std::to_string(f.z2) +
         (f.z2 == 1 ? "  (a quantum spin Hall insulator)" : "  (trivial)");
}
