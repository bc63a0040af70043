// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/panel_values.h"

#include <cmath>

#include "pictures/orbital_cells.h"
#include "support/number_text.h"
#include "support/text_utils.h"

namespace quarnel {

namespace {

double Read(const std::string& text) {
  double x = 0;
  ReadNumber(text, x);
  return x;
}

}  // namespace

std::string CleanOrbitalName(const std::string& name) {
  // Control characters go too: the file reader takes them for blanks, so a saved name holding one
  // would come back as two words and shift every field of its line.
  std::string clean;
  for (char c : name)
    if (static_cast<unsigned char>(c) > ' ') clean += c;
  // A trailing "=" would join the next word of a saved line ("= " reads as "=").
  while (!clean.empty() && clean.back() == '=') clean.pop_back();
  return clean;
}

std::string PositionLabelText(const ModelData& m, int i, int j, int d) {
  return FormatGeneral(m.BetaPosMinus[i][j][d]) + "," + FormatGeneral(m.BetaPos[i][j][d]);
}

bool ValidOrbital(const ModelData& m, int i) {
  return i >= 1 && i <= m.NOrb && i <= kMaxOrb;
}

bool ValidPair(const ModelData& m, int i, int j) {
  return ValidOrbital(m, i) && ValidOrbital(m, j) && i < j;
}

OrbitalPanelTexts OrbitalPanelFill(const ModelData& m, int r) {
  OrbitalPanelTexts t;
  if (!ValidOrbital(m, r)) return t;
  for (int d = 1; d <= 3; ++d) {
    t.beta[d] = FormatGeneral(m.BetaPlus[r][r][d]);
    t.label[d] = PositionLabelText(m, r, r, d);
  }
  t.effMass = FormatGeneral(m.EffMass[r]);
  t.plotX = FormatGeneral(m.OrbPlotX[r]);
  t.plotY = FormatGeneral(m.OrbPlotY[r]);
  t.kindItem = OrbKindItem(m.OrbPlotKind[r]);
  return t;
}

std::string OrbitalNameConflict(const ModelData& m, int r, const std::string& name) {
  const std::string clean = CleanOrbitalName(name);
  if (clean.empty()) return std::string();
  // Saved and read again, two orbitals of one name become one and their couplings are merged.
  for (int k = 1; k <= m.NOrb && k <= kMaxOrb; ++k)
    if (k != r && m.OrbName[k] == clean)
      return "The name " + clean + " is already that of orbital " + std::to_string(k) +
             ": each orbital needs a name of its own. Nothing was applied.";
  return std::string();
}

bool ApplyOrbitalPanel(ModelData& m, int r, const OrbitalPanelTexts& t) {
  if (!ValidOrbital(m, r) || !OrbitalNameConflict(m, r, t.name).empty()) return false;
  m.OrbName[r] = CleanOrbitalName(t.name);
  m.Alpha(r) = Read(t.alpha);
  for (int d = 1; d <= 3; ++d) m.BetaPlus[r][r][d] = Read(t.beta[d]);
  m.EffMass[r] = Read(t.effMass);
  double x = 0;
  if (ReadNumber(t.plotX, x)) m.OrbPlotX[r] = x;
  if (ReadNumber(t.plotY, x)) m.OrbPlotY[r] = x;
  // A kind the list cannot show (read from a file) stays until the user picks one.
  if (t.kindItem >= 0 && t.kindItem < kOrbKinds) m.OrbPlotKind[r] = t.kindItem + 1;
  return true;
}

std::string AlphaSignHint(int betaTyp, const std::string& alphaText) {
  const double typed = Read(alphaText);
  if ((betaTyp != 1 && betaTyp != 2) || !(typed > 0)) return std::string();
  return "On-site energy " + FormatGeneral(typed) + " is stored as " + FormatGeneral(-typed) +
         ": model forms 1 and 2 keep on-site energies at or below 0.";
}

BetaPanelTexts BetaPanelFill(const ModelData& m, int i, int j) {
  BetaPanelTexts t;
  if (!ValidPair(m, i, j)) return t;
  for (int d = 1; d <= 3; ++d) {
    t.type[d] = m.OverlapType[i][j][d];
    t.beta[d] = FormatGeneral(m.Beta[i][j][d]);
    t.beta2[d] = FormatGeneral(m.Beta2[i][j][d]);
  }
  return t;
}

void ApplyBetaPanel(ModelData& m, int i, int j, const BetaPanelTexts& t) {
  if (!ValidPair(m, i, j)) return;
  for (int d = 1; d <= 3; ++d) {
    m.OverlapType[i][j][d] = ClampInt(t.type[d], 0, 4);
    m.Beta[i][j][d] = Read(t.beta[d]);
  }
  for (int d = 1; d <= 3; ++d) m.Beta2[i][j][d] = Read(t.beta2[d]);
  for (int d = 1; d <= 3; ++d) {
    m.Beta[i][j][d] = -std::fabs(m.Beta[i][j][d]);
    m.Beta2[i][j][d] = -std::fabs(m.Beta2[i][j][d]);
  }
}

BetaGenPanelTexts BetaGenPanelFill(const ModelData& m, int i, int j) {
  BetaGenPanelTexts t;
  if (!ValidPair(m, i, j)) return t;
  for (int d = 1; d <= 3; ++d) {
    t.minus[d] = FormatGeneral(m.BetaMinus[i][j][d]);
    t.plus[d] = FormatGeneral(m.BetaPlus[i][j][d]);
    t.pos[d] = FormatGeneral(m.BetaPos[i][j][d]);
    t.socRe[d] = FormatGeneral(m.SocRe[i][j][d]);
    t.socIm[d] = FormatGeneral(m.SocIm[i][j][d]);
    t.label[d] = PositionLabelText(m, i, j, d);
  }
  return t;
}

void ApplyBetaGenPanel(ModelData& m, int i, int j, const BetaGenPanelTexts& t) {
  if (!ValidPair(m, i, j)) return;
  for (int d = 1; d <= 3; ++d) {
    m.BetaMinus[i][j][d] = Read(t.minus[d]);
    m.BetaPlus[i][j][d] = Read(t.plus[d]);
  }
  for (int d = 1; d <= 3; ++d) m.BetaPos[i][j][d] = t.posShown[d] ? Read(t.pos[d]) : 0.0;
  for (int d = 1; d <= 3; ++d) {
    m.SocRe[i][j][d] = Read(t.socRe[d]);
    m.SocIm[i][j][d] = Read(t.socIm[d]);
  }
}

}  // namespace quarnel
