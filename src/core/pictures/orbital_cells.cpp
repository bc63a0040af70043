// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/orbital_cells.h"

#include <cmath>

namespace quarnel {

std::array<ChartPoint, 5> CellFramePoints(double x, double y, double s) {
  return {{{(x + 1) * s, (y + 1) * s},
           {x * s, (y + 1) * s},
           {x * s, y * s},
           {(x + 1) * s, y * s},
           {(x + 1) * s, (y + 1) * s}}};
}

ChartPoint OrbitalCentre(const ModelData& m, int k, int cx, int cy, double scale) {
  return {(cx - 1 + m.OrbPlotX[k]) * scale, (cy - 1 + m.OrbPlotY[k]) * scale};
}

ChartPoint EnergyMarkPosition(int cx, int cy, double scale) {
  return {(cx - 1 + 1.1) * scale, (cy - 1 + 0.5) * scale};
}

double SignedWeight(double re, double im, double weight) {
  const double dominant = std::fabs(re) > std::fabs(im) ? re : im;
  return dominant < 0 ? -weight : weight;
}

LobeColours ColoursForSize(double c) {
  const Rgb blue{0, 0, 255}, red{255, 0, 0};
  return c < 0 ? LobeColours{red, blue} : LobeColours{blue, red};
}

const PhasePicture PhasePictures[4] = {
    {+1, +1, +1, +1, "G"}, {+1, +1, -1, -1, "X"}, {+1, -1, +1, -1, "Y"}, {+1, -1, -1, +1, "S"}};

AxisFit EqualAspectRanges(double x0, double x1, double y0, double y1, double heightPx,
                          double widthPx) {
  const double rx = x1 - x0, ry = y1 - y0;
  x0 -= 0.01 * rx;
  x1 += 0.01 * rx;
  y0 -= 0.01 * ry;
  y1 += 0.01 * ry;
  if (rx == 0 || ry == 0) return {false, x0, x1, y0, y1};
  // A chart without pixels yet has no aspect to keep.
  if (heightPx > 0 && widthPx > 0) {
    const double q = ry / rx;
    const double w = heightPx / widthPx;
    if (std::fabs(q - w) > 0.1) {
      if (q > w) x1 = x0 + rx * q / w;
      if (q < w) y1 = y0 + ry * w / q;
    }
  }
  return {true, x0, x1, y0, y1};
}

int OrbKindItem(int kind) {
  return kind >= 1 && kind <= kOrbKinds ? kind - 1 : -1;
}

}  // namespace quarnel
