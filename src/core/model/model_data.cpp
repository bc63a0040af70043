// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model_data.h"

#include <cmath>

#include "support/text_utils.h"

namespace quarnel {

const char* const OrbKindName[kOrbKinds + 1] = {
    "",       "s",   "px",  "py",  "dxy", "dx2-y2", "dx2",
    "dy2",    "pz",  "dxz", "dyz", "dz2"};
const char* const BetaFactorText[5] = {"0", "2cos(kx/2)", "-2cos(kx/2)", "i2sin(kx/2)",
                                       "-i2sin(kx/2)"};
const char* const BetaFactorTextT[5] = {"0", "2cos(kx/2)", "-2cos(kx/2)", "-i2sin(kx/2)",
                                        "i2sin(kx/2)"};
const char* const DirTag[4] = {"", "(ka", "(kb", "(kc"};

namespace {

template <typename Table>
void Zero(Table& t) {
  for (auto& row : t)
    for (auto& cell : row)
      for (auto& v : cell) v = 0.0;
}

}  // namespace

void ClearModelTables(ModelData& m) {
  Zero(m.Beta);
  Zero(m.Beta2);
  Zero(m.BetaPlus);
  Zero(m.BetaMinus);
  Zero(m.BetaPos);
  Zero(m.BetaPosMinus);
  Zero(m.SocRe);
  Zero(m.SocIm);
  for (int i = 0; i <= kMaxOrb; ++i) {
    m.OrbPlotX[i] = 0.0;
    m.OrbPlotY[i] = 0.0;
    m.EffMass[i] = 0.0;
    m.OrbPlotKind[i] = 1;
  }
  m.FillElectrons = 0;
  m.FillSpin = 2;
}

void ClearModel(ModelData& m) {
  ClearModelTables(m);
  m.NOrb = 3;
}

void NormalizeOrbital(ModelData& m, int i) {
  m.Alpha(i) = -std::fabs(m.Alpha(i));
  for (int d = 1; d <= 3; ++d) {
    m.BetaMinus[i][i][d] = m.BetaPlus[i][i][d];
    m.BetaPos[i][i][d] = 1;
    m.BetaPosMinus[i][i][d] = -1;
  }
}

void NormalizePairTyp1(ModelData& m, int i, int j) {
  for (int d = 1; d <= 3; ++d) {
    m.Beta[i][j][d] = -std::fabs(m.Beta[i][j][d]);
    m.Beta2[i][j][d] = -std::fabs(m.Beta2[i][j][d]);
  }
}

void NormalizePairTyp2(ModelData& m, int i, int j) {
  for (int d = 1; d <= 3; ++d) {
    double& pos = m.BetaPos[i][j][d];
    if (pos == 0) m.BetaPosMinus[i][j][d] = 0;
    if (m.BetaPlus[i][j][d] == 0 && m.BetaMinus[i][j][d] == 0) continue;
    if (pos == 1) {
      m.BetaPosMinus[i][j][d] = -1;
    } else {
      if (pos == 0) pos = 0.5;  // midway is the default partner position
      WrapInto(pos, 0, 1);
      m.BetaPosMinus[i][j][d] = pos - 1;
    }
  }
}

void NormalizePair(ModelData& m, int i, int j) {
  if (m.BetaTyp == 1) NormalizePairTyp1(m, i, j);
  if (m.BetaTyp == 2) NormalizePairTyp2(m, i, j);
}

void NormalizeModel(ModelData& m) {
  for (int i = 1; i <= m.NOrb; ++i) {
    NormalizeOrbital(m, i);
    for (int j = i + 1; j <= m.NOrb; ++j) NormalizePair(m, i, j);
  }
}

int FindOrbital(const ModelData& m, const std::string& name) {
  int found = 0;
  for (int i = 1; i <= m.NOrb && i <= kMaxOrb; ++i)
    if (m.OrbName[i] == name) found = i;
  return found;
}

std::string OrbitalFileName(const ModelData& m, int i) {
  if (!m.OrbName[i].empty()) return m.OrbName[i];
  // A generated name must not collide with a real one, or the file would merge two orbitals.
  const std::string base = "orb" + std::to_string(i);
  std::string name = base;
  for (int k = 1; FindOrbital(m, name) != 0; ++k) name = base + "_" + std::to_string(k);
  return name;
}

}  // namespace quarnel
