// SPDX-License-Identifier: GPL-3.0-or-later
// The band-structure run along the k path of the memo, and the run state shared with the DOS run.

#include <qcustomplot.h>
#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QThread>
#include <algorithm>
#include <cstdlib>

#include "bands/csv_export.h"
#include "bands/kpath.h"
#include "bands/path_run.h"
#include "bands/special_points.h"
#include "bandwindows/band_window.h"
#include "document/model_document.h"
#include "support/number_text.h"
#include "widgets/chart_helpers.h"
#include "widgets/series_colors.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"

void TBandDlg::SetRunState(bool idle, bool dos) {
  running_ = !idle;
  for (QWidget* w : {static_cast<QWidget*>(btnBand), static_cast<QWidget*>(btnOpenKpoints),
                     static_cast<QWidget*>(btnDOS), static_cast<QWidget*>(SpinEdit2),
                     static_cast<QWidget*>(SpinEdit3), static_cast<QWidget*>(SpinEdit4),
                     static_cast<QWidget*>(CancelBtn)})
    w->setEnabled(idle);
  btnPause->setEnabled(!idle);
  btnStop->setEnabled(!idle);
  // The run reads the memo line by line; edits under it would shift what a click recomputes.
  Memo1->setReadOnly(!idle);
  // The main window locks what would change the model by the document's run state.
  if (idle)
    doc_.EndRun();
  else
    doc_.StartRun(dos);
}

void TBandDlg::SyncEnergyAxis(int from) {
  QCustomPlot* source = from == 1 ? Chart1 : from == 2 ? Chart2 : nullptr;
  if (!source) return;
  QCustomPlot* target = from == 1 ? Chart2 : Chart1;
  const QCPRange r = source->yAxis->range();
  SetAxisRange(target->yAxis, r.lower, r.upper);
  target->replot();
}

int TBandDlg::AddBandSeries(const QColor& colour) {
  const int index = AddLineSeries(Chart1, colour);
  SetSeriesTag(Chart1->plottable(index), index);
  return index;
}

int TBandDlg::AddWeightSeries(const QColor& colour) {
  auto* bars = new WeightBars(Chart1->xAxis, Chart1->yAxis);
  const int index = Chart1->plottableCount() - 1;
  bars->setPen(QPen(colour, 3));
  SetSeriesColor(Chart1, index, colour);
  SetSeriesActive(bars, true);
  SetSeriesTag(bars, index);
  ShowInLegend(bars, true);
  return index;
}

void TBandDlg::PrepareBandSeries(int n) {
  ClearChartSeries(Chart1);
  const int placeholder = AddBandSeries(SeriesColors[0]);
  ShowInLegend(Chart1->plottable(placeholder), false);
  for (int i = 1; i <= n; ++i)
    SetSeriesActive(Chart1->plottable(AddBandSeries(SeriesColors[0])), true);
  for (int j = 1; j <= n; ++j)
    SetSeriesActive(Chart1->plottable(AddWeightSeries(SeriesColors[j])), true);
}

std::string TBandDlg::MemoKPathName() const {
  return "memo of the Bands&DOS window, title \"" +
         Memo1->document()->findBlockByNumber(0).text().toStdString() + "\"";
}

void TBandDlg::ComputeKPoint(int nx, int ny, int nz, int div) {
  if (div > 0) doc_.ComputeKPoint(nx, ny, nz, div);
}

void TBandDlg::WaitWhilePaused() {
  while (doc_.Paused()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
}

void TBandDlg::btnBandClick() {
  if (running_) return;
  const quarnel::ModelData& model = doc_.Model();
  SetRunState(false);
  const int n = model.NOrb;
  PrepareBandSeries(n);
  bandShift_ = 0;  // the new bands come unshifted
  for (int i = 1; i <= n; ++i)
    Chart1->plottable(i)->setName(
        QString::fromStdString("E" + quarnel::FormatInt(i, 2)).replace(' ', '0'));
  for (int j = 1; j <= n; ++j)
    Chart1->plottable(n + j)->setName(QString::fromStdString(model.OrbName[j]));
  markerSize_ = ReadSpinValue(SpinEdit2, 10);
  if (markerSize_ < 1) markerSize_ = 10;
  if (!CheckBox1->isChecked())
    for (int j = 1; j <= n; ++j) SetSeriesActive(Chart1->plottable(n + j), false);

  // The energy axis follows the bands again, whatever an earlier DOS run copied into it.
  ResetAxis(Chart1->yAxis);
  // A memo ending in a line break has an empty last block, which is no line of the path.
  int lineCount = Memo1->blockCount();
  if (lineCount > 1 && Memo1->document()->lastBlock().text().isEmpty()) --lineCount;
  SetAxisRange(Chart1->xAxis, 0, lineCount - 1);
  auto labels = QSharedPointer<QCPAxisTickerText>::create();
  Chart1->xAxis->setTicker(labels);
  BandPoints.clear();
  BandResult.Start(quarnel::OrbitalNames(doc_.ModelOfRun()), static_cast<std::size_t>(lineCount));
  BandRun = RunNow();
  // An unedited memo still holds the file it was loaded from.
  if (!KpointFile.isEmpty() && !Memo1->document()->isModified())
    BandRun.kPath = KpointFile.toStdString();
  else
    BandRun.kPath = MemoKPathName();
  std::vector<QCPGraph*> bands(n + 1, nullptr);
  std::vector<WeightBars*> bars(n + 1, nullptr);
  for (int i = 1; i <= n; ++i) {
    bands[i] = qobject_cast<QCPGraph*>(Chart1->plottable(i));
    bars[i] = qobject_cast<WeightBars*>(Chart1->plottable(n + i));
    bars[i]->Reserve(static_cast<std::size_t>(lineCount) * n);
  }

  // The memo cannot change during the run (read-only), so its lines are read once.
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(lineCount));
  for (int line = 0; line < lineCount; ++line)
    lines.push_back(Memo1->document()->findBlockByNumber(line).text().toStdString());
  // Lines read otherwise than they look (fractional numbers) are named before the run.
  quarnel::ReportKPathLines(lines, {}, doc_.Messages());
  quarnel::ShowPendingMessages(doc_.Messages());
  const int total = quarnel::CountPathPoints(lines);

  // Each point is computed by the document, which every view shows as it comes; the chart
  // takes it from the document's solver.
  quarnel::PathRunHooks hooks;
  hooks.stop = [this] { return doc_.StopRequested(); };
  // A crystal's points are named by its lattice (K and M of graphene), as quarnel-cli names them.
  std::shared_ptr<const quarnel::SpecialPointNamer> namer;
  if (doc_.IsLattice()) {
    namer = std::make_shared<const quarnel::SpecialPointNamer>(doc_.Lattice());
    hooks.label = [namer](const quarnel::KPathLine& line, quarnel::KPathPoint& p) {
      namer->Label(line, p);
    };
  }
  hooks.point = [&](const quarnel::PathRunPoint& r) {
    const quarnel::KPathPoint& p = r.point;
    const int x = r.x;
    SetStatusPanelFit(StatusBar1, 2, QString("point %1 of %2").arg(x + 1).arg(total));
    ComputeKPoint(p.nx, p.ny, p.nz, p.div);
    const auto& s = doc_.Solver();
    for (int i = 1; i <= n; ++i) {
      bands[i]->addData(x, s.EigVal[i]);
      if (p.special && i == 1) labels->addTick(x, QString::fromStdString(p.label));
      AddStackedBars(bars, n, x, s.EigVal[i], markerSize_,
                     [&s, i](int j) { return s.EigVecSq[i][j]; });
    }
    BandPoints.push_back({r.line, p.nx, p.ny, p.nz, p.div});
    BandResult.Add(p, s);
    Chart1->replot(QCustomPlot::rpQueuedReplot);
  };
  hooks.afterLine = [this] {
    QCoreApplication::processEvents();
    const int delay = ReadSpinValue(SpinEdit1, 1);
    if (delay > 0) DelayWithMessages(static_cast<unsigned>(delay) * 100);
    WaitWhilePaused();
  };
  quarnel::RunPath(lines, hooks);
  // Without any special point the axis keeps its numbers.
  if (labels->ticks().isEmpty()) Chart1->xAxis->setTicker(QSharedPointer<QCPAxisTicker>::create());

  QString counts;
  for (int i = 1; i <= 2 * n && i < Chart1->plottableCount(); ++i)
    counts += QString::fromStdString(quarnel::FormatInt(SeriesCount(Chart1->plottable(i)))) + " ";
  SetStatusPanelFit(StatusBar1, 2, counts);

  SetRunState(true);
  RedrawFilling();
  QCoreApplication::processEvents();
  Chart1->replot();
  SyncEnergyAxis(1);
}
