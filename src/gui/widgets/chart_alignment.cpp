// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/chart_alignment.h"

#include <qcustomplot.h>

#include <algorithm>

void AlignPlotAreas(QCustomPlot* a, QCustomPlot* b) {
  // Each chart's own margins are at least the other's: the larger top and bottom win. A chart
  // replotted with new margins lays out again, and the pair settles in one more pass.
  const auto align = [a, b] {
    const QMargins ma = a->axisRect()->margins(), mb = b->axisRect()->margins();
    const int top = std::max(ma.top(), mb.top()), bottom = std::max(ma.bottom(), mb.bottom());
    for (QCustomPlot* chart : {a, b}) {
      QCPAxisRect* rect = chart->axisRect();
      const QMargins least = rect->minimumMargins();
      if (least.top() == top && least.bottom() == bottom) continue;
      rect->setMinimumMargins(QMargins(least.left(), top, least.right(), bottom));
      chart->replot(QCustomPlot::rpQueuedReplot);
    }
  };
  QObject::connect(a, &QCustomPlot::afterLayout, a, align);
  QObject::connect(b, &QCustomPlot::afterLayout, b, align);
}
