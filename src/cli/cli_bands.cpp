// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <memory>

#include "bands/band_table.h"
#include "bands/csv_export.h"
#include "bands/kpath.h"
#include "bands/kpoint_files.h"
#include "cli/cli_runs.h"
#include "numeric/kpoint_calc.h"

namespace quarnel::cli {

int RunBands(const Options& options) {
  if (options.args.size() != 2) return UsageError("bands needs MODEL PATH");
  const std::string& pathFile = options.args[1];
  auto model = std::make_unique<ModelData>();
  PendingMessages messages = StderrMessages();
  int status = LoadModel(options, options.args[0], *model, messages);
  if (status != kExitOk) return status;

  std::vector<std::string> lines;
  std::vector<int> lineNumbers;
  const bool read = ReadKPathFile(pathFile, lines, messages, &lineNumbers);
  if (read) ReportKPathLines(lines, lineNumbers, messages);
  ShowPendingMessages(messages);
  if (!read) return kExitNoFile;

  BandTable table;
  table.Start(OrbitalNames(TableModel(*model)), lines.size());
  auto solver = std::make_unique<JacobiSolver>();
  HamMatrix hamK = {};
  // Line 0 is the title.
  for (std::size_t line = 1; line < lines.size(); ++line) {
    KPathPoint p;
    if (!KPathPointOf(ParseKPathLine(lines[line]), p)) continue;
    if (model->NOrb > 0)
      CalcKpoint(TableModel(*model), KPointFromNumerators(p.div, p.nx, p.ny, p.nz), hamK, *solver);
    table.Add(p, *solver);
  }

  RunDescription run;
  run.modelFile = options.args[0];
  run.modelForm = model->BetaTyp;
  run.kPath = pathFile;
  const std::string text = BandCsv(run, table);
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
