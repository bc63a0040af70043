// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/orbital_view.h"

OrbitalView::OrbitalView(QCustomPlot* chart, QObject* parent) : QObject(parent), chart_(chart) {}

void OrbitalView::SetScaleSteps(int steps) {
  scaleSteps_ = steps;
  emit ScaleStepsChanged();
}
