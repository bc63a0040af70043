// SPDX-License-Identifier: GPL-3.0-or-later
// The k map's plane: the square of k numbers for the table forms, and for a crystal its first
// Brillouin zone in Cartesian k, the computed cell tiled into it, with the zone's outline and
// special points.

#include <qcustomplot.h>

#include <cmath>

#include "bandwindows/kmap_window.h"
#include "widgets/chart_helpers.h"
#include "widgets/zone_chart.h"

void TKMapDlg::ShowPlane(const std::vector<double>& value) {
  const bool crystal = lattice_ != nullptr;
  if (!zoneLine_) {
    zoneLine_ = new QCPCurve(Chart->xAxis, Chart->yAxis);
    zoneLine_->setPen(QPen(Qt::black, 1.5));
    zoneLine_->setScatterStyle(QCPScatterStyle::ssNone);
    zoneLine_->removeFromLegend();
  }
  squarePoints_->setVisible(!crystal);
  for (QCPAbstractItem* mark : squareMarks_) mark->setVisible(!crystal);
  if (!crystal) {
    const int side = grid_.Side();
    Map->data()->setSize(side, side);
    Map->data()->setRange(QCPRange(-1, 1), QCPRange(-1, 1));
    for (int iy = 0; iy < side; ++iy)
      for (int ix = 0; ix < side; ++ix)
        Map->data()->setCell(ix, iy, value[static_cast<std::size_t>(iy) * side + ix]);
    zoneLine_->data()->clear();
    DrawZoneMarks(Chart, {});
    Chart->xAxis->setLabel("kx");
    Chart->yAxis->setLabel("ky");
    return;
  }
  zone_ = quarnel::FirstZoneSlice(*lattice_, grid_.kz);
  SetZoneColorMap(Map, ZoneRasterOf(zone_, value, grid_.n));
  DrawZoneOutline(zoneLine_, zone_);
  DrawZoneMarks(Chart, quarnel::ZoneSpecialPoints(*lattice_, zone_, grid_.kz));
  Chart->xAxis->setLabel(QString::fromUtf8("qx (2\u03C0 / length unit)"));
  Chart->yAxis->setLabel(QString::fromUtf8("qy (2\u03C0 / length unit)"));
  if (IsAxisAutomatic(Chart->xAxis) && IsAxisAutomatic(Chart->yAxis)) FitZoneAxes(Chart, zone_);
}

void TKMapDlg::PlaceLine(const std::vector<quarnel::ContourPoint>& line, QVector<double>& t,
                         QVector<double>& x, QVector<double>& y) const {
  const auto end = [&] {
    if (!x.isEmpty() && std::isnan(x.back())) return;
    t.push_back(t.size());
    x.push_back(std::nan(""));
    y.push_back(std::nan(""));
  };
  if (!lattice_) {
    for (const quarnel::ContourPoint& p : line) {
      t.push_back(t.size());
      x.push_back(p.x);
      y.push_back(p.y);
    }
    end();
    return;
  }
  // The computed cell is one period along each periodic direction (k numbers -1..1): its images
  // one period away fill the rest of the zone. A line is broken where it leaves the zone.
  for (int sx = -1; sx <= 1; ++sx)
    for (int sy = -1; sy <= 1; ++sy) {
      if ((sx != 0 && !zone_.periodic[0]) || (sy != 0 && !zone_.periodic[1])) continue;
      for (const quarnel::ContourPoint& p : line) {
        const quarnel::ZonePoint z = quarnel::ZonePointOfK(zone_, p.x + 2 * sx, p.y + 2 * sy);
        if (!quarnel::InsideZone(zone_, z, 1e-6)) {
          end();
          continue;
        }
        t.push_back(t.size());
        x.push_back(z.x);
        y.push_back(z.y);
      }
      end();
    }
}
