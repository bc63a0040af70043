// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editing panels' values as texts: what a panel shows for the model, and how its Apply reads
// the texts back into the model. Index 1..3 of the direction arrays is X, Y, Z (0 unused).
// Normalising and showing the result is the grid refresh's work, done after these.

#include <string>

#include "model/model_data.h"

namespace quarnel {

// The name without blanks, tabs and other control characters, and without a trailing "="
// (an empty name is accepted).
std::string CleanOrbitalName(const std::string& name);

// "<minus partner>,<partner>" positions of pair (i, j) along d.
std::string PositionLabelText(const ModelData& m, int i, int j, int d);

// Orbital i exists; pair (i, j) is an upper-triangle pair of existing orbitals.
bool ValidOrbital(const ModelData& m, int i);
bool ValidPair(const ModelData& m, int i, int j);

struct OrbitalPanelTexts {
  std::string name, alpha;
  std::string beta[4];  // own-image hopping BetaPlus[i][i][d]
  std::string label[4];
  std::string effMass, plotX, plotY;
  int kindItem = -1;  // item of the shape list, -1 when none is selected
};
// Everything but name and alpha, which the panel takes from the grid.
OrbitalPanelTexts OrbitalPanelFill(const ModelData& m, int r);
// The message for a name (cleaned as Apply cleans it) that another orbital of the model has;
// empty when orbital r may take it. An empty name clashes with nothing.
std::string OrbitalNameConflict(const ModelData& m, int r, const std::string& name);
// Unreadable numbers give 0, except the plot position, which keeps its value; no selected kind
// keeps the kind. False, with nothing applied, when r is no orbital or its new name is another
// orbital's (OrbitalNameConflict says why).
bool ApplyOrbitalPanel(ModelData& m, int r, const OrbitalPanelTexts& t);
// The hint after Apply when the typed on-site energy is stored with the other sign (forms 1 and
// 2 keep it at or below 0); empty when it is stored as typed.
std::string AlphaSignHint(int betaTyp, const std::string& alphaText);

struct BetaPanelTexts {
  int type[4] = {};  // item of the factor list, 0..4
  std::string beta[4], beta2[4];
};
BetaPanelTexts BetaPanelFill(const ModelData& m, int i, int j);
// Writes the [i, j] entries only; hoppings are stored non-positive.
void ApplyBetaPanel(ModelData& m, int i, int j, const BetaPanelTexts& t);

struct BetaGenPanelTexts {
  std::string minus[4], plus[4], pos[4], socRe[4], socIm[4];
  std::string label[4];
  bool posShown[4] = {};  // whether the position edit of d is shown
};
BetaGenPanelTexts BetaGenPanelFill(const ModelData& m, int i, int j);
// A hidden position edit gives position 0, which the pair's refresh turns into midway.
void ApplyBetaGenPanel(ModelData& m, int i, int j, const BetaGenPanelTexts& t);

}  // namespace quarnel
