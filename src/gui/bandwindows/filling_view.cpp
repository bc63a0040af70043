// SPDX-License-Identifier: GPL-3.0-or-later
// The electrons of the Bands&DOS window: the filling controls beside the DOS group, the Fermi
// level drawn across both charts, the gap, the integrated count on its own axis, energies
// relative to E_F and densities per cell. Everything is redrawn from the stored samples, so a
// change of the filling needs no new run.

#include <qcustomplot.h>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStatusBar>

#include "bands/dos_grid.h"
#include "bands/filling.h"
#include "bandwindows/band_window.h"
#include "document/model_document.h"
#include "support/number_text.h"
#include "widgets/chart_helpers.h"
#include "widgets/spin_edit.h"

namespace {

QPen FermiPen() {
  QPen pen(QColor(200, 0, 0), 1, Qt::DashLine);
  return pen;
}

// A dashed horizontal line at energy e across the chart; energy is the vertical axis of both.
QCPItemStraightLine* FermiLine(QCustomPlot* chart, double e) {
  auto* line = new QCPItemStraightLine(chart);
  line->setPen(FermiPen());
  line->point1->setType(QCPItemPosition::ptPlotCoords);
  line->point2->setType(QCPItemPosition::ptPlotCoords);
  line->point1->setCoords(0, e);
  line->point2->setCoords(1, e);
  return line;
}

}  // namespace

void TBandDlg::BuildFillingGroup(QHBoxLayout* row) {
  GroupBox5 = new QGroupBox(" Electrons ", Panel1);
  auto* g = new QGridLayout(GroupBox5);
  g->setContentsMargins(6, 2, 6, 4);
  g->setHorizontalSpacing(4);
  g->setVerticalSpacing(3);
  edElectrons = new QLineEdit(GroupBox5);
  edElectrons->setToolTip("Electrons per cell (0: not set)");
  edElectrons->setFixedSize(48, 22);
  edElectrons->setText("0");
  cbSpin = new QComboBox(GroupBox5);
  cbSpin->setToolTip("Electrons per band state: 2 for spinless orbitals, 1 for spin orbitals");
  cbSpin->addItems({"g=2", "g=1"});
  cbShiftFermi = new QCheckBox("E \u2212 E_F", GroupBox5);
  cbPerCell = new QCheckBox("per cell", GroupBox5);
  g->addWidget(new QLabel("Ne", GroupBox5), 0, 0);
  g->addWidget(edElectrons, 0, 1);
  g->addWidget(cbSpin, 0, 2);
  g->addWidget(cbShiftFermi, 1, 0, 1, 2);
  g->addWidget(cbPerCell, 1, 2);
  row->addWidget(GroupBox5);
  connect(edElectrons, &QLineEdit::editingFinished, this, &TBandDlg::ApplyFillingToModel);
  connect(cbSpin, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &TBandDlg::ApplyFillingToModel);
  connect(cbShiftFermi, &QCheckBox::toggled, this, &TBandDlg::RedrawFilling);
  connect(cbPerCell, &QCheckBox::toggled, this, &TBandDlg::RedrawFilling);
}

void TBandDlg::ApplyFillingToModel() {
  // The one place where the user's filling reaches the model.
  double ne = 0;
  const bool read = quarnel::ReadNumber(edElectrons->text().toStdString(), ne) && ne >= 0;
  if (!read) ne = 0;
  doc_.SetFilling(ne, cbSpin->currentIndex() == 1 ? 1 : 2);
  edElectrons->setStyleSheet(read ? QString() : QString("background: rgb(255, 204, 204)"));
  RedrawFilling();
}

void TBandDlg::ShowModelFilling() {
  const quarnel::ModelData& m = doc_.Model();
  const QSignalBlocker b(cbSpin);
  edElectrons->setText(QString::fromStdString(quarnel::FormatGeneral(m.FillElectrons)));
  edElectrons->setStyleSheet(QString());
  cbSpin->setCurrentIndex(m.FillSpin == 1 ? 1 : 0);
  RedrawFilling();
}

bool TBandDlg::FermiLevel(double& ef) const {
  ef = Filling.fermi;
  return Filling.valid;
}

void TBandDlg::ShiftBandChart(double shift) {
  const double delta = shift - bandShift_;
  bandShift_ = shift;
  if (delta == 0) return;
  for (int i = 0; i < Chart1->plottableCount(); ++i) {
    if (auto* graph = qobject_cast<QCPGraph*>(Chart1->plottable(i)))
      for (auto it = graph->data()->begin(); it != graph->data()->end(); ++it) it->value -= delta;
    if (auto* bars = qobject_cast<WeightBars*>(Chart1->plottable(i))) bars->ShiftValues(-delta);
  }
  for (QCustomPlot* chart : {Chart1, Chart2})
    if (!IsAxisAutomatic(chart->yAxis)) {
      const QCPRange r = chart->yAxis->range();
      SetAxisRange(chart->yAxis, r.lower - delta, r.upper - delta);
    }
}

void TBandDlg::RedrawFilling() {
  const quarnel::ModelData& m = doc_.Model();
  const std::vector<double> energy = quarnel::SampleEnergies(DosStore);
  const std::size_t nk = quarnel::SampleKpoints(DosStore);
  const int threads = DosThreads > 0 ? DosThreads : quarnel::DefaultDosThreads();
  Filling = DosResult.Empty() ? quarnel::FillingResult()
            : DosByTetrahedra()
                ? quarnel::TetraFilling(DosShape, DosStore, m.FillElectrons, m.FillSpin, threads)
                : quarnel::FillBands(energy, nk, DosStore.Orbitals(), m.FillElectrons, m.FillSpin);
  const bool shifted = Filling.valid && cbShiftFermi->isChecked();
  const double shift = shifted ? Filling.fermi : 0;
  for (QPointer<QCPAbstractItem>& item : fillingItems_)
    if (item) item->parentPlot()->removeItem(item);
  fillingItems_.clear();
  if (integrated_) Chart2->removePlottable(integrated_);
  Chart2->xAxis2->setVisible(false);
  ShiftBandChart(shift);

  // The DOS curves as the run left them, or per cell; energies shifted.
  quarnel::DosCurves shown = DosResult;
  std::vector<double> count;  // electrons per cell below each energy
  if (DosByTetrahedra())
    shown = quarnel::TetraShownCurves(DosTetra, m.FillSpin, cbPerCell->isChecked(), count);
  else if (cbPerCell->isChecked() && !DosResult.Empty())
    shown = quarnel::PerCellDos(quarnel::DosHistogram(DosStore, DosRun.bins), DosRun.smooth,
                                m.FillSpin, nk);
  Chart2->xAxis->setLabel(QString::fromStdString(
      quarnel::DosAxisTitle(!DosResult.Empty(), DosByTetrahedra(), cbPerCell->isChecked())));
  Chart1->yAxis->setLabel(shifted ? "E \u2212 E_F" : "Energy");
  QVector<double> e(shown.energy.begin(), shown.energy.end());
  for (double& x : e) x -= shift;
  for (int s = 0; s < static_cast<int>(shown.value.size()) && s < Chart2->plottableCount(); ++s)
    if (auto* graph = qobject_cast<QCPGraph*>(Chart2->plottable(s)))
      graph->setData(e, QVector<double>(shown.value[s].begin(), shown.value[s].end()), true);

  QString panel;
  if (Filling.valid) {
    if (!DosByTetrahedra())
      count = quarnel::IntegratedCount(energy, nk, m.FillSpin, DosResult.energy);
    integrated_ = new QCPGraph(Chart2->yAxis, Chart2->xAxis2);
    integrated_->setName("integrated");
    integrated_->setPen(QPen(QColor(120, 120, 120), 1));
    integrated_->setData(e, QVector<double>(count.begin(), count.end()), true);
    Chart2->xAxis2->setVisible(true);
    Chart2->xAxis2->setLabel("electrons per cell");
    for (QCustomPlot* chart : {Chart1, Chart2})
      fillingItems_.push_back(FermiLine(chart, Filling.fermi - shift));
    const QString gap = QString::fromStdString(
        quarnel::GapText(Filling, quarnel::GridPointName(Filling.vbmK, DosRun.grid),
                         quarnel::GridPointName(Filling.cbmK, DosRun.grid)));
    auto* text = new QCPItemText(Chart2);
    text->position->setTypeX(QCPItemPosition::ptAxisRectRatio);
    text->position->setTypeY(QCPItemPosition::ptPlotCoords);
    text->position->setCoords(0.02, Filling.fermi - shift);
    text->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
    text->setTextAlignment(Qt::AlignLeft);
    text->setColor(FermiPen().color());
    text->setText(QString::fromStdString(quarnel::FermiText(Filling)) + "\n" + gap);
    fillingItems_.push_back(text);
    panel = gap;
    if (Filling.insulator && !BandResult.Empty()) panel += "; " + PathEdgesText();
  } else if (Filling.overfilled) {
    panel = QString::fromStdString(quarnel::GapText(Filling, "", ""));
  }
  SetStatusPanelFit(StatusBar1, 3, panel);
  Chart1->replot();
  Chart2->replot();
}

QString TBandDlg::PathEdgesText() const {
  const std::size_t points = BandResult.Points();
  const int n = BandResult.Orbitals();
  std::vector<double> energy;
  energy.reserve(points * n);
  for (std::size_t x = 0; x < points; ++x)
    for (int i = 1; i <= n; ++i) energy.push_back(BandResult.Energy(x, i));
  double top = 0, bottom = 0;
  std::size_t topX = 0, bottomX = 0;
  if (!quarnel::BandEdges(energy, points, n, Filling.filledBands, top, topX, bottom, bottomX))
    return QString();
  const auto at = [this](std::size_t x) {
    const quarnel::KPathPoint& p = BandResult.Point(x);
    return p.special ? QString::fromStdString(p.label) : QString("point %1").arg(x);
  };
  return QString::asprintf("path: highest occupied %.3f at ", top) + at(topX) +
         QString::asprintf(", lowest empty %.3f at ", bottom) + at(bottomX);
}

std::string TBandDlg::DosSaveText() const {
  if (!Filling.valid) return quarnel::DosCsv(DosRun, DosNames, DosResult);
  const quarnel::ModelData& m = doc_.Model();
  const std::vector<double> energy = quarnel::SampleEnergies(DosStore);
  const std::size_t nk = quarnel::SampleKpoints(DosStore);
  quarnel::DosFillingColumns c;
  c.electrons = m.FillElectrons;
  c.spin = m.FillSpin;
  c.result = Filling;
  c.shifted = cbShiftFermi->isChecked();
  c.perCell = cbPerCell->isChecked();
  quarnel::DosCurves curves =
      DosByTetrahedra() ? quarnel::TetraShownCurves(DosTetra, m.FillSpin, c.perCell, c.integrated)
      : c.perCell ? quarnel::PerCellDos(quarnel::DosHistogram(DosStore, DosRun.bins), DosRun.smooth,
                                        m.FillSpin, nk)
                  : DosResult;
  if (!DosByTetrahedra())
    c.integrated = quarnel::IntegratedCount(energy, nk, m.FillSpin, curves.energy);
  if (c.shifted)
    for (double& e : curves.energy) e -= Filling.fermi;
  return quarnel::DosCsv(DosRun, DosNames, curves, &c);
}
