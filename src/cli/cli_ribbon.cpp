// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "bands/csv_export.h"
#include "bands/kpath.h"
#include "bands/kpoint_files.h"
#include "cli/cli_topology.h"
#include "support/number_text.h"
#include "support/text_utils.h"
#include "topology/occupied_states.h"
#include "topology/open_pieces.h"

namespace quarnel::cli {

namespace {

std::string Number(double x) {
  return FormatG(x, 12);
}

// -1..1 along direction d (0-based) in steps of 1/30, so that 1/3 and 2/3 (graphene's K and K'
// seen along an edge) are points of the path; a single point at k = 0 when no direction stays
// periodic.
std::vector<std::string> DefaultRibbonPath(int d, std::string& name) {
  std::vector<std::string> lines;
  if (d < 0) {
    name = "default: k = 0 (no periodic direction left)";
    lines = {name, "0 0 0 1"};
    return lines;
  }
  name = "default: -1..1 along direction " + std::to_string(d + 1);
  lines.push_back(name);
  for (int i = -30; i <= 30; ++i) {
    int n[3] = {0, 0, 0};
    n[d] = i;
    lines.push_back(std::to_string(n[0]) + " " + std::to_string(n[1]) + " " + std::to_string(n[2]) +
                    " 30");
  }
  return lines;
}

}  // namespace

int RunRibbon(const Options& options) {
  std::vector<std::string> names;
  int open = 0, cells = 0;
  const auto& a = options.args;
  for (std::size_t k = 0; k < a.size(); ++k) {
    const int intOption = ParseIntOption(a, k, {{"--open", &open}, {"--cells", &cells}});
    if (intOption < 0) return kExitUsage;
    if (intOption > 0) continue;
    if (a[k].size() > 1 && a[k][0] == '-') return UsageError("unexpected argument '" + a[k] + "'");
    names.push_back(a[k]);
  }
  if (names.empty() || names.size() > 2)
    return UsageError("ribbon needs MODEL and at most one PATH");
  if (open < 1 || open > 3) return UsageError("ribbon needs --open d with d = 1, 2 or 3");
  if (cells < 1) return UsageError("ribbon needs --cells N with N of at least 1");
  const std::string& modelFile = names[0];

  AnyModel any;
  int status = LoadLatticeModel(options, modelFile, "ribbon", any);
  if (status != kExitOk) return status;
  const LatticeModel& m = *any.lattice;
  int dirs[3];
  const int periodic = PeriodicList(m, dirs);
  const int d = open - 1;
  int stays = -1;
  bool isPeriodic = false;
  for (int p = 0; p < periodic; ++p) {
    if (dirs[p] == d)
      isPeriodic = true;
    else if (stays < 0)
      stays = dirs[p];
  }
  if (!isPeriodic)
    return UsageError("--open " + std::to_string(open) + " is not a periodic direction of " +
                      modelFile);
  if (m.Orbitals() < 1) {
    std::cerr << "quarnel-cli: " << modelFile << ": the model has no orbitals\n";
    return kExitNoFile;
  }
  if (static_cast<long long>(cells) * m.Orbitals() > kMaxOpenStates)
    return UsageError("--cells " + std::to_string(cells) + " gives " +
                      std::to_string(static_cast<long long>(cells) * m.Orbitals()) +
                      " states; at most " + std::to_string(kMaxOpenStates));

  std::vector<std::string> lines;
  std::string pathName;
  PendingMessages messages = StderrMessages();
  if (names.size() == 2) {
    pathName = names[1];
    const bool read = FileExtension(pathName) == "klist_band"
                          ? ReadKlistBand(pathName, lines, messages)
                          : ReadKpointList(pathName, lines, messages);
    ShowPendingMessages(messages);
    if (!read) return kExitNoFile;
  } else {
    lines = DefaultRibbonPath(stays, pathName);
  }
  // The ribbon is no longer the model's lattice: the path's own labels, not the lattice's names.
  std::vector<KPathPoint> points;
  for (std::size_t line = 1; line < lines.size(); ++line) {
    KPathPoint p;
    if (KPathPointOf(ParseKPathLine(lines[line]), p)) points.push_back(p);
  }

  OpenShape shape;
  shape.open[d] = true;
  shape.cells[d] = cells;
  const OpenHamiltonian h(m, shape);
  const int S = h.States();
  RunDescription run;
  run.modelFile = modelFile;
  run.modelForm = any.form;
  std::string out = CsvHeader("ribbon band structure", run);
  out += "# k path: " + pathName + "\n";
  out += "# k points: " + std::to_string(points.size()) + "\n";
  out += "# open=" + std::to_string(open) + " cells=" + std::to_string(cells) +
         " states=" + std::to_string(S) + "\n";
  out += "point,label,kx,ky,kz,band,energy,edge_first,edge_last\n";
  std::vector<double> first, last;
  for (std::size_t x = 0; x < points.size(); ++x) {
    const KPathPoint& p = points[x];
    const double k[3] = {static_cast<double>(p.nx) / p.div, static_cast<double>(p.ny) / p.div,
                         static_cast<double>(p.nz) / p.div};
    const OpenSpectrum spectrum = SolveOpen(h, k, true);
    if (!spectrum.ok) {
      std::cerr << "quarnel-cli: " << modelFile << ": the eigensolver failed at point " << x
                << "\n";
      return kExitNoFile;
    }
    EdgeWeights(h, spectrum, d, first, last);
    const std::string kText = Number(k[0]) + "," + Number(k[1]) + "," + Number(k[2]);
    // Band 1 is the highest, as in bands.
    for (int band = 1; band <= S; ++band) {
      const int s = S - band;
      const std::string label = p.special && band == 1 ? CsvField(p.label) : std::string();
      out += std::to_string(x) + "," + label + "," + kText + "," + std::to_string(band) + "," +
             Number(spectrum.energies[s]) + "," + Number(first[s]) + "," + Number(last[s]) + "\n";
    }
  }
  std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
