// SPDX-License-Identifier: GPL-3.0-or-later
// The literals of exported scripts; that the scripts compute the program's bands is checked by
// running them (tests/cli/cli_export_test.sh).
#include "model/python_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace quarnel {
namespace {

TEST(PythonExport, NumbersReadBackExactlyAndAreFloats) {
  for (double x : {0.1, 1.0 / 3, -2.0, 0.0, -0.0, 1e-300, 4.9e-324, 1e300, 0.2378004871892364,
                   std::numeric_limits<double>::max(), 123456789012345678.0}) {
    const std::string text = PythonNumber(x);
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), x) << text;
    EXPECT_NE(text.find_first_of(".e"), std::string::npos) << text;
    EXPECT_EQ(std::signbit(std::strtod(text.c_str(), nullptr)), std::signbit(x)) << text;
  }
}

TEST(PythonExport, StringsEscapeQuotesControlsAndLatin1) {
  EXPECT_EQ(PythonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(PythonString("tab\there\r"), "\"tab\\x09here\\x0d\"");
  // Valid UTF-8 stays as it is; a byte that is not UTF-8 is its Latin-1 character.
  EXPECT_EQ(PythonString("Cu\xc3\xa9"), "\"Cu\xc3\xa9\"");
  EXPECT_EQ(PythonString("Cu\xe9"), "\"Cu\\xe9\"");
  // An overlong form or a lone continuation byte is no UTF-8 either.
  EXPECT_EQ(PythonString("\xc0\xaf"), "\"\\xc0\\xaf\"");
  EXPECT_EQ(PythonString("\x80"), "\"\\x80\"");
}

}  // namespace
}  // namespace quarnel
