// The density-of-states run on a regular k grid.

#include <qcustomplot.h>
#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QStatusBar>

#include "bands/band_window.h"
#include "bands/series_colors.h"
#include "mainwindow/main_window.h"
#include "support/app_state.h"
#include "support/chart_helpers.h"
#include "support/number_text.h"
#include "support/spin_edit.h"
#include "support/text_utils.h"

namespace {
QString ProgressText(int ix, int iy, int iz, int width, bool zeros) {
  const auto field = [width, zeros](int v) {
    std::string t = quarnel::FormatInt(v, width);
    if (zeros) std::replace(t.begin(), t.end(), ' ', '0');
    return t;
  };
  return QString::fromStdString(field(ix) + " " + field(iy) + " " + field(iz));
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
    series->setName(s == 0 ? QString("total") : QString::fromStdString(App().Model.OrbName[s]));
    SetSeriesActive(series, true);
  }
}

void TBandDlg::btnDOSClick() {
  if (running_) return;
  AppState& app = App();
  SetRunState(false, true);
  btnPause->setEnabled(false);  // a DOS run can be stopped, not paused
  app.StopFlag = false;
  app.PauseFlag = false;
  app.Solver.JacVerbose = false;
  cbCells->setChecked(false);

  const int n = quarnel::ClampInt(ReadSpinValue(SpinEdit3, 10), 5, 50);
  const int N = app.Model.NOrb;
  const std::size_t points = static_cast<std::size_t>(n + 1) * (n + 1) * (n + 1);
  DosStore.Start(points * N, N);
  PrepareDosSeries(N);
  // The curves find their own energy and density ranges; the band chart takes them afterwards.
  ResetAxis(Chart2->xAxis);
  ResetAxis(Chart2->yAxis);
  SetStatusPanelFit(StatusBar1, 1, ProgressText(0, 0, 0, 2, true));

  for (int iz = 0; iz <= n && !app.StopFlag; ++iz)
    for (int iy = 0; iy <= n && !app.StopFlag; ++iy)
      for (int ix = 0; ix <= n && !app.StopFlag; ++ix) {
        WriteKPoint(ix, iy, iz, n);
        if (ix == n) SetStatusPanel(StatusBar1, 1, ProgressText(ix, iy, iz, 2, false));
        // The calculation ends by processing window messages, so they are processed here only
        // when no calculation follows: once per k point either way.
        if (!FormQuarnel || N == 0) {
          QCoreApplication::processEvents();
          continue;
        }
        FormQuarnel->btnCalcKpointClick();
        for (int i = 1; i <= N; ++i) DosStore.Add(app.Solver.EigVal[i], app.Solver.EigVecSq[i]);
      }

  const int m = quarnel::ClampInt(ReadSpinValue(SpinEdit4, 100), 10, 1000);
  DosResult = quarnel::DosHistogram(DosStore, m);
  const int s = ReadSpinValue(SpinEdit5, 0);
  if (s > 0) quarnel::SmoothDos(DosResult, s);
  DosRun = RunNow();
  DosRun.grid = n;
  DosRun.bins = m;
  DosRun.smooth = std::max(s, 0);
  DosRun.samples = DosStore.Count();
  DosNames = quarnel::OrbitalNames(app.Model);
  // Without samples the series stay empty and the band chart keeps its energy range.
  if (!DosResult.Empty())
    for (int series = 0; series <= N && series < Chart2->plottableCount(); ++series) {
      auto* graph = qobject_cast<QCPGraph*>(Chart2->plottable(series));
      QVector<double> energy(DosResult.energy.begin(), DosResult.energy.end());
      QVector<double> value(DosResult.value[series].begin(), DosResult.value[series].end());
      graph->setData(energy, value, true);
    }

  SetRunState(true, true);
  app.Solver.JacVerbose = true;
  if (FormQuarnel && N > 0) FormQuarnel->ShowKpointTexts();
  RedrawFilling();
  QCoreApplication::processEvents();
  Chart2->replot();
  if (!DosResult.Empty()) SyncEnergyAxis(2);
}
