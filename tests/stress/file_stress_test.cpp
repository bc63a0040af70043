// SPDX-License-Identifier: GPL-3.0-or-later
// Every reader against files no person would write: one 10 MB line, a million lines, 1,000
// orbital names, random bytes. Each must answer with its messages, keep going and stay bounded.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "bands/kpath.h"
#include "bands/kpoint_files.h"
#include "common/temp_dir.h"
#include "model/model_reader.h"
#include "model/model_writer.h"
#include "stress/stress_files.h"
#include "stress/watchdog.h"
#include "workbench/matrix_file.h"

namespace quarnel {
namespace {

using testing::TempDir;
using Lines = std::vector<std::string>;

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t p = 0; (p = text.find(what, p)) != std::string::npos; p += what.size()) ++n;
  return n;
}

// The lines a reader must see: split at CR LF, LF or a lone CR, as the program reads them.
Lines SplitLines(const std::string& bytes) {
  Lines lines;
  std::string line;
  for (size_t k = 0; k < bytes.size(); ++k) {
    const char c = bytes[k];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n') ++k;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

class StressFiles : public testing::Watchdog {
 protected:
  int ReadModel(const std::string& bytes, int form = 2) {
    model = std::make_unique<ModelData>();
    model->BetaTyp = form;
    messages.Text.clear();
    return ReadModelFile(*model, messages, dir.Write(form == 1 ? "m.qre" : "m.qrg", bytes));
  }
  // What was read is saved and read again to the same bytes.
  void ExpectStableSave() {
    const std::string first = dir.File("first"), second = dir.File("second");
    PendingMessages quiet;
    ASSERT_EQ(WriteModelFile(*model, quiet, first), 0);
    ModelData back;
    back.BetaTyp = model->BetaTyp;
    ASSERT_EQ(ReadModelFile(back, quiet, first), 0);
    ASSERT_EQ(WriteModelFile(back, quiet, second), 0);
    EXPECT_EQ(TempDir::Read(first), TempDir::Read(second));
    EXPECT_EQ(quiet.Text, "");
  }

  TempDir dir;
  std::unique_ptr<ModelData> model;
  PendingMessages messages;
};

TEST_F(StressFiles, ModelWithTenMegabyteLines) {
  // An unknown keyword, however long, is skipped without a word.
  ASSERT_EQ(ReadModel(stress::ModelLongLine()), 0);
  EXPECT_EQ(messages.Text, "");
  ASSERT_EQ(model->NOrb, 2);
  EXPECT_EQ(model->OrbName[2], "b");
  EXPECT_EQ(model->Alpha(2), -2);

  // A long bad pair line is reported with its normalised text; the good line before it counts.
  ASSERT_EQ(ReadModel(stress::ModelLongBadLine()), 0);
  EXPECT_EQ(model->NOrb, 1);
  EXPECT_EQ(messages.Text.rfind("Reading errors: \r\nLine 3: _beta a a (kd) 1.5 bepx=2 junk "
                                "=dstx=0.25 1.5 bepx=2",
                                0),
            0u)
      << messages.Text.substr(0, 80);
  EXPECT_EQ(Count(messages.Text, "Line "), 1u);
  EXPECT_EQ(messages.Text.substr(messages.Text.size() - 2), "\r\n");

  // A 10 MB header and name are kept byte for byte and written back.
  ASSERT_EQ(ReadModel(stress::ModelLongHeaderAndName()), 0);
  EXPECT_EQ(model->HeaderText, std::string(stress::kLongLine, 'h'));
  ASSERT_EQ(model->NOrb, 1);
  EXPECT_EQ(model->OrbName[1], std::string(stress::kLongLine, 'n'));
  ExpectStableSave();
}

TEST_F(StressFiles, ModelOfBinaryGarbage) {
  for (int form : {1, 2}) {
    const std::string bytes = stress::ModelGarbage();
    ASSERT_EQ(ReadModel(bytes, form), 0);
    EXPECT_LE(model->NOrb, 16);
    EXPECT_EQ(model->HeaderText, SplitLines(bytes).front());
    EXPECT_EQ(model->ModelFileName, dir.File(form == 1 ? "m.qre" : "m.qrg"));
    ExpectStableSave();
  }
  // Invalid UTF-8 and NUL bytes in names: NUL is a blank, the other bytes are the name.
  ASSERT_EQ(ReadModel(stress::ModelBrokenText()), 0);
  EXPECT_EQ(messages.Text, "");
  EXPECT_EQ(model->HeaderText, std::string("h\xff\xfe\0eader", 9));
  ASSERT_EQ(model->NOrb, 3);
  EXPECT_EQ(model->OrbName[1], "\xc3\x28");
  EXPECT_EQ(model->OrbName[2], "b");
  EXPECT_EQ(model->Alpha(2), 0);  // "c" stood where the energy goes
  EXPECT_EQ(model->OrbName[3], "\x80\x80");
  EXPECT_EQ(model->OrbPlotKind[3], 4);
  EXPECT_EQ(model->BetaMinus[1][3][1], -1);
  EXPECT_EQ(model->BetaPos[1][3][1], 0.25);
  EXPECT_EQ(model->SocIm[1][3][1], 0.5);
  ExpectStableSave();
}

TEST_F(StressFiles, ModelOfAMillionLines) {
  ASSERT_EQ(ReadModel(stress::ModelMillionLines()), 0);
  ASSERT_EQ(model->NOrb, 16);
  EXPECT_EQ(model->OrbName[16], "o16");
  // Every refused orbital line is reported, none is lost or doubled.
  EXPECT_EQ(Count(messages.Text, "\r\nLine "), 999983u);
  EXPECT_EQ(messages.Text.rfind("Reading errors: \r\nLine 18: _alfa o17 -1\r\n", 0), 0u);
  const std::string last = "\r\nLine 1000000: _alfa o999999 -1\r\n";
  EXPECT_EQ(messages.Text.substr(messages.Text.size() - last.size()), last);
}

TEST_F(StressFiles, ModelWithAThousandOrbitalNames) {
  ASSERT_EQ(ReadModel(stress::ModelThousandNames()), 0);
  ASSERT_EQ(model->NOrb, 16);
  for (int i = 1; i <= 16; ++i) {
    EXPECT_EQ(model->OrbName[i], "orb" + std::to_string(i));
    EXPECT_EQ(model->Alpha(i), -(i % 7));
  }
  // Pairs among the first 16 are read; a pair naming the 17th is refused as a whole.
  EXPECT_EQ(model->BetaMinus[15][16][1], -1);
  EXPECT_EQ(model->BetaPos[15][16][1], 0.5);
  EXPECT_EQ(Count(messages.Text, ": _alfa orb"), 984u);
  EXPECT_EQ(Count(messages.Text, ": _beta orb"), 984u);
  EXPECT_NE(messages.Text.find("\r\nLine 1017: _beta orb16 orb17 (ka) bemx=-1"), std::string::npos);
  ExpectStableSave();
}

TEST_F(StressFiles, KpointListsOfEveryKind) {
  Lines lines;
  const std::string longLine = stress::KpointLongLine();
  ASSERT_TRUE(ReadKpointList(dir.Write("long.qrk", longLine), lines, messages));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], SplitLines(longLine)[1]);
  // The band run reads only the first five words of it.
  KPathPoint p;
  ASSERT_TRUE(KPathPointOf(ParseKPathLine(lines[1]), p));
  EXPECT_EQ(p.label, "X");

  ASSERT_TRUE(
      ReadKpointList(dir.Write("million.qrk", stress::KpointMillionLines()), lines, messages));
  ASSERT_EQ(lines.size(), 1000000u);
  EXPECT_EQ(lines.back(), std::to_string(999999 % 21) + " 0 0 20");

  const std::string garbage = stress::RandomBytes(stress::kGarbageBytes);
  ASSERT_TRUE(ReadKpointList(dir.Write("garbage.qrk", garbage), lines, messages));
  Lines expected;
  for (auto& line : SplitLines(garbage))
    if (!line.empty()) expected.push_back(line);
  EXPECT_EQ(lines, expected);
  for (size_t k = 1; k < lines.size(); ++k) {
    KPathPoint q;
    KPathPointOf(ParseKPathLine(lines[k]), q);  // must not trap on any bytes
  }
  EXPECT_EQ(messages.Text, "");
}

TEST_F(StressFiles, KlistBandFiles) {
  Lines lines;
  ASSERT_TRUE(
      ReadKlistBand(dir.Write("million.klist_band", stress::KlistMillionLines()), lines, messages));
  ASSERT_EQ(lines.size(), 1000001u);
  EXPECT_EQ(lines[1], " 0 0 0 20 P0");
  EXPECT_EQ(lines[2], " 1 0 0 20 ");
  EXPECT_EQ(lines.back(), " " + std::to_string(999999 % 21) + " 0 0 20 ");
  EXPECT_EQ(lines[0].rfind("P0 P100 P200 ", 0), 0u);
  EXPECT_EQ(Count(lines[0], " ") + 1, 10000u);

  const std::string garbage = stress::RandomBytes(stress::kGarbageBytes, 7);
  ASSERT_TRUE(ReadKlistBand(dir.Write("garbage.klist_band", garbage), lines, messages));
  ASSERT_FALSE(lines.empty());
  for (size_t k = 1; k < lines.size(); ++k) ASSERT_EQ(lines[k].front(), ' ');
  EXPECT_EQ(messages.Text, "");
}

class StressMatrix : public StressFiles {
 protected:
  int Read(const std::string& bytes) {
    messages.Text.clear();
    return LoadMatrixFile(dir.Write("m.qmx", bytes), grid, *solver, messages);
  }
  MatrixGrid grid;
  std::unique_ptr<JacobiSolver> solver = std::make_unique<JacobiSolver>();
};

TEST_F(StressMatrix, TenMegabyteRowOfWords) {
  ASSERT_EQ(Read(stress::MatrixLongLine()), 0);
  EXPECT_EQ(messages.Text, "");
  ASSERT_EQ(solver->JacN, 4);
  const double expected[5][5] = {
      {}, {0, 1, 2, 3, 4}, {0, 2, 5, 0, 0}, {0, -3, -4, 1, 2}, {0, 0, 0, 2, 5}};
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(solver->JacInput[i][j], expected[i][j]) << i << j;
}

TEST_F(StressMatrix, MillionRowsAreCutWithTheMessage) {
  ASSERT_EQ(Read(stress::MatrixMillionLines()), 0);
  EXPECT_EQ(messages.Text, "Too big matrix (1000000), maximum is 20 - matrix is truncated");
  EXPECT_EQ(solver->JacN, 40);
  EXPECT_EQ(grid.RowCount(), 41);
  EXPECT_EQ(grid.ColCount(), 41);
}

TEST_F(StressMatrix, GarbageGivesABoundedFiniteMatrix) {
  for (unsigned seed : {1u, 2u, 3u}) {
    ASSERT_EQ(Read(stress::RandomBytes(stress::kGarbageBytes, seed)), 0);
    ASSERT_GE(solver->JacN, 2);
    ASSERT_LE(solver->JacN, 40);
    EXPECT_EQ(grid.RowCount(), solver->JacN + 1);
    for (int i = 1; i <= solver->JacN; ++i)
      for (int j = 1; j <= solver->JacN; ++j) ASSERT_TRUE(std::isfinite(solver->JacInput[i][j]));
  }
}

}  // namespace
}  // namespace quarnel
