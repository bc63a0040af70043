// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/number_text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "support/text_utils.h"

namespace quarnel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the grammar [sign] digits [. digits] [(E|e) [sign] digits] with at least one mantissa
// digit, so that from_chars sees only texts it reads completely. decade receives the power of ten
// of the leading nonzero digit (saturated), which tells an overflow from an underflow.
bool IsDecimalText(const std::string& t, long long& decade) {
  size_t i = 0;
  const size_t n = t.size();
  if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
  size_t digits = 0;
  long long lead = 0;  // power of ten of the first nonzero digit, before the exponent
  bool seen = false;
  while (i < n && IsDigit(t[i])) {
    if (seen) ++lead;
    if (!seen && t[i] != '0') seen = true;
    ++i, ++digits;
  }
  if (i < n && t[i] == '.') {
    ++i;
    long long place = 0;
    while (i < n && IsDigit(t[i])) {
      --place;
      if (!seen && t[i] != '0') seen = true, lead = place;
      ++i, ++digits;
    }
  }
  if (digits == 0) return false;
  long long exponent = 0;
  if (i < n && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    size_t expDigits = 0;
    while (i < n && IsDigit(t[i])) {
      if (exponent < 1000000000) exponent = exponent * 10 + (t[i] - '0');
      ++i, ++expDigits;
    }
    if (expDigits == 0) return false;
    if (negative) exponent = -exponent;
  }
  decade = seen ? lead + exponent : 0;
  return i == n;
}

}  // namespace

bool TryParseFloat(const std::string& s, double& x) {
  x = 0;
  std::string t = RemoveBlanks(s);
  if (t.empty()) return false;
  for (char& c : t)
    if (c == ',') c = '.';
  long long decade = 0;
  if (!IsDecimalText(t, decade)) return false;
  const char* first = t.data();
  const char* last = t.data() + t.size();
  bool negative = false;
  if (*first == '+' || *first == '-') negative = *first++ == '-';
  double v = 0;
  const auto r = std::from_chars(first, last, v, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // Too small to represent reads as zero; too large is not a number.
    if (decade >= 0) return false;
    v = 0;
  } else if (r.ec != std::errc() || r.ptr != last) {
    return false;
  }
  if (!std::isfinite(v)) return false;
  x = negative ? -v : v;
  return true;
}

bool TryParseInt(const std::string& s, int& n) {
  n = 0;
  const std::string t = RemoveBlanks(s);
  if (t.empty()) return false;
  size_t i = 0;
  bool negative = false;
  if (t[i] == '+' || t[i] == '-') negative = t[i++] == '-';
  int base = 10;
  if (i < t.size() && t[i] == '$') {
    base = 16, ++i;
  } else if (i < t.size() && (t[i] == 'x' || t[i] == 'X')) {
    base = 16, ++i;
  } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16, i += 2;
  }
  if (i >= t.size()) return false;
  std::int64_t v = 0;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    int digit;
    if (IsDigit(c)) {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return false;
    }
    v = v * base + digit;
    if (v > static_cast<std::int64_t>(INT_MAX) + 1) return false;
  }
  if (negative) v = -v;
  if (v > INT_MAX || v < INT_MIN) return false;
  n = static_cast<int>(v);
  return true;
}

bool ReadNumber(const std::string& s, double& x) {
  x = 0;
  std::string t = RemoveBlanks(s);
  if (t.empty()) return false;
  for (char& c : t)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  // Exponent signs are not operators.
  for (size_t p = 0; (p = t.find('E', p)) != std::string::npos; ++p) {
    if (p + 1 < t.size() && t[p + 1] == '-') t[p + 1] = 'm';
    if (p + 1 < t.size() && t[p + 1] == '+') t[p + 1] = 'p';
  }
  const char ops[] = {'/', '*', '+', '-'};
  int counted = 0;
  char op = 0;
  for (char o : ops) {
    const auto p = t.find(o);
    if (p == std::string::npos || p == 0 || !IsDigit(t[p - 1])) continue;
    ++counted;
    op = o;
    t[p] = '|';
  }
  for (size_t p = 0; (p = t.find('E', p)) != std::string::npos; ++p) {
    if (p + 1 < t.size() && t[p + 1] == 'm') t[p + 1] = '-';
    if (p + 1 < t.size() && t[p + 1] == 'p') t[p + 1] = '+';
  }
  if (counted == 0) return TryParseFloat(t, x);
  if (counted > 1) return false;
  std::string right;
  SplitAtFirst(t, right, '|');
  double a = 0, b = 0;
  if (!TryParseFloat(t, a) || !TryParseFloat(right, b)) return false;
  double v = 0;
  switch (op) {
    case '/':
      if (b == 0) return false;
      v = a / b;
      break;
    case '*': v = a * b; break;
    case '+': v = a + b; break;
    default: v = a - b; break;
  }
  if (!std::isfinite(v)) return false;  // 1e300*1e300 is not a model value
  x = v;
  return true;
}

std::string FormatGeneral(double x) {
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
  if (x == 0) return "0";
  // 15 significant digits, then decide between fixed and scientific as the reader expects.
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
  std::string sci(buf, r.ptr);
  const auto e = sci.find('e');
  std::string mant = sci.substr(0, e);
  const int exponent = std::stoi(sci.substr(e + 1));
  bool negative = false;
  if (mant[0] == '-') negative = true, mant.erase(0, 1);
  std::string digits;
  for (char c : mant)
    if (IsDigit(c)) digits += c;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out;
  if (std::fabs(x) < 0.00001 || exponent >= 15) {
    out = digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    out = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  } else {
    const size_t intDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
      out = digits + std::string(intDigits - digits.size(), '0');
    } else {
      out = digits.substr(0, intDigits) + "." + digits.substr(intDigits);
    }
  }
  return negative ? "-" + out : out;
}

std::string FormatFixed(double x, int width, int prec) {
  std::string s;
  if (!std::isfinite(x)) {
    s = std::isnan(x) ? "nan" : (x < 0 ? "-inf" : "inf");
  } else {
    // Room for 309 integer digits, sign, point and the decimals.
    std::string buf(static_cast<size_t>(std::max(prec, 0)) + 320, '\0');
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::fixed, prec);
    s.assign(buf.data(), r.ec == std::errc() ? r.ptr : buf.data());
    if (s[0] == '-' && s.find_first_of("123456789") == std::string::npos) s.erase(0, 1);
  }
  return PadLeft(s, width);
}

std::string FormatG(double x, int prec) {
  if (!std::isfinite(x)) return std::isnan(x) ? "nan" : (x < 0 ? "-inf" : "inf");
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, prec);
  return std::string(buf, r.ptr);
}

std::string PadLeft(const std::string& s, int width) {
  if (static_cast<int>(s.size()) >= width) return s;
  return std::string(static_cast<size_t>(width) - s.size(), ' ') + s;
}

std::string FormatInt(long long n, int width) { return PadLeft(std::to_string(n), width); }

}  // namespace quarnel
