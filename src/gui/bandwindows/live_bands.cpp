// SPDX-License-Identifier: GPL-3.0-or-later
#include "bandwindows/live_bands.h"

#include <qcustomplot.h>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>

#include "bands/dos_grid.h"
#include "bands/path_bands.h"
#include "bands/special_points.h"
#include "bandwindows/band_window.h"
#include "document/model_document.h"
#include "support/number_text.h"
#include "widgets/chart_helpers.h"
#include "widgets/series_colors.h"

namespace {

// The memo's lines as the band run reads them: a last empty block is no line.
std::vector<std::string> MemoLines(const QPlainTextEdit* memo) {
  int count = memo->blockCount();
  if (count > 1 && memo->document()->lastBlock().text().isEmpty()) --count;
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (QTextBlock b = memo->document()->begin();
       b.isValid() && static_cast<int>(lines.size()) < count; b = b.next())
    lines.push_back(b.text().toStdString());
  return lines;
}

}  // namespace

LiveBands::LiveBands(TBandDlg* window) : QObject(window), w_(window) {
  // The chart follows a value moved in the main window's panels through the document.
  ModelDocument& doc = w_->doc_;
  connect(&doc, &ModelDocument::LiveMoveStarted, this, &LiveBands::Begin);
  connect(&doc, &ModelDocument::LiveRescaleChanged, this, &LiveBands::SetRescale);
  connect(&doc, &ModelDocument::LiveMoveEnded, this, &LiveBands::End);
  const auto changed = [this] {
    if (moving_) Request();
  };
  connect(&doc, &ModelDocument::OrbitalChanged, this, changed);
  connect(&doc, &ModelDocument::PairChanged, this, changed);
  connect(&doc, &ModelDocument::LatticeEdited, this, changed);
}

void LiveBands::Begin(bool rescale) {
  moving_ = true;
  rescale_ = rescale;
  held_ = false;
  wasAutomatic_ = IsAxisAutomatic(w_->Chart1->yAxis);
  // An empty chart has no range worth keeping: the first redraw fits it, then it is held.
  if (!rescale_ && w_->Chart1->plottableCount() > 1 && SeriesCount(w_->Chart1->plottable(1)) > 0)
    HoldEnergyAxis();
}

void LiveBands::SetRescale(bool rescale) {
  rescale_ = rescale;
  if (!moving_) return;
  if (rescale) {
    held_ = false;
    ResetAxis(w_->Chart1->yAxis);
    w_->Chart1->replot();
  } else {
    HoldEnergyAxis();
  }
}

void LiveBands::HoldEnergyAxis() {
  const QCPRange r = w_->Chart1->yAxis->range();
  SetAxisRange(w_->Chart1->yAxis, r.lower, r.upper);
  held_ = true;
}

void LiveBands::Request() {
  if (pending_) return;
  pending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (!pending_) return;  // End drew it already
    pending_ = false;
    Redraw();
  });
}

void LiveBands::End() {
  if (pending_) {
    pending_ = false;
    Redraw();
  }
  if (!moving_) return;
  moving_ = false;
  if (held_ && wasAutomatic_) {
    ResetAxis(w_->Chart1->yAxis);
    w_->Chart1->replot();
  }
  held_ = false;
}

void LiveBands::PrepareSeries(int n) {
  const quarnel::ModelData& model = w_->doc_.Model();
  w_->PrepareBandSeries(n);
  for (int i = 1; i <= n; ++i)
    w_->Chart1->plottable(i)->setName(
        QString::fromStdString("E" + quarnel::FormatInt(i, 2)).replace(' ', '0'));
  for (int j = 1; j <= n; ++j) {
    w_->Chart1->plottable(n + j)->setName(QString::fromStdString(model.OrbName[j]));
    if (!w_->CheckBox1->isChecked()) SetSeriesActive(w_->Chart1->plottable(n + j), false);
  }
}

bool LiveBands::Redraw() {
  if (w_->Running()) return false;  // the run owns the chart and reads the model
  QElapsedTimer clock;
  clock.start();
  const quarnel::RunModel& model = w_->doc_.ModelOfRun();
  const std::vector<std::string> lines = MemoLines(w_->Memo1);
  std::vector<int> lineOf;
  std::vector<quarnel::KPathPoint> points = quarnel::PathPoints(lines, &lineOf);
  if (points.empty()) return false;
  // A crystal's points carry its lattice's names, as in the band run.
  if (w_->doc_.IsLattice()) {
    const quarnel::SpecialPointNamer namer(w_->doc_.Lattice());
    for (std::size_t x = 0; x < points.size(); ++x)
      namer.Label(quarnel::ParseKPathLine(lines[static_cast<std::size_t>(lineOf[x])]), points[x]);
  }
  quarnel::BandTable table;
  if (!quarnel::FastPathBands(model, points, table)) {
    SetStatusPanelFit(w_->StatusBar1, 2, "live bands: no convergence");
    return false;
  }
  const int n = table.Orbitals();
  QCustomPlot* chart = w_->Chart1;
  if (chart->plottableCount() != 2 * n + 1 || !qobject_cast<QCPGraph*>(chart->plottable(1)))
    PrepareSeries(n);

  // Drawn as the band run draws, relative to the shift the filling holds the chart at.
  const double shift = w_->bandShift_;
  const double marker = w_->markerSize_ >= 1 ? w_->markerSize_ : 10;
  auto labels = QSharedPointer<QCPAxisTickerText>::create();
  std::vector<QVector<QCPGraphData>> bands(n + 1);
  std::vector<WeightBars*> bars(n + 1, nullptr);
  for (int j = 1; j <= n; ++j) {
    bars[j] = qobject_cast<WeightBars*>(chart->plottable(n + j));
    if (bars[j]) bars[j]->Clear(), bars[j]->Reserve(points.size() * n);
    bands[j].reserve(static_cast<int>(points.size()));
  }
  w_->BandPoints.clear();
  for (std::size_t x = 0; x < points.size(); ++x) {
    const quarnel::KPathPoint& p = points[x];
    if (p.special) labels->addTick(static_cast<double>(x), QString::fromStdString(p.label));
    for (int i = 1; i <= n; ++i) {
      const double e = table.Energy(x, i) - shift;
      bands[i].push_back(QCPGraphData(static_cast<double>(x), e));
      AddStackedBars(bars, n, static_cast<double>(x), e, marker,
                     [&table, x, i](int j) { return table.Weight(x, i, j); });
    }
    w_->BandPoints.push_back({lineOf[x], p.nx, p.ny, p.nz, p.div});
  }
  for (int i = 1; i <= n; ++i)
    if (auto* g = qobject_cast<QCPGraph*>(chart->plottable(i))) g->data()->set(bands[i], true);
  SetAxisRange(chart->xAxis, 0, static_cast<double>(lines.size()) - 1);
  if (labels->ticks().isEmpty())
    chart->xAxis->setTicker(QSharedPointer<QCPAxisTicker>::create());
  else
    chart->xAxis->setTicker(labels);

  // What the chart shows is what Save data writes.
  const std::string kPath = w_->BandRun.kPath;
  w_->BandResult = std::move(table);
  w_->BandRun = w_->RunNow();
  w_->BandRun.kPath = kPath.empty() ? w_->MemoKPathName() : kPath;
  MoveFermiLine();
  chart->replot();
  if (moving_ && !rescale_ && !held_ && IsAxisAutomatic(chart->yAxis)) HoldEnergyAxis();
  lastMs_ = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  SetStatusPanelFit(w_->StatusBar1, 2,
                    QString("live: %1 points, %2 ms").arg(points.size()).arg(lastMs_, 0, 'f', 1));
  return true;
}

void LiveBands::MoveFermiLine() {
  // Only a filling the window shows (one with a DOS run behind it) has a line to move.
  const quarnel::RunModel& m = w_->doc_.ModelOfRun();
  if (!w_->Filling.valid || !(m.FillElectrons() > 0)) return;
  const int grid = quarnel::LiveFillingGrid(w_->DosRun.grid, m.Orbitals());
  const int threads = w_->DosThreads > 0 ? w_->DosThreads : quarnel::DefaultDosThreads();
  const quarnel::FillingResult f = quarnel::FastGridFilling(m, grid, threads);
  if (!f.valid) return;
  // The DOS chart keeps the run's curves and E_F, so it says they are of the model before.
  static const QString kBefore = "\n(DOS before the move)";
  for (QPointer<QCPAbstractItem>& item : w_->fillingItems_) {
    if (auto* text = qobject_cast<QCPItemText*>(item.data())) {
      if (!text->text().endsWith(kBefore)) {
        text->setText(text->text() + kBefore);
        w_->Chart2->replot();
      }
      continue;
    }
    auto* line = qobject_cast<QCPItemStraightLine*>(item.data());
    if (!line || line->parentPlot() != w_->Chart1) continue;
    line->point1->setCoords(0, f.fermi - w_->bandShift_);
    line->point2->setCoords(1, f.fermi - w_->bandShift_);
  }
}
