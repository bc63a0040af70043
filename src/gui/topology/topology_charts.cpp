// SPDX-License-Identifier: GPL-3.0-or-later
#include "topology/topology_charts.h"

#include <qcustomplot.h>

#include <initializer_list>
#include <utility>

#include <algorithm>
#include <cmath>
#include <limits>

#include "bands/brillouin_zone.h"
#include "bands/special_points.h"
#include "widgets/zone_chart.h"

namespace {

constexpr int kWeightBins = 20;
constexpr double kClickPixels = 12;

QCPColorGradient GradientOf(std::initializer_list<std::pair<double, QColor>> stops) {
  QCPColorGradient g;
  g.clearColorStops();
  for (const auto& [at, colour] : stops) g.setColorStopAt(at, colour);
  g.setColorInterpolation(QCPColorGradient::ciRGB);
  return g;
}

// Grey for bulk states, through orange to dark red for states on the edge cells.
QCPColorGradient EdgeGradient() {
  return GradientOf({{0, QColor(175, 175, 185)},
                     {0.3, QColor(120, 150, 230)},
                     {0.6, QColor(240, 140, 30)},
                     {1, QColor(170, 0, 0)}});
}

// Blue for negative curvature, white for none, red for positive: the sign reads at a glance and
// the zone's marks stay visible where the curvature vanishes.
QCPColorGradient SignedGradient() {
  return GradientOf({{0, QColor(20, 40, 150)},
                     {0.25, QColor(90, 140, 230)},
                     {0.5, QColor(255, 255, 255)},
                     {0.75, QColor(240, 120, 90)},
                     {1, QColor(150, 10, 20)}});
}

QString Axis(int d) {
  return QString("a%1").arg(d + 1);
}

// Ticks at the thirds of the path 0..2, where the hexagonal corners project; with a model, the
// corners K and K' of its zone are named under the tick they fall on along direction `along`.
QSharedPointer<QCPAxisTickerText> ThirdsTicker(const quarnel::LatticeModel* m = nullptr,
                                               int along = -1) {
  QStringList labels = {"0", "1/3", "2/3", "1", "4/3", "5/3", "2"};
  if (m && along >= 0) {
    const quarnel::SpecialPointNamer namer(*m);
    for (const quarnel::SpecialPoint& p : namer.Points()) {
      if (p.name != "K" && p.name != "K'") continue;
      const double k = p.k[along] - 2 * std::floor(p.k[along] / 2);  // into 0..2
      const int third = static_cast<int>(std::lround(3 * k));
      if (std::fabs(3 * k - third) > 1e-6) continue;
      const QString name = p.name == "K" ? "K" : QString::fromUtf8("K\xE2\x80\xB2");
      for (int t : {third, third == 0 ? 6 : -1})
        if (t >= 0) labels[t] += "\n" + name;
    }
  }
  QSharedPointer<QCPAxisTickerText> t(new QCPAxisTickerText);
  for (int i = 0; i <= 6; ++i) t->addTick(i / 3.0, labels[i]);
  return t;
}

void DotGraph(QCustomPlot* chart, const QColor& colour, QCPScatterStyle::ScatterShape shape,
              double size) {
  QCPGraph* g = chart->addGraph();
  g->setLineStyle(QCPGraph::lsNone);
  g->setScatterStyle(QCPScatterStyle(shape, colour, colour, size));
  g->setPen(QPen(colour));
}

}  // namespace

void DrawFlowChart(QCustomPlot* chart, const FlowPart& f) {
  chart->clearGraphs();
  chart->legend->setVisible(false);
  chart->yAxis->setRange(0, 1);
  chart->xAxis->setRange(0, 2);
  chart->xAxis->setTicker(ThirdsTicker());
  const bool shown = f.why.empty() && f.ok && f.periodic >= 2 && !f.flow.centres.empty();
  if (!shown) {
    chart->xAxis->setLabel("k");
    chart->yAxis->setLabel("Wannier centre");
    chart->replot();
    return;
  }
  const int d = f.flow.dir, other = f.flow.other;
  chart->xAxis->setLabel(QString("k along b%1 (k numbers: 2 crosses the zone)").arg(other + 1));
  chart->yAxis->setLabel(QString("Wannier centre along %1 (fraction of %1)").arg(Axis(d)));
  DotGraph(chart, QColor(20, 60, 160), QCPScatterStyle::ssDisc, 5);
  chart->graph(0)->setName("centres of the occupied bands");
  for (std::size_t i = 0; i < f.flow.k.size(); ++i)
    for (double c : f.flow.centres[i]) chart->graph(0)->addData(f.flow.k[i], c);
  if (f.occupied > 1) {
    DotGraph(chart, QColor(200, 30, 30), QCPScatterStyle::ssCross, 6);
    chart->graph(1)->setName("their sum (mod 1)");
    for (std::size_t i = 0; i < f.flow.k.size(); ++i)
      chart->graph(1)->addData(f.flow.k[i], f.flow.berry[i] / (2 * M_PI));
    chart->legend->setVisible(true);
  }
  chart->replot();
}

CurvatureChart MakeCurvatureChart(QCustomPlot* chart) {
  CurvatureChart c;
  c.chart = chart;
  c.map = new QCPColorMap(chart->xAxis, chart->yAxis);
  c.map->setInterpolate(true);
  c.map->setGradient(SignedGradient());
  c.scale = new QCPColorScale(chart);
  chart->plotLayout()->addElement(0, 1, c.scale);
  c.scale->setType(QCPAxis::atRight);
  c.scale->setGradient(c.map->gradient());
  c.scale->axis()->setLabel(QString::fromUtf8("Berry curvature \xCE\xA9 (length unit\xC2\xB2)"));
  c.map->setColorScale(c.scale);
  auto* group = new QCPMarginGroup(chart);
  chart->axisRect()->setMarginGroup(QCP::msBottom | QCP::msTop, group);
  c.scale->setMarginGroup(QCP::msBottom | QCP::msTop, group);
  c.outline = new QCPCurve(chart->xAxis, chart->yAxis);
  c.outline->setPen(QPen(Qt::black, 1.5));
  chart->xAxis->setLabel("kx (2\xCF\x80 / length unit)");
  chart->yAxis->setLabel("ky (2\xCF\x80 / length unit)");
  return c;
}

bool DrawCurvatureChart(const CurvatureChart& c, const FlowPart& f,
                        const quarnel::LatticeModel& m) {
  const quarnel::ChernPlaquettes& p = f.plaquettes;
  const bool inPlane = f.periodic >= 2 && f.dirs[0] == 0 && f.dirs[1] == 1;
  const std::vector<double> value = inPlane && f.ok
                                        ? CurvatureOnMapGrid(p.curvature, p.n, f.plaquetteArea)
                                        : std::vector<double>();
  if (value.empty()) {
    c.map->data()->clear();
    c.outline->data()->clear();
    DrawZoneMarks(c.chart, {});
    c.chart->replot();
    return false;
  }
  const quarnel::ZoneSlice zone = quarnel::FirstZoneSlice(m, 0);
  SetZoneColorMap(c.map, ZoneRasterOf(zone, value, p.n));
  double top = 0;
  for (double v : value)
    if (std::isfinite(v)) top = std::max(top, std::fabs(v));
  if (top <= 0) top = 1;
  c.map->setDataRange(QCPRange(-top, top));  // white is no curvature
  DrawZoneOutline(c.outline, zone);
  DrawZoneMarks(c.chart, quarnel::ZoneSpecialPoints(m, zone, 0));
  FitCurvatureChart(c, m);
  return true;
}

void FitCurvatureChart(const CurvatureChart& c, const quarnel::LatticeModel& m) {
  if (c.outline->dataCount() == 0) return;
  c.chart->replot();  // the axis rect gets its size for this layout first
  FitZoneAxes(c.chart, quarnel::FirstZoneSlice(m, 0));
  c.chart->replot();
}

QCPColorScale* MakeBandChart(QCustomPlot* chart) {
  auto* scale = new QCPColorScale(chart);
  chart->plotLayout()->addElement(1, 0, scale);
  scale->setType(QCPAxis::atBottom);
  scale->setGradient(EdgeGradient());
  scale->setDataRange(QCPRange(0, 1));
  scale->setBarWidth(10);
  scale->axis()->setLabel("weight of the state on the edge cells (bulk 0, edge 1)");
  chart->yAxis->setLabel("energy");
  return scale;
}

void DrawBandChart(QCustomPlot* chart, const RibbonPart& r, int selected,
                   const quarnel::LatticeModel& m) {
  chart->clearGraphs();
  QCPColorGradient gradient = EdgeGradient();  // color() is not const
  const bool finite = r.ok && r.k.empty();
  for (int b = 0; b < kWeightBins; ++b) {
    const QColor colour = QColor::fromRgb(gradient.color((b + 0.5) / kWeightBins, QCPRange(0, 1)));
    DotGraph(chart, colour, QCPScatterStyle::ssDisc, finite ? 6 : 4);
  }
  const auto add = [&](double x, double e, double w) {
    const int b = std::clamp(static_cast<int>(w * kWeightBins), 0, kWeightBins - 1);
    chart->graph(b)->addData(x, e);
  };
  if (finite) {
    const std::vector<double>& e = r.spectrum.energies;
    for (std::size_t s = 0; s < e.size(); ++s) add(s + 1.0, e[s], r.edge[0][s]);
    chart->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    chart->xAxis->setLabel("level (1 = lowest); click a level for its |\xCF\x88|\xC2\xB2");
    if (selected >= 0 && selected < static_cast<int>(e.size())) {
      QCPGraph* ring = chart->addGraph();
      ring->setLineStyle(QCPGraph::lsNone);
      ring->setScatterStyle(
          QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::black, 1.5), Qt::NoBrush, 14));
      ring->setName("selected");
      chart->graph(kWeightBins)->addData(selected + 1.0, e[selected]);
    }
    chart->xAxis->setRange(0, e.size() + 1.0);
  } else if (r.ok) {
    for (std::size_t i = 0; i < r.k.size(); ++i)
      for (std::size_t s = 0; s < r.energies[i].size(); ++s)
        add(r.k[i], r.energies[i][s], r.edge[i][s]);
    chart->xAxis->setTicker(ThirdsTicker(&m, r.along));
    chart->xAxis->setLabel(QString("k along b%1 (k numbers: 1 = zone boundary)").arg(r.along + 1));
    chart->xAxis->setRange(0, 2);
  }
  bool found = false;
  QCPRange e;
  for (int b = 0; b < chart->graphCount(); ++b) {
    bool f = false;
    const QCPRange range = chart->graph(b)->getValueRange(f);
    if (!f) continue;
    e = found ? QCPRange(std::min(e.lower, range.lower), std::max(e.upper, range.upper)) : range;
    found = true;
  }
  if (found) {
    const double pad = std::max(0.05 * e.size(), 0.05);
    chart->yAxis->setRange(e.lower - pad, e.upper + pad);
  }
  chart->replot();
}

int LevelAt(QCustomPlot* chart, const RibbonPart& r, const QPointF& at) {
  if (!r.ok || !r.k.empty()) return -1;
  int best = -1;
  double bestDistance = kClickPixels;
  const std::vector<double>& e = r.spectrum.energies;
  for (std::size_t s = 0; s < e.size(); ++s) {
    const double x = chart->xAxis->coordToPixel(s + 1.0);
    const double y = chart->yAxis->coordToPixel(e[s]);
    const double d = std::hypot(x - at.x(), y - at.y());
    if (d < bestDistance) bestDistance = d, best = static_cast<int>(s);
  }
  return best;
}
