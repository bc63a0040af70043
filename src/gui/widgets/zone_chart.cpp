// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/zone_chart.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

#include "pictures/orbital_cells.h"

namespace {

const char* const kMarkTag = "zoneMark";

}  // namespace

ZoneRasterGrid ZoneRasterOf(const quarnel::ZoneSlice& zone, const std::vector<double>& value, int n,
                            int pixels) {
  ZoneRasterGrid r;
  if (zone.outline.empty() || pixels < 2) return r;
  const double w = zone.x1 - zone.x0, hgt = zone.y1 - zone.y0;
  r.h = std::max(w, hgt) / (pixels - 1);
  r.nx = static_cast<int>(std::ceil(w / r.h)) + 1;
  r.ny = static_cast<int>(std::ceil(hgt / r.h)) + 1;
  r.x0 = (zone.x0 + zone.x1) / 2 - (r.nx - 1) * r.h / 2;
  r.y0 = (zone.y0 + zone.y1) / 2 - (r.ny - 1) * r.h / 2;
  r.value = quarnel::ZoneRaster(zone, value, n, r.nx, r.ny, r.x0, r.y0, r.h);
  return r;
}

void SetZoneColorMap(QCPColorMap* map, const ZoneRasterGrid& r) {
  QCPColorGradient gradient = map->gradient();
  gradient.setNanHandling(QCPColorGradient::nhTransparent);
  map->setGradient(gradient);
  map->data()->setSize(r.nx, r.ny);
  map->data()->setRange(QCPRange(r.x0, r.x0 + (r.nx - 1) * r.h),
                        QCPRange(r.y0, r.y0 + (r.ny - 1) * r.h));
  for (int j = 0; j < r.ny; ++j)
    for (int i = 0; i < r.nx; ++i)
      map->data()->setCell(i, j, r.value[static_cast<std::size_t>(j) * r.nx + i]);
}

void FitZoneAxes(QCustomPlot* chart, const quarnel::ZoneSlice& zone) {
  if (zone.outline.empty()) return;
  const QRect area = chart->axisRect()->rect();
  const double pad = 0.04 * std::max(zone.x1 - zone.x0, zone.y1 - zone.y0);
  const quarnel::AxisFit fit =
      quarnel::EqualAspectRanges(zone.x0 - pad, zone.x1 + pad, zone.y0 - pad, zone.y1 + pad,
                                 std::max(1, area.height()), std::max(1, area.width()));
  if (!fit.fixed) return;
  // The same spans, centred on the zone.
  const double cx = (zone.x0 + zone.x1) / 2, cy = (zone.y0 + zone.y1) / 2;
  const double wx = (fit.x1 - fit.x0) / 2, wy = (fit.y1 - fit.y0) / 2;
  chart->xAxis->setRange(cx - wx, cx + wx);
  chart->yAxis->setRange(cy - wy, cy + wy);
}

void DrawZoneOutline(QCPCurve* curve, const quarnel::ZoneSlice& zone) {
  QVector<double> t, x, y;
  for (std::size_t i = 0; i <= zone.outline.size() && !zone.outline.empty(); ++i) {
    const quarnel::ZonePoint& p = zone.outline[i % zone.outline.size()];
    t.push_back(t.size());
    x.push_back(p.x);
    y.push_back(p.y);
  }
  curve->setData(t, x, y, true);
}

QString ZoneMarkLabel(const std::string& name) {
  if (name == "G") return QString::fromUtf8("\xCE\x93");
  return QString::fromStdString(name);
}

void DrawZoneMarks(QCustomPlot* chart, const std::vector<quarnel::ZoneMark>& marks) {
  for (int i = chart->itemCount() - 1; i >= 0; --i)
    if (chart->item(i)->property(kMarkTag).toBool()) chart->removeItem(i);
  for (const quarnel::ZoneMark& m : marks) {
    auto* dot = new QCPItemTracer(chart);  // a circle of fixed pixel size at any scale
    dot->setProperty(kMarkTag, true);
    dot->setStyle(QCPItemTracer::tsCircle);
    dot->setSize(7);
    dot->setPen(QPen(Qt::black));
    dot->setBrush(Qt::white);
    dot->position->setCoords(m.at.x, m.at.y);
    auto* text = new QCPItemText(chart);
    text->setProperty(kMarkTag, true);
    text->position->setCoords(m.at.x, m.at.y);
    text->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
    text->setPadding(QMargins(4, 0, 0, 2));
    text->setText(ZoneMarkLabel(m.name));
    text->setFont(QFont(chart->font().family(), 10, QFont::Bold));
  }
}
