// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The model number behind each numeric field of the editing panels, so that one field can be
// moved on its own: written as the panel's Apply would write it, the other fields untouched.
// Normalising follows in the grid refresh, as after Apply.

#include "model/model_data.h"

namespace quarnel {

enum class PanelValue {
  // Orbital panel, orbital i.
  Alpha,
  OwnBeta,  // hopping to the orbital's own images, BetaPlus[i][i][d]
  EffMass,
  PlotX,
  PlotY,
  // Beta/overlap panel, pair (i, j).
  Beta,
  Beta2,
  // General-beta panel, pair (i, j).
  BetaMinus,
  BetaPlus,
  SocRe,
  SocIm,
  Position,
};

struct PanelTarget {
  PanelValue value = PanelValue::Alpha;
  int i = 0, j = 0;  // the orbital (j unused) or the upper-triangle pair
  int d = 1;         // direction 1..3 where the value has one
};

// The number the field edits, or nullptr when the orbital, pair or direction does not exist.
double* PanelNumber(ModelData& m, const PanelTarget& t);
const double* PanelNumber(const ModelData& m, const PanelTarget& t);
// Writes x; form-1 hoppings are stored non-positive as Apply stores them. False when the target
// does not exist.
bool SetPanelValue(ModelData& m, const PanelTarget& t, double x);

}  // namespace quarnel
