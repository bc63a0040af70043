// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Contour lines of a function sampled on a regular grid, by marching squares.

#include <vector>

namespace quarnel {

struct ContourSegment {
  double x1, y1, x2, y2;
};

// The segments of the level line value == level of values sampled at (x0 + i h, y0 + j h),
// value[j * nx + i], i < nx, j < ny. A point is inside when value >= level; a crossing lies where
// the straight line between two neighbouring samples meets the level. A cell whose four corners
// alternate is split by the mean of its corners. Cells with a NaN corner give no segment.
std::vector<ContourSegment> ContourLines(const std::vector<double>& value, int nx, int ny,
                                         double x0, double y0, double h, double level);

struct ContourPoint {
  double x, y;
};

// The segments joined where they share an end (to within rounding) into polylines, so that a
// dashed pen runs on along a line; a closed line ends at its first point again.
std::vector<std::vector<ContourPoint>> JoinContour(const std::vector<ContourSegment>& segments);

}  // namespace quarnel
