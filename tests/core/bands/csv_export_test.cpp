// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/csv_export.h"

#include <gtest/gtest.h>

#include <locale>
#include <memory>
#include <sstream>

#include "numeric/jacobi_solver.h"

namespace quarnel {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A solver holding the results of one k point: two bands, two orbitals.
std::unique_ptr<JacobiSolver> Results(double e1, double e2, double w11, double w21) {
  auto s = std::make_unique<JacobiSolver>();
  s->EigVal[1] = e1;
  s->EigVal[2] = e2;
  s->EigVecSq[1][1] = w11, s->EigVecSq[1][2] = 1 - w11;
  s->EigVecSq[2][1] = w21, s->EigVecSq[2][2] = 1 - w21;
  return s;
}

KPathPoint Point(int nx, int ny, int nz, int div, const std::string& label, bool special) {
  KPathPoint p;
  p.nx = nx, p.ny = ny, p.nz = nz, p.div = div;
  p.label = label;
  p.special = special;
  return p;
}

// A locale that writes 1234.5 as "1.234,5", as a German desktop would.
struct CommaPunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(BandCsv, HeaderColumnsAndOneRowPerPointAndBand) {
  BandTable table;
  table.Start({"a", "p,x"}, 2);
  table.Add(Point(0, 0, 0, 20, "G", true), *Results(1.5, -0.25, 0.75, 0.25));
  table.Add(Point(10, 0, 5, 20, "", false), *Results(2, -1, 1, 0));
  RunDescription run;
  run.modelFile = "/models/two.qrg";
  run.modelForm = 1;
  run.kPath = "/paths/x.qrk";
  const std::vector<std::string> got = Lines(BandCsv(run, table));
  const std::vector<std::string> want = {
      std::string("# Quarnel ") + QUARNEL_VERSION + " band structure",
      "# model file: /models/two.qrg",
      "# model form: 1",
      "# k path: /paths/x.qrk",
      "# k points: 2",
      "point,label,kx,ky,kz,band,energy,a,\"p,x\"",
      "0,G,0,0,0,1,1.5,0.75,0.25",
      "0,,0,0,0,2,-0.25,0.25,0.75",
      "1,,0.5,0,0.25,1,2,1,0",
      "1,,0.5,0,0.25,2,-1,0,1",
  };
  EXPECT_EQ(got, want);
  // "E - E_F": every energy moves by E_F, the weights stay, and the header says so.
  const std::vector<std::string> shifted = Lines(BandCsv(run, table, 0.5));
  ASSERT_EQ(shifted.size(), want.size() + 1);
  EXPECT_EQ(shifted[5], "# energies: E - E_F, E_F = 0.5");
  EXPECT_EQ(shifted[7], "0,G,0,0,0,1,1,0.75,0.25");
  EXPECT_EQ(shifted[10], "1,,0.5,0,0.25,2,-1.5,0,1");
}

TEST(BandCsv, EmptyTablesAndUnsafeHeaderTexts) {
  BandTable table;
  RunDescription run;
  run.kPath = "memo\nof the window";
  const std::vector<std::string> lines = Lines(BandCsv(run, table));
  // No model file is said so; a line end in a source name does not start a row.
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], "# model file: (none)");
  EXPECT_EQ(lines[3], "# k path: memo of the window");
  EXPECT_EQ(lines[5], "point,label,kx,ky,kz,band,energy");
  EXPECT_TRUE(table.Empty());
  // Points of a model without orbitals give no rows either.
  table.Start({}, 1);
  table.Add(Point(0, 0, 0, 10, "G", true), *Results(0, 0, 0, 0));
  EXPECT_TRUE(table.Empty());
  EXPECT_EQ(Lines(BandCsv(run, table)).size(), 6u);
}

TEST(BandCsv, LabelsWithCommasOrQuotesAreQuoted) {
  EXPECT_EQ(CsvField("G"), "G");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"G\""), "\"say \"\"G\"\"\"");
  EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
}

TEST(DosCsv, HeaderColumnsAndRows) {
  DosCurves curves;
  curves.energy = {-1, 0, 1.25};
  curves.value = {{2, 4, 0}, {1.5, 0.5, 0}, {0.5, 3.5, 0}};
  RunDescription run;
  run.modelFile = "m.qre";
  run.modelForm = 1;
  run.grid = 7;
  run.bins = 2;
  run.smooth = 3;
  run.samples = 1024;
  const std::vector<std::string> want = {
      std::string("# Quarnel ") + QUARNEL_VERSION + " density of states",
      "# model file: m.qre",
      "# model form: 1",
      "# k grid: 8 x 8 x 8 points (n = 7)",
      "# eigenstates: 1024",
      "# energy intervals: 2",
      "# Gauss smoothing: 3",
      "energy,total,s,d",
      "-1,2,1.5,0.5",
      "0,4,0.5,3.5",
      "1.25,0,0,0",
  };
  EXPECT_EQ(Lines(DosCsv(run, {"s", "d"}, curves)), want);
}

TEST(CsvExport, NumbersKeepAPointUnderACommaLocale) {
  const std::locale saved =
      std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
  BandTable table;
  table.Start({"a", "b"}, 1);
  for (int x = 0; x < 1200; ++x)
    table.Add(Point(x, 0, 0, 3, "", false), *Results(1234.5, 0.1, 0.5, 0.5));
  DosCurves curves;
  curves.energy = {-1234.5};
  curves.value = {{12345.25}};
  RunDescription run;
  run.samples = 123456;
  const std::string bands = BandCsv(run, table);
  const std::string dos = DosCsv(run, {}, curves);
  std::locale::global(saved);
  const std::vector<std::string> b = Lines(bands);
  EXPECT_EQ(b[6 + 2 * 1100], "1100,,366.666666667,0,0,1,1234.5,0.5,0.5");
  const std::vector<std::string> d = Lines(dos);
  EXPECT_EQ(d[4], "# eigenstates: 123456");
  EXPECT_EQ(d.back(), "-1234.5,12345.25");
}

}  // namespace
}  // namespace quarnel
