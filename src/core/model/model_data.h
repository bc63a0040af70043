// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one tight-binding model of a unit cell. Tables are 1-based as the formulas are written:
// orbitals 1..16, directions d = 1, 2, 3 for X, Y, Z; index 0 is unused. Of the pair tables only
// entries with i < j (pairs) and i == j (an orbital and its own images) are used.

#include <string>

namespace quarnel {

constexpr int kMaxOrb = 16;
constexpr int kOrbKinds = 11;

// Vocabulary of the model; never changed.
extern const char* const OrbKindName[kOrbKinds + 1];  // [1..11]
extern const char* const BetaFactorText[5];           // [0..4]
extern const char* const BetaFactorTextT[5];          // [0..4], the factor seen from cell (j, i)
extern const char* const DirTag[4];                   // [1..3]

// Spin-orbit pairs are appended to the grid's term texts.
constexpr bool ShowSocInCell = true;

struct ModelData {
  int BetaTyp = 2;  // 1: beta with k-factor selector; 2: general beta with spin-orbit terms
  int NOrb = 0;
  bool Beta2Enabled = false;  // k-independent form-1 term shown in the grid
  std::string HeaderText;     // first line of the project file, kept byte for byte
  std::string ModelFileName;
  // The filling: electrons per cell (0 = not set) and electrons per band state (2 for spinless
  // orbitals, 1 when the orbitals are spin orbitals).
  double FillElectrons = 0;
  int FillSpin = 2;

  std::string OrbName[kMaxOrb + 1];
  int OrbPlotKind[kMaxOrb + 1] = {};
  double OrbPlotX[kMaxOrb + 1] = {};
  double OrbPlotY[kMaxOrb + 1] = {};
  double EffMass[kMaxOrb + 1] = {};

  // Form 1. Beta[i][i][1] holds Alpha(i).
  double Beta[kMaxOrb + 1][kMaxOrb + 1][4] = {};
  int OverlapType[kMaxOrb + 1][kMaxOrb + 1][4] = {};
  double Beta2[kMaxOrb + 1][kMaxOrb + 1][4] = {};
  // Form 2.
  double BetaPlus[kMaxOrb + 1][kMaxOrb + 1][4] = {};
  double BetaMinus[kMaxOrb + 1][kMaxOrb + 1][4] = {};
  double BetaPos[kMaxOrb + 1][kMaxOrb + 1][4] = {};
  double BetaPosMinus[kMaxOrb + 1][kMaxOrb + 1][4] = {};
  double SocRe[kMaxOrb + 1][kMaxOrb + 1][4] = {};
  double SocIm[kMaxOrb + 1][kMaxOrb + 1][4] = {};

  double& Alpha(int i) { return Beta[i][i][1]; }
  double Alpha(int i) const { return Beta[i][i][1]; }
};

// Zeroes every Double table and the plot fields and unsets the filling; OrbPlotKind := 1. Names,
// NOrb and OverlapType stay as they are.
void ClearModelTables(ModelData& m);

// The reset of New and of reading a file: ClearModelTables, then 3 orbitals (names kept).
void ClearModel(ModelData& m);

// The model's invariants, applied by every refresh of an orbital row or a pair:
// alpha non-positive, own images copied to the minus side at positions 1 and -1.
void NormalizeOrbital(ModelData& m, int i);
// Form 1: hoppings and k-independent terms non-positive.
void NormalizePairTyp1(ModelData& m, int i, int j);
// Form 2: partner positions reduced into [0, 1) (0 means midway, 0.5) and the minus partner derived.
void NormalizePairTyp2(ModelData& m, int i, int j);
// Dispatches by BetaTyp.
void NormalizePair(ModelData& m, int i, int j);
// Every orbital and every pair i < j of the NOrb in use.
void NormalizeModel(ModelData& m);

// Index of the orbital named name among 1..NOrb (the last when several match), 0 when none.
int FindOrbital(const ModelData& m, const std::string& name);

// The name a writer uses for orbital i: its own, or a generated one ("orb3") when it is empty,
// chosen so that it does not clash with another orbital's name.
std::string OrbitalFileName(const ModelData& m, int i);

}  // namespace quarnel
