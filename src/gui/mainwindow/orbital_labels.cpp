// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/orbital_labels.h"

#include <qcustomplot.h>

#include <vector>

#include "pictures/orbital_cells.h"
#include "widgets/chart_helpers.h"

const char* const kLabelShapeBox = "labelShapeBox";

QRectF TextMarkBox(const QCPItemText* mark) {
  const QPointF at = mark->position->pixelPosition();
  const QRectF text = QFontMetricsF(mark->font()).boundingRect(mark->text());
  QRectF r(at, QSizeF(text.width(), text.height()) +
                   QSizeF(mark->padding().left() + mark->padding().right() + 4,
                          mark->padding().top() + mark->padding().bottom() + 2));
  const Qt::Alignment a = mark->positionAlignment();
  r.moveLeft(a & Qt::AlignLeft    ? at.x()
             : a & Qt::AlignRight ? at.x() - r.width()
                                  : at.x() - r.width() / 2);
  r.moveTop(a & Qt::AlignTop      ? at.y()
            : a & Qt::AlignBottom ? at.y() - r.height()
                                  : at.y() - r.height() / 2);
  return r;
}

namespace {

QRectF PixelBox(const QCustomPlot* chart, const QRectF& units) {
  const QPointF a(chart->xAxis->coordToPixel(units.left()),
                  chart->yAxis->coordToPixel(units.top()));
  const QPointF b(chart->xAxis->coordToPixel(units.right()),
                  chart->yAxis->coordToPixel(units.bottom()));
  return QRectF(a, b).normalized();
}

bool Free(const QRectF& r, const std::vector<QRectF>& taken) {
  for (const QRectF& t : taken)
    if (r.intersects(t)) return false;
  return true;
}

}  // namespace

void PlaceWeightLabels(QCustomPlot* chart) {
  // What a label may not cover: every drawn outline and every text that is not a weight.
  std::vector<QRectF> taken;
  for (int i = 0; i < chart->plottableCount(); ++i) {
    auto* curve = qobject_cast<QCPCurve*>(chart->plottable(i));
    if (!curve || !curve->visible() || SeriesTag(curve) < 1 || curve->dataCount() == 0) continue;
    bool found = false;
    const QCPRange kx = curve->getKeyRange(found), vy = curve->getValueRange(found);
    if (!found || (kx.size() == 0 && vy.size() == 0)) continue;  // a zero weight draws a dot
    taken.push_back(
        PixelBox(chart, QRectF(QPointF(kx.lower, vy.lower), QPointF(kx.upper, vy.upper))));
  }
  std::vector<QCPItemText*> labels;
  for (int i = 0; i < chart->itemCount(); ++i) {
    auto* mark = qobject_cast<QCPItemText*>(chart->item(i));
    if (!mark || !mark->visible()) continue;
    if (mark->property(kLabelShapeBox).isValid())
      labels.push_back(mark);
    else
      taken.push_back(TextMarkBox(mark));
  }
  for (QCPItemText* mark : labels) {
    const QRectF shape = PixelBox(chart, mark->property(kLabelShapeBox).toRectF());
    mark->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
    mark->position->setPixelPosition(QPointF(0, 0));
    const QSizeF size = TextMarkBox(mark).size();
    const double w = size.width(), h = size.height();
    const QPointF c = shape.center();
    // Below, above, right, left of the outline, then further below and above.
    std::vector<QPointF> places = {{c.x() - w / 2, shape.bottom() + 1},
                                   {c.x() - w / 2, shape.top() - h - 1},
                                   {shape.right() + 1, c.y() - h / 2},
                                   {shape.left() - w - 1, c.y() - h / 2}};
    for (int step = 1; step <= 6; ++step) {
      places.push_back({c.x() - w / 2, shape.bottom() + 1 + step * h});
      places.push_back({c.x() - w / 2, shape.top() - h - 1 - step * h});
      places.push_back({shape.right() + 1 + step * w / 2, c.y() - h / 2});
    }
    QRectF chosen(places.front(), size);
    for (const QPointF& p : places)
      if (Free(QRectF(p, size), taken)) {
        chosen = QRectF(p, size);
        break;
      }
    mark->position->setPixelPosition(chosen.topLeft());
    taken.push_back(chosen);
  }
}
