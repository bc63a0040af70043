// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Geometry of the orbital chart: cells of edge OrbPlotScale counted from 1 at the lower left,
// orbital centres inside them, the signed size of an orbital in an eigenvector, the signs of the
// phase pictures and the equal-aspect axis rule.

#include <array>

#include "model/model_data.h"

namespace quarnel {

// Tag of a cell-frame series; a lobe series carries its orbital number, a text-mark series 0.
constexpr int FrameTag = -9;

struct ChartPoint {
  double x, y;
};

// The closed square of the cell with lower left corner (x, y) in cell units, times scale.
std::array<ChartPoint, 5> CellFramePoints(double x, double y, double scale);

// Centre of orbital k in cell (cx, cy).
ChartPoint OrbitalCentre(const ModelData& m, int k, int cx, int cy, double scale);

// Where the energy of the eigenvector in cell (cx, cy) is written: right of the cell, half height.
ChartPoint EnergyMarkPosition(int cx, int cy, double scale);

// The eigenvector shown in cell row cy: the lowest energy at the bottom.
inline int EigenvectorInRow(int nOrb, int cy) {
  return nOrb - cy + 1;
}

// The orbital's weight, negated when the dominant part of its coefficient is negative (a zero
// dominant part counts as non-negative).
double SignedWeight(double re, double im, double weight);

// Colours of the two lobes: blue for the non-negative lobe and red for the negative one,
// exchanged when the size is negative.
struct Rgb {
  int r, g, b;
};
struct LobeColours {
  Rgb lobe1, lobe2;
};
LobeColours ColoursForSize(double c);

// Signs of the cells (1,1), (1,2), (2,1), (2,2) and the label at their shared corner.
struct PhasePicture {
  int s11, s12, s21, s22;
  const char* label;
};
// Gamma, X(100), Y(010), S(110).
extern const PhasePicture PhasePictures[4];

// Axis ranges that enclose [x0, x1] x [y0, y1] with a 1 % margin and give one chart unit the same
// length in pixels on both axes. fixed is false when a span is zero (the axes stay automatic).
struct AxisFit {
  bool fixed;
  double x0, x1, y0, y1;
};
AxisFit EqualAspectRanges(double x0, double x1, double y0, double y1, double heightPx,
                          double widthPx);

// Item of the shape-kind list for a kind: kind - 1, or -1 (no item) outside 1..11.
int OrbKindItem(int kind);

}  // namespace quarnel
