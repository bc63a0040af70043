// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two charts side by side on one energy scale: their plot areas keep the same top and bottom
// whatever their axis labels, so that a flat band and its DOS peak line up.

class QCustomPlot;

// Both charts must have the same widget top and height.
void AlignPlotAreas(QCustomPlot* a, QCustomPlot* b);
