// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two charts side by side on one energy scale: their plot areas keep the same top and bottom on
// the screen whatever their legends, axis labels and heights, so that a flat band and its DOS
// peak line up. A hidden chart leaves the other to its own margins until it is shown again.

class QCustomPlot;

// Both charts must lie in one window.
void AlignPlotAreas(QCustomPlot* a, QCustomPlot* b);
