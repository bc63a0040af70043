// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/chart_helpers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QThread>
#include <cmath>

#include "support/number_text.h"
#include "support/text_utils.h"
#include "widgets/diagnostics_window.h"
#include "widgets/dialogs.h"

QCustomPlot* MenuChart = nullptr;

namespace {

const char* const kAutoProperty = "quarnelAuto";
const char* const kAutoMaxProperty = "quarnelAutoMax";
const char* const kTagProperty = "quarnelTag";
const char* const kBelowPlotProperty = "quarnelBelowPlot";

// A legend entry with a check box in front: ticked while its series is drawn.
class CheckLegendItem : public QCPPlottableLegendItem {
 public:
  CheckLegendItem(QCPLegend* legend, QCPAbstractPlottable* series)
      : QCPPlottableLegendItem(legend, series) {}

 protected:
  int BoxSize() const { return std::min(mParentLegend->iconSize().height(), 9); }

  void draw(QCPPainter* painter) override {
    if (!mPlottable) return;
    const QSize icon = mParentLegend->iconSize();
    const int box = BoxSize();
    const int gap = mParentLegend->iconTextPadding();
    const QRectF boxRect(mRect.x(), mRect.y() + (icon.height() - box) / 2.0, box, box);
    painter->setPen(QPen(Qt::black, 0));
    painter->setBrush(Qt::white);
    painter->drawRect(boxRect);
    if (mPlottable->visible()) {
      painter->drawLine(QPointF(boxRect.left() + 2, boxRect.center().y()),
                        QPointF(boxRect.center().x(), boxRect.bottom() - 2));
      painter->drawLine(QPointF(boxRect.center().x(), boxRect.bottom() - 2),
                        QPointF(boxRect.right() - 1, boxRect.top() + 2));
    }
    // The base item draws icon and name; shifted past the box.
    painter->save();
    painter->translate(box + gap, 0);
    QCPPlottableLegendItem::draw(painter);
    painter->restore();
  }

  QSize minimumOuterSizeHint() const override {
    QSize s = QCPPlottableLegendItem::minimumOuterSizeHint();
    s.rwidth() += BoxSize() + mParentLegend->iconTextPadding();
    return s;
  }
};

QCPAbstractPlottable* Series(QCustomPlot* chart, int index) {
  if (!chart || index < 0 || index >= chart->plottableCount()) return nullptr;
  return chart->plottable(index);
}

void MarkManual(QCPAxis* axis) {
  axis->setProperty(kAutoProperty, false);
  axis->setProperty(kAutoMaxProperty, false);
}

QList<QCPAxis*> ChartAxes(QCustomPlot* chart) {
  return {chart->xAxis, chart->yAxis, chart->xAxis2, chart->yAxis2};
}

// The popup menu of the holder window, or none when no holder exists.
TUnitPomDlg* Holder() {
  return UnitPomDlg;
}

}  // namespace

// Weight bars.

WeightBars::WeightBars(QCPAxis* keyAxis, QCPAxis* valueAxis)
    : QCPAbstractPlottable(keyAxis, valueAxis) {
  setSelectable(QCP::stSingleData);
}

double WeightBars::selectTest(const QPointF& pos, bool onlySelectable, QVariant* details) const {
  if ((onlySelectable && mSelectable == QCP::stNone) || bars_.empty()) return -1;
  if (!mKeyAxis || !mValueAxis) return -1;
  if (!mKeyAxis->axisRect()->rect().contains(pos.toPoint())) return -1;
  double best = -1;
  int bestIndex = -1;
  const QCPVector2D p(pos);
  for (int i = 0; i < Count(); ++i) {
    const QCPVector2D a(coordsToPixels(bars_[i].x, bars_[i].start));
    const QCPVector2D b(coordsToPixels(bars_[i].x, bars_[i].end));
    const double d = std::sqrt(p.distanceSquaredToLine(a, b));
    if (bestIndex < 0 || d < best) best = d, bestIndex = i;
  }
  if (best > mParentPlot->selectionTolerance()) return -1;
  if (details) details->setValue(QCPDataSelection(QCPDataRange(bestIndex, bestIndex + 1)));
  return best;
}

QCPRange WeightBars::getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain) const {
  QCPRange r;
  foundRange = false;
  for (const Bar& b : bars_) {
    if ((inSignDomain == QCP::sdPositive && b.x <= 0) ||
        (inSignDomain == QCP::sdNegative && b.x >= 0))
      continue;
    if (!foundRange) r = QCPRange(b.x, b.x), foundRange = true;
    r.expand(b.x);
  }
  return r;
}

QCPRange WeightBars::getValueRange(bool& foundRange, QCP::SignDomain inSignDomain,
                                   const QCPRange& inKeyRange) const {
  QCPRange r;
  foundRange = false;
  const bool allKeys = inKeyRange == QCPRange();
  for (const Bar& b : bars_) {
    if (!allKeys && !inKeyRange.contains(b.x)) continue;
    for (double v : {b.start, b.end}) {
      if ((inSignDomain == QCP::sdPositive && v <= 0) ||
          (inSignDomain == QCP::sdNegative && v >= 0))
        continue;
      if (!foundRange) r = QCPRange(v, v), foundRange = true;
      r.expand(v);
    }
  }
  return r;
}

void WeightBars::draw(QCPPainter* painter) {
  if (bars_.empty()) return;
  applyDefaultAntialiasingHint(painter);
  QPen pen = mPen;
  pen.setCapStyle(Qt::FlatCap);
  painter->setPen(pen);
  const QCPRange keys = mKeyAxis->range();
  for (const Bar& b : bars_) {
    if (!keys.contains(b.x)) continue;
    painter->drawLine(coordsToPixels(b.x, b.start), coordsToPixels(b.x, b.end));
  }
}

void WeightBars::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
  QPen pen = mPen;
  pen.setCapStyle(Qt::FlatCap);
  painter->setPen(pen);
  painter->drawLine(QPointF(rect.center().x(), rect.top() + 1),
                    QPointF(rect.center().x(), rect.bottom() - 1));
}

// Series.

void SetSeriesTag(QCPAbstractPlottable* series, int tag) {
  series->setProperty(kTagProperty, tag);
}

int SeriesTag(const QCPAbstractPlottable* series) {
  return series ? series->property(kTagProperty).toInt() : 0;
}

void ShowInLegend(QCPAbstractPlottable* series, bool shown) {
  QCPLegend* legend = series->parentPlot()->legend;
  series->removeFromLegend();
  if (!shown) return;
  auto* item = new CheckLegendItem(legend, series);
  item->setTextColor(series->pen().color());
  legend->addItem(item);
}

void SetSeriesActive(QCPAbstractPlottable* series, bool active) {
  series->setVisible(active);
}

int AddLineSeries(QCustomPlot* chart, const QColor& colour) {
  auto* graph = new QCPGraph(chart->xAxis, chart->yAxis);
  graph->setLineStyle(QCPGraph::lsLine);
  graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  const int index = chart->plottableCount() - 1;
  SetSeriesColor(chart, index, colour);
  SetSeriesTag(graph, 0);
  SetSeriesActive(graph, true);
  ShowInLegend(graph, true);
  return index;
}

int AddMarkedLineSeries(QCustomPlot* chart, const QColor& colour, int markerStyle, int size) {
  static const QCPScatterStyle::ScatterShape kShapes[12] = {
      QCPScatterStyle::ssSquare,   QCPScatterStyle::ssCircle,
      QCPScatterStyle::ssTriangle, QCPScatterStyle::ssTriangleInverted,
      QCPScatterStyle::ssPlus,     QCPScatterStyle::ssCross,
      QCPScatterStyle::ssStar,     QCPScatterStyle::ssDiamond,
      QCPScatterStyle::ssDot,      QCPScatterStyle::ssNone,
      QCPScatterStyle::ssTriangle, QCPScatterStyle::ssTriangle};
  const int index = AddLineSeries(chart, colour);
  auto* graph = qobject_cast<QCPGraph*>(chart->plottable(index));
  const auto shape =
      markerStyle >= 0 && markerStyle < 12 ? kShapes[markerStyle] : QCPScatterStyle::ssSquare;
  graph->setScatterStyle(QCPScatterStyle(shape, colour, colour, size));
  return index;
}

int AddLabelSeries(QCustomPlot* chart, const QColor& colour) {
  auto* graph = new QCPGraph(chart->xAxis, chart->yAxis);
  graph->setLineStyle(QCPGraph::lsNone);
  const int index = chart->plottableCount() - 1;
  SetSeriesColor(chart, index, colour);
  graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  SetSeriesTag(graph, 0);
  ShowInLegend(graph, false);
  return index;
}

void SetSeriesColor(QCustomPlot* chart, int index, const QColor& colour) {
  QCPAbstractPlottable* s = Series(chart, index);
  if (!s) return;
  QPen pen = s->pen();
  pen.setColor(colour);
  s->setPen(pen);
  if (auto* graph = qobject_cast<QCPGraph*>(s)) {
    QCPScatterStyle style = graph->scatterStyle();
    style.setPen(QPen(colour));
    style.setBrush(colour);
    graph->setScatterStyle(style);
  } else if (qobject_cast<WeightBars*>(s) || qobject_cast<QCPBars*>(s)) {
    s->setBrush(colour);
  }
  if (QCPPlottableLegendItem* item = chart->legend->itemWithPlottable(s))
    item->setTextColor(colour);
}

void SetSeriesLineStyle(QCustomPlot* chart, int index, int style) {
  static const Qt::PenStyle kStyles[6] = {Qt::NoPen,   Qt::SolidLine,   Qt::DashLine,
                                          Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
  QCPAbstractPlottable* s = Series(chart, index);
  if (!s || style < 0 || style > 5) return;
  if (!qobject_cast<QCPGraph*>(s) && !qobject_cast<QCPCurve*>(s) && !qobject_cast<WeightBars*>(s) &&
      !qobject_cast<QCPBars*>(s))
    return;
  QPen pen = s->pen();
  pen.setStyle(kStyles[style]);
  s->setPen(pen);
}

void ClearChartSeries(QCustomPlot* chart) {
  for (int i = chart->plottableCount() - 1; i >= 0; --i) chart->removePlottable(i);
}

int SeriesCount(const QCPAbstractPlottable* series) {
  if (auto* g = qobject_cast<const QCPGraph*>(series)) return g->dataCount();
  if (auto* c = qobject_cast<const QCPCurve*>(series)) return c->dataCount();
  if (auto* b = qobject_cast<const WeightBars*>(series)) return b->Count();
  return 0;
}

// Axes.

bool IsAxisAutomatic(const QCPAxis* axis) {
  const QVariant v = axis->property(kAutoProperty);
  return !v.isValid() || v.toBool();
}

bool IsAxisAutoMaximum(const QCPAxis* axis) {
  return axis->property(kAutoMaxProperty).toBool();
}

void FitAutomaticAxes(QCustomPlot* chart) {
  for (QCPAxis* axis : ChartAxes(chart)) {
    const bool automatic = IsAxisAutomatic(axis);
    if (!automatic && !IsAxisAutoMaximum(axis)) continue;
    bool any = false;
    for (QCPAbstractPlottable* p : axis->plottables()) {
      if (!p->visible()) continue;
      bool found = false;
      if (p->keyAxis() == axis)
        p->getKeyRange(found);
      else
        p->getValueRange(found);
      any = any || found;
    }
    if (!any) continue;
    const QCPRange old = axis->range();
    axis->rescale(true);
    if (!automatic) {
      const double top = axis->range().upper;
      axis->setRange(old.lower, top > old.lower ? top : old.upper);
    }
  }
}

void InstallSeriesChart(QCustomPlot* chart) {
  chart->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  chart->legend->setIconSize(18, 9);
  QObject::connect(chart, &QCustomPlot::beforeReplot, chart, [chart] { FitAutomaticAxes(chart); });
  // Dragging or zooming sets the range by hand, as the menu's "Manual" does.
  QObject::connect(chart, &QCustomPlot::mouseMove, chart, [chart](QMouseEvent* e) {
    if (e->buttons() & Qt::LeftButton)
      for (Qt::Orientation o : {Qt::Horizontal, Qt::Vertical})
        for (QCPAxis* axis : chart->axisRect()->rangeDragAxes(o)) MarkManual(axis);
  });
  QObject::connect(chart, &QCustomPlot::mouseWheel, chart, [chart](QWheelEvent*) {
    for (Qt::Orientation o : {Qt::Horizontal, Qt::Vertical})
      for (QCPAxis* axis : chart->axisRect()->rangeZoomAxes(o)) MarkManual(axis);
  });
  QObject::connect(chart, &QCustomPlot::legendClick, chart,
                   [chart](QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent*) {
                     auto* entry = dynamic_cast<QCPPlottableLegendItem*>(item);
                     if (!entry) return;
                     SetSeriesActive(entry->plottable(), !entry->plottable()->visible());
                     chart->replot();
                   });
}

void PlaceLegendBelowPlot(QCustomPlot* chart) {
  QCPLegend* legend = chart->legend;
  if (chart->axisRect()->insetLayout()->take(legend)) chart->axisRect()->insetLayout()->simplify();
  chart->plotLayout()->addElement(1, 0, legend);
  chart->plotLayout()->setRowStretchFactor(1, 0.001);
  chart->plotLayout()->setRowSpacing(0);
  legend->setMargins(QMargins(4, 0, 4, 3));
  legend->setRowSpacing(0);
  legend->setColumnSpacing(6);
  legend->setWrap(1);
  legend->setFillOrder(QCPLayoutGrid::foColumnsFirst, true);
  legend->setProperty(kBelowPlotProperty, true);
  QObject::connect(chart, &QCustomPlot::beforeReplot, chart, [chart] { FitLegendColumns(chart); });
}

void FitLegendColumns(QCustomPlot* chart) {
  QCPLegend* legend = chart->legend;
  if (!legend->property(kBelowPlotProperty).toBool()) return;
  const int count = legend->itemCount();
  // An empty legend would cap the plot's width at its own, so it leaves the layout.
  QCPLayoutGrid* layout = chart->plotLayout();
  if (count == 0) {
    if (legend->layout() == layout) {
      layout->take(legend);
      layout->simplify();
    }
    return;
  }
  if (legend->layout() != layout) layout->addElement(1, 0, legend);
  layout->setRowStretchFactor(1, 0.001);
  int widest = 1;
  for (int i = 0; i < count; ++i)
    if (QCPAbstractLegendItem* item = legend->item(i))
      widest = std::max(widest, item->minimumOuterSizeHint().width());
  // The margins lie inside the legend's frame; two pixels for the frame itself.
  const int room = chart->width() - legend->margins().left() - legend->margins().right() - 2;
  const int spacing = legend->columnSpacing();
  const int columns =
      std::max(1, std::min(std::max(count, 1), (room + spacing) / (widest + spacing)));
  if (legend->wrap() == columns) return;
  legend->setWrap(columns);
  legend->setFillOrder(QCPLayoutGrid::foColumnsFirst, true);
}

void FitTickCount(QCPAxis* axis) {
  if (axis->scaleType() == QCPAxis::stLogarithmic) return;
  const QCPRange r = axis->range();
  const QFontMetrics metrics(axis->tickLabelFont());
  int widest = 0;
  for (double v : {r.lower, r.upper, (r.lower + r.upper) / 2, -r.upper})
    widest = std::max(
        widest, metrics.horizontalAdvance(QLocale::c().toString(v, 'g', axis->numberPrecision())));
  const int length = axis->orientation() == Qt::Horizontal ? axis->axisRect()->width()
                                                           : axis->axisRect()->height();
  const int label = axis->orientation() == Qt::Horizontal ? widest : metrics.height();
  // A readable step can be up to 1.5 times finer than range / count, so a label needs room for
  // one and a half of itself plus a gap.
  const int count = std::clamp(static_cast<int>(length / (1.5 * (label + 10))), 1, 5);
  if (axis->ticker()->tickCount() != count) axis->ticker()->setTickCount(count);
}

void SetAxisRange(QCPAxis* axis, double min, double max) {
  if (!(max > min)) return;
  if (axis->scaleType() == QCPAxis::stLogarithmic && !(min > 0 && max > 0)) return;
  MarkManual(axis);
  axis->setRange(min, max);
}

void DoubleAxisRange(QCPAxis* axis) {
  const QCPRange r = axis->range();
  const double h = (r.upper - r.lower) / 2;
  SetAxisRange(axis, r.lower - h, r.upper + h);
}

void ResetAxis(QCPAxis* axis) {
  axis->setProperty(kAutoProperty, true);
  axis->setProperty(kAutoMaxProperty, false);
}

void ResetAxisMaximum(QCPAxis* axis) {
  axis->setProperty(kAutoProperty, false);
  axis->setProperty(kAutoMaxProperty, true);
}

void ResetAllAxes(QCustomPlot* chart) {
  for (QCPAxis* axis : ChartAxes(chart)) ResetAxis(axis);
}

void AskAxisRange(QCPAxis* axis) {
  const QCPRange r = axis->range();
  QString value =
      QString::fromStdString(quarnel::FormatG(r.lower, 6) + " " + quarnel::FormatG(r.upper, 6));
  QWidget* parent = axis->parentPlot() ? axis->parentPlot()->window() : nullptr;
  if (!CurrentDialogs().InputText(parent, "Set axis minimum and maximum", "Minimum Maximum", value))
    return;
  std::string text = value.toStdString();
  quarnel::NormalizeSpaces(text);
  if (text.empty()) {
    ResetAxis(axis);
    return;
  }
  std::string w1, w2;
  quarnel::CutToken(text, w1, ' ');
  quarnel::CutToken(text, w2, ' ');
  double min = 0, max = 0;
  if (!quarnel::ReadNumber(w1, min)) return;
  bool autoMax = false;
  if (!quarnel::ReadNumber(w2, max)) {
    max = std::max(min + 1, r.upper);
    autoMax = true;
  }
  if (!(max > min)) return;
  SetAxisRange(axis, min, max);
  if (autoMax) axis->setProperty(kAutoMaxProperty, true);
}

void ToggleLogAxis(QCPAxis* axis) {
  // The ticker in use before the axis went logarithmic (a text ticker, for example).
  static QHash<const QCPAxis*, QSharedPointer<QCPAxisTicker>> linearTickers;
  if (axis->scaleType() == QCPAxis::stLogarithmic) {
    axis->setScaleType(QCPAxis::stLinear);
    QSharedPointer<QCPAxisTicker> saved = linearTickers.take(axis);
    axis->setTicker(saved ? saved : QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    return;
  }
  if (!(axis->range().lower > 0)) return;
  linearTickers.insert(axis, axis->ticker());
  axis->setScaleType(QCPAxis::stLogarithmic);
  axis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTickerLog));
}

void PopupChartMenu(int x, int y) {
  TUnitPomDlg* pom = Holder();
  if (!pom || !MenuChart) return;
  pom->ShowChartMenu(MenuChart, QPoint(x, y));
  QCoreApplication::processEvents();
}

bool PointInPlotRect(QWidget* window, QCustomPlot* chart, int x, int margin, int y) {
  Q_UNUSED(window);  // the chart's own mapping to the screen already includes the window
  const QRect plot = chart->axisRect()->rect();
  const QPoint topLeft = chart->mapToGlobal(plot.topLeft());
  const int L = topLeft.x() + margin;
  const int T = topLeft.y() + margin;
  return L < x && x < L + plot.width() - margin && T < y && y < T + plot.height() - margin;
}

// Status bar and wait.

namespace {
QLabel* Panel(QStatusBar* bar, int index) {
  return bar ? bar->findChild<QLabel*>(QString("Panel%1").arg(index)) : nullptr;
}
}  // namespace

int SetStatusPanelFit(QStatusBar* bar, int index, const QString& text) {
  QLabel* panel = Panel(bar, index);
  if (!panel) return 0;
  QString shown = " " + text + " ";
  int width = 0;
  if (TUnitPomDlg* pom = Holder()) {
    width = pom->TextWidth(panel->font(), shown) + 8;
  } else {
    width = panel->fontMetrics().horizontalAdvance(shown) + 8;
  }
  // Wider than the bar leaves, the text would run under the next panels (the counts of a
  // 16-orbital run): it is shortened, and the panel's tip holds all of it.
  panel->setToolTip(QString());
  if (bar->isVisible()) {
    int others = 12;
    for (QWidget* w : bar->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
      if (w != panel && w->isVisible() && !w->inherits("QSizeGrip")) others += w->width() + 4;
    // However little room is left: a panel wider than it would lie over its neighbours.
    const int room = std::max(24, bar->width() - others);
    if (width > room) {
      width = room;
      shown = panel->fontMetrics().elidedText(shown, Qt::ElideRight, room - 8);
      panel->setToolTip(text);
    }
  }
  int result = 0;
  if (panel->width() != width) {
    panel->setFixedWidth(width);
    result = width;
  }
  panel->setText(shown);
  return result;
}

void SetStatusPanel(QStatusBar* bar, int index, const QString& text) {
  if (QLabel* panel = Panel(bar, index)) panel->setText(" " + text + " ");
}

void DelayWithMessages(unsigned ms) {
  if (ms == 0) return;
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() <= static_cast<qint64>(ms)) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    QThread::msleep(1);
  }
}
