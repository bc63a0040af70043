// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/kpath.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "support/number_text.h"
#include "support/text_utils.h"

namespace quarnel {

namespace {

// The special points in the order their codes are put in.
const char* const kSpecialPointNames[8][2] = {
    {"000", "G"}, {"100", "X"}, {"010", "Y"}, {"001", "Z"},
    {"110", "M"}, {"011", "T"}, {"101", "U"}, {"111", "R"},
};

double WordValue(std::string& rest) {
  std::string word;
  CutToken(rest, word, ' ');
  double x = 0;
  if (!ReadNumber(word, x)) x = 0;
  return x;
}

// The band window writes a divisor below 10 as the same fraction with up to ten times the
// divisor, so every number of a point must stay an integer after that scaling.
constexpr double kMaxPathNumber = INT_MAX / 10;

bool ToInt(double x, int& n) {
  const double r = RoundHalfEven(x);
  if (!std::isfinite(r) || r < -kMaxPathNumber || r > kMaxPathNumber) return false;
  n = static_cast<int>(r);
  return true;
}

}  // namespace

KPathLine ParseKPathLine(const std::string& text) {
  std::string rest = text;
  NormalizeSpaces(rest);
  KPathLine line;
  line.kx = WordValue(rest);
  line.ky = WordValue(rest);
  line.kz = WordValue(rest);
  line.div = WordValue(rest);
  CutToken(rest, line.label, ' ');
  return line;
}

double RoundHalfEven(double x) {
  const double down = std::floor(x);
  const double diff = x - down;
  if (diff < 0.5) return down;
  if (diff > 0.5) return down + 1;
  return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

std::string SpecialPointLabel(const KPathLine& line, bool& special) {
  special = true;
  if (!line.label.empty()) return line.label;
  std::string label;
  for (double k : {line.kx, line.ky, line.kz}) {
    const double q = k / line.div;
    if (!std::isfinite(q) || q != std::floor(q)) {
      special = false;
      return std::string();
    }
    label += FormatFixed(q, 1, 0);
  }
  for (const auto& row : kSpecialPointNames) {
    const std::size_t at = label.find(row[0]);
    if (at != std::string::npos) label.replace(at, 3, row[1]);
  }
  return label;
}

bool KPathPointOf(const KPathLine& line, KPathPoint& point) {
  if (!(line.div > 0)) return false;
  KPathPoint p;
  if (!ToInt(line.div, p.div) || p.div <= 0) return false;
  if (!ToInt(line.kx, p.nx) || !ToInt(line.ky, p.ny) || !ToInt(line.kz, p.nz)) return false;
  p.label = SpecialPointLabel(line, p.special);
  point = p;
  return true;
}

std::string KPathLineWarning(const std::string& text, int lineNumber) {
  std::string rest = text;
  NormalizeSpaces(rest);
  if (rest.empty()) return std::string();
  std::string why, readAs;
  for (int k = 0; k < 4; ++k) {
    std::string word;
    CutToken(rest, word, ' ');
    double x = 0;
    if (word.empty()) {
      if (why.empty()) why = "fewer than four numbers";
    } else if (!ReadNumber(word, x) || !std::isfinite(x)) {
      if (why.empty()) why = "\"" + word + "\" is not a number";
      x = 0;
    } else if (x != std::floor(x) && why.empty()) {
      // The k-point controls hold integers: a fraction goes into the numerators over a divisor.
      why = "kx ky kz div are whole numbers (k = kx/div)";
    }
    readAs += (k ? " " : "") + FormatGeneral(RoundHalfEven(x));
  }
  if (why.empty()) return std::string();
  KPathPoint point;
  const bool used = KPathPointOf(ParseKPathLine(text), point);
  std::string line = text;
  NormalizeSpaces(line);
  return "Line " + std::to_string(lineNumber) + ": " + line + " - " + why + ": read as " + readAs +
         (used ? "" : ", line skipped");
}

void ReportKPathLines(const std::vector<std::string>& lines, const std::vector<int>& lineNumbers,
                      PendingMessages& messages) {
  for (std::size_t k = 1; k < lines.size(); ++k) {
    const int number = k < lineNumbers.size() ? lineNumbers[k] : static_cast<int>(k + 1);
    const std::string warning = KPathLineWarning(lines[k], number);
    if (!warning.empty()) AddPendingMessage(messages, warning);
  }
}

int DivisorScale(int divisor, int minDivisor) {
  if (divisor <= 0 || divisor >= minDivisor) return 1;
  return (minDivisor + divisor - 1) / divisor;
}

std::vector<std::string> StartKPathLines() {
  std::vector<std::string> lines{"Y G X M G"};
  const auto add = [&lines](int kx, int ky) {
    char line[64];
    std::snprintf(line, sizeof line, "   %d   %d   %d   %d", kx, ky, 0, 20);
    lines.emplace_back(line);
  };
  for (int ky = 20; ky >= 0; --ky) add(0, ky);   // Y to G
  for (int kx = 1; kx <= 20; ++kx) add(kx, 0);   // G to X
  for (int ky = 1; ky <= 20; ++ky) add(20, ky);  // X to M
  for (int k = 19; k >= 0; --k) add(k, k);       // M to G
  return lines;
}

}  // namespace quarnel
