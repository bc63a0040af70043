// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/csv_export.h"

#include "bands/filling.h"
#include "support/number_text.h"

namespace quarnel {

namespace {

constexpr int kDigits = 12;

std::string Number(double x) {
  return FormatG(x, kDigits);
}

// A header value on one line: a line end in a file name would start a row.
std::string HeaderValue(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < ' ') c = ' ';
  return out;
}

std::string CommonHeader(const char* what, const RunDescription& run) {
  std::string h = std::string("# Quarnel ") + QUARNEL_VERSION + " " + what + "\n";
  h += "# model file: " +
       (run.modelFile.empty() ? std::string("(none)") : HeaderValue(run.modelFile)) + "\n";
  h += "# model form: " + std::to_string(run.modelForm) + "\n";
  return h;
}

std::string NameColumns(const std::vector<std::string>& names) {
  std::string s;
  for (const std::string& name : names) s += "," + CsvField(name);
  return s;
}

}  // namespace

std::vector<std::string> OrbitalNames(const RunModel& model) {
  std::vector<std::string> names;
  for (int j = 1; j <= model.Orbitals() && j <= kMaxOrb; ++j) names.push_back(model.OrbitalName(j));
  return names;
}

std::string CsvHeader(const char* what, const RunDescription& run) {
  return CommonHeader(what, run);
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::string BandCsv(const RunDescription& run, const BandTable& table, double fermiShift) {
  std::string out = CommonHeader("band structure", run);
  out += "# k path: " + HeaderValue(run.kPath) + "\n";
  out += "# k points: " + std::to_string(table.Points()) + "\n";
  if (fermiShift != 0) out += "# energies: E - E_F, E_F = " + Number(fermiShift) + "\n";
  out += "point,label,kx,ky,kz,band,energy" + NameColumns(table.OrbitalNames()) + "\n";
  const int n = table.Orbitals();
  for (std::size_t x = 0; x < table.Points(); ++x) {
    const KPathPoint& p = table.Point(x);
    const std::string k = Number(static_cast<double>(p.nx) / p.div) + "," +
                          Number(static_cast<double>(p.ny) / p.div) + "," +
                          Number(static_cast<double>(p.nz) / p.div);
    for (int i = 1; i <= n; ++i) {
      // As on the chart: the label goes with band 1.
      const std::string label = p.special && i == 1 ? CsvField(p.label) : std::string();
      out += std::to_string(x) + "," + label + "," + k + "," + std::to_string(i) + "," +
             Number(table.Energy(x, i) - fermiShift);
      for (int j = 1; j <= n; ++j) out += "," + Number(table.Weight(x, i, j));
      out += "\n";
    }
  }
  return out;
}

std::string DosCsv(const RunDescription& run, const std::vector<std::string>& orbitalNames,
                   const DosCurves& curves, const DosFillingColumns* filling) {
  std::string out = CommonHeader("density of states", run);
  const std::string side = std::to_string(run.grid + 1);
  out += "# k grid: " + side + " x " + side + " x " + side +
         " points (n = " + std::to_string(run.grid) + ")\n";
  out += "# eigenstates: " + std::to_string(run.samples) + "\n";
  out += "# energy intervals: " + std::to_string(run.bins) + "\n";
  out += "# Gauss smoothing: " + std::to_string(run.smooth) + "\n";
  if (!run.method.empty()) out += "# method: " + run.method + "\n";
  if (filling) out += DosFillingHeader(*filling);
  out += "energy,total" + NameColumns(orbitalNames) + (filling ? ",integrated" : "") + "\n";
  for (std::size_t p = 0; p < curves.energy.size(); ++p) {
    out += Number(curves.energy[p]);
    for (const auto& v : curves.value) out += "," + Number(v[p]);
    if (filling && p < filling->integrated.size()) out += "," + Number(filling->integrated[p]);
    out += "\n";
  }
  return out;
}

}  // namespace quarnel
