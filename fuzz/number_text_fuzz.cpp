// SPDX-License-Identifier: GPL-3.0-or-later
// The number readers and the word cutters every file reader is built on. Besides not failing,
// they must agree with each other: a failed read leaves 0, blanks never matter, a plain number
// reads the same through ReadNumber, and what the program writes reads back.

#include <cmath>

#include "fuzz_support.h"
#include "support/number_text.h"
#include "support/text_utils.h"

using namespace quarnel;

namespace {

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-14 * std::fabs(b) + 1e-300; }

void CheckFloat(const std::string& s) {
  double x = 1;
  const bool ok = TryParseFloat(s, x);
  if (!ok) {
    FUZZ_CHECK(x == 0);
    return;
  }
  FUZZ_CHECK(std::isfinite(x));
  double y = 1;
  FUZZ_CHECK(TryParseFloat(RemoveBlanks(s), y) && y == x);
  // A plain number has no operator for ReadNumber to find.
  FUZZ_CHECK(ReadNumber(s, y) && y == x);
  // The grid's and the file's texts read back.
  FUZZ_CHECK(TryParseFloat(FormatGeneral(x), y) && Near(y, x));
  FUZZ_CHECK(TryParseFloat(FormatFixed(x, 7, 3), y) && std::fabs(y - x) <= 0.0005 + 1e-16 * std::fabs(x));
  FUZZ_CHECK(TryParseFloat(FormatG(x, 17), y) && y == x);
  double w = x;
  WrapInto(w, 0, 1);
  FUZZ_CHECK(w >= 0 && w < 1);
}

void CheckInt(const std::string& s) {
  int n = 1;
  if (!TryParseInt(s, n)) {
    FUZZ_CHECK(n == 0);
    return;
  }
  int back = 1;
  FUZZ_CHECK(TryParseInt(FormatInt(n, 3), back) && back == n);
  const std::string t = RemoveBlanks(s);
  if (t.find_first_of("$xX") == std::string::npos) {
    double x = 1;  // a decimal integer is a number too
    FUZZ_CHECK(TryParseFloat(s, x) && x == n);
  }
}

void CheckReadNumber(const std::string& s) {
  double x = 1;
  if (!ReadNumber(s, x)) {
    FUZZ_CHECK(x == 0);
    return;
  }
  FUZZ_CHECK(std::isfinite(x));
  double y = 1;
  FUZZ_CHECK(ReadNumber(RemoveBlanks(s), y) && y == x);
}

void CheckWords(const std::string& s) {
  std::string t = s;
  NormalizeSpaces(t);
  for (std::size_t i = 0; i < t.size(); ++i) {
    FUZZ_CHECK(static_cast<unsigned char>(t[i]) >= ' ');
    if (t[i] == ' ') FUZZ_CHECK(i > 0 && i + 1 < t.size() && t[i + 1] != ' ');
  }
  std::string u = t;
  NormalizeSpaces(u);
  FUZZ_CHECK(u == t);
  // Cutting words off and joining them again gives the line back.
  std::string rest = t, joined, word;
  while (!rest.empty()) {
    CutToken(rest, word, ' ');
    FUZZ_CHECK(!word.empty());
    joined += (joined.empty() ? "" : " ") + word;
  }
  FUZZ_CHECK(joined == t);
  std::string head = s, tail;
  SplitAtFirst(head, tail, '=');
  if (s.find('=') != std::string::npos) FUZZ_CHECK(head + "=" + tail == s);
  else FUZZ_CHECK(head == s && tail.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string s(reinterpret_cast<const char*>(data), size);
  CheckFloat(s);
  CheckInt(s);
  CheckReadNumber(s);
  CheckWords(s);
  // Every word of a line, as the file readers see them.
  std::string rest = s, word;
  NormalizeSpaces(rest);
  while (!rest.empty()) {
    CutToken(rest, word, ' ');
    CheckFloat(word);
    CheckReadNumber(word);
  }
  return 0;
}
