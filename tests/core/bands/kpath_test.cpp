// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/kpath.h"

#include <gtest/gtest.h>

namespace quarnel {
namespace {

KPathPoint PointOf(const std::string& text) {
  KPathPoint p;
  EXPECT_TRUE(KPathPointOf(ParseKPathLine(text), p)) << text;
  return p;
}

TEST(KPathLine, ReadsFourNumbersAndOneLabelWord) {
  const KPathLine l = ParseKPathLine("\t 1,5   -2  3e1 20 GAMMA extra words");
  EXPECT_DOUBLE_EQ(l.kx, 1.5);
  EXPECT_DOUBLE_EQ(l.ky, -2);
  EXPECT_DOUBLE_EQ(l.kz, 30);
  EXPECT_DOUBLE_EQ(l.div, 20);
  EXPECT_EQ(l.label, "GAMMA");

  const KPathLine bad = ParseKPathLine("a 2 b");
  EXPECT_EQ(bad.kx, 0);
  EXPECT_EQ(bad.ky, 2);
  EXPECT_EQ(bad.kz, 0);
  EXPECT_EQ(bad.div, 0);
  EXPECT_EQ(bad.label, "");
}

TEST(KPathLine, LinesNotReadAsTypedAreReportedWithTheirNumber) {
  for (const char* quiet : {"", "0 10 0 20", "1,0 2 3 4 L extra", "5 0 0 0"})
    EXPECT_EQ(KPathLineWarning(quiet, 2), "") << quiet;
  // Rounded as the run rounds, halves to even; a word that is no number reads as 0.
  const std::string half = KPathLineWarning(" 1.5  2.5 0.4 10 X", 7);
  EXPECT_EQ(half.rfind("Line 7: 1.5 2.5 0.4 10 X - ", 0), 0u) << half;
  EXPECT_NE(half.find("read as 2 2 0 10"), std::string::npos) << half;
  // The title is never read; file line numbers replace the count when given.
  PendingMessages messages;
  ReportKPathLines({"0.5 title", "G 0 0 0 1"}, {1, 4}, messages);
  EXPECT_EQ(messages.Text.rfind("Line 4: G 0 0 0 1 - ", 0), 0u) << messages.Text;
  EXPECT_NE(messages.Text.find("read as 0 0 0 0, line skipped"), std::string::npos);
}

TEST(KPathLine, SkipsLinesWithoutPositiveDivisor) {
  KPathPoint p;
  EXPECT_FALSE(KPathPointOf(ParseKPathLine(""), p));
  EXPECT_FALSE(KPathPointOf(ParseKPathLine("1 2 3 0"), p));
  EXPECT_FALSE(KPathPointOf(ParseKPathLine("1 2 3 -20"), p));
  EXPECT_FALSE(KPathPointOf(ParseKPathLine("1 2 3 x"), p));
  // Numbers that no integer control could hold are refused, not wrapped.
  EXPECT_FALSE(KPathPointOf(ParseKPathLine("1e12 0 0 20"), p));
}

// Found by fuzzing: a short divisor is written with up to ten times the divisor, so
// -2147483648 0 0 3 overflowed the numerator (and std::abs of it) in the band window.
TEST(KPathLine, NumbersSurviveTheDivisorScaling) {
  KPathPoint p;
  EXPECT_FALSE(KPathPointOf(ParseKPathLine("-2147483648 0 0 3"), p));
  EXPECT_FALSE(KPathPointOf(ParseKPathLine("0 0 0 2147483647"), p));
  ASSERT_TRUE(KPathPointOf(ParseKPathLine("-214748364 0 214748364 1"), p));
  const int scale = DivisorScale(p.div, 10);
  EXPECT_EQ(scale, 10);
  EXPECT_EQ(static_cast<long long>(p.nx) * scale, -2147483640LL);
  EXPECT_EQ(static_cast<long long>(p.nz) * scale, 2147483640LL);
}

TEST(KPathLine, LabelsSpecialPointsInTableOrder) {
  EXPECT_EQ(PointOf("0 20 0 20").label, "Y");
  EXPECT_EQ(PointOf("0 0 0 20").label, "G");
  EXPECT_EQ(PointOf("20 0 0 20").label, "X");
  EXPECT_EQ(PointOf("20 20 0 20").label, "M");
  EXPECT_EQ(PointOf("0 20 20 20").label, "T");
  EXPECT_EQ(PointOf("20 20 20 20").label, "R");
  EXPECT_EQ(PointOf("-20 0 0 20").label, "-X");
  EXPECT_EQ(PointOf("40 0 0 20").label, "200");
  // A zero quotient of a negative numerator carries no sign.
  EXPECT_EQ(PointOf("-0 0 20 20").label, "Z");
  EXPECT_TRUE(PointOf("0 0 0 20").special);
}

TEST(KPathLine, FractionalQuotientHasNoLabelUnlessOneIsTyped) {
  const KPathPoint half = PointOf("10 0 0 20");
  EXPECT_FALSE(half.special);
  EXPECT_EQ(half.label, "");
  const KPathPoint typed = PointOf("10 0 0 20 H");
  EXPECT_TRUE(typed.special);
  EXPECT_EQ(typed.label, "H");
}

TEST(KPathLine, RoundsHalvesToEvenButTestsTheUnroundedQuotients) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4), 2);
  EXPECT_EQ(RoundHalfEven(-2.6), -3);
  const KPathPoint p = PointOf("2.5 3.5 0 10.5");
  EXPECT_EQ(p.nx, 2);
  EXPECT_EQ(p.ny, 4);
  EXPECT_EQ(p.div, 10);
  EXPECT_FALSE(p.special);
}

TEST(KPathLine, KeepsPointsOutsideTheControlRanges) {
  const KPathPoint p = PointOf("300 -250 7 150");
  EXPECT_EQ(p.nx, 300);
  EXPECT_EQ(p.ny, -250);
  EXPECT_EQ(p.nz, 7);
  EXPECT_EQ(p.div, 150);
}

TEST(KPathLine, DivisorScaleReachesTheSmallestAcceptedDivisor) {
  for (int d = 1; d <= 30; ++d) {
    const int s = DivisorScale(d, 10);
    EXPECT_GE(d * s, 10) << d;
    if (s > 1) {
      EXPECT_LT(d * (s - 1), 10) << d;
    }
  }
  EXPECT_EQ(DivisorScale(5, 10), 2);
  EXPECT_EQ(DivisorScale(7, 10), 2);
  EXPECT_EQ(DivisorScale(50, 10), 1);
}

}  // namespace
}  // namespace quarnel
