// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/text_utils.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace quarnel {

std::string RemoveBlanks(const std::string& s) {
  std::string t;
  t.reserve(s.size());
  for (char c : s)
    if (c != ' ' && c != '\t') t += c;
  return t;
}

void NormalizeSpaces(std::string& s) {
  std::string t;
  t.reserve(s.size());
  for (char c : s) {
    // Bytes above 127 are text (names may carry them); only codes below 32 are blanks.
    const bool blank = static_cast<unsigned char>(c) <= 32;
    if (blank) {
      if (!t.empty() && t.back() != ' ') t += ' ';
    } else {
      t += c;
    }
  }
  if (!t.empty() && t.back() == ' ') t.pop_back();
  s.swap(t);
}

void CutToken(std::string& s, std::string& token, char delim) {
  const auto p = s.find(delim);
  if (p == std::string::npos) {
    token = s;
    s.clear();
  } else {
    token = s.substr(0, p);
    s.erase(0, p + 1);
  }
}

void SplitAtFirst(std::string& s, std::string& tail, char delim) {
  const auto p = s.find(delim);
  if (p == std::string::npos) {
    tail.clear();
  } else {
    tail = s.substr(p + 1);
    s.erase(p);
  }
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  std::string d = dir;
  while (!d.empty() && d.back() == '/') d.pop_back();
  if (!name.empty() && name.front() == '/') return name;  // already absolute
  if (dir.empty()) return name;
  return d + "/" + name;  // a dir of slashes alone is the root: "/name"
}

int ClampInt(int x, int a, int b) {
  if (a > b) std::swap(a, b);
  return std::min(std::max(x, a), b);
}

void WrapInto(double& x, double lo, double hi) {
  const double w = hi - lo;
  if (w > 0) {
    x = x - std::floor((x - lo) / w) * w;
    // Rounding can step just outside the range at either end.
    if (x >= hi || x < lo) x = lo;
  }
}

std::string FileExtension(const std::string& name) {
  const auto slash = name.find_last_of('/');
  const auto dot = name.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = name.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

}  // namespace quarnel
