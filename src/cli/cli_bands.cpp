#include <iostream>
#include <memory>

#include "bands/kpath.h"
#include "bands/kpoint_files.h"
#include "cli/cli_runs.h"
#include "numeric/kpoint_calc.h"
#include "support/number_text.h"
#include "support/text_utils.h"

namespace quarnel::cli {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

int RunBands(const Options& options) {
  if (options.args.size() != 2) return UsageError("bands needs MODEL PATH");
  const std::string& pathFile = options.args[1];
  auto model = std::make_unique<ModelData>();
  PendingMessages messages = StderrMessages();
  int status = LoadModel(options, options.args[0], *model, messages);
  if (status != kExitOk) return status;

  std::vector<std::string> lines;
  const bool read = FileExtension(pathFile) == "klist_band"
                        ? ReadKlistBand(pathFile, lines, messages)
                        : ReadKpointList(pathFile, lines, messages);
  ShowPendingMessages(messages);
  if (!read) return kExitNoFile;

  const int n = model->NOrb;
  std::cout << "point,label,kx,ky,kz,band,energy";
  for (int j = 1; j <= n; ++j) std::cout << "," << CsvField(model->OrbName[j]);
  std::cout << "\n";

  auto solver = std::make_unique<JacobiSolver>();
  HamMatrix hamK = {};
  int x = 0;
  // Line 0 is the title.
  for (std::size_t line = 1; line < lines.size(); ++line) {
    KPathPoint p;
    if (!KPathPointOf(ParseKPathLine(lines[line]), p)) continue;
    if (n > 0) {
      CalcKpoint(*model, KPointFromNumerators(p.div, p.nx, p.ny, p.nz), hamK, *solver);
      const std::string k = FormatG(static_cast<double>(p.nx) / p.div, 12) + "," +
                            FormatG(static_cast<double>(p.ny) / p.div, 12) + "," +
                            FormatG(static_cast<double>(p.nz) / p.div, 12);
      for (int i = 1; i <= n; ++i) {
        // As on the chart: the label goes with band 1.
        const std::string label = p.special && i == 1 ? CsvField(p.label) : std::string();
        std::cout << x << "," << label << "," << k << "," << i << ","
                  << FormatG(solver->EigVal[i], 12);
        for (int j = 1; j <= n; ++j) std::cout << "," << FormatG(solver->EigVecSq[i][j], 12);
        std::cout << "\n";
      }
    }
    ++x;
  }
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
