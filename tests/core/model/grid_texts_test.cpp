// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/grid_texts.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

TEST(GridTexts, PairTermTextAndSpinOrbitSuffix) {
  ModelData m;
  m.BetaMinus[1][2][1] = -1;
  m.BetaPlus[1][2][1] = -0.5;
  EXPECT_EQ(PairTermText(m, 1, 2, 1), "X:-1,-0.5 ");
  m.SocRe[1][2][1] = 0.1;  // imaginary part 0: no suffix
  EXPECT_EQ(PairTermText(m, 1, 2, 1), "X:-1,-0.5 ");
  m.SocIm[1][2][1] = -0.25;
  EXPECT_EQ(PairTermText(m, 1, 2, 1), "X:-1,-0.5(so:0.1,-0.25) ");
}

TEST(GridTexts, Form2CellsShowEveryDirectionWithATerm) {
  ModelData m;
  EXPECT_EQ(PairCellTextTyp2(m, 1, 2), "");
  m.BetaPlus[1][2][3] = -2;
  m.BetaPos[1][2][1] = 0.25;  // a position alone couples nothing
  EXPECT_EQ(PairCellTextTyp2(m, 1, 2), "Z:0,-2 ");
  m.SocIm[1][2][2] = 0.5;  // a spin-orbit term alone shows, even with one part 0
  EXPECT_EQ(PairCellTextTyp2(m, 1, 2), "Y:0,0(so:0,0.5) Z:0,-2 ");
  const PairCellTexts both = PairCellsText(m, 1, 2);
  EXPECT_EQ(both.upper, both.lower);
}

TEST(GridTexts, DiagonalAndAlphaCells) {
  ModelData m;
  m.Alpha(1) = -0.0;
  EXPECT_EQ(AlphaCellText(m, 1), "0");
  m.BetaPlus[1][1][2] = -0.3;
  NormalizeOrbital(m, 1);
  EXPECT_EQ(DiagonalCellText(m, 1), "Y:-0.3,-0.3 ");
}

TEST(GridTexts, Form1FactorsSignsAndTransposedCell) {
  ModelData m;
  m.BetaTyp = 1;
  m.Beta[1][2][1] = 1.5;
  m.OverlapType[1][2][1] = 3;
  NormalizePair(m, 1, 2);
  PairCellTexts t = PairCellsText(m, 1, 2);
  EXPECT_EQ(t.upper, "-1.5\xC3\x97i2sin(ka/2)");
  EXPECT_EQ(t.lower, "-1.5\xC3\x97-i2sin(ka/2)");

  m.OverlapType[1][2][1] = 1;
  m.Beta[1][2][3] = -2;
  m.OverlapType[1][2][3] = 2;
  t = PairCellsText(m, 1, 2);
  EXPECT_EQ(t.upper, "-1.5\xC3\x97" "2cos(ka/2)-2\xC3\x97-2cos(kc/2)");
  EXPECT_EQ(t.upper.find("+-"), std::string::npos);
}

TEST(GridTexts, Form1HidesSelectorZeroAndShowsBeta2WhenEnabled) {
  ModelData m;
  m.BetaTyp = 1;
  m.Beta[1][2][1] = -1;  // selector 0 and no beta2: nothing
  EXPECT_EQ(PairCellsText(m, 1, 2).upper, "");
  m.Beta2[1][2][1] = -0.5;
  EXPECT_EQ(PairCellsText(m, 1, 2).upper, "-1\xC3\x97" "0");
  m.Beta2Enabled = true;
  EXPECT_EQ(PairCellsText(m, 1, 2).upper, "-1\xC3\x97" "0-0.5");
}

TEST(GridTexts, SelectorOutsideTheTableDoesNotFail) {
  ModelData m;
  m.BetaTyp = 1;
  m.Beta[1][2][2] = -1;
  m.OverlapType[1][2][2] = 99;
  EXPECT_EQ(PairCellsText(m, 1, 2).upper, "-1\xC3\x97?(99)");
}

TEST(GridTexts, CleanPlusMinus) {
  EXPECT_EQ(CleanPlusMinus("++a+-b+++-c"), "+a-b-c");
  EXPECT_EQ(CleanPlusMinus("x++-y"), "x-y");
  EXPECT_EQ(CleanPlusMinus("plain"), "plain");
}

}  // namespace
}  // namespace quarnel
