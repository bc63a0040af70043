// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/text_utils.h"

#include <climits>
#include <cmath>
#include <iomanip>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace quarnel {
namespace {

TEST(RemoveBlanks, DropsSpacesAndTabsAnywhere) {
  EXPECT_EQ(RemoveBlanks(" 1 \t000 ,5\t"), "1000,5");
  EXPECT_EQ(RemoveBlanks("\r\n"), "\r\n");
}

TEST(NormalizeSpaces, LeavesWordsSeparatedBySingleBlanks) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"  alpha\tbeta ", "alpha beta"},
      {"a\r\n", "a"},
      {"a\rb\nc", "a b c"},
      {"x\x01y\x1fz", "x y z"},
      {"a  \t \t b", "a b"},
      {"   ", ""},
      {"", ""},
      // Names may carry UTF-8 or Latin-1 bytes; they are text, not blanks.
      {"\xc3\xa9t\xc3\xa9  \xe9", "\xc3\xa9t\xc3\xa9 \xe9"},
      {"a\x7f", "a\x7f"},
  };
  for (const auto& c : cases) {
    std::string s = c.in;
    NormalizeSpaces(s);
    EXPECT_EQ(s, c.out) << "input: \"" << c.in << "\"";
  }
}

TEST(CutToken, TakesTextBeforeFirstDelimiter) {
  const struct {
    std::string in;
    char delim;
    std::string token, rest;
  } cases[] = {
      {"tok=1", '=', "tok", "1"},
      {"abc", '=', "abc", ""},
      {"a=b=c", '=', "a", "b=c"},
      {"=x", '=', "", "x"},
      {"x=", '=', "x", ""},
      {"", '=', "", ""},
      {"KX 0.5 1", ' ', "KX", "0.5 1"},
  };
  for (const auto& c : cases) {
    std::string s = c.in, token = "stale";
    CutToken(s, token, c.delim);
    EXPECT_EQ(token, c.token) << c.in;
    EXPECT_EQ(s, c.rest) << c.in;
  }
}

TEST(SplitAtFirst, KeepsHeadAndReturnsTail) {
  const struct {
    std::string in, head, tail;
  } cases[] = {{"tok=1", "tok", "1"}, {"abc", "abc", ""}, {"a=b=c", "a", "b=c"}, {"=x", "", "x"}};
  for (const auto& c : cases) {
    std::string s = c.in, tail = "stale";
    SplitAtFirst(s, tail, '=');
    EXPECT_EQ(s, c.head) << c.in;
    EXPECT_EQ(tail, c.tail) << c.in;
  }
}

TEST(JoinPath, UsesOneSlashAndKeepsAbsoluteNames) {
  const struct {
    std::string dir, name, out;
  } cases[] = {
      {"dir", "name", "dir/name"},
      {"dir//", "name", "dir/name"},
      {"/home/u/", "sub/name.txt", "/home/u/sub/name.txt"},
      {"dir", "/abs/name", "/abs/name"},
      {"", "name", "name"},
      {"/", "name", "/name"},
      // Neither a colon nor a backslash means anything special here.
      {"dir", "c:name", "dir/c:name"},
      {"a\\b", "c", "a\\b/c"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(JoinPath(c.dir, c.name), c.out) << '"' << c.dir << "\" + \"" << c.name << '"';
}

TEST(ClampInt, AcceptsBoundsInEitherOrder) {
  const struct {
    int x, a, b, out;
  } cases[] = {{5, 1, 10, 5},   {0, 1, 10, 1},   {11, 1, 10, 10},      {0, 10, 1, 1},
               {11, 10, 1, 10}, {7, 10, 1, 7},   {INT_MIN, -1, 1, -1}, {INT_MAX, 1, -1, 1},
               {3, 3, 3, 3},    {-4, -2, -9, -4}};
  for (const auto& c : cases)
    EXPECT_EQ(ClampInt(c.x, c.a, c.b), c.out) << c.x << " in " << c.a << ".." << c.b;
}

TEST(WrapInto, BringsValueIntoHalfOpenRange) {
  const struct {
    double x, lo, hi, out;
  } cases[] = {{2.0, 0, 1, 0},    {-0.25, 0, 1, 0.75}, {0.5, 0, 1, 0.5}, {1.0, 0, 1, 0},
               {7.0, -1, 1, -1},  {-3.5, -1, 1, 0.5},  {0.5, 1, 1, 0.5}, {0.5, 2, 1, 0.5},
               {-1e-17, 0, 1, 0}, {-5.0, 0, 1, 0}};
  for (const auto& c : cases) {
    double x = c.x;
    WrapInto(x, c.lo, c.hi);
    EXPECT_DOUBLE_EQ(x, c.out) << c.x << " into [" << c.lo << ", " << c.hi << ")";
  }
}

TEST(WrapInto, NeverLeavesTheRange) {
  // Values at the edges are where floor rounding lands on the wrong side.
  const double ranges[][2] = {{0, 1}, {1, 2}, {-0.5, 0.5}, {0.1, 0.7}, {-3.14159, 3.14159}};
  for (const auto& r : ranges) {
    const double lo = r[0], hi = r[1], w = hi - lo;
    const double below = std::nextafter(hi, lo);
    std::ostringstream range;
    range << std::setprecision(17) << " into [" << lo << ", " << hi << ")";

    for (double inside : {lo, lo + w / 3}) {
      double x = inside;
      WrapInto(x, lo, hi);
      EXPECT_EQ(x, inside) << std::setprecision(17) << inside << range.str();
    }
    for (double p : {below, std::nextafter(lo, lo - 1), lo - w, below + w * 3, lo - 1e-300, -1e6,
                     1e6, std::nextafter(lo - w, lo - w - 1)}) {
      double x = p;
      WrapInto(x, lo, hi);
      EXPECT_TRUE(x >= lo && x < hi) << std::setprecision(17) << p << range.str() << " gave " << x;
    }
  }
}

TEST(FileExtension, IsLowerCaseTextAfterLastDotOfTheName) {
  const struct {
    std::string name, ext;
  } cases[] = {{"model.TB", "tb"}, {"a.tar.GZ", "gz"}, {"noext", ""},
               {"trailing.", ""},  {"dir.d/file", ""}, {"/p/dir.d/q.Kpt", "kpt"}};
  for (const auto& c : cases) EXPECT_EQ(FileExtension(c.name), c.ext) << c.name;
}

}  // namespace
}  // namespace quarnel
