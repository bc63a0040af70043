// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The weight labels of the eigenvector picture, placed beside their orbital where they cover no
// outline, no energy and no other label; and the pixel box of any text mark.

#include <QRectF>

class QCustomPlot;
class QCPItemText;

// The chart-unit box of the outline a weight label belongs to, stored on the label.
extern const char* const kLabelShapeBox;

// The pixel rectangle a text mark takes, with a small margin.
QRectF TextMarkBox(const QCPItemText* mark);

// Moves every visible label carrying kLabelShapeBox to the first free place around its
// orbital, at the chart's current axis ranges.
void PlaceWeightLabels(QCustomPlot* chart);
