// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the input grid's cells, shared by the window, the panels and the batch front end.
// They only read the model; the refresh that normalises it comes first (model_data.h).

#include <string>

#include "model/model_data.h"

namespace quarnel {

// "X:<minus>,<plus>" with "(so:<re>,<im>)" when both spin-orbit parts are nonzero (or one of them
// is and both hoppings are 0), then a blank.
std::string PairTermText(const ModelData& m, int i, int j, int d);

// The on-site energy cell.
std::string AlphaCellText(const ModelData& m, int i);

// The orbital's own cell: the term texts of the directions whose own-image hopping is nonzero.
std::string DiagonalCellText(const ModelData& m, int i);

// "++" becomes "+", then "+-" becomes "-".
std::string CleanPlusMinus(std::string s);

struct PairCellTexts {
  std::string upper;  // row i, column of orbital j (the edited triangle)
  std::string lower;  // row j, column of orbital i (form 1 shows the transposed factor there)
};

PairCellTexts PairCellTextsTyp1(const ModelData& m, int i, int j);
// The terms of every direction with a hopping or a spin-orbit term.
std::string PairCellTextTyp2(const ModelData& m, int i, int j);
// By the running form; both texts empty for an unknown form.
PairCellTexts PairCellsText(const ModelData& m, int i, int j);

}  // namespace quarnel
