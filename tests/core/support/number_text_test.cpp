// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/number_text.h"

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace quarnel {
namespace {

using Reader = bool (*)(const std::string&, double&);

// Long texts are shown by their start and length.
std::string Shown(const std::string& t) {
  if (t.size() <= 40) return '"' + t + '"';
  return '"' + t.substr(0, 12) + "..." + t.substr(t.size() - 8) + "\" (" +
         std::to_string(t.size()) + " chars)";
}

void ExpectReads(Reader read, const std::string& text, double value) {
  double x = 42;
  EXPECT_TRUE(read(text, x)) << Shown(text);
  EXPECT_DOUBLE_EQ(x, value) << Shown(text);
}

// A failed read must also leave 0, whatever the target held before.
void ExpectFails(Reader read, const std::string& text) {
  double x = 42;
  EXPECT_FALSE(read(text, x)) << Shown(text);
  EXPECT_EQ(x, 0.0) << Shown(text);
}

TEST(TryParseFloat, ReadsPlainDecimalNumbers) {
  const struct {
    const char* text;
    double value;
  } good[] = {{"1,5", 1.5},   {"1.5", 1.5},       {"2 . 5", 2.5}, {"1 000", 1000},
              {"- 2", -2},    {"\t3\t", 3},       {"+7", 7},      {"1e3", 1000},
              {"1E+3", 1000}, {"2,5e-3", 0.0025}, {"-0", 0}};
  for (const auto& c : good) ExpectReads(TryParseFloat, c.text, c.value);
  for (const char* t :
       {"1,000.5", "", " \t ", "abc", "1.5x", "1..5", "1e", "e5", ".", "-", "--1", "0x10", "1e3.5"})
    ExpectFails(TryParseFloat, t);
}

TEST(TryParseFloat, OverflowAndNonFiniteSpellingsAreNotNumbers) {
  for (const char* t : {"1e999", "-1e999", "1.8e308", "inf", "-inf", "infinity", "nan", "NaN"})
    ExpectFails(TryParseFloat, t);
  // The same overflow written with many digits and a negative exponent.
  ExpectFails(TryParseFloat, "1" + std::string(400, '0') + "e-10");
}

TEST(TryParseFloat, TinyValuesReadAsZeroOrDenormal) {
  const std::string zeros(400, '0');
  // The last two are the same tiny magnitudes spelt without a negative exponent.
  const std::string texts[] = {"1e-999", "-1e-400", "1e-320", "0." + zeros + "1",
                               "0." + zeros + "1e5"};
  for (const std::string& t : texts) {
    double x = 42;
    EXPECT_TRUE(TryParseFloat(t, x)) << Shown(t);
    EXPECT_LT(std::fabs(x), 1e-300) << Shown(t);
  }
  ExpectReads(TryParseFloat, "2.2250738585072014e-308", 2.2250738585072014e-308);
}

TEST(TryParseInt, ReadsDecimalAndHexadecimalWithinRange) {
  const struct {
    const char* text;
    int value;
  } good[] = {
      // clang-format off
      {"42", 42},       {" - 4 2 ", -42}, {"+7", 7},     {"007", 7},    {"0", 0},
      {"$FF", 255},     {"$ff", 255},     {"xA", 10},    {"0x1f", 31},  {"0X10", 16},
      {"-$10", -16},    {"$7FFFFFFF", INT_MAX},          {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      // clang-format on
  };
  for (const auto& c : good) {
    int n = 42;
    EXPECT_TRUE(TryParseInt(c.text, n)) << '"' << c.text << '"';
    EXPECT_EQ(n, c.value) << '"' << c.text << '"';
  }
  for (const char* t : {"2147483648", "-2147483649", "99999999999999999999", "$100000000", "", "$",
                        "0x", "-", "12a", "$G1", "1.0", "1e3", "--1"}) {
    int n = 42;
    EXPECT_FALSE(TryParseInt(t, n)) << '"' << t << '"';
    EXPECT_EQ(n, 0) << '"' << t << '"';
  }
}

TEST(ReadNumber, PlainNumberOrOneOperation) {
  const struct {
    const char* text;
    double value;
  } good[] = {{"1/3", 1.0 / 3.0}, {"0/5", 0},       {"2*-3", -6},         {"-2*-3", 6},
              {"1E-5", 1e-5},     {"1e5-2", 99998}, {"1E-5-2", 1e-5 - 2}, {"2e+3+1", 2001},
              {"1e-5/2e-5", 0.5}, {"-4", -4},       {"-1/2", -0.5},       {"-1+2", 1},
              {"1,5+1", 2.5},     {" 1 + 2 ", 3},   {"1,5*2", 3}};
  for (const auto& c : good) ExpectReads(ReadNumber, c.text, c.value);
  // "-1-2": only the first "-" is examined, and a leading one is a sign.
  for (const char* t : {"1/0", "1/-0", "3-", "2.*3", "1+2-3", "2*3*4", "2*3/4", "-1-2",
                        "1e300*1e300", "-1e300*1e300", "1e999+1", "", "abc", "inf"})
    ExpectFails(ReadNumber, t);
}

TEST(FormatGeneral, ShortestFormWithFifteenDigits) {
  const struct {
    double x;
    const char* text;
  } cases[] = {
      // clang-format off
      {0, "0"},          {-0.0, "0"},         {1, "1"},           {100, "100"},
      {-42, "-42"},      {2.5, "2.5"},        {-2.5, "-2.5"},     {0.1, "0.1"},
      {0.1 + 0.2, "0.3"},                     {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},       {-1.0 / 7.0, "-0.142857142857143"},
      {123456.789, "123456.789"},             {0.00001, "0.00001"},
      {0.000012345, "0.000012345"},           {123456789012345, "123456789012345"},
      {999999999999999, "999999999999999"},
      // clang-format on
  };
  for (const auto& c : cases) EXPECT_EQ(FormatGeneral(c.x), c.text) << c.x;
}

TEST(FormatGeneral, ScientificOnlyForTinyOrHuge) {
  for (double x : {1e-6, -1e-6, 9.9e-6, 1e20, -1e20, 1234567890123456.0, 1e300}) {
    const std::string s = FormatGeneral(x);
    EXPECT_NE(s.find('E'), std::string::npos) << x << " -> " << s;
    EXPECT_EQ(s.find('e'), std::string::npos) << x << " -> " << s;
    EXPECT_EQ(s.find(','), std::string::npos) << x << " -> " << s;
  }
}

TEST(FormatGeneral, ReadsBackWithinFifteenDigits) {
  for (double x : {1.0 / 3.0, -2.0 / 7.0, 6.02214076e23, 1.602176634e-19, -1.602176634e-19, 123.456,
                   -0.0001234, 1e-300, 9.87654321e100, 1234567890123456789.0, std::sqrt(2.0) * 1e-5,
                   0.1 + 0.2}) {
    const std::string s = FormatGeneral(x);
    double y = 0;
    ASSERT_TRUE(ReadNumber(s, y)) << x << " -> " << s;
    EXPECT_NEAR(y, x, std::fabs(x) * 5e-15) << x << " -> " << s;
  }
}

TEST(FormatFixed, MatchesPrintfInCLocale) {
  const struct {
    double x;
    int width, prec;
  } cases[] = {{1.5, 0, 2}, {1.5, 8, 3},   {-1.5, 8, 3}, {3.14159, 10, 4},    {2.5, 0, 0},
               {3.5, 0, 0}, {0.125, 0, 2}, {1e10, 0, 1}, {-1234.5678, 12, 2}, {0.0005, 6, 3},
               {123, 2, 1}, {1e-7, 0, 10}, {-7.25, 0, 1}};
  for (const auto& c : cases) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%*.*f", c.width, c.prec, c.x);
    EXPECT_EQ(FormatFixed(c.x, c.width, c.prec), buf) << c.x << " %" << c.width << '.' << c.prec;
  }
}

TEST(FormatFixed, ValueRoundingToZeroHasNoMinusSign) {
  EXPECT_EQ(FormatFixed(-0.001, 0, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.0, 6, 3), " 0.000");
  EXPECT_EQ(FormatFixed(-0.4, 0, 0), "0");
  EXPECT_EQ(FormatFixed(-0.006, 0, 2), "-0.01");
  EXPECT_EQ(FormatFixed(-10.001, 0, 2), "-10.00");
}

TEST(FormatG, MatchesPrintfInCLocale) {
  for (double x : {0.5, 1e6, 123456789.0, 1e-5, -0.000123456, 3.0, 1.0 / 3.0}) {
    for (int prec : {1, 3, 6, 15}) {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.*g", prec, x);
      EXPECT_EQ(FormatG(x, prec), buf) << x << " %." << prec << 'g';
    }
  }
}

TEST(PadLeftAndFormatInt, RightAlign) {
  EXPECT_EQ(PadLeft("abc", 5), "  abc");
  EXPECT_EQ(PadLeft("abcdef", 3), "abcdef");
  EXPECT_EQ(PadLeft("", 0), "");
  EXPECT_EQ(FormatInt(-5, 4), "  -5");
  EXPECT_EQ(FormatInt(12345, 3), "12345");
  EXPECT_EQ(FormatInt(LLONG_MIN), "-9223372036854775808");
}

// Restores the C locale even when an expectation fails.
class CommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
      if (std::setlocale(LC_ALL, name)) return;
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(CommaLocale, WritersUsePointAndReadersAcceptIt) {
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  ASSERT_STREQ(probe, "1,5") << "locale does not switch the decimal separator";

  EXPECT_EQ(FormatFixed(1.5, 0, 2), "1.50");
  EXPECT_EQ(FormatFixed(-2.26, 7, 1), "   -2.3");
  EXPECT_EQ(FormatG(0.25, 3), "0.25");
  EXPECT_EQ(FormatGeneral(0.5), "0.5");
  double x = 0;
  EXPECT_TRUE(TryParseFloat("1.5", x));
  EXPECT_EQ(x, 1.5);
  EXPECT_TRUE(TryParseFloat("1,5", x));
  EXPECT_EQ(x, 1.5);
  EXPECT_TRUE(ReadNumber("1.5*2", x));
  EXPECT_EQ(x, 3.0);
}

}  // namespace
}  // namespace quarnel
