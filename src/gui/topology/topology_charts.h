// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The topology window's three charts drawn from its results: the Wannier-centre flow, the Berry
// curvature over the Brillouin zone (in Cartesian k, as the k map draws a lattice-form model), and
// the ribbon bands or the finite piece's levels, each point coloured by its weight on the edge
// cells.

#include "model/lattice_model.h"
#include "topology/topology_results.h"

class QCustomPlot;
class QPointF;
class QCPColorMap;
class QCPColorScale;
class QCPCurve;

// The flow chart: centres against k along the other direction; with more than one occupied band
// also their sum modulo 1, whose winding is the Chern number.
void DrawFlowChart(QCustomPlot* chart, const FlowPart& f);

// The parts of the curvature chart that live as long as the chart.
struct CurvatureChart {
  QCustomPlot* chart = nullptr;
  QCPColorMap* map = nullptr;
  QCPColorScale* scale = nullptr;
  QCPCurve* outline = nullptr;
};
CurvatureChart MakeCurvatureChart(QCustomPlot* chart);
// False (chart emptied) when there is no map to show; the plane must be that of a1 and a2.
bool DrawCurvatureChart(const CurvatureChart& c, const FlowPart& f, const quarnel::LatticeModel& m);
// Keeps equal scales after a resize.
void FitCurvatureChart(const CurvatureChart& c, const quarnel::LatticeModel& m);

// The band chart with its edge-weight key (QCPColorScale, 0..1) below it.
QCPColorScale* MakeBandChart(QCustomPlot* chart);
// The ribbon's bands along k, or the finite piece's levels against their index (1 = lowest) with
// the level `selected` (0-based, -1 none) ringed. The corners K and K' of m's zone are named
// where they fall on the ribbon's k.
void DrawBandChart(QCustomPlot* chart, const RibbonPart& r, int selected,
                   const quarnel::LatticeModel& m);
// The level nearest to a widget point (in pixels) of the finite piece's chart, -1 if none within
// reach.
int LevelAt(QCustomPlot* chart, const RibbonPart& r, const QPointF& at);
