// SPDX-License-Identifier: GPL-3.0-or-later
// The lattice form's files: the reader's messages on bad lines and read/write round trips.

#include <gtest/gtest.h>

#include <cmath>

#include "common/temp_dir.h"
#include "model/lattice_reader.h"
#include "model/lattice_writer.h"

namespace quarnel {
namespace {

const char kGraphene[] =
    "graphene\n"
    "_cell a1= 1 0 0  a2= 0,5 0.866025403784 0  a3= 0 0 10\n"
    "_orb A 0.25 pos= 0 0 0 tok= 1\n"
    "_orb B -0.25 pos= 1/3 1/3 0\n"
    "_hop A B R= 0 0 0 t= -1\n"
    "_hop A B R= -1 0 0 t=-1\n"
    "_hop A B R= 0 -1 0 t= -1 0.5\n"
    "_fill electrons=2 spin=2\n";

LatticeModel Parse(const std::string& text, PendingMessages& messages) {
  LatticeModel m;
  ParseLatticeText(text, m, messages);
  return m;
}

TEST(LatticeReader, ReadsEveryKeyword) {
  PendingMessages messages;
  const LatticeModel m = Parse(kGraphene, messages);
  EXPECT_EQ(messages.Text, "");
  EXPECT_EQ(m.HeaderText, "graphene");
  ASSERT_EQ(m.Orbitals(), 2);
  EXPECT_DOUBLE_EQ(m.cell[1][0], 0.5);
  EXPECT_DOUBLE_EQ(m.orbitals[0].energy, 0.25);  // no negation in this form
  EXPECT_DOUBLE_EQ(m.orbitals[1].pos[0], 1.0 / 3);
  ASSERT_EQ(m.hops.size(), 3u);
  EXPECT_EQ(m.hops[1].R[0], -1);
  EXPECT_EQ(m.hops[2].t, std::complex<double>(-1, 0.5));
  EXPECT_EQ(m.FillElectrons, 2);
}

TEST(LatticeReader, ReportsEveryBadLineWithItsNumberAndGoesOn) {
  PendingMessages messages;
  const LatticeModel m = Parse(
      "h\n"
      "_orb A 0\n"
      "_orb A 1\n"                     // 3: given twice
      "_orb B\n"                       // 4: no energy
      "_hop A C R= 1 0 0 t= 1\n"       // 5: unknown orbital
      "_hop A A R= 0 0 0 t= 1\n"       // 6: itself in its own cell
      "_hop A A R= 0.5 0 0 t= 1\n"     // 7: non-integer R
      "_hopp A A R= 1 0 0 t= 1\n"      // 8: another keyword
      "_hop A A R= 1 0 0 t= 1\n"
      "_hop A A R= -1 0 0 t= 2\n"      // 10: the partner of line 9, counts
      "a comment\n"
      "_cell a1= 1 0 0 a2= 2 0 0 a3= 0 0 1\n"  // 12: degenerate
      "_hop A A R= 0 1 0 t= x\n",              // 13: unreadable
      messages);
  for (const char* line : {"Line 3:", "Line 4:", "Line 5:", "Line 6:", "Line 7:", "Line 8:",
                           "Line 10:", "Line 12:", "Line 13:"})
    EXPECT_NE(messages.Text.find(line), std::string::npos) << line;
  EXPECT_EQ(messages.Text.find("Line 9:"), std::string::npos);
  EXPECT_EQ(messages.Text.find("Line 11:"), std::string::npos);
  EXPECT_EQ(messages.Text.rfind("Reading errors: ", 0), 0u);
  ASSERT_EQ(m.Orbitals(), 1);
  ASSERT_EQ(m.hops.size(), 1u);
  EXPECT_EQ(m.hops[0].R[0], -1);
  EXPECT_EQ(m.hops[0].t, 2.0);
  EXPECT_EQ(m.cell[1][1], 1);  // the unit cube
}

TEST(LatticeReader, AtMostSixteenOrbitals) {
  std::string text = "h\n";
  for (int i = 1; i <= 17; ++i) text += "_orb o" + std::to_string(i) + " 0\n";
  PendingMessages messages;
  EXPECT_EQ(Parse(text, messages).Orbitals(), kMaxOrb);
  EXPECT_NE(messages.Text.find("Line 18:"), std::string::npos);
}

TEST(LatticeWriter, RoundTripKeepsTwelveDigitsAndIsStable) {
  PendingMessages messages;
  const LatticeModel m = Parse(kGraphene, messages);
  const std::string saved = FormatLatticeFile(m);
  const LatticeModel back = Parse(saved, messages);
  EXPECT_EQ(messages.Text, "");
  EXPECT_EQ(FormatLatticeFile(back), saved);
  ASSERT_EQ(back.hops.size(), m.hops.size());
  for (std::size_t h = 0; h < m.hops.size(); ++h)
    EXPECT_NEAR(std::abs(back.hops[h].t - m.hops[h].t), 0, 1e-12);
  EXPECT_NEAR(back.orbitals[1].pos[0], 1.0 / 3, 1e-12);
  testing::TempDir dir;
  LatticeModel written = m;
  ASSERT_EQ(WriteLatticeFile(written, messages, dir.File("g.qrl")), 0);
  LatticeModel read;
  ASSERT_EQ(ReadLatticeFile(read, messages, dir.File("g.qrl")), 0);
  EXPECT_EQ(FormatLatticeFile(read), saved);
}

}  // namespace
}  // namespace quarnel
