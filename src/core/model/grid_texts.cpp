// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/grid_texts.h"

#include "support/number_text.h"

namespace quarnel {
namespace {

const char* const kAxisLabel[] = {"", "X", "Y", "Z"};
const char* const kTimes = "\xC3\x97";  // U+00D7 multiplication sign, UTF-8

// The factor text of a selector with "(kx" replaced by the direction tag. Selectors outside
// 0..4 can come from a file; they couple nothing, and the cell says so instead of failing.
std::string FactorText(const char* const table[5], int type, int d) {
  if (type < 0 || type > 4) return "?(" + std::to_string(type) + ")";
  std::string text = table[type];
  const auto p = text.find("(kx");
  if (p != std::string::npos) text.replace(p, 3, DirTag[d]);
  return text;
}

}  // namespace

std::string PairTermText(const ModelData& m, int i, int j, int d) {
  std::string suffix;
  const double re = m.SocRe[i][j][d], im = m.SocIm[i][j][d];
  // Without hopping the spin-orbit term is all the direction holds, so it shows even when one of
  // its parts is 0.
  const bool socOnly = m.BetaPlus[i][j][d] == 0 && m.BetaMinus[i][j][d] == 0;
  if (ShowSocInCell && ((re != 0 && im != 0) || (socOnly && (re != 0 || im != 0))))
    suffix = "(so:" + FormatGeneral(m.SocRe[i][j][d]) + "," + FormatGeneral(m.SocIm[i][j][d]) + ")";
  return std::string(kAxisLabel[d]) + ":" + FormatGeneral(m.BetaMinus[i][j][d]) + "," +
         FormatGeneral(m.BetaPlus[i][j][d]) + suffix + " ";
}

std::string AlphaCellText(const ModelData& m, int i) { return FormatGeneral(m.Alpha(i)); }

std::string DiagonalCellText(const ModelData& m, int i) {
  std::string text;
  for (int d = 1; d <= 3; ++d)
    if (m.BetaPlus[i][i][d] != 0) text += PairTermText(m, i, i, d);
  return text;
}

std::string CleanPlusMinus(std::string s) {
  for (size_t p = 0; (p = s.find("++", p)) != std::string::npos;) s.erase(p, 1);
  for (size_t p = 0; (p = s.find("+-", p)) != std::string::npos;) s.erase(p, 1);
  return s;
}

PairCellTexts PairCellTextsTyp1(const ModelData& m, int i, int j) {
  PairCellTexts t;
  for (int d = 1; d <= 3; ++d) {
    const double beta = m.Beta[i][j][d];
    const int type = m.OverlapType[i][j][d];
    if (type * beta == 0 && m.Beta2[i][j][d] == 0) continue;
    const std::string value = FormatGeneral(beta) + kTimes;
    std::string extra;
    if (m.Beta2Enabled) extra = "+" + FormatGeneral(m.Beta2[i][j][d]);
    t.upper += "+" + value + FactorText(BetaFactorText, type, d) + extra;
    t.lower += "+" + value + FactorText(BetaFactorTextT, type, d) + extra;
  }
  t.upper = CleanPlusMinus(t.upper);
  t.lower = CleanPlusMinus(t.lower);
  return t;
}

std::string PairCellTextTyp2(const ModelData& m, int i, int j) {
  std::string text;
  for (int d = 1; d <= 3; ++d) {
    // The directions a saved file keeps: a spin-orbit term alone is a term of the model too.
    if (m.BetaPlus[i][j][d] == 0 && m.BetaMinus[i][j][d] == 0 && m.SocRe[i][j][d] == 0 &&
        m.SocIm[i][j][d] == 0)
      continue;
    text += PairTermText(m, i, j, d);
  }
  return text;
}

PairCellTexts PairCellsText(const ModelData& m, int i, int j) {
  if (m.BetaTyp == 1) return PairCellTextsTyp1(m, i, j);
  if (m.BetaTyp == 2) {
    const std::string text = PairCellTextTyp2(m, i, j);
    return {text, text};
  }
  return {};
}

}  // namespace quarnel
