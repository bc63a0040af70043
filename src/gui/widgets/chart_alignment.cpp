// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/chart_alignment.h"

#include <qcustomplot.h>
#include <QEvent>
#include <QPointer>
#include <algorithm>
#include <climits>

namespace {

// The top and bottom margins of one chart's plot area. Each chart has its own group: a legend
// row, a taller axis label or a different widget height makes the two charts need different
// margins for the same plot area on the screen.
class PairedMargins : public QCPMarginGroup {
 public:
  explicit PairedMargins(QCustomPlot* chart) : QCPMarginGroup(chart) {
    chart->axisRect()->setMarginGroup(QCP::msTop | QCP::msBottom, this);
  }
  // What the chart's own axes and labels need on a side, whatever the pair asked for before:
  // margins computed from this never only grow.
  int Own(QCP::MarginSide side) const { return QCPMarginGroup::commonMargin(side); }
  // True when the margins the pair asks for changed.
  bool Want(int top, int bottom) {
    if (top == top_ && bottom == bottom_) return false;
    top_ = top;
    bottom_ = bottom;
    return true;
  }

 protected:
  int commonMargin(QCP::MarginSide side) const override {
    const int wanted = side == QCP::msTop ? top_ : side == QCP::msBottom ? bottom_ : 0;
    return std::max(Own(side), wanted);
  }

 private:
  int top_ = 0, bottom_ = 0;
};

class PlotAreaAligner : public QObject {
 public:
  PlotAreaAligner(QCustomPlot* a, QCustomPlot* b) : QObject(a), charts_{a, b} {
    for (int i = 0; i < 2; ++i) {
      margins_[i] = new PairedMargins(charts_[i]);
      QCustomPlot* chart = charts_[i];
      connect(chart, &QCustomPlot::afterLayout, this, [this, chart] { Align(chart); });
      chart->installEventFilter(this);
    }
  }

 protected:
  // A chart that appears or moves lays out again, and the pair with it; one that hides leaves
  // its partner to its own margins.
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type t = event->type();
    if (t == QEvent::Show || t == QEvent::Hide || t == QEvent::Move)
      for (QCustomPlot* chart : charts_)
        if (chart && !chart->isHidden()) chart->replot(QCustomPlot::rpQueuedReplot);
    return QObject::eventFilter(watched, event);
  }

 private:
  // Called when `laidOut` has just laid out; the other chart's layout is its last one, and a
  // change of its margins lays it out again, which comes back here with both fresh.
  void Align(QCustomPlot* laidOut) {
    if (!charts_[0] || !charts_[1] || !margins_[0] || !margins_[1]) return;
    const bool both = !charts_[0]->isHidden() && !charts_[1]->isHidden();
    int top = INT_MIN, bottom = INT_MAX;
    int y[2];
    QRect outer[2];
    for (int i = 0; i < 2; ++i) {
      QCustomPlot* chart = charts_[i];
      y[i] = chart->mapTo(chart->window(), QPoint()).y() + chart->viewport().top();
      outer[i] = chart->axisRect()->outerRect();
      if (!both && chart != laidOut) continue;
      top = std::max(top, y[i] + outer[i].top() + margins_[i]->Own(QCP::msTop));
      bottom = std::min(bottom, y[i] + outer[i].bottom() + 1 - margins_[i]->Own(QCP::msBottom));
    }
    for (int i = 0; i < 2; ++i) {
      QCustomPlot* chart = charts_[i];
      if (!both && chart != laidOut) continue;
      if (!margins_[i]->Want(top - y[i] - outer[i].top(), y[i] + outer[i].bottom() + 1 - bottom))
        continue;
      if (chart == laidOut) {
        // Before it draws: the new margins change no outer rectangle of its layout.
        chart->plotLayout()->update(QCPLayoutElement::upMargins);
        chart->plotLayout()->update(QCPLayoutElement::upLayout);
      } else {
        chart->replot(QCustomPlot::rpQueuedReplot);
      }
    }
  }

  QPointer<QCustomPlot> charts_[2];
  QPointer<PairedMargins> margins_[2];
};

}  // namespace

void AlignPlotAreas(QCustomPlot* a, QCustomPlot* b) {
  new PlotAreaAligner(a, b);
}
