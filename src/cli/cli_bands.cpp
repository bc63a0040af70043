// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <memory>

#include "bands/band_table.h"
#include "bands/csv_export.h"
#include "bands/default_paths.h"
#include "bands/kpath.h"
#include "bands/kpoint_files.h"
#include "bands/special_points.h"
#include "cli/cli_runs.h"
#include "numeric/kpoint_calc.h"

namespace quarnel::cli {

int RunBands(const Options& options) {
  if (options.args.empty() || options.args.size() > 2)
    return UsageError("bands needs MODEL PATH (PATH may be left out for a .qrl model)");
  AnyModel any;
  PendingMessages messages = StderrMessages();
  int status = LoadAnyModel(options, options.args[0], any, messages);
  if (status != kExitOk) return status;
  const RunModel& model = any.Run();

  std::vector<std::string> lines;
  std::string pathName;
  if (options.args.size() == 2) {
    pathName = options.args[1];
    std::vector<int> lineNumbers;
    const bool read = ReadKPathFile(pathName, lines, messages, &lineNumbers);
    if (read) ReportKPathLines(lines, lineNumbers, messages);
    ShowPendingMessages(messages);
    if (!read) return kExitNoFile;
  } else if (any.lattice) {
    // The lattice's own path: "default hexagonal", ...
    lines = DefaultKPathLines(*any.lattice, &pathName);
  } else {
    return UsageError("bands needs a PATH for a model of form 1 or 2");
  }

  // Line 0 is the title. The lattice form names the points of its lattice.
  std::vector<KPathPoint> points;
  if (any.lattice) {
    points = LatticePathPoints(*any.lattice, lines);
  } else {
    for (std::size_t line = 1; line < lines.size(); ++line) {
      KPathPoint p;
      if (KPathPointOf(ParseKPathLine(lines[line]), p)) points.push_back(p);
    }
  }

  BandTable table;
  table.Start(OrbitalNames(model), points.size());
  auto solver = std::make_unique<JacobiSolver>();
  HamMatrix hamK = {};
  for (const KPathPoint& p : points) {
    if (model.Orbitals() > 0)
      CalcKpoint(model, KPointFromNumerators(p.div, p.nx, p.ny, p.nz), hamK, *solver);
    table.Add(p, *solver);
  }

  RunDescription run;
  run.modelFile = options.args[0];
  run.modelForm = any.form;
  run.kPath = pathName;
  const std::string text = BandCsv(run, table);
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
