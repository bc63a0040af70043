// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/panel_fields.h"

#include <cmath>

#include "model/panel_values.h"

namespace quarnel {

const double* PanelNumber(const ModelData& m, const PanelTarget& t) {
  // The same cell, only read: the writable lookup does not write.
  return PanelNumber(const_cast<ModelData&>(m), t);
}

double* PanelNumber(ModelData& m, const PanelTarget& t) {
  const int i = t.i, j = t.j, d = t.d;
  const bool direction = d >= 1 && d <= 3;
  switch (t.value) {
    case PanelValue::Alpha:
      return ValidOrbital(m, i) ? &m.Alpha(i) : nullptr;
    case PanelValue::OwnBeta:
      return ValidOrbital(m, i) && direction ? &m.BetaPlus[i][i][d] : nullptr;
    case PanelValue::EffMass:
      return ValidOrbital(m, i) ? &m.EffMass[i] : nullptr;
    case PanelValue::PlotX:
      return ValidOrbital(m, i) ? &m.OrbPlotX[i] : nullptr;
    case PanelValue::PlotY:
      return ValidOrbital(m, i) ? &m.OrbPlotY[i] : nullptr;
    default:
      break;
  }
  if (!ValidPair(m, i, j) || !direction) return nullptr;
  switch (t.value) {
    case PanelValue::Beta:
      return &m.Beta[i][j][d];
    case PanelValue::Beta2:
      return &m.Beta2[i][j][d];
    case PanelValue::BetaMinus:
      return &m.BetaMinus[i][j][d];
    case PanelValue::BetaPlus:
      return &m.BetaPlus[i][j][d];
    case PanelValue::SocRe:
      return &m.SocRe[i][j][d];
    case PanelValue::SocIm:
      return &m.SocIm[i][j][d];
    case PanelValue::Position:
      return &m.BetaPos[i][j][d];
    default:
      return nullptr;
  }
}

bool SetPanelValue(ModelData& m, const PanelTarget& t, double x) {
  double* number = PanelNumber(m, t);
  if (!number || !std::isfinite(x)) return false;
  const bool hopping = t.value == PanelValue::Beta || t.value == PanelValue::Beta2;
  *number = hopping ? -std::fabs(x) : x;
  return true;
}

}  // namespace quarnel
