// SPDX-License-Identifier: GPL-3.0-or-later
// The band and DOS runs of the bands window, driven through its buttons with the main window's
// calculation behind them.
#include <qcustomplot.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <cstring>

#include "bands/dos_grid.h"
#include "bands/tetrahedron_dos.h"
#include "gui/bands/band_models.h"
#include "numeric/eigen_texts.h"
#include "numeric/kpoint_calc.h"
#include "widgets/chart_helpers.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"
#include "workbench/matrix_file.h"

namespace {

// The eigen results at k = (nx, ny, nz) / div, computed without any window.
std::unique_ptr<quarnel::JacobiSolver> Reference(const Program& p, int nx, int ny, int nz,
                                                 int div) {
  auto solver = std::make_unique<quarnel::JacobiSolver>();
  quarnel::HamMatrix h = {};
  quarnel::CalcKpoint(quarnel::TableModel(p.doc.Model()),
                      quarnel::KPointFromNumerators(div, nx, ny, nz), h, *solver);
  return solver;
}

// The first k-point display of the main window or the workbench that does not belong to the k
// point of the k-point controls; empty when all agree.
QString DisplayOffTheControls(Program& p) {
  TFormQuarnel& f = *p.form;
  const int n = p.doc.Model().NOrb;
  const quarnel::KPoint k = quarnel::KPointFromNumerators(
      Find<SpinEdit>(&f, "seKbodDel")->Value(), Find<SpinEdit>(&f, "seKbodX")->Value(),
      Find<SpinEdit>(&f, "seKbodY")->Value(), Find<SpinEdit>(&f, "seKbodZ")->Value());
  quarnel::HamMatrix h = {};
  auto s = std::make_unique<quarnel::JacobiSolver>();
  quarnel::CalcKpoint(quarnel::TableModel(p.doc.Model()), k, h, *s);
  if (Find<QLabel>(&f, "lbkx")->text().toStdString() != quarnel::KLabelText("kx", k.X()))
    return Find<QLabel>(&f, "lbkx")->text();
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      if (Find<StringGrid>(&f, "sgHamMat")->Cell(j, i).toStdString() !=
          quarnel::HamMatCellText(h, i, j))
        return QString("sgHamMat %1,%2").arg(j).arg(i);
  auto texts = std::make_unique<quarnel::EigenGridTexts>();
  quarnel::FillEigenGridTexts(*s, n, Find<QCheckBox>(&f, "cbEigVecSq")->isChecked(), *texts);
  for (int m = 1; m <= n + 1; ++m)
    for (int j = 0; j <= n + 1; ++j)
      if (!texts->cell[m][j].empty() &&
          Find<StringGrid>(&f, "sgEigen")->Cell(j, m).toStdString() != texts->cell[m][j])
        return QString("sgEigen %1,%2").arg(j).arg(m);
  const quarnel::MatrixGrid a = quarnel::KpointMatrixGrid(*s);
  for (int r = 0; r < a.RowCount(); ++r)
    for (int c = 0; c < a.ColCount(); ++c)
      if (p.eigen->findChild<StringGrid*>("sgJacobiA")->Cell(c, r).toStdString() != a.Cells[r][c])
        return "sgJacobiA";
  // Reset and Iteration start from JacInput.
  if (p.doc.Solver().JacN != s->JacN ||
      std::memcmp(p.doc.Solver().JacInput, s->JacInput, sizeof s->JacInput) != 0)
    return "JacInput";
  return {};
}

QCPGraph* Band(TBandDlg& w, int i) {
  return qobject_cast<QCPGraph*>(Find<QCustomPlot>(&w, "Chart1")->plottable(i));
}
WeightBars* Bars(TBandDlg& w, int index) {
  return qobject_cast<WeightBars*>(Find<QCustomPlot>(&w, "Chart1")->plottable(index));
}
double Y(const QCPGraph* g, int p) {
  return (g->data()->constBegin() + p)->value;
}

QMap<double, QString> Ticks(TBandDlg& w) {
  auto t = Find<QCustomPlot>(&w, "Chart1")->xAxis->ticker().dynamicCast<QCPAxisTickerText>();
  return t ? t->ticks() : QMap<double, QString>();
}

}  // namespace

class BandRunsTest : public QObject {
  Q_OBJECT
 private slots:
  void defaultPathGivesBandsBarsLabelsAndCounts();
  void skippedLinesTypedLabelsAndPointsOutsideTheControls();
  void clickRecomputesThePointAfterSkippedLines();
  void runAndClickLeaveEveryDisplayOnOnePoint();
  void hiddenBarsStillCount();
  void stopWhilePausedEndsAtOnce();
  void runDisablesWhatWouldChangeTheModel();
  void dosOnGridTwentyWithTwoOrbitals();
  void dosSmallGridSpansTheWholeZone();
  void dosSmoothingKeepsPointCount();
  void dosOfEqualEnergiesOrNoSamplesEndsIdle();
  void dosEqualsTheBatchRunAndEndsOnItsLastPoint();
  void dosByTetrahedraFollowsTheMethodChoice();
};

void BandRunsTest::defaultPathGivesBandsBarsLabelsAndCounts() {
  Program p;
  p.Load(kTwoOrbitals);
  TBandDlg& w = *p.bands;
  auto* chart1 = Find<QCustomPlot>(&w, "Chart1");
  const int n = 2;
  Find<QPushButton>(&w, "btnBand")->click();
  QCOMPARE(chart1->plottableCount(), 1 + 2 * n);
  QCOMPARE(SeriesCount(chart1->plottable(0)), 0);
  QVERIFY(!chart1->legend->hasItemWithPlottable(chart1->plottable(0)));
  QCOMPARE(chart1->plottable(1)->name(), QString("E01"));
  QCOMPARE(chart1->plottable(2)->name(), QString("E02"));
  QCOMPARE(chart1->plottable(3)->name(), QString("a"));
  QCOMPARE(chart1->plottable(4)->pen().color(), QColor(0x00, 0x80, 0x00));
  for (int s = 1; s <= 2 * n; ++s) QCOMPARE(SeriesTag(chart1->plottable(s)), s);
  for (int i = 1; i <= n; ++i) QCOMPARE(Band(w, i)->dataCount(), 81);
  QCOMPARE(Bars(w, 3)->Count(), 81 * n);
  QCOMPARE(chart1->xAxis->range(), QCPRange(0, 81));
  const QMap<double, QString> labels{{0, "Y"}, {20, "G"}, {40, "X"}, {60, "M"}, {80, "G"}};
  QCOMPARE(Ticks(w), labels);
  QCOMPARE(Find<QLabel>(&w, "Panel2")->text(), QString(" 81 81 162 162  "));
  // The legend keeps off the plot, at the window's smallest size too.
  w.resize(w.minimumSize());
  w.FormResize();
  for (QCustomPlot* chart : {chart1, Find<QCustomPlot>(&w, "Chart2")}) {
    if (chart->legend->itemCount() == 0) continue;  // an empty legend is not drawn
    chart->replot();
    chart->replot();  // the columns follow the width of the last drawing
    const QRect legend = chart->legend->outerRect(), plot = chart->axisRect()->outerRect();
    QVERIFY(!legend.intersects(plot));
    // Every entry is inside the chart, none lost below its edge.
    QVERIFY(legend.top() >= plot.bottom() && legend.bottom() <= chart->height());
  }

  // Point 45 is (20, 5, 0) / 20; its bars in band order, each 2 w long, w = 10 * weight / 100,
  // stacked end to end (none hides another) and centred together on the band.
  const auto ref = Reference(p, 20, 5, 0, 20);
  for (int i = 1; i <= n; ++i) {
    QVERIFY(std::abs(Y(Band(w, i), 45) - ref->EigVal[i]) < 1e-9);
    double total = 0, next = ref->EigVal[i] - 0.1;
    for (int j = 1; j <= n; ++j) {
      const WeightBars::Bar& b = Bars(w, n + j)->At(45 * n + i - 1);
      QCOMPARE(b.x, 45.0);
      QVERIFY(std::abs(b.start - next) < 1e-9);
      QVERIFY(std::abs((b.end - b.start) - 2 * 10 * ref->EigVecSq[i][j] / 100) < 1e-9);
      total += b.end - b.start;
      next = b.end;
    }
    QVERIFY(std::abs(total - 0.2) < 1e-9);  // the weights of a band sum to one
  }
  // Idle again, and the DOS chart shares the band chart's energy range.
  QVERIFY(Find<QPushButton>(&w, "btnBand")->isEnabled() &&
          !Find<QPushButton>(&w, "btnStop")->isEnabled() &&
          !Find<QPushButton>(&w, "btnPause")->isEnabled());
  QVERIFY(p.Form<QGroupBox>("GroupBox2")->isEnabled() && p.Form<QAction>("miOpen1")->isEnabled());
  QVERIFY(!p.Form<SpinEdit>("seKbodX")->isHidden());
  QCOMPARE(Find<QCustomPlot>(&w, "Chart2")->yAxis->range(), chart1->yAxis->range());
  QVERIFY(chart1->yAxis->range().lower <= std::min(Y(Band(w, 2), 0), Y(Band(w, 2), 40)));
}

void BandRunsTest::skippedLinesTypedLabelsAndPointsOutsideTheControls() {
  Program p;
  p.Load(kChain);
  TBandDlg& w = *p.bands;
  auto* memo1 = Find<QPlainTextEdit>(&w, "Memo1");
  memo1->setPlainText(
      "title\n   10 0 0 20 H\n\n   5 0 0 0\n   10 0 0 20\n   0 0 0 5\n   30 0 0 20\n   1 0 0 7");
  w.btnBandClick();
  QCOMPARE(Band(w, 1)->dataCount(), 5);
  QCOMPARE(Find<QCustomPlot>(&w, "Chart1")->xAxis->range(), QCPRange(0, 7));
  QCOMPARE(Ticks(w), (QMap<double, QString>{{0, "H"}, {2, "G"}}));
  // A closing line break adds no line: the axis still counts the memo's lines.
  memo1->appendPlainText("");
  w.btnBandClick();
  QCOMPARE(Find<QCustomPlot>(&w, "Chart1")->xAxis->range(), QCPRange(0, 7));
  // The run made new series; read the new band 1.
  const QCPGraph* band = Band(w, 1);
  QCOMPARE(band->dataCount(), 5);
  // E = -1 - 2 cos(pi k) at k = 0.5, 0.5, 0, 1.5 (not clamped to 1) and 1/7 (divisor below 10).
  const double k[] = {0.5, 0.5, 0, 1.5, 1.0 / 7};
  for (int x = 0; x < 5; ++x)
    QVERIFY2(std::abs(Y(band, x) - (-1 - 2 * std::cos(M_PI * k[x]))) < 1e-9,
             qPrintable(QString::number(x)));
}

void BandRunsTest::clickRecomputesThePointAfterSkippedLines() {
  Program p;
  auto* lbkx = p.Form<QLabel>("lbkx");
  p.Load(kChain);
  TBandDlg& w = *p.bands;
  auto* chart1 = Find<QCustomPlot>(&w, "Chart1");
  auto* panel0 = Find<QLabel>(&w, "Panel0");
  Find<QPlainTextEdit>(&w, "Memo1")
      ->setPlainText("t\n\n   30 0 0 20\n   0 0 0 0\n   2.5 0 0 10\n   5 0 0 20");
  w.btnBandClick();
  QCOMPARE(Band(w, 1)->dataCount(), 3);
  // Point 1 comes from memo line 4 (the point after it in the memo is line 5).
  w.Chart1ClickSeries(chart1->plottable(1), 1, Qt::LeftButton);
  QCOMPARE(p.Form<SpinEdit>("seKbodX")->Value(), 2);  // 2.5 rounded half to even
  QCOMPARE(p.Form<SpinEdit>("seKbodDel")->Value(), 10);
  QCOMPARE(lbkx->text(), QString("kx=0.20"));
  QCOMPARE(panel0->text(),
           QString(" [1,1] E01: k=2.5 0 0 10 Y=%1 ").arg(-1 - 2 * std::cos(M_PI * 0.2), 6, 'f', 3));
  QCOMPARE(Find<QLabel>(&w, "Panel1")->text(), QString(" [1,1] s=1.00  "));
  // Point 0 lies outside the controls' ranges and is recomputed as written.
  w.Chart1ClickSeries(chart1->plottable(1), 0, Qt::LeftButton);
  QCOMPARE(lbkx->text(), QString("kx=1.50"));
  QVERIFY(std::abs(p.doc.Solver().EigVal[1] - (-1.0)) < 1e-9);
  // A bar reads the band point it lies on (bar 2 of the one orbital is band 1 at point 2);
  // another button does nothing.
  w.Chart1ClickSeries(chart1->plottable(2), 2, Qt::LeftButton);
  QVERIFY(panel0->text().startsWith(" [1,2] E01: k=5 0 0 20 "));
  QCOMPARE(Find<QLabel>(&w, "Panel1")->text(), QString(" [1,2] s=1.00  "));
  QCOMPARE(lbkx->text(), QString("kx=0.25"));
  // The chart shows the whole result, however narrow the panels.
  QCPItemText* shown = nullptr;
  for (int k = 0; k < chart1->itemCount(); ++k)
    if (chart1->item(k)->objectName() == "clickResult")
      shown = qobject_cast<QCPItemText*>(chart1->item(k));
  QVERIFY(shown);
  const QStringList lines = shown->text().split('\n');
  QVERIFY(lines.contains("[1,2] E01") && lines.contains("k=5 0 0 20") && lines.contains("s=1.00"));
  w.Chart1ClickSeries(chart1->plottable(1), 1, Qt::RightButton);
  QVERIFY(panel0->text().startsWith(" [1,2] "));
}

void BandRunsTest::runAndClickLeaveEveryDisplayOnOnePoint() {
  Program p;
  p.Load(kTwoOrbitals);
  TBandDlg& w = *p.bands;
  p.form->btnCalcKpointClick();
  p.eigen->btnIterationClick();
  QVERIFY(!p.eigen->findChild<QPlainTextEdit*>("Memo1")->toPlainText().isEmpty());
  Find<QPlainTextEdit>(&w, "Memo1")->setPlainText("t\n 0 0 0 10\n 5 0 0 10\n 5 5 0 10\n 3 1 0 5");
  w.btnBandClick();
  QCOMPARE(p.Form<SpinEdit>("seKbodX")->Value(), 6);  // 3/5 written as 6/10
  QCOMPARE(DisplayOffTheControls(p), QString());
  // The listing described the matrix before the run.
  QVERIFY(p.eigen->findChild<QPlainTextEdit*>("Memo1")->toPlainText().isEmpty());
  // A bar of orbital 2 (band 2 at point 1), with the coefficients shown.
  p.Form<QCheckBox>("cbEigVecSq")->click();
  w.Chart1ClickSeries(Find<QCustomPlot>(&w, "Chart1")->plottable(4), 3, Qt::LeftButton);
  QCOMPARE(p.Form<SpinEdit>("seKbodX")->Value(), 5);
  QCOMPARE(DisplayOffTheControls(p), QString());
}

void BandRunsTest::hiddenBarsStillCount() {
  Program p;
  p.Load(kTwoOrbitals);
  TBandDlg& w = *p.bands;
  auto* chart1 = Find<QCustomPlot>(&w, "Chart1");
  Find<QCheckBox>(&w, "CheckBox1")->setChecked(false);
  Find<QPlainTextEdit>(&w, "Memo1")->setPlainText("t\n 0 0 0 10\n 5 0 0 10\n 10 0 0 10");
  w.btnBandClick();
  QVERIFY(!chart1->plottable(3)->visible() && !chart1->plottable(4)->visible());
  QVERIFY(chart1->plottable(1)->visible());
  QCOMPARE(Find<QLabel>(&w, "Panel2")->text(), QString(" 3 3 6 6  "));
  // The legend's check box switches a series back on.
  auto* item = chart1->legend->itemWithPlottable(chart1->plottable(3));
  QVERIFY(item);
  emit chart1->legendClick(chart1->legend, item, nullptr);
  QVERIFY(chart1->plottable(3)->visible());
}

void BandRunsTest::stopWhilePausedEndsAtOnce() {
  Program p;
  p.Load(kTwoOrbitals);
  TBandDlg& w = *p.bands;
  auto* btnPause = Find<QPushButton>(&w, "btnPause");
  int atPause = -1, atStop = -1;
  bool pauseEnabled = false;
  QString clickedWhilePaused;
  QTimer::singleShot(0, &w, [&] {
    pauseEnabled = btnPause->isEnabled();
    btnPause->click();
    atPause = Band(w, 1)->dataCount();
    QTimer::singleShot(60, &w, [&] {
      atStop = Band(w, 1)->dataCount();
      // Reading a point's weights is what one pauses for.
      w.Chart1ClickSeries(Find<QCustomPlot>(&w, "Chart1")->plottable(1), 0, Qt::LeftButton);
      clickedWhilePaused = Find<QLabel>(&w, "Panel0")->text() + DisplayOffTheControls(p);
      Find<QPushButton>(&w, "btnStop")->click();
    });
  });
  w.btnBandClick();
  QVERIFY(pauseEnabled);
  QVERIFY(clickedWhilePaused.startsWith(" [1,0] E01: k=0 20 0 20 "));
  // The line in progress when Pause came is finished; nothing is computed after STOP.
  QVERIFY(atPause >= 0 && atStop <= atPause + 1 && atStop < 81);
  QCOMPARE(Band(w, 1)->dataCount(), atStop);
  atPause = atStop;
  QVERIFY(p.doc.StopRequested() && !p.doc.Paused());
  QCOMPARE(btnPause->text(), QString("Pause"));
  QVERIFY(Find<QPushButton>(&w, "btnBand")->isEnabled());
  QCOMPARE(Find<QLabel>(&w, "Panel2")->text(),
           QString(" %1 %1 %2 %2  ").arg(atPause).arg(2 * atPause));
  QVERIFY(clickedWhilePaused.endsWith(' '));  // every display agrees with the clicked point
  QCOMPARE(DisplayOffTheControls(p), QString());
}

void BandRunsTest::runDisablesWhatWouldChangeTheModel() {
  Program p;
  p.Load(kTwoOrbitals);
  TBandDlg& w = *p.bands;
  bool locked = false;
  int pointsBefore = -1, pointsAfter = -1;
  QTimer::singleShot(0, &w, [&] {
    locked = !p.Form<QAction>("miOpen1")->isEnabled() && !p.Form<QAction>("miNew1")->isEnabled() &&
             !p.Form<SpinEdit>("seNorb")->isEnabled() &&
             !p.Form<QPushButton>("btnUpdateAlpha")->isEnabled() &&
             !p.Form<QPushButton>("btnUpdateBeta")->isEnabled() &&
             !p.Form<QGroupBox>("GroupBox2")->isEnabled() &&
             !Find<QPushButton>(&w, "btnDOS")->isEnabled() &&
             !Find<QPushButton>(&w, "CancelBtn")->isEnabled() &&
             Find<QPlainTextEdit>(&w, "Memo1")->isReadOnly() &&
             p.Form<StringGrid>("sgHamMat")->isHidden();
    // A click on the chart during the run must not move the run's k point.
    pointsBefore = Band(w, 1)->dataCount();
    if (pointsBefore > 0)
      w.Chart1ClickSeries(Find<QCustomPlot>(&w, "Chart1")->plottable(1), 0, Qt::LeftButton);
    pointsAfter = Band(w, 1)->dataCount();
  });
  w.btnBandClick();
  QVERIFY(locked);
  QCOMPARE(pointsAfter, pointsBefore);
  const auto ref = Reference(p, 0, 19, 0, 20);
  QVERIFY(std::abs(Y(Band(w, 1), 1) - ref->EigVal[1]) < 1e-9);
  QVERIFY(p.Form<QAction>("miOpen1")->isEnabled() && p.Form<SpinEdit>("seNorb")->isEnabled() &&
          !Find<QPlainTextEdit>(&w, "Memo1")->isReadOnly());
}

void BandRunsTest::dosOnGridTwentyWithTwoOrbitals() {
  Program p;
  p.Load(kTwoOrbitals);
  TBandDlg& w = *p.bands;
  auto* chart2 = Find<QCustomPlot>(&w, "Chart2");
  Find<QCheckBox>(&w, "cbCells")->setChecked(true);
  Find<QPushButton>(&w, "btnDOS")->click();
  QVERIFY(!Find<QCheckBox>(&w, "cbCells")->isChecked());
  QVERIFY(p.doc.Solver().JacVerbose);
  QCOMPARE(chart2->plottableCount(), 3);
  QCOMPARE(chart2->plottable(0)->name(), QString("total"));
  QCOMPARE(chart2->plottable(2)->name(), QString("b"));
  double sums[3] = {};
  for (int s = 0; s < 3; ++s) {
    auto* g = qobject_cast<QCPGraph*>(chart2->plottable(s));
    QCOMPARE(g->dataCount(), 101);
    for (auto it = g->data()->constBegin(); it != g->data()->constEnd(); ++it) sums[s] += it->value;
  }
  QCOMPARE(sums[0], 9261.0 * 2);
  // The partial sums are the orbitals' weights over the grid, computed here without the window.
  double weight[3] = {}, emin = 1e9, emax = -1e9;
  for (int iz = 0; iz <= 20; ++iz)
    for (int iy = 0; iy <= 20; ++iy)
      for (int ix = 0; ix <= 20; ++ix) {
        const auto ref = Reference(p, ix, iy, iz, 20);
        for (int i = 1; i <= 2; ++i) {
          emin = std::min(emin, ref->EigVal[i]);
          emax = std::max(emax, ref->EigVal[i]);
          for (int j = 1; j <= 2; ++j) weight[j] += ref->EigVecSq[i][j];
        }
      }
  QVERIFY(std::abs(sums[1] - weight[1]) < 1e-6);
  QVERIFY(std::abs(sums[2] - weight[2]) < 1e-6);
  auto* total = qobject_cast<QCPGraph*>(chart2->plottable(0));
  const double r = emax - emin;
  QVERIFY(std::abs(total->data()->constBegin()->key - (emin - 0.05 * r)) < 1e-9);
  QVERIFY(std::abs((total->data()->constEnd() - 1)->key - (emax + 0.05 * r)) < 1e-9);
  QCOMPARE(Find<QLabel>(&w, "Panel1")->text(), QString(" 20 20 20 "));
  QCOMPARE(Find<QCustomPlot>(&w, "Chart1")->yAxis->range(), chart2->yAxis->range());
  QVERIFY(Find<QPushButton>(&w, "btnDOS")->isEnabled() && !p.Form<QLabel>("lbkx")->isHidden());
  // A band run afterwards fits its energy axis to the bands again; the DOS chart follows it.
  w.btnBandClick();
  const QCPRange bands = Find<QCustomPlot>(&w, "Chart1")->yAxis->range();
  // The bars reach at most 0.1 beyond a band; the DOS window's margins reach further.
  QVERIFY(0.05 * r > 0.15);
  QVERIFY(bands.lower >= emin - 0.1 - 1e-9 && bands.upper <= emax + 0.1 + 1e-9);
  QCOMPARE(chart2->yAxis->range(), bands);
}

void BandRunsTest::dosSmallGridSpansTheWholeZone() {
  Program p;
  p.Load(kChain);
  TBandDlg& w = *p.bands;
  Find<SpinEdit>(&w, "SpinEdit3")->SetValue(5);
  w.btnDOSClick();
  QCOMPARE(w.DosSamplesOfRun().Count(), std::size_t{216});
  // k = 0..1 gives -3..1; a grid read as tenths would stop at k = 0.5 (E = -1).
  QVERIFY(std::abs(w.DosSamplesOfRun().Emin() - (-3)) < 1e-9);
  QVERIFY(std::abs(w.DosSamplesOfRun().Emax() - 1) < 1e-9);
}

void BandRunsTest::dosSmoothingKeepsPointCount() {
  Program p;
  p.Load(kChain);
  TBandDlg& w = *p.bands;
  Find<SpinEdit>(&w, "SpinEdit3")->SetValue(5);
  Find<SpinEdit>(&w, "SpinEdit4")->SetValue(10);
  w.btnDOSClick();
  const quarnel::DosCurves raw = w.DosCurvesOfRun();
  Find<SpinEdit>(&w, "SpinEdit5")->SetValue(1);
  w.btnDOSClick();
  QCOMPARE(qobject_cast<QCPGraph*>(Find<QCustomPlot>(&w, "Chart2")->plottable(0))->dataCount(), 11);
  quarnel::DosCurves expected = raw;
  quarnel::SmoothDos(expected, 1);
  QCOMPARE(w.DosCurvesOfRun().value, expected.value);
  QVERIFY(w.DosCurvesOfRun().value != raw.value);
}

void BandRunsTest::dosOfEqualEnergiesOrNoSamplesEndsIdle() {
  Program p;
  p.Load(kFlat);
  TBandDlg& w = *p.bands;
  auto* chart2 = Find<QCustomPlot>(&w, "Chart2");
  auto* chart1 = Find<QCustomPlot>(&w, "Chart1");
  Find<SpinEdit>(&w, "SpinEdit3")->SetValue(5);
  Find<SpinEdit>(&w, "SpinEdit4")->SetValue(10);
  w.btnDOSClick();
  auto* total = qobject_cast<QCPGraph*>(chart2->plottable(0));
  QCOMPARE(total->dataCount(), 11);
  for (auto it = total->data()->constBegin(); it != total->data()->constEnd(); ++it)
    QVERIFY(std::isfinite(it->key) && std::isfinite(it->value));
  QCOMPARE((total->data()->constBegin() + 5)->value, 216.0);
  QVERIFY(Find<QPushButton>(&w, "btnDOS")->isEnabled());

  // STOP at once with no orbitals: no samples, empty curves, idle, the band axis untouched.
  auto none = std::make_unique<quarnel::ModelData>(p.doc.Model());
  none->NOrb = 0;
  p.doc.ReplaceModel(*none);
  chart1->yAxis->setRange(-7, 7);
  SetAxisRange(chart1->yAxis, -7, 7);
  QTimer::singleShot(0, &w, [&] { Find<QPushButton>(&w, "btnStop")->click(); });
  w.btnDOSClick();
  QCOMPARE(w.DosSamplesOfRun().Count(), std::size_t{0});
  QCOMPARE(chart2->plottableCount(), 1);
  QCOMPARE(SeriesCount(chart2->plottable(0)), 0);
  QVERIFY(Find<QPushButton>(&w, "btnDOS")->isEnabled() &&
          !Find<QPushButton>(&w, "btnStop")->isEnabled());
  QCOMPARE(chart1->yAxis->range(), QCPRange(-7, 7));
}

void BandRunsTest::dosEqualsTheBatchRunAndEndsOnItsLastPoint() {
  Program p;
  p.Load(kTwoOrbitals);
  TBandDlg& w = *p.bands;
  Find<SpinEdit>(&w, "SpinEdit3")->SetValue(12);
  Find<SpinEdit>(&w, "SpinEdit4")->SetValue(60);
  Find<SpinEdit>(&w, "SpinEdit5")->SetValue(2);
  // What quarnel-cli dos computes with the same grid, intervals and smoothing.
  quarnel::DosSamples samples;
  quarnel::SampleDosGrid(quarnel::TableModel(p.doc.Model()), 12, 1, samples);
  quarnel::DosCurves batch = quarnel::DosHistogram(samples, 60);
  quarnel::SmoothDos(batch, 2);
  for (int threads : {1, 3}) {
    w.SetDosThreads(threads);
    w.btnDOSClick();
    QCOMPARE(w.DosSamplesOfRun().KPoints(), std::size_t{13 * 13 * 13});
    for (int series = 0; series <= 2; ++series) {
      auto* graph = qobject_cast<QCPGraph*>(Find<QCustomPlot>(&w, "Chart2")->plottable(series));
      QCOMPARE(graph->dataCount(), 61);
      for (int q = 0; q <= 60; ++q) {
        QCOMPARE((graph->data()->constBegin() + q)->key, batch.energy[q]);
        QCOMPARE((graph->data()->constBegin() + q)->value, batch.value[series][q]);
      }
    }
    QCOMPARE(Find<QLabel>(&w, "Panel1")->text().trimmed(), QString("12 12 12"));
    QVERIFY(Find<QProgressBar>(&w, "DosProgress")->isHidden());
    // Every k-point display belongs to the grid's last point, computed by the calculation.
    QCOMPARE(p.Form<QLabel>("lbkx")->text(), QString("kx=1.00"));
    QCOMPARE(p.Form<QLabel>("lbkz")->text(), QString("kz=1.00"));
    QVERIFY(!p.Form<QLabel>("lbkx")->isHidden());
    const auto last = Reference(p, 12, 12, 12, 12);
    QCOMPARE(p.doc.Solver().EigVal[1], last->EigVal[1]);
    QCOMPARE(p.doc.Solver().EigVecSq[2][1], last->EigVecSq[2][1]);
  }
}

void BandRunsTest::dosByTetrahedraFollowsTheMethodChoice() {
  Program p;
  p.Load(kChain);
  TBandDlg& w = *p.bands;
  auto* chart2 = Find<QCustomPlot>(&w, "Chart2");
  Find<SpinEdit>(&w, "SpinEdit3")->SetValue(10);
  Find<SpinEdit>(&w, "SpinEdit4")->SetValue(50);
  Find<QComboBox>(&w, "cbDosMethod")->setCurrentIndex(1);
  QVERIFY(!Find<SpinEdit>(&w, "SpinEdit5")->isEnabled());
  w.btnDOSClick();
  // The curves of the batch run, in states per cell and energy.
  const quarnel::TableModel model(p.doc.Model());
  quarnel::DosSamples samples;
  quarnel::SampleDosGrid(model, 10, 1, samples);
  quarnel::TetraDosResult batch;
  QVERIFY(quarnel::TetraDos(model.DosGrid(10), samples, 50, 1, batch));
  auto* total = qobject_cast<QCPGraph*>(chart2->plottable(0));
  QCOMPARE(total->dataCount(), 51);
  for (int q = 0; q <= 50; ++q)
    QCOMPARE((total->data()->constBegin() + q)->value, batch.curves.value[0][q]);
  QCOMPARE(chart2->xAxis->label(), QString("DOS (states per cell and energy)"));
  QVERIFY(w.DosSaveText().find("# method: tetrahedra\n") != std::string::npos);

  // Half filled: E_F at the band centre -1 by the tetrahedron count, which ends at g N = 2.
  Find<QLineEdit>(&w, "edElectrons")->setText("1");
  w.ApplyFillingToModel();
  QVERIFY(w.FillingOfRun().valid && std::abs(w.FillingOfRun().fermi - (-1)) < 1e-9);
  QCOMPARE((qobject_cast<QCPGraph*>(chart2->plottable(2))->data()->constEnd() - 1)->value, 2.0);

  Find<QComboBox>(&w, "cbDosMethod")->setCurrentIndex(0);
  QVERIFY(Find<SpinEdit>(&w, "SpinEdit5")->isEnabled());
  w.btnDOSClick();
  QCOMPARE(chart2->xAxis->label(), QString("DOS (counts)"));
  QVERIFY(w.DosSaveText().find("# method") == std::string::npos);
  Find<QLineEdit>(&w, "edElectrons")->setText("0");
  w.ApplyFillingToModel();
}

QTEST_MAIN(BandRunsTest)
#include "band_runs_test.moc"
