// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The k map of a lattice-form model in Cartesian k over the first Brillouin zone: the map's
// computed cell tiled and clipped into the zone (bands/brillouin_zone.h) as a colour map, the
// zone's outline, and its special points. Equal x/y scale comes from one raster step on both axes.
// The k map window calls these on its chart when the model is of the lattice form.

#include <QString>
#include <vector>

#include "bands/brillouin_zone.h"

class QCustomPlot;
class QCPColorMap;
class QCPCurve;

struct ZoneRasterGrid {
  int nx = 0, ny = 0;
  double x0 = 0, y0 = 0, h = 1;
  std::vector<double> value;  // value[j * nx + i] at (x0 + i h, y0 + j h); NaN outside the zone
};

// The values of the map grid (side n + 1) on a square raster of about pixels points per side
// over the zone's bounds.
ZoneRasterGrid ZoneRasterOf(const quarnel::ZoneSlice& zone, const std::vector<double>& value, int n,
                            int pixels = 241);

// The raster into the colour map (its cells and key ranges); points outside the zone are left
// transparent (the map's gradient is set first).
void SetZoneColorMap(QCPColorMap* map, const ZoneRasterGrid& raster);

// Axis ranges around the zone with one chart unit the same length in pixels on both axes, for
// the chart's present size (call again when it is resized).
void FitZoneAxes(QCustomPlot* chart, const quarnel::ZoneSlice& zone);

// The closed outline into curve.
void DrawZoneOutline(QCPCurve* curve, const quarnel::ZoneSlice& zone);

// The special points as dots with their names (items of the chart tagged so that a redraw
// removes the previous ones).
void DrawZoneMarks(QCustomPlot* chart, const std::vector<quarnel::ZoneMark>& marks);

// "G" as the chart writes it: the Greek capital gamma.
QString ZoneMarkLabel(const std::string& name);
