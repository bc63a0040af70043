// SPDX-License-Identifier: GPL-3.0-or-later
// The density-of-states run on a regular k grid.

#include <qcustomplot.h>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <atomic>
#include <cmath>
#include <memory>
#include <system_error>
#include <thread>

#include "bands/dos_grid.h"
#include "bands/dos_run.h"
#include "bandwindows/band_window.h"
#include "document/model_document.h"
#include "support/number_text.h"
#include "support/text_utils.h"
#include "widgets/chart_helpers.h"
#include "widgets/series_colors.h"
#include "widgets/spin_edit.h"

namespace {
QString ProgressText(int ix, int iy, int iz, int width, bool zeros) {
  const auto field = [width, zeros](int v) {
    std::string t = quarnel::FormatInt(v, width);
    if (zeros) std::replace(t.begin(), t.end(), ' ', '0');
    return t;
  };
  return QString::fromStdString(field(ix) + " " + field(iy) + " " + field(iz));
}

// "12 s" under a minute, else "3:07" minutes and seconds.
QString TimeLeftText(double seconds) {
  const long s = std::lround(std::clamp(seconds, 0.0, 359999.0));
  if (s < 60) return QString("%1 s").arg(s);
  return QString("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QChar('0'));
}
}  // namespace

int TBandDlg::AddDosSeries(const QColor& colour) {
  const int index = AddLineSeries(Chart2, colour);
  auto* graph = qobject_cast<QCPGraph*>(Chart2->plottable(index));
  // Energy runs up the vertical axis: the energy is the key, the density the value.
  graph->setKeyAxis(Chart2->yAxis);
  graph->setValueAxis(Chart2->xAxis);
  graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone, colour, colour, 2));
  return index;
}

void TBandDlg::PrepareDosSeries(int n) {
  ClearChartSeries(Chart2);
  for (int s = 0; s <= n; ++s) {
    const int index = AddDosSeries(SeriesColors[s]);
    QCPAbstractPlottable* series = Chart2->plottable(index);
    series->setName(s == 0 ? QString("total") : QString::fromStdString(doc_.Model().OrbName[s]));
    SetSeriesActive(series, true);
  }
}

struct TBandDlg::DosWatch {
  quarnel::DosGridControl control;
};

void TBandDlg::StopDosWatch() {
  if (dosWatch_) dosWatch_->control.stop = true;
}

std::size_t TBandDlg::SampleDosWatched(int n) {
  // The workers read their own copy: the main window stays usable during the run.
  const std::unique_ptr<quarnel::RunModel> model = doc_.ModelOfRun().Clone();
  const int threads = DosThreads > 0 ? DosThreads : quarnel::DefaultDosThreads();
  const std::size_t side = static_cast<std::size_t>(n) + 1, rows = side * side;
  DosWatch watch;
  dosWatch_ = &watch;
  if (doc_.StopRequested()) watch.control.stop = true;

  DosProgress->setRange(0, static_cast<int>(rows));
  DosProgress->setValue(0);
  DosProgress->setFormat("%p%");
  DosProgress->setVisible(true);
  QElapsedTimer clock;
  clock.start();
  std::size_t shown = 0;
  const auto showProgress = [&] {
    const std::size_t done = watch.control.rowsDone;
    if (done == shown) return;
    shown = done;
    // The last finished row: ix = n at its iy, iz.
    SetStatusPanel(StatusBar1, 1,
                   ProgressText(n, static_cast<int>((done - 1) % side),
                                static_cast<int>((done - 1) / side), 2, false));
    DosProgress->setValue(static_cast<int>(done));
    const double left = clock.elapsed() / 1000.0 * static_cast<double>(rows - done) / done;
    DosProgress->setFormat(QString("%p%, %1 left").arg(TimeLeftText(left)));
  };

  QEventLoop loop;
  std::atomic<bool> finished{false};
  const auto sample = [&] {
    quarnel::SampleDosGrid(*model, n, threads, DosStore, quarnel::DosSolver::Fast, &watch.control);
    finished = true;
    QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
  };
  QTimer tick;
  tick.setInterval(40);
  connect(&tick, &QTimer::timeout, &loop, showProgress);
  std::thread runner;
  try {
    runner = std::thread(sample);
  } catch (const std::system_error&) {
    sample();  // no thread to spare: the run blocks the window instead
  }
  tick.start();
  if (!finished) loop.exec();
  // The loop also ends when the program quits: the workers must not outlive what they fill.
  if (!finished) watch.control.stop = true;
  if (runner.joinable()) runner.join();
  tick.stop();
  showProgress();
  dosWatch_ = nullptr;
  DosProgress->setVisible(false);
  return watch.control.rowsDone;
}

void TBandDlg::btnDOSClick() {
  if (running_) return;
  SetRunState(false, true);
  btnPause->setEnabled(false);  // a DOS run can be stopped, not paused
  cbCells->setChecked(false);

  const int n = quarnel::kDosGridLimit.Clamp(ReadSpinValue(SpinEdit3, 10));
  const int N = doc_.OrbitalCount();
  PrepareDosSeries(N);
  // The curves find their own energy and density ranges; the band chart takes them afterwards.
  ResetAxis(Chart2->xAxis);
  ResetAxis(Chart2->yAxis);
  SetStatusPanelFit(StatusBar1, 1, ProgressText(0, 0, 0, 2, true));
  QCoreApplication::processEvents();
  const std::size_t rowsDone = SampleDosWatched(n);

  const int m = quarnel::kDosBinsLimit.Clamp(ReadSpinValue(SpinEdit4, 100));
  const bool tetra = cbDosMethod->currentIndex() == 1;
  const int s = tetra ? 0 : quarnel::kDosSmoothLimit.Clamp(ReadSpinValue(SpinEdit5, 0));
  DosShape = doc_.ModelOfRun().DosGrid(n);
  DosTetra = quarnel::TetraDosResult();
  if (tetra) {
    quarnel::TetraDos(DosShape, DosStore, m,
                      DosThreads > 0 ? DosThreads : quarnel::DefaultDosThreads(), DosTetra);
    DosResult = DosTetra.curves;
  } else {
    DosResult = quarnel::DosRunCurves(DosStore, m, s);
  }
  DosRun = RunNow();
  DosRun.grid = n;
  DosRun.bins = m;
  DosRun.smooth = s;
  if (tetra) DosRun.method = "tetrahedra";
  DosRun.samples = DosStore.Count();
  DosNames = quarnel::OrbitalNames(doc_.ModelOfRun());
  // Without samples the series stay empty and the band chart keeps its energy range.
  if (!DosResult.Empty())
    for (int series = 0; series <= N && series < Chart2->plottableCount(); ++series) {
      auto* graph = qobject_cast<QCPGraph*>(Chart2->plottable(series));
      QVector<double> energy(DosResult.energy.begin(), DosResult.energy.end());
      QVector<double> value(DosResult.value[series].begin(), DosResult.value[series].end());
      graph->setData(energy, value, true);
    }

  SetRunState(true, true);
  // The grid was computed apart from the main window; its k-point displays and the workbench
  // now show the last point taken (the first one when nothing was), by the k-point calculation.
  if (N > 0) {
    const std::size_t side = static_cast<std::size_t>(n) + 1;
    const std::size_t last = rowsDone == 0 ? 0 : rowsDone - 1;
    ComputeKPoint(rowsDone == 0 ? 0 : n, static_cast<int>(last % side),
                  static_cast<int>(last / side), n);
  }
  RedrawFilling();
  QCoreApplication::processEvents();
  Chart2->replot();
  if (!DosResult.Empty()) SyncEnergyAxis(2);
}
