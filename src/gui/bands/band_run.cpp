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

#include "bands/band_window.h"
#include "bands/csv_export.h"
#include "bands/kpath.h"
#include "bands/series_colors.h"
#include "document/model_document.h"
#include "mainwindow/live_value.h"
#include "mainwindow/main_window.h"
#include "support/number_text.h"
#include "widgets/chart_helpers.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"

namespace {
// The k-point controls' divisor range.
constexpr int kMinDivisor = 10;
constexpr int kMaxDivisor = 100;
}  // namespace

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
  TFormQuarnel* f = FormQuarnel;
  if (!f) return;
  for (QWidget* w :
       {static_cast<QWidget*>(f->GroupBox2), static_cast<QWidget*>(f->btnCalcKpoint),
        static_cast<QWidget*>(f->btnUpdateAlpha), static_cast<QWidget*>(f->btnUpdateBeta),
        static_cast<QWidget*>(f->btnUpdateBetaGen), static_cast<QWidget*>(f->seNorb)})
    w->setEnabled(idle);
  // Opening a file or a new model would change the model and clear the charts being filled.
  f->miOpen1->setEnabled(idle);
  f->miNew1->setEnabled(idle);
  if (f->Live) f->Live->SetEnabled(idle);
  for (QWidget* w : {static_cast<QWidget*>(f->sgHamMat), static_cast<QWidget*>(f->Panel1),
                     static_cast<QWidget*>(f->seKbodX), static_cast<QWidget*>(f->seKbodY),
                     static_cast<QWidget*>(f->seKbodZ)})
    w->setVisible(idle);
  if (dos)
    for (QLabel* l : {f->lbkx, f->lbky, f->lbkz}) l->setVisible(idle);
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

void TBandDlg::WriteKPoint(int nx, int ny, int nz, int div) {
  TFormQuarnel* f = FormQuarnel;
  if (!f || div <= 0) return;
  // A grid or path divisor below the controls' range is written as the same fraction with a
  // larger divisor (5 as 10, 7 as 14).
  const int scale = quarnel::DivisorScale(div, kMinDivisor);
  div *= scale, nx *= scale, ny *= scale, nz *= scale;
  // The writes are made without the edits' change handler: it would only set the numerators'
  // range (done here, wide enough for this point) and, with Auto Calculation, compute each
  // intermediate point before the run's own calculation.
  const QSignalBlocker b0(f->seKbodDel), b1(f->seKbodX), b2(f->seKbodY), b3(f->seKbodZ);
  f->seKbodDel->SetRange(kMinDivisor, std::max(kMaxDivisor, div));
  f->seKbodDel->SetValue(div);
  const int r = std::max({div, std::abs(nx), std::abs(ny), std::abs(nz)});
  for (SpinEdit* e : {f->seKbodX, f->seKbodY, f->seKbodZ}) e->SetRange(-r, r);
  f->seKbodX->SetValue(nx);
  f->seKbodY->SetValue(ny);
  f->seKbodZ->SetValue(nz);
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
  doc_.StartRun(false);
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
  BandResult.Start(quarnel::OrbitalNames(quarnel::TableModel(model)),
                   static_cast<std::size_t>(lineCount));
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

  // Lines read otherwise than they look (fractional numbers) are named before the run.
  {
    std::vector<std::string> lines;
    for (int line = 0; line < lineCount; ++line)
      lines.push_back(Memo1->document()->findBlockByNumber(line).text().toStdString());
    quarnel::ReportKPathLines(lines, {}, doc_.Messages());
    quarnel::ShowPendingMessages(doc_.Messages());
  }

  // The points to compute, for the progress text.
  int total = 0;
  for (int line = 1; line < lineCount; ++line) {
    quarnel::KPathPoint p;
    const std::string text = Memo1->document()->findBlockByNumber(line).text().toStdString();
    if (quarnel::KPathPointOf(quarnel::ParseKPathLine(text), p)) ++total;
  }

  int x = 0;
  for (int line = 1; line < lineCount && !doc_.StopRequested(); ++line) {
    const std::string text = Memo1->document()->findBlockByNumber(line).text().toStdString();
    quarnel::KPathPoint p;
    if (quarnel::KPathPointOf(quarnel::ParseKPathLine(text), p)) {
      SetStatusPanelFit(StatusBar1, 2, QString("point %1 of %2").arg(x + 1).arg(total));
      WriteKPoint(p.nx, p.ny, p.nz, p.div);
      if (FormQuarnel) FormQuarnel->btnCalcKpointClick();
      const auto& s = doc_.Solver();
      for (int i = 1; i <= n; ++i) {
        bands[i]->addData(x, s.EigVal[i]);
        if (p.special && i == 1) labels->addTick(x, QString::fromStdString(p.label));
        AddStackedBars(bars, n, x, s.EigVal[i], markerSize_,
                       [&s, i](int j) { return s.EigVecSq[i][j]; });
      }
      BandPoints.push_back({line, p.nx, p.ny, p.nz, p.div});
      BandResult.Add(p, s);
      ++x;
      Chart1->replot(QCustomPlot::rpQueuedReplot);
    }
    QCoreApplication::processEvents();
    const int delay = ReadSpinValue(SpinEdit1, 1);
    if (delay > 0) DelayWithMessages(static_cast<unsigned>(delay) * 100);
    WaitWhilePaused();
  }
  // Without any special point the axis keeps its numbers.
  if (labels->ticks().isEmpty()) Chart1->xAxis->setTicker(QSharedPointer<QCPAxisTicker>::create());

  QString counts;
  for (int i = 1; i <= 2 * n && i < Chart1->plottableCount(); ++i)
    counts += QString::fromStdString(quarnel::FormatInt(SeriesCount(Chart1->plottable(i)))) + " ";
  SetStatusPanelFit(StatusBar1, 2, counts);

  SetRunState(true);
  doc_.EndRun();
  RedrawFilling();
  QCoreApplication::processEvents();
  Chart1->replot();
  SyncEnergyAxis(1);
}
