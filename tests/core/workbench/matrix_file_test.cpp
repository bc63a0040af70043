// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbench/matrix_file.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/temp_dir.h"
#include "workbench/hermitian_check.h"

namespace quarnel {
namespace {

using testing::TempDir;

struct Loaded {
  std::unique_ptr<JacobiSolver> solver = std::make_unique<JacobiSolver>();
  MatrixGrid grid;
  PendingMessages messages;
  int status = 0;
};

Loaded Load(const std::string& path) {
  Loaded l;
  l.status = ReadMatrixFile(path, l.grid, *l.solver, l.messages);
  return l;
}

TEST(MatrixFileTest, TwoByTwoComplexExample) {
  TempDir dir;
  const Loaded l = Load(dir.Write("a.qmx", "title\r\n1 2 0 3\r\n2 4 -3 0\r\n"));
  ASSERT_EQ(l.status, 0);
  ASSERT_EQ(l.solver->JacN, 4);
  const double expected[4][4] = {{1, 2, 0, 3}, {2, 4, -3, 0}, {0, -3, 1, 2}, {3, 0, 2, 4}};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_EQ(l.solver->JacInput[i + 1][j + 1], expected[i][j]);
  // The reset happened: the working matrix is the input.
  EXPECT_EQ(l.solver->JacA[2][3], -3.0);
  EXPECT_EQ(l.grid.RowCount(), 5);
  EXPECT_EQ(l.grid.ColCount(), 5);
  EXPECT_EQ(l.grid.Cells[1][0], "1 R/I");
  EXPECT_EQ(l.grid.Cells[4][0], "2 -I/R");
  EXPECT_EQ(l.grid.Cells[0][2], "2 R/-I");
  EXPECT_EQ(l.grid.Cells[0][3], "1 I/R");
  EXPECT_EQ(l.grid.Cells[3][2], "-3");  // minus the I entry, as text
  EXPECT_EQ(l.grid.Cells[1][4], "3");   // the word as written
  EXPECT_TRUE(l.messages.Text.empty());
}

TEST(MatrixFileTest, NonHermitianMatrixIsReportedByItsElements) {
  TempDir dir;
  Loaded l = Load(dir.Write("h.qmx", "title\r\n1 2 0 3\r\n2 4 -3 0\r\n"));
  EXPECT_TRUE(CheckHermitianMatrix("h.qmx", *l.solver, l.messages));
  // (1,1) is not real; (2,1) is not the conjugate of (1,2); (2,2) is fine.
  l = Load(dir.Write("n.qmx", "title\r\n1 2 0.5 3\r\n5 4 -1 0\r\n"));
  EXPECT_FALSE(CheckHermitianMatrix("n.qmx", *l.solver, l.messages));
  const std::string& text = l.messages.Text;
  EXPECT_EQ(text.rfind("n.qmx: not a Hermitian matrix", 0), 0u) << text;
  EXPECT_NE(text.find("(1,1) = 1+0.5i"), std::string::npos) << text;
  EXPECT_NE(text.find("(1,2) = 2+3i but (2,1) = 5-1i, not 2-3i"), std::string::npos) << text;
  EXPECT_EQ(text.find("(2,2)"), std::string::npos) << text;
}

TEST(MatrixFileTest, WordsTabsShortAndLongRows) {
  TempDir dir;
  // Tabs and blanks read the same; a word is skipped; missing entries are 0, extra ones dropped.
  const Loaded l = Load(dir.Write("b.qmx", "t\n1\tx 0.5\n2 3 4 5 6 7 8\n"));
  ASSERT_EQ(l.solver->JacN, 4);
  EXPECT_EQ(l.solver->JacInput[1][1], 1.0);
  EXPECT_EQ(l.solver->JacInput[1][2], 0.5);
  EXPECT_EQ(l.solver->JacInput[1][3], 0.0);
  EXPECT_EQ(l.solver->JacInput[2][4], 5.0);
  EXPECT_EQ(l.solver->JacInput[4][2], -5.0);
  EXPECT_EQ(l.grid.Cells[1][3], "0");
}

TEST(MatrixFileTest, RealMatrixGivesTwoEqualBlocks) {
  TempDir dir;
  const Loaded l = Load(dir.Write("c.qmx", "\n1 2\n2 5\n"));
  ASSERT_EQ(l.solver->JacN, 4);
  for (int i = 1; i <= 2; ++i)
    for (int j = 1; j <= 2; ++j) {
      EXPECT_EQ(l.solver->JacInput[i + 2][j + 2], l.solver->JacInput[i][j]);
      EXPECT_EQ(l.solver->JacInput[i][j + 2], 0.0);
      EXPECT_EQ(l.solver->JacInput[i + 2][j], 0.0);
    }
}

TEST(MatrixFileTest, TitleOnlyIsTheZeroMatrixOfOrderTwo) {
  TempDir dir;
  const Loaded l = Load(dir.Write("d.qmx", "only a title\n"));
  EXPECT_EQ(l.status, 0);
  EXPECT_EQ(l.solver->JacN, 2);
  EXPECT_EQ(l.solver->JacInput[1][1], 0.0);
}

TEST(MatrixFileTest, MoreThanTwentyRowsAreCut) {
  TempDir dir;
  std::string text = "big\n";
  for (int r = 1; r <= 25; ++r) text += std::to_string(r) + "\n";
  Loaded l;
  std::string shown;
  l.messages.Show = [&shown](const std::string& t) { shown += t; };
  l.status = ReadMatrixFile(dir.Write("e.qmx", text), l.grid, *l.solver, l.messages);
  EXPECT_EQ(l.solver->JacN, 40);
  EXPECT_NE(shown.find("Too big matrix (25), maximum is 20 - matrix is truncated"),
            std::string::npos);
  EXPECT_EQ(l.solver->JacInput[20][1], 20.0);
  EXPECT_EQ(l.solver->JacInput[40][21], 20.0);
  EXPECT_EQ(l.grid.RowCount(), 41);
}

// Regression: every row and number of a huge file used to be held in the grid before the cut.
TEST(MatrixFileTest, HugeFileKeepsOnlyWhatTheLimitAllows) {
  TempDir dir;
  std::string wide;
  for (int c = 1; c <= 5000; ++c) wide += std::to_string(c) + " ";
  std::string text = "huge\n" + wide + "\n";
  for (int r = 2; r <= 100000; ++r) text += "1\n";
  Loaded l;
  l.status = LoadMatrixFile(dir.Write("h.qmx", text), l.grid, *l.solver, l.messages);
  ASSERT_EQ(l.status, 0);
  EXPECT_NE(l.messages.Text.find("Too big matrix (100000), maximum is 20"), std::string::npos);
  EXPECT_EQ(l.grid.RowCount(), 41);
  EXPECT_EQ(l.grid.ColCount(), 41);
  EXPECT_EQ(l.grid.Cells[1][40], "40");
  EXPECT_EQ(l.solver->JacInput[21][21], 1.0);   // R of row 1 again in the lower right block
  EXPECT_EQ(l.solver->JacInput[21][1], -21.0);  // minus I of row 1
}

TEST(MatrixFileTest, LoadLeavesResetAndMessagesToTheCaller) {
  TempDir dir;
  std::string text = "t\n";
  for (int r = 1; r <= 21; ++r) text += "1 2\n";
  Loaded l;
  bool shown = false;
  l.messages.Show = [&shown](const std::string&) { shown = true; };
  l.status = LoadMatrixFile(dir.Write("l.qmx", text), l.grid, *l.solver, l.messages);
  EXPECT_EQ(l.status, 0);
  EXPECT_EQ(l.solver->JacInput[1][2], 2.0);
  EXPECT_EQ(l.solver->JacA[1][2], 0.0);  // not reset
  EXPECT_FALSE(shown);
  EXPECT_TRUE(l.messages.Pending);
}

// Regression: a read that failed after the open loaded an empty matrix and reported success.
TEST(MatrixFileTest, FailedReadChangesNothing) {
  TempDir dir;
  Loaded l = Load(dir.Write("a.qmx", "t\n1 2 0 3\n2 4 -3 0\n"));
  // Opening succeeds, reading fails (EIO at address 0).
  const int status = ReadMatrixFile("/proc/self/mem", l.grid, *l.solver, l.messages);
  EXPECT_NE(status, 0);
  EXPECT_NE(l.messages.Text.find(": File access error #"), std::string::npos);
  EXPECT_EQ(l.solver->JacN, 4);
  EXPECT_EQ(l.grid.RowCount(), 5);
}

TEST(MatrixFileTest, MissingFileChangesNothing) {
  TempDir dir;
  Loaded l = Load(dir.Write("a.qmx", "t\n1 2 0 3\n2 4 -3 0\n"));
  const int status = ReadMatrixFile(dir.File("none.qmx"), l.grid, *l.solver, l.messages);
  EXPECT_EQ(status, -1);
  EXPECT_NE(l.messages.Text.find("none.qmx: not found"), std::string::npos);
  EXPECT_EQ(l.solver->JacN, 4);
  EXPECT_EQ(l.grid.RowCount(), 5);
}

TEST(MatrixFileTest, SaveAndReloadDoublesTheOrder) {
  TempDir dir;
  const Loaded first = Load(dir.Write("a.qmx", "t\n1 2 0 3\n2 4 -3 0\n"));
  PendingMessages messages;
  ASSERT_EQ(WriteMatrixFile(dir.File("b.qmx"), first.grid, *first.solver, messages), 0);
  const std::string text = TempDir::Read(dir.File("b.qmx"));
  EXPECT_EQ(text, "\r\n1\t2\t0\t3\r\n2\t4\t-3\t0\r\n0\t-3\t1\t2\r\n3\t0\t2\t4\r\n");
  const Loaded second = Load(dir.File("b.qmx"));
  ASSERT_EQ(second.solver->JacN, 8);
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) {
      EXPECT_EQ(second.solver->JacInput[i][j], first.solver->JacInput[i][j]);
      EXPECT_EQ(second.solver->JacInput[i + 4][j + 4], first.solver->JacInput[i][j]);
      EXPECT_EQ(second.solver->JacInput[i][j + 4], 0.0);
    }
}

TEST(MatrixFileTest, KpointGridUsesCompactCells) {
  auto s = std::make_unique<JacobiSolver>();
  s->JacN = 2;
  s->JacInput[1][1] = -1.5;
  s->JacInput[1][2] = 0.25;
  const MatrixGrid g = KpointMatrixGrid(*s);
  EXPECT_EQ(g.Cells[0][2], "1");
  EXPECT_EQ(g.Cells[1][1], "-1.5");
  EXPECT_EQ(g.Cells[1][2], "0.25");
  EXPECT_EQ(g.Cells[2][2], "0");
}

}  // namespace
}  // namespace quarnel
