// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbench/results_listing.h"

#include <gtest/gtest.h>

#include <memory>

namespace quarnel {
namespace {

TEST(ResultsListingTest, KeptEntryThenPartner) {
  auto s = std::make_unique<JacobiSolver>();
  s->JacN = 2;
  s->JacInput[1][1] = s->JacInput[2][2] = -2.5;
  s->Reset();
  s->Solve(50);
  const auto lines = ResultsListing(*s);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "i(s)\tEigVal\tR1\tI1");
  EXPECT_EQ(lines[1], "1(1)\t-2.500000\t1.000000\t0.000000");
  // The partner, turned by -i: (0 + 1i) becomes (1 + 0i).
  EXPECT_EQ(lines[2], "2(0)\t-2.500000\t1.000000\t0.000000");
}

TEST(ResultsListingTest, HeaderNamesEveryOrbital) {
  auto s = std::make_unique<JacobiSolver>();
  s->JacN = 6;
  s->Reset();
  s->Solve(1);
  const auto lines = ResultsListing(*s);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "i(s)\tEigVal\tR1\tI1\tR2\tI2\tR3\tI3");
  // Stopping early still lists h pairs of lines.
  EXPECT_EQ(s->JacIter, 0);
}

}  // namespace
}  // namespace quarnel
