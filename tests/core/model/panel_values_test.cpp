// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/panel_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "model/panel_fields.h"

namespace quarnel {
namespace {

ModelData ThreeOrbitals(int betaTyp) {
  ModelData m;
  ClearModel(m);
  m.BetaTyp = betaTyp;
  m.OrbName[1] = "a";
  m.OrbName[2] = "b";
  m.OrbName[3] = "c";
  return m;
}

TEST(OrbitalPanel, ReadsNamesNumbersAndKind) {
  ModelData m = ThreeOrbitals(2);
  OrbitalPanelTexts t;
  t.name = "p x\t";
  t.alpha = "1/4";
  t.beta[1] = "-0,5";  // a decimal comma reads too
  t.beta[2] = "2*0.25";
  t.beta[3] = "junk";
  t.effMass = "1.5";
  t.plotX = "0.25";
  t.plotY = "1-0.25";
  t.kindItem = 3;
  ApplyOrbitalPanel(m, 2, t);
  EXPECT_EQ(m.OrbName[2], "px");
  EXPECT_DOUBLE_EQ(m.Alpha(2), 0.25);  // made non-positive by the refresh
  EXPECT_DOUBLE_EQ(m.BetaPlus[2][2][1], -0.5);
  EXPECT_DOUBLE_EQ(m.BetaPlus[2][2][2], 0.5);
  EXPECT_DOUBLE_EQ(m.BetaPlus[2][2][3], 0);
  EXPECT_DOUBLE_EQ(m.EffMass[2], 1.5);
  EXPECT_DOUBLE_EQ(m.OrbPlotX[2], 0.25);
  EXPECT_DOUBLE_EQ(m.OrbPlotY[2], 0.75);
  EXPECT_EQ(m.OrbPlotKind[2], 4);
  NormalizeOrbital(m, 2);
  EXPECT_DOUBLE_EQ(m.Alpha(2), -0.25);
}

TEST(OrbitalPanel, UnreadablePositionAndMissingKindKeepTheirValues) {
  ModelData m = ThreeOrbitals(2);
  m.OrbPlotX[1] = 0.5;
  m.OrbPlotY[1] = 0.75;
  m.OrbPlotKind[1] = 14;  // as read from a file
  m.EffMass[1] = 2;
  OrbitalPanelTexts t = OrbitalPanelFill(m, 1);
  EXPECT_EQ(t.kindItem, -1);
  EXPECT_EQ(t.plotX, "0.5");
  t.plotX = "";
  t.plotY = "1/0";  // not a number either
  t.effMass = "?";
  ApplyOrbitalPanel(m, 1, t);
  EXPECT_DOUBLE_EQ(m.OrbPlotX[1], 0.5);
  EXPECT_DOUBLE_EQ(m.OrbPlotY[1], 0.75);
  EXPECT_EQ(m.OrbPlotKind[1], 14);
  EXPECT_DOUBLE_EQ(m.EffMass[1], 0);  // every other unreadable number is 0
}

TEST(OrbitalPanel, FillShowsOwnImagesAndTheirPositions) {
  ModelData m = ThreeOrbitals(2);
  m.BetaPlus[3][3][2] = -0.75;
  m.OrbPlotKind[3] = 2;
  NormalizeOrbital(m, 3);
  const OrbitalPanelTexts t = OrbitalPanelFill(m, 3);
  EXPECT_EQ(t.beta[2], "-0.75");
  EXPECT_EQ(t.label[1], "-1,1");
  EXPECT_EQ(t.kindItem, 1);
}

TEST(OrbitalPanel, RowsOutsideTheModelAreIgnored) {
  ModelData m = ThreeOrbitals(2);
  const ModelData before = m;
  OrbitalPanelTexts t;
  t.name = "x";
  t.alpha = "3";
  for (int r : {0, 4, -1, 17}) ApplyOrbitalPanel(m, r, t);
  EXPECT_EQ(m.OrbName[0], before.OrbName[0]);
  EXPECT_EQ(m.OrbName[4], before.OrbName[4]);
  EXPECT_EQ(m.Alpha(4), 0);
}

TEST(OrbitalPanel, AnotherOrbitalsNameIsRefusedAndAStoredSignExplained) {
  ModelData m = ThreeOrbitals(2);
  OrbitalPanelTexts t;
  t.name = " b\t";  // b once cleaned
  t.alpha = "5";
  EXPECT_NE(OrbitalNameConflict(m, 1, t.name).find("orbital 2"), std::string::npos);
  EXPECT_FALSE(ApplyOrbitalPanel(m, 1, t));
  EXPECT_EQ(m.OrbName[1], "a");
  EXPECT_EQ(m.Alpha(1), 0);
  EXPECT_TRUE(ApplyOrbitalPanel(m, 2, t));  // its own name
  m.OrbName[3] = t.name = "";               // New leaves orbitals nameless
  EXPECT_TRUE(ApplyOrbitalPanel(m, 1, t));
  EXPECT_NE(AlphaSignHint(1, "2,5").find("-2.5"), std::string::npos);
  EXPECT_EQ(AlphaSignHint(2, "-2.5") + AlphaSignHint(2, "x") + AlphaSignHint(3, "2"), "");
}

TEST(BetaPanel, StoresNonPositiveValuesInTheUpperTriangleOnly) {
  ModelData m = ThreeOrbitals(1);
  BetaPanelTexts t;
  t.type[1] = 1;
  t.beta[1] = "2";
  t.type[2] = 3;
  t.beta[2] = "-1.5";
  t.beta2[3] = "0.5";
  ApplyBetaPanel(m, 1, 2, t);
  EXPECT_EQ(m.OverlapType[1][2][1], 1);
  EXPECT_DOUBLE_EQ(m.Beta[1][2][1], -2);
  EXPECT_DOUBLE_EQ(m.Beta[1][2][2], -1.5);
  EXPECT_EQ(m.OverlapType[1][2][2], 3);
  EXPECT_DOUBLE_EQ(m.Beta2[1][2][3], -0.5);
  EXPECT_DOUBLE_EQ(m.Beta[2][1][1], 0);
  EXPECT_EQ(m.OverlapType[2][1][1], 0);
  const BetaPanelTexts back = BetaPanelFill(m, 1, 2);
  EXPECT_EQ(back.beta[1], "-2");
  EXPECT_EQ(back.type[2], 3);
  // A lower-triangle or unknown pair is never written.
  ApplyBetaPanel(m, 2, 1, t);
  ApplyBetaPanel(m, 2, 5, t);
  EXPECT_DOUBLE_EQ(m.Beta[2][1][1], 0);
  EXPECT_DOUBLE_EQ(m.Beta[2][5][1], 0);
}

TEST(BetaGenPanel, HiddenPositionsBecomeMidwayAfterTheRefresh) {
  ModelData m = ThreeOrbitals(2);
  m.BetaPos[1][2][1] = 0.25;
  BetaGenPanelTexts t = BetaGenPanelFill(m, 1, 2);
  t.plus[1] = "-1";
  t.minus[2] = "0.5";  // signs are kept in this form
  t.socRe[1] = "0.1";
  t.socIm[1] = "0.2";
  ApplyBetaGenPanel(m, 1, 2, t);
  EXPECT_DOUBLE_EQ(m.BetaPos[1][2][1], 0);
  NormalizePairTyp2(m, 1, 2);
  EXPECT_DOUBLE_EQ(m.BetaPlus[1][2][1], -1);
  EXPECT_DOUBLE_EQ(m.BetaMinus[1][2][2], 0.5);
  EXPECT_DOUBLE_EQ(m.SocIm[1][2][1], 0.2);
  EXPECT_EQ(BetaGenPanelFill(m, 1, 2).label[1], "-0.5,0.5");
  EXPECT_EQ(BetaGenPanelFill(m, 1, 2).label[3], "0,0");  // no hopping along Z
}

TEST(BetaGenPanel, ShownPositionIsRead) {
  ModelData m = ThreeOrbitals(2);
  BetaGenPanelTexts t;
  t.plus[1] = "-1";
  t.pos[1] = "1.25";
  t.posShown[1] = true;
  ApplyBetaGenPanel(m, 1, 3, t);
  NormalizePairTyp2(m, 1, 3);
  EXPECT_DOUBLE_EQ(m.BetaPos[1][3][1], 0.25);
  EXPECT_EQ(PositionLabelText(m, 1, 3, 1), "-0.75,0.25");
}

TEST(PanelNames, BlanksAndTabsAreRemoved) {
  EXPECT_EQ(CleanOrbitalName(" d x2 - y2\t"), "dx2-y2");
  EXPECT_EQ(CleanOrbitalName("   "), "");
}

// Found by fuzzing: a name with a control character or a trailing "=" was saved as it stood and
// read back as another name, with the orbital's numbers shifted by one field.
TEST(PanelNames, NamesAreCleanedSoTheSavedNameReadsBack) {
  EXPECT_EQ(CleanOrbitalName("n\x01x\r\n"), "nx");
  EXPECT_EQ(CleanOrbitalName("\xc3\xa9t\x7f"), "\xc3\xa9t\x7f");  // bytes above 127 are text
  // A trailing "=" would join the energy after the name in a saved line.
  EXPECT_EQ(CleanOrbitalName("a=b=="), "a=b");
  EXPECT_EQ(CleanOrbitalName("="), "");
}

// One moved field writes its one number, as Apply stores it, and nothing else.
TEST(PanelFields, OneNumberChangesAndMissingTargetsAreRefused) {
  auto m = std::make_unique<ModelData>(ThreeOrbitals(1));
  const auto before = std::make_unique<ModelData>(*m);
  const PanelTarget beta2{PanelValue::Beta2, 1, 3, 2};
  ASSERT_TRUE(SetPanelValue(*m, beta2, 0.75));
  EXPECT_EQ(m->Beta2[1][3][2], -0.75);  // form-1 hoppings non-positive
  m->Beta2[1][3][2] = 0;
  EXPECT_EQ(std::memcmp(m->Beta2, before->Beta2, sizeof m->Beta2), 0);
  EXPECT_EQ(std::memcmp(m->Beta, before->Beta, sizeof m->Beta), 0);
  ASSERT_TRUE(SetPanelValue(*m, {PanelValue::SocIm, 2, 3, 3}, -0.5));
  EXPECT_EQ(m->SocIm[2][3][3], -0.5);  // no sign rule outside form-1 hoppings
  ASSERT_TRUE(SetPanelValue(*m, {PanelValue::Alpha, 2, 0, 1}, 1.5));
  EXPECT_EQ(m->Alpha(2), 1.5);  // the grid refresh makes it non-positive, as after Apply
  EXPECT_EQ(PanelNumber(*m, {PanelValue::OwnBeta, 3, 0, 2}), &m->BetaPlus[3][3][2]);
  for (const PanelTarget& t :
       {PanelTarget{PanelValue::Beta, 2, 1, 1},  // lower triangle
        PanelTarget{PanelValue::Beta, 1, 4, 1},  // no orbital 4
        PanelTarget{PanelValue::BetaPlus, 1, 2, 0}, PanelTarget{PanelValue::EffMass, 0, 0, 1}})
    EXPECT_FALSE(SetPanelValue(*m, t, 1.0));
  EXPECT_FALSE(SetPanelValue(*m, beta2, std::nan("")));
}

}  // namespace
}  // namespace quarnel
