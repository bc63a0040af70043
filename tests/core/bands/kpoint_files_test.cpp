// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/kpoint_files.h"

#include <gtest/gtest.h>

#include "common/temp_dir.h"

namespace quarnel {
namespace {

using Lines = std::vector<std::string>;

TEST(ReadKpointList, CopiesLinesUnchangedWithoutBlankOnes) {
  testing::TempDir dir;
  const std::string name =
      dir.Write("path.qrk", "G X\r\n\r\n   0   0   0   20\n\n  20 0 0 20  X \n");
  Lines lines;
  PendingMessages messages;
  ASSERT_TRUE(ReadKpointList(name, lines, messages));
  EXPECT_EQ(lines, (Lines{"G X", "   0   0   0   20", "  20 0 0 20  X "}));
  EXPECT_TRUE(messages.Text.empty());
  std::vector<int> numbers;  // as the file counts them, blank lines included
  ASSERT_TRUE(ReadKpointList(name, lines, messages, &numbers));
  EXPECT_EQ(numbers, (std::vector<int>{1, 3, 5}));
}

TEST(ReadKpointList, MissingFileKeepsTheLinesAndReports) {
  testing::TempDir dir;
  Lines lines{"keep"};
  PendingMessages messages;
  EXPECT_FALSE(ReadKpointList(dir.File("none.qrk"), lines, messages));
  EXPECT_EQ(lines, Lines{"keep"});
  EXPECT_NE(messages.Text.find("none.qrk: not found"), std::string::npos);
}

TEST(KlistBand, ConvertsLabelledAndUnlabelledLines) {
  bool end = true;
  EXPECT_EQ(KlistBandPathLine("GAMMA    0    0    0   20  2.0 -8.00 8.00", end), " 0 0 0 20 GAMMA");
  EXPECT_FALSE(end);
  EXPECT_EQ(KlistBandPathLine("     1  0\t 0 20  2.0", end), " 1 0 0 20 ");
  EXPECT_EQ(KlistBandPathLine("X 20 0", end), " 20 0   X");  // missing words stay empty
  KlistBandPathLine("END", end);
  EXPECT_TRUE(end);
  EXPECT_EQ(KlistBandPathLine("end 1 2 3 4", end), " 1 2 3 4 end");
  EXPECT_FALSE(end);
}

TEST(KlistBand, TitleOfLabelsFirstAndStopsAtEnd) {
  testing::TempDir dir;
  const std::string name = dir.Write("fcc.klist_band",
                                     "GAMMA    0    0    0   20  2.0\n"
                                     "         1    0    0   20  2.0\n"
                                     "\n"
                                     "X       20    0    0   20  2.0\n"
                                     "END\n"
                                     "Y        0   20    0   20  2.0\n");
  Lines lines;
  PendingMessages messages;
  ASSERT_TRUE(ReadKlistBand(name, lines, messages));
  EXPECT_EQ(lines, (Lines{"GAMMA X", " 0 0 0 20 GAMMA", " 1 0 0 20 ", " 20 0 0 20 X"}));
}

TEST(KlistBand, WithoutLabelsOrEndTheTitleIsTheFileName) {
  testing::TempDir dir;
  const std::string name = dir.Write("plain.klist_band", "  0 0 0 10\n  5 0 0 10");
  Lines lines;
  PendingMessages messages;
  ASSERT_TRUE(ReadKlistBand(name, lines, messages));
  EXPECT_EQ(lines, (Lines{"plain.klist_band", " 0 0 0 10 ", " 5 0 0 10 "}));
  EXPECT_EQ(FileNameOnly("/a/b/c.klist_band"), "c.klist_band");
  EXPECT_EQ(FileNameOnly("c:x"), "x");
}

}  // namespace
}  // namespace quarnel
