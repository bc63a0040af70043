// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One way for every chart of the program to create and style series, to keep its axes automatic
// or set by hand (the popup menu of the diagnostics window), and two status-bar helpers and a wait
// that the long runs use. Series are addressed by their index in the chart's plottable list.

#include <qcustomplot.h>

#include <QString>
#include <vector>

class QStatusBar;

// The chart the popup menu acts on; set by the double-click handlers of the bands window.
extern QCustomPlot* MenuChart;

// Vertical bars, each from (x, start) to (x, end), kept in insertion order: the weight bars of
// the band chart, read back by index.
class WeightBars : public QCPAbstractPlottable {
  Q_OBJECT
 public:
  struct Bar {
    double x, start, end;
  };
  WeightBars(QCPAxis* keyAxis, QCPAxis* valueAxis);

  void AddBar(double x, double start, double end) { bars_.push_back({x, start, end}); }
  void Reserve(std::size_t n) { bars_.reserve(n); }
  void Clear() { bars_.clear(); }
  void ShiftValues(double dy) {
    for (Bar& b : bars_) b.start += dy, b.end += dy;
  }
  int Count() const { return static_cast<int>(bars_.size()); }
  const Bar& At(int i) const { return bars_[i]; }

  double selectTest(const QPointF& pos, bool onlySelectable,
                    QVariant* details = nullptr) const override;
  QCPRange getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
  QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                         const QCPRange& inKeyRange = QCPRange()) const override;

 protected:
  void draw(QCPPainter* painter) override;
  void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

 private:
  std::vector<Bar> bars_;
};

// The bars of one band point, stacked along the energy and centred on the band so that equal
// weights do not hide each other; bar j (1..n) is 2 w long, w = marker * weight(j) / 100.
template <class Weight>
void AddStackedBars(const std::vector<WeightBars*>& bars, int n, double x, double energy,
                    double marker, Weight weight) {
  double half = 0;
  for (int j = 1; j <= n; ++j) half += marker * weight(j) / 100;
  double start = energy - half;
  for (int j = 1; j <= n; ++j) {
    const double w = marker * weight(j) / 100;
    if (bars[j]) bars[j]->AddBar(x, start, start + 2 * w);
    start += 2 * w;
  }
}

// Series helpers. Results are series indexes.
int AddLineSeries(QCustomPlot* chart, const QColor& colour);
int AddMarkedLineSeries(QCustomPlot* chart, const QColor& colour, int markerStyle, int size);
int AddLabelSeries(QCustomPlot* chart, const QColor& colour);
void SetSeriesColor(QCustomPlot* chart, int index, const QColor& colour);
// 0 no line, 1 solid, 2 dashed, 3 dotted, 4 dash-dot, 5 dash-dot-dot.
void SetSeriesLineStyle(QCustomPlot* chart, int index, int style);
void ClearChartSeries(QCustomPlot* chart);
// Number of points of a line or bar series.
int SeriesCount(const QCPAbstractPlottable* series);

// The integer tag of a series (0 unless set).
void SetSeriesTag(QCPAbstractPlottable* series, int tag);
int SeriesTag(const QCPAbstractPlottable* series);
// Adds the series to the legend with a check box that switches it on and off, or removes it.
void ShowInLegend(QCPAbstractPlottable* series, bool shown);
// Series on (drawn) or off; the legend's check box follows.
void SetSeriesActive(QCPAbstractPlottable* series, bool active);

// Makes a chart one of the program's series charts: axes follow their data while automatic,
// dragging or zooming makes them manual, legend check boxes work.
void InstallSeriesChart(QCustomPlot* chart);
// Puts the legend below the plot, in as many columns as the chart's width allows, so that no
// entry covers data however many series there are.
void PlaceLegendBelowPlot(QCustomPlot* chart);
// Gives the legend the number of columns its widest entry allows; called before each drawing.
void FitLegendColumns(QCustomPlot* chart);
// Fewer ticks on an axis whose labels would otherwise run into each other.
void FitTickCount(QCPAxis* axis);

// Brings the automatic axes (and automatic maxima) to their data; called before each drawing.
void FitAutomaticAxes(QCustomPlot* chart);

// Axis helpers.
bool IsAxisAutomatic(const QCPAxis* axis);
bool IsAxisAutoMaximum(const QCPAxis* axis);
void SetAxisRange(QCPAxis* axis, double min, double max);
void DoubleAxisRange(QCPAxis* axis);
void ResetAxis(QCPAxis* axis);
void ResetAxisMaximum(QCPAxis* axis);
void ResetAllAxes(QCustomPlot* chart);
void AskAxisRange(QCPAxis* axis);
void ToggleLogAxis(QCPAxis* axis);
// The popup menu for MenuChart at a screen position.
void PopupChartMenu(int x, int y);
// Whether a screen position lies inside the chart's plot rectangle shrunk by margin.
bool PointInPlotRect(QWidget* window, QCustomPlot* chart, int x, int margin, int y);

// Status bar panels are the QLabel children named "Panel0", "Panel1", ...
// Sets " text " and sizes the panel to it; returns the new width, or 0 when it did not change.
int SetStatusPanelFit(QStatusBar* bar, int index, const QString& text);
void SetStatusPanel(QStatusBar* bar, int index, const QString& text);

// Processes window messages until more than ms milliseconds have passed, sleeping a millisecond
// between rounds so that the wait does not hold a processor.
void DelayWithMessages(unsigned ms);
