// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The orbital chart as the orbital pictures use it: the chart, the edge of a cell in chart units
// (set in steps of 1 / ScaleSteps()), a request to find the axis ranges again with the next fit,
// and whether the chart is shown with weight labels. The bands window holds the chart and its
// controls; the main window draws its pictures.

#include <QObject>

class QCustomPlot;

class OrbitalView : public QObject {
  Q_OBJECT
 public:
  OrbitalView(QCustomPlot* chart, QObject* parent);

  QCustomPlot* Chart() const { return chart_; }

  double Scale() const { return scale_; }
  void SetScale(double scale) { scale_ = scale; }
  int ScaleSteps() const { return scaleSteps_; }
  // Steps per chart unit of the scale control; the control follows (ScaleStepsChanged).
  void SetScaleSteps(int steps);

  bool RescaleRequested() const { return rescale_; }
  void RequestRescale(bool on) { rescale_ = on; }

  // The chart is in view, and eigenvector pictures carry their weights.
  bool Shown() const { return shown_; }
  void SetShown(bool shown) { shown_ = shown; }
  bool Labels() const { return labels_; }
  void SetLabels(bool labels) { labels_ = labels; }

  // A picture is drawn: the chart comes into view.
  void Show() { emit ShowRequested(); }
  // The axes are to be fitted to the picture now.
  void Fit() { emit FitRequested(); }

 signals:
  void ShowRequested();
  void FitRequested();
  void ScaleStepsChanged();

 private:
  QCustomPlot* chart_;
  double scale_ = 2.0;
  int scaleSteps_ = 4;
  bool rescale_ = false;
  bool shown_ = false;
  bool labels_ = false;
};
