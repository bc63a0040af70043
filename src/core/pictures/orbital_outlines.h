// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Polar outlines of the eleven orbital shapes in the drawing plane (theta = 90 degrees). They do
// not depend on the model: built once, then every orbital picture only scales and moves them.

#include "model/model_data.h"

namespace quarnel {

constexpr int kOrbShapeMaxPoints = 1000;
// Sample points per kind [1..11]: 100 for s, 200 for p, 300 for d.
extern const int OrbShapePoints[kOrbKinds + 1];
// The outline radius is the square of the angular function.
constexpr bool SquareOrbShape = true;

// Normalisation of the angular functions.
double NormS();  // 1 / (2 sqrt(pi))
double NormP();  // sqrt(3) / (2 sqrt(pi))
double NormZ();  // sqrt(5) / (4 sqrt(pi)), the 3cos^2 - 1 shapes
double NormD();  // sqrt(15) / (4 sqrt(pi)), the other d shapes

struct AngularPoint {
  double value;  // signed angular value before squaring: its sign tells the lobe
  double x, y, z;
};
// Angles in degrees; a kind outside 1..11 gives value 0 at the centre.
AngularPoint AngularValue(int kind, double thetaDeg, double phiDeg);

// Lobe 1 holds the points of non-negative value, lobe 2 the negative ones, each in the order
// of increasing phi; only the first OrbShapeCount[kind][lobe] points of a lobe are valid.
struct OrbitalShapes {
  double OrbShapeX[kOrbKinds + 1][kOrbShapeMaxPoints + 1][3];
  double OrbShapeY[kOrbKinds + 1][kOrbShapeMaxPoints + 1][3];
  int OrbShapeCount[kOrbKinds + 1][3];
  // Zero for a kind outside 1..11 or a lobe other than 1, 2.
  int Count(int kind, int lobe) const;
};

void BuildOrbitalShapes(OrbitalShapes& shapes);

}  // namespace quarnel
