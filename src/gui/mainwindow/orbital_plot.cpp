// SPDX-License-Identifier: GPL-3.0-or-later
// Orbital pictures in the bands window's orbital chart: cells with their frames, orbital outlines
// coloured by phase, weight and energy texts, the phase pictures of the PlotOrb menu, the
// eigenvector picture, highlighting and the equal-aspect axis rule. Geometry and outlines are
// core work (orbital_cells.h, orbital_outlines.h); this file only turns them into series.

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "document/model_document.h"
#include "mainwindow/main_window.h"
#include "mainwindow/orbital_labels.h"
#include "pictures/orbital_cells.h"
#include "pictures/orbital_outlines.h"
#include "support/number_text.h"
#include "support/text_utils.h"
#include "widgets/chart_helpers.h"
#include "widgets/orbital_view.h"
#include "widgets/spin_edit.h"

namespace {

// The outlines are sampled once and only scaled and moved afterwards.
quarnel::OrbitalShapes& Shapes() {
  static quarnel::OrbitalShapes shapes = {};
  return shapes;
}

// A text mark belongs to the label series whose visibility it follows.
const char* const kMarkSeries = "markSeries";

QColor Colour(const quarnel::Rgb& c) {
  return QColor(c.r, c.g, c.b);
}

// A series whose points keep their insertion order: outlines and frames.
QCPCurve* NewCurve(QCustomPlot* chart, const QColor& colour, int tag) {
  auto* curve = new QCPCurve(chart->xAxis, chart->yAxis);
  curve->setPen(QPen(colour));
  SetSeriesTag(curve, tag);
  return curve;
}

// Automatic axes follow the data, as the chart's own drawing would make them.
void ReplotOrbitalChart(QCustomPlot* chart) {
  bool any = false;
  for (int i = 0; i < chart->plottableCount(); ++i) any = any || SeriesCount(chart->plottable(i));
  if (any) {
    if (IsAxisAutomatic(chart->xAxis)) chart->xAxis->rescale();
    if (IsAxisAutomatic(chart->yAxis)) chart->yAxis->rescale();
  }
  chart->replot();
}

// The chart-unit box of orbital k (of kind t) at size c around (X0, Y0).
QRectF ShapeBox(int t, double c, double X0, double Y0) {
  const quarnel::OrbitalShapes& shapes = Shapes();
  const double a = std::fabs(c);
  QRectF box(X0, Y0, 0, 0);
  for (int lobe = 1; lobe <= 2; ++lobe)
    for (int p = 1; p <= shapes.Count(t, lobe); ++p)
      box |=
          QRectF(shapes.OrbShapeX[t][p][lobe] * a + X0, shapes.OrbShapeY[t][p][lobe] * a + Y0, 0, 0)
              .adjusted(0, 0, 1e-12, 1e-12);
  return box;
}

bool OwnsSeries(QCustomPlot* chart, QObject* series) {
  for (int i = 0; i < chart->plottableCount(); ++i)
    if (chart->plottable(i) == series) return true;
  return false;
}

}  // namespace

QCustomPlot* TFormQuarnel::OrbitalChart() const {
  return orbitals_ ? orbitals_->Chart() : nullptr;
}

void TFormQuarnel::BuildOrbitalShapes() {
  quarnel::BuildOrbitalShapes(Shapes());
  cbOrbPlot->clear();
  for (int kind = 1; kind <= quarnel::kOrbKinds; ++kind)
    cbOrbPlot->addItem(QString::fromUtf8(quarnel::OrbKindName[kind]));
  cbOrbPlot->setCurrentIndex(0);
}

void TFormQuarnel::ShowOrbitalChart() {
  if (orbitals_ && !orbitals_->Shown()) orbitals_->Show();
}

void TFormQuarnel::DrawCellFrame(double x, double y, double scale) {
  QCustomPlot* chart = OrbitalChart();
  if (!chart) return;
  QCPCurve* frame = NewCurve(chart, Qt::black, quarnel::FrameTag);
  for (const quarnel::ChartPoint& p : quarnel::CellFramePoints(x, y, scale))
    frame->addData(p.x, p.y);
}

void TFormQuarnel::DrawOrbitalShape(int k, double c, double X0, double Y0) {
  QCustomPlot* chart = OrbitalChart();
  if (!chart) return;
  const quarnel::OrbitalShapes& shapes = Shapes();
  const int t = doc_.Model().OrbPlotKind[k];
  const quarnel::LobeColours colours = quarnel::ColoursForSize(c);
  const double a = std::fabs(c);
  for (int lobe = 1; lobe <= 2; ++lobe) {
    const QColor colour = Colour(lobe == 1 ? colours.lobe1 : colours.lobe2);
    // Dotted outlines of tiny circles, no connecting line.
    QCPCurve* s = NewCurve(chart, colour, k);
    s->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, colour, colour, 1));
    SetSeriesLineStyle(chart, chart->plottableCount() - 1, 0);
    // A kind outside the tables (from a file) has no points.
    const int n = shapes.Count(t, lobe);
    for (int p = 1; p <= n; ++p)
      s->addData(shapes.OrbShapeX[t][p][lobe] * a + X0, shapes.OrbShapeY[t][p][lobe] * a + Y0);
  }
}

void TFormQuarnel::AddTextMark(QCustomPlot* chart, int series, double x, double y,
                               const QString& text, bool plain) {
  auto* graph = qobject_cast<QCPGraph*>(chart->plottable(series));
  if (graph) graph->addData(x, y);
  auto* mark = new QCPItemText(chart);
  mark->position->setCoords(x, y);
  mark->setText(text);
  mark->setProperty(kMarkSeries, QVariant::fromValue(static_cast<QObject*>(graph)));
  QFont font = mark->font();
  if (plain) {
    // Energies and phase labels: white background, no frame, no arrow.
    mark->setBrush(Qt::white);
    mark->setPen(Qt::NoPen);
    font.setPointSize(10);
  } else {
    // Weights stand just above their orbital and let its outline show through.
    mark->setBrush(QColor(255, 255, 225, 170));
    mark->setPen(QPen(Qt::gray));
    mark->setPositionAlignment(Qt::AlignBottom | Qt::AlignHCenter);
    font.setPointSize(8);
  }
  mark->setFont(font);
  mark->setPadding(QMargins(2, 1, 2, 1));
}

void TFormQuarnel::PlotCell(int cx, int cy, int amp, bool keep, int row) {
  QCustomPlot* chart = OrbitalChart();
  if (!chart) return;
  const quarnel::ModelData& model = doc_.Model();
  const quarnel::JacobiSolver& s = doc_.Solver();
  const double scale = orbitals_->Scale();
  const int n = model.NOrb;
  const int m = quarnel::EigenvectorInRow(n, row > 0 ? row : cy);
  const bool eigen = amp == 0;
  const bool labels = eigen && orbitals_->Labels();
  if (!keep) {
    ClearChartSeries(chart);
    chart->clearItems();
  }
  DrawCellFrame(cx - 1, cy - 1, scale);
  // An eigenvector picture has one cell row per eigenvector.
  if (eigen && (m < 1 || m > n)) return;
  const int weights = labels ? AddLabelSeries(chart, Qt::black) : -1;
  double right = 0;  // the right edge of the outlines drawn in this cell
  for (int k = 1; k <= n; ++k) {
    const double c =
        eigen ? quarnel::SignedWeight(s.EigVecRe[m][k], s.EigVecIm[m][k], s.EigVecSq[m][k]) : amp;
    const quarnel::ChartPoint centre = quarnel::OrbitalCentre(model, k, cx, cy, scale);
    DrawOrbitalShape(k, c, centre.x, centre.y);
    const QRectF box = ShapeBox(model.OrbPlotKind[k], c, centre.x, centre.y);
    if (c != 0) right = std::max(right, box.right());
    // A weight that reads 0.00 has no outline to name; the label of one that shows is placed
    // where it covers nothing (PlaceWeightLabels) once the axes are known.
    if (labels && s.EigVecSq[m][k] >= 0.005) {
      AddTextMark(chart, weights, centre.x, centre.y,
                  QString::fromStdString(quarnel::FormatFixed(s.EigVecSq[m][k], 4, 2)), false);
      chart->item(chart->itemCount() - 1)->setProperty(kLabelShapeBox, box);
    }
  }
  if (eigen) {
    const int energies = AddLabelSeries(chart, Qt::black);
    quarnel::ChartPoint at = quarnel::EnergyMarkPosition(cx, cy, scale);
    // An orbital on the cell's right edge reaches past it: the energy stands clear of it.
    at.x = std::max(at.x, right + 0.05 * scale);
    AddTextMark(chart, energies, at.x, at.y,
                QString::fromStdString(quarnel::FormatFixed(s.EigVal[m], 4, 2)), true);
    // Right of the cell rather than across its frame.
    auto* mark = static_cast<QCPItemText*>(chart->item(chart->itemCount() - 1));
    mark->setPositionAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
}

void TFormQuarnel::FitOrbitalAxes() {
  QCustomPlot* chart = OrbitalChart();
  if (!chart) return;
  QCoreApplication::processEvents();  // the chart gets its final size first
  if (!IsAxisAutomatic(chart->yAxis) && !orbitals_->RescaleRequested()) {
    PlaceWeightLabels(chart);
    chart->replot();
    return;
  }
  orbitals_->RequestRescale(false);
  // Automatic ranges enclose all points; a rescale request also asks for them, so that a new
  // cell size or a new picture is not cut by the ranges of the last one.
  bool any = false;
  for (int i = 0; i < chart->plottableCount(); ++i) any = any || SeriesCount(chart->plottable(i));
  if (!any) {
    chart->replot();
    return;
  }
  chart->rescaleAxes(false);
  QCPRange x = chart->xAxis->range(), y = chart->yAxis->range();
  // The texts count too: the ranges grow until every text lies inside; a few rounds, since
  // each widening changes the scale the texts are measured in.
  for (int round = 0; round < 4; ++round) {
    const quarnel::AxisFit fit = quarnel::EqualAspectRanges(x.lower, x.upper, y.lower, y.upper,
                                                            chart->height(), chart->width());
    if (fit.fixed) {
      SetAxisRange(chart->xAxis, fit.x0, fit.x1);
      SetAxisRange(chart->yAxis, fit.y0, fit.y1);
    }
    chart->replot(QCustomPlot::rpImmediateRefresh);
    PlaceWeightLabels(chart);
    const QRectF area = chart->axisRect()->rect();
    QRectF texts;
    for (int i = 0; i < chart->itemCount(); ++i) {
      auto* mark = qobject_cast<QCPItemText*>(chart->item(i));
      if (!mark || !mark->visible()) continue;
      const QRectF r = TextMarkBox(mark).adjusted(-2, -2, 2, 2);
      texts = texts.isNull() ? r : texts.united(r);
    }
    if (texts.isNull() || area.contains(texts)) break;
    x = chart->xAxis->range(), y = chart->yAxis->range();
    const double perX = x.size() / std::max(1.0, area.width());
    const double perY = y.size() / std::max(1.0, area.height());
    x.lower -= std::max(0.0, area.left() - texts.left()) * perX;
    x.upper += std::max(0.0, texts.right() - area.right()) * perX;
    y.upper += std::max(0.0, area.top() - texts.top()) * perY;
    y.lower -= std::max(0.0, texts.bottom() - area.bottom()) * perY;
  }
  chart->replot();
}

void TFormQuarnel::PlotPhasePicture(int s11, int s12, int s21, const QString& label, int s22) {
  gammaPictureShown_ = false;
  NewOrbitalPicture(0);
  ShowOrbitalChart();
  PlotCell(1, 1, s11, false);
  PlotCell(1, 2, s12, true);
  PlotCell(2, 1, s21, true);
  PlotCell(2, 2, s22, true);
  QCustomPlot* chart = OrbitalChart();
  if (chart && !label.isEmpty()) {
    const double corner = orbitals_->Scale();  // shared by the four cells
    AddTextMark(chart, AddLabelSeries(chart, Qt::black), corner, corner, label, true);
    auto* mark = static_cast<QCPItemText*>(chart->item(chart->itemCount() - 1));
    QFont font = mark->font();
    font.setPointSize(14);
    font.setBold(true);
    mark->setFont(font);
  }
  // Fitted with the label, so that no part of the picture is cut.
  FitOrbitalAxes();
}

void TFormQuarnel::PlotEigenvectorPicture() {
  if (doc_.IsLattice()) {
    ShowCrystalState();
    return;
  }
  // Many eigenvectors in one column would be too small to read: they stand in columns (the
  // lowest energy at the bottom of the first), with a cell's room for the energies between.
  const int n = doc_.OrbitalCount();
  // The same layout at the next k point keeps its ranges; a band run draws one per point.
  NewOrbitalPicture(1 + 2 * n + (orbitals_ && orbitals_->Labels() ? 1 : 0));
  const int columns = std::max(1, static_cast<int>(std::lround(std::sqrt(n / 2.0))));
  const int perColumn = (n + columns - 1) / columns;
  for (int r = 1; r <= std::max(n, 1); ++r)
    PlotCell(1 + 2 * ((r - 1) / perColumn), (r - 1) % perColumn + 1, 0, r != 1, r);
  FitOrbitalAxes();
}

void TFormQuarnel::NewOrbitalPicture(int layout) {
  // A picture of another layout is fitted afresh rather than shown in the last one's ranges.
  static int shown = -1;
  if ((layout == 0 || layout != shown) && orbitals_) orbitals_->RequestRescale(true);
  shown = layout;
}

void TFormQuarnel::HighlightOrbitals(int i, int j) {
  if (doc_.IsLattice()) return;
  if (!gammaPictureShown_) miPlotOrbGamma1Click();
  ShowOrbitalChart();
  QCustomPlot* chart = OrbitalChart();
  if (!chart) return;
  for (int k = 0; k < chart->plottableCount(); ++k) {
    QCPAbstractPlottable* s = chart->plottable(k);
    const int tag = SeriesTag(s);
    s->setVisible(i <= 0 || tag == i || tag == j || tag == quarnel::FrameTag);
  }
  for (int k = 0; k < chart->itemCount(); ++k) {
    QCPAbstractItem* mark = chart->item(k);
    auto* series = mark->property(kMarkSeries).value<QObject*>();
    if (series && OwnsSeries(chart, series))
      mark->setVisible(static_cast<QCPAbstractPlottable*>(series)->visible());
  }
  chart->replot();
}

void TFormQuarnel::miPlotOrbGamma1Click() {
  if (doc_.IsLattice()) return ShowLatticePhasePicture(0, 0, 0);
  const quarnel::PhasePicture& p = quarnel::PhasePictures[0];
  PlotPhasePicture(p.s11, p.s12, p.s21, p.label, p.s22);
  gammaPictureShown_ = true;
}

void TFormQuarnel::miPlotOrbX1Click() {
  if (doc_.IsLattice()) return ShowLatticePhasePicture(1, 0, 0);
  const quarnel::PhasePicture& p = quarnel::PhasePictures[1];
  PlotPhasePicture(p.s11, p.s12, p.s21, p.label, p.s22);
}

void TFormQuarnel::miPlotOrbY1Click() {
  if (doc_.IsLattice()) return ShowLatticePhasePicture(0, 1, 0);
  const quarnel::PhasePicture& p = quarnel::PhasePictures[2];
  PlotPhasePicture(p.s11, p.s12, p.s21, p.label, p.s22);
}

void TFormQuarnel::miPlotOrbM1Click() {
  if (doc_.IsLattice()) return ShowLatticePhasePicture(1, 1, 0);
  const quarnel::PhasePicture& p = quarnel::PhasePictures[3];
  PlotPhasePicture(p.s11, p.s12, p.s21, p.label, p.s22);
}

void TFormQuarnel::miPlotOrbGamma33Click() {
  if (doc_.IsLattice()) return ShowLatticePhasePicture(0, 0, 0);
  ShowOrbitalChart();
  NewOrbitalPicture(0);
  for (int cx = 1; cx <= 3; ++cx)
    for (int cy = 1; cy <= 3; ++cy) PlotCell(cx, cy, 1, cx != 1 || cy != 1);
  FitOrbitalAxes();
}

void TFormQuarnel::PlotCells(bool keep) {
  ShowOrbitalChart();
  if (doc_.IsLattice()) return ShowCrystalState();
  const int cx = ReadSpinValue(seCells1, 1);
  const int cy = ReadSpinValue(seCells2, 1);
  int s = 0;
  if (!quarnel::TryParseInt(quarnel::RemoveBlanks(Edit3->text().toStdString()), s) || s == 0)
    return;
  PlotCell(cx, cy, s, keep);
  if (QCustomPlot* chart = OrbitalChart()) ReplotOrbitalChart(chart);
}

void TFormQuarnel::Button2Click() {
  PlotCells(true);
}

void TFormQuarnel::Button1Click() {
  PlotCells(false);
}
