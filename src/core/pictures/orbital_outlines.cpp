// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/orbital_outlines.h"

#include <cmath>

namespace quarnel {

const int OrbShapePoints[kOrbKinds + 1] = {0,   100, 200, 200, 300, 300,
                                           300, 300, 200, 300, 300, 300};

namespace {
const double kPi = std::acos(-1.0);
const double kSqrtPi = std::sqrt(kPi);
}  // namespace

double NormS() {
  return 1.0 / (2.0 * kSqrtPi);
}
double NormP() {
  return std::sqrt(3.0) / (2.0 * kSqrtPi);
}
double NormZ() {
  return std::sqrt(5.0) / (4.0 * kSqrtPi);
}
double NormD() {
  return std::sqrt(15.0) / (4.0 * kSqrtPi);
}

namespace {

double Angular(int kind, double theta, double phi) {
  const double st = std::sin(theta), ct = std::cos(theta);
  switch (kind) {
    case 1:
      return NormS();
    case 2:
      return NormP() * st * std::cos(phi);
    case 3:
      return NormP() * st * std::sin(phi);
    case 4:
      return NormD() * st * st * std::sin(2 * phi);
    case 5:
      return NormD() * st * st * std::cos(2 * phi);
    // The z^2 shape laid along x and along y of the drawing plane.
    case 6:
      return NormZ() * (3 * std::pow(std::cos(phi), 2) - 1);
    case 7:
      return NormZ() * (3 * std::pow(std::cos(phi + kPi / 2), 2) - 1);
    case 8:
      return NormP() * ct;
    case 9:
      return NormD() * std::sin(2 * theta) * std::cos(phi);
    case 10:
      return NormD() * std::sin(2 * theta) * std::sin(phi);
    case 11:
      return NormZ() * (3 * ct * ct - 1);
    default:
      return 0.0;
  }
}

}  // namespace

AngularPoint AngularValue(int kind, double thetaDeg, double phiDeg) {
  const double theta = thetaDeg * kPi / 180.0;
  const double phi = phiDeg * kPi / 180.0;
  double v = Angular(kind, theta, phi);
  // Rounding of sin(pi) and the like must not split a shape that is zero in the plane.
  if (std::fabs(v) < 1e-12) v = 0;
  const double r = std::fabs(SquareOrbShape ? v * v : v);
  return {v, std::sin(theta) * std::cos(phi) * r, std::sin(theta) * std::sin(phi) * r,
          std::cos(theta) * r};
}

int OrbitalShapes::Count(int kind, int lobe) const {
  if (kind < 1 || kind > kOrbKinds || lobe < 1 || lobe > 2) return 0;
  return OrbShapeCount[kind][lobe];
}

void BuildOrbitalShapes(OrbitalShapes& shapes) {
  for (int kind = 0; kind <= kOrbKinds; ++kind)
    for (int lobe = 0; lobe < 3; ++lobe) shapes.OrbShapeCount[kind][lobe] = 0;
  for (int kind = 1; kind <= kOrbKinds; ++kind) {
    const int n = OrbShapePoints[kind];
    const double step = 360.0 / (n - 1);  // the last point repeats the first: a closed outline
    double phi = 0;
    for (int p = 0; p < n; ++p) {
      const AngularPoint a = AngularValue(kind, 90, phi);
      const int lobe = a.value >= 0 ? 1 : 2;
      const int count = ++shapes.OrbShapeCount[kind][lobe];
      shapes.OrbShapeX[kind][count][lobe] = a.x;
      shapes.OrbShapeY[kind][count][lobe] = a.y;
      phi += step;
    }
  }
}

}  // namespace quarnel
