// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/path_run.h"

#include <gtest/gtest.h>

#include "bands/dos_run.h"

namespace quarnel {
namespace {

const std::vector<std::string> kPath = {"G X", "0 0 0 20 G", "not a point", "", "10 0 0 20 X",
                                        "5 0 0 10"};

TEST(PathRun, HandsEveryPointInOrderWithItsLineAndPlace) {
  std::vector<PathRunPoint> seen;
  int lines = 0;
  PathRunHooks hooks;
  hooks.point = [&seen](const PathRunPoint& p) { seen.push_back(p); };
  hooks.afterLine = [&lines] { ++lines; };
  EXPECT_EQ(CountPathPoints(kPath), 3);
  EXPECT_EQ(RunPath(kPath, hooks), 3);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(lines, 5);  // the title is no line of the path; the others all wait alike
  EXPECT_EQ(seen[0].line, 1);
  EXPECT_TRUE(seen[0].point.special);
  EXPECT_EQ(seen[1].x, 1);
  EXPECT_EQ(seen[1].line, 4);
  EXPECT_EQ(seen[1].point.nx, 10);
  EXPECT_EQ(seen[2].line, 5);
  EXPECT_EQ(seen[2].point.div, 10);
}

TEST(PathRun, StopIsAskedBeforeEveryLine) {
  int points = 0;
  PathRunHooks hooks;
  hooks.point = [&points](const PathRunPoint&) { ++points; };
  hooks.stop = [&points] { return points == 2; };
  EXPECT_EQ(RunPath(kPath, hooks), 2);
  EXPECT_EQ(points, 2);
  hooks.stop = [] { return true; };
  EXPECT_EQ(RunPath(kPath, hooks), 0);
}

TEST(DosRunLimits, ClampToTheEditsRanges) {
  EXPECT_EQ(kDosGridLimit.Clamp(4), 5);
  EXPECT_EQ(kDosGridLimit.Clamp(51), 50);
  EXPECT_EQ(kDosBinsLimit.Clamp(10), 10);
  EXPECT_EQ(kDosBinsLimit.Clamp(5000), 1000);
  EXPECT_EQ(kDosSmoothLimit.Clamp(-1), 0);
  EXPECT_EQ(kDosSmoothLimit.Clamp(6), 5);
}

}  // namespace
}  // namespace quarnel
