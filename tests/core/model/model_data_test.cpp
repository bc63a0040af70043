// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model_data.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

TEST(ModelData, ClearKeepsNamesCountAndSelectors) {
  ModelData m;
  m.NOrb = 2;
  m.OrbName[1] = "s";
  m.Alpha(1) = -3;
  m.OverlapType[1][2][1] = 3;
  m.BetaPos[1][2][2] = 0.25;
  m.OrbPlotKind[2] = 7;
  m.EffMass[1] = 2;
  ClearModelTables(m);
  EXPECT_EQ(m.NOrb, 2);
  EXPECT_EQ(m.OrbName[1], "s");
  EXPECT_EQ(m.OverlapType[1][2][1], 3);
  EXPECT_EQ(m.Alpha(1), 0.0);
  EXPECT_EQ(m.BetaPos[1][2][2], 0.0);
  EXPECT_EQ(m.EffMass[1], 0.0);
  for (int i = 1; i <= kMaxOrb; ++i) EXPECT_EQ(m.OrbPlotKind[i], 1);

  ClearModel(m);  // New: three orbitals, the old names still there
  EXPECT_EQ(m.NOrb, 3);
  EXPECT_EQ(m.OrbName[1], "s");
}

TEST(ModelData, OrbitalRefreshMakesAlphaNonPositiveAndCopiesOwnImages) {
  ModelData m;
  m.Alpha(1) = 2;
  m.BetaPlus[1][1][2] = -0.4;
  m.BetaMinus[1][1][2] = 9;
  NormalizeOrbital(m, 1);
  EXPECT_EQ(m.Alpha(1), -2);
  for (int d = 1; d <= 3; ++d) {
    EXPECT_EQ(m.BetaMinus[1][1][d], m.BetaPlus[1][1][d]);
    EXPECT_EQ(m.BetaPos[1][1][d], 1);
    EXPECT_EQ(m.BetaPosMinus[1][1][d], -1);
  }
}

TEST(ModelData, Form1PairRefreshNegatesBetaAndBeta2) {
  ModelData m;
  m.BetaTyp = 1;
  m.Beta[1][2][1] = 1.5;
  m.Beta2[1][2][3] = 0.2;
  m.Beta[1][2][2] = -0.7;
  NormalizePair(m, 1, 2);
  EXPECT_EQ(m.Beta[1][2][1], -1.5);
  EXPECT_EQ(m.Beta2[1][2][3], -0.2);
  EXPECT_EQ(m.Beta[1][2][2], -0.7);
}

TEST(ModelData, Form2PositionRule) {
  struct Case {
    double plus, minus, pos, wantPos, wantPosMinus;
  };
  const Case cases[] = {
      {0.3, 0, 0, 0.5, -0.5},       // position 0 means midway
      {0.3, 0, 1, 1, -1},           // 1 is kept
      {0.3, 0, 2, 0, -1},           // reduced periodically
      {0, -1, -0.25, 0.75, -0.25},  // minus hopping alone counts too
      {-1, 0, 1.25, 0.25, -0.75},
  };
  for (const Case& c : cases) {
    ModelData m;
    m.BetaPlus[1][2][2] = c.plus;
    m.BetaMinus[1][2][2] = c.minus;
    m.BetaPos[1][2][2] = c.pos;
    m.BetaPosMinus[1][2][2] = 42;
    NormalizePair(m, 1, 2);
    EXPECT_DOUBLE_EQ(m.BetaPos[1][2][2], c.wantPos) << "pos " << c.pos;
    EXPECT_DOUBLE_EQ(m.BetaPosMinus[1][2][2], c.wantPosMinus) << "pos " << c.pos;
  }
}

TEST(ModelData, Form2DirectionWithoutHoppingIsLeftAlone) {
  ModelData m;
  m.BetaPos[1][2][1] = 0.7;
  m.BetaPosMinus[1][2][1] = 5;  // not recomputed
  m.BetaPos[1][2][3] = 0;
  m.BetaPosMinus[1][2][3] = 5;  // but a zero position always clears its partner
  NormalizePair(m, 1, 2);
  EXPECT_EQ(m.BetaPos[1][2][1], 0.7);
  EXPECT_EQ(m.BetaPosMinus[1][2][1], 5);
  EXPECT_EQ(m.BetaPosMinus[1][2][3], 0);
}

TEST(ModelData, NormalizeModelOnlyTouchesUpperTriangleOfOrbitalsInUse) {
  ModelData m;
  m.NOrb = 2;
  m.BetaTyp = 1;
  m.Beta[2][1][1] = 4;  // lower triangle: never used
  m.Beta[1][3][1] = 4;  // orbital 3 is not in use
  m.Beta[1][2][1] = 4;
  NormalizeModel(m);
  EXPECT_EQ(m.Beta[2][1][1], 4);
  EXPECT_EQ(m.Beta[1][3][1], 4);
  EXPECT_EQ(m.Beta[1][2][1], -4);
}

TEST(ModelData, LookupAndWrittenNames) {
  ModelData m;
  m.NOrb = 4;
  m.OrbName[1] = "a";
  m.OrbName[2] = "orb3";
  m.OrbName[3] = "";
  m.OrbName[4] = "a";
  EXPECT_EQ(FindOrbital(m, "a"), 4);  // the last equal name counts
  EXPECT_EQ(FindOrbital(m, "b"), 0);
  EXPECT_EQ(OrbitalFileName(m, 1), "a");
  // An empty name gets a generated one that cannot merge with orbital 2 on reading.
  EXPECT_EQ(OrbitalFileName(m, 3), "orb3_1");
  m.OrbName[2] = "p";
  EXPECT_EQ(OrbitalFileName(m, 3), "orb3");
}

}  // namespace
}  // namespace quarnel
