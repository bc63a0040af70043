// SPDX-License-Identifier: GPL-3.0-or-later
// The charts' axis menu and helpers, the k-point files, printing and copying of the bands window.
#include <qcustomplot.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTest>

#include "gui/bands/band_models.h"
#include "widgets/chart_helpers.h"
#include "widgets/orbital_view.h"

namespace {

// Confirms the print dialog with a PDF file as the printer.
class PdfDialogs : public ScriptedDialogs {
 public:
  QString pdf;
  bool Print(QWidget*, QPrinter& printer) override {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  }
};

QCustomPlot* ChartWithData(double lo, double hi) {
  auto* chart = new QCustomPlot;
  InstallSeriesChart(chart);
  auto* g = qobject_cast<QCPGraph*>(chart->plottable(AddLineSeries(chart, Qt::red)));
  g->addData(0, lo);
  g->addData(1, hi);
  chart->replot();
  return chart;
}

}  // namespace

class BandChartTest : public QObject {
  Q_OBJECT
 private slots:
  void automaticAxesFollowTheirData();
  void axisDialogAnswers();
  void doubleAndLogarithmicRules();
  void menuActsOnTheChartThatOpenedIt();
  void dosChartOpensTheMenuOnlyInsideItsPlot();
  void statusPanelFitReportsOnlyChanges();
  void delayWaitsWithoutSpinning();
  void openKpointsReadsBothFormats();
  void commandLineReadsAKpointList();
  void printAndCopyTheWindow();
  void orbitalSizeControlsRequestARescale();
};

void BandChartTest::automaticAxesFollowTheirData() {
  std::unique_ptr<QCustomPlot> chart(ChartWithData(-2, 3));
  QVERIFY(IsAxisAutomatic(chart->yAxis));
  QCOMPARE(chart->yAxis->range(), QCPRange(-2, 3));
  SetAxisRange(chart->yAxis, 0, 1);
  chart->replot();
  QCOMPARE(chart->yAxis->range(), QCPRange(0, 1));
  ResetAxisMaximum(chart->yAxis);
  chart->replot();
  QCOMPARE(chart->yAxis->range(), QCPRange(0, 3));
  ResetAllAxes(chart.get());
  chart->replot();
  QCOMPARE(chart->yAxis->range(), QCPRange(-2, 3));
  // A hidden series does not count.
  SetAxisRange(chart->yAxis, 5, 4);  // ignored: max not above min
  QVERIFY(IsAxisAutomatic(chart->yAxis));
}

void BandChartTest::axisDialogAnswers() {
  ScriptedDialogs dialogs;
  std::unique_ptr<QCustomPlot> chart(ChartWithData(0, 10));
  QCPAxis* y = chart->yAxis;
  dialogs.inputAnswers << "2";
  AskAxisRange(y);
  QCOMPARE(y->range(), QCPRange(2, 10));
  QVERIFY(IsAxisAutoMaximum(y) && !IsAxisAutomatic(y));
  SetAxisRange(y, 0, 10);
  dialogs.inputAnswers << " 20 ";
  AskAxisRange(y);
  QCOMPARE(y->range(), QCPRange(20, 21));
  QVERIFY(IsAxisAutoMaximum(y));
  dialogs.inputAnswers << "-1,5   4 extra";
  AskAxisRange(y);
  QCOMPARE(y->range(), QCPRange(-1.5, 4));
  QVERIFY(!IsAxisAutoMaximum(y) && !IsAxisAutomatic(y));
  dialogs.inputAnswers << "x 4"
                       << "5 3";
  AskAxisRange(y);
  AskAxisRange(y);
  QCOMPARE(y->range(), QCPRange(-1.5, 4));
  dialogs.inputAnswers << "";
  AskAxisRange(y);
  QVERIFY(IsAxisAutomatic(y));
  chart->replot();
  QCOMPARE(y->range(), QCPRange(0, 10));
  AskAxisRange(y);  // cancelled: nothing
  QVERIFY(IsAxisAutomatic(y));
}

void BandChartTest::doubleAndLogarithmicRules() {
  std::unique_ptr<QCustomPlot> chart(ChartWithData(0, 10));
  QCPAxis* y = chart->yAxis;
  DoubleAxisRange(y);
  QCOMPARE(y->range(), QCPRange(-5, 15));
  ToggleLogAxis(y);  // minimum not above 0
  QCOMPARE(y->scaleType(), QCPAxis::stLinear);
  SetAxisRange(y, 1, 10);
  ToggleLogAxis(y);
  QCOMPARE(y->scaleType(), QCPAxis::stLogarithmic);
  DoubleAxisRange(y);  // -3.5 is not positive
  QCOMPARE(y->range(), QCPRange(1, 10));
  SetAxisRange(y, -1, 10);
  QCOMPARE(y->range(), QCPRange(1, 10));
  auto labels = QSharedPointer<QCPAxisTickerText>::create();
  chart->xAxis->setTicker(labels);
  SetAxisRange(chart->xAxis, 1, 2);
  ToggleLogAxis(chart->xAxis);
  ToggleLogAxis(chart->xAxis);
  QCOMPARE(chart->xAxis->ticker(), QSharedPointer<QCPAxisTicker>(labels));
}

void BandChartTest::menuActsOnTheChartThatOpenedIt() {
  Program p;
  TBandDlg& w = *p.bands;
  auto* chart1 = Find<QCustomPlot>(&w, "Chart1");
  auto* menu = p.pom->findChild<QMenu*>("PopupMenuChart");
  auto* rightY2 = p.pom->findChild<QMenu*>("miRightY2");
  auto* leftLog = p.pom->findChild<QAction*>("miLeftLog");
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  auto* g = qobject_cast<QCPGraph*>(chart1->plottable(AddLineSeries(chart1, Qt::black)));
  g->addData(0, 0);
  g->addData(1, 5);
  chart1->replot();
  QTest::mouseDClick(chart1, Qt::LeftButton, {}, QPoint(5, 5));
  QCOMPARE(MenuChart, chart1);
  QVERIFY(menu->isVisible());
  QVERIFY(!rightY2->menuAction()->isVisible());
  menu->hide();
  // "Logarithmic Y" on an axis from 0 stays unchecked; from 1 it checks.
  leftLog->trigger();
  QVERIFY(!leftLog->isChecked());
  QCOMPARE(chart1->yAxis->scaleType(), QCPAxis::stLinear);
  SetAxisRange(chart1->yAxis, 1, 5);
  leftLog->trigger();
  QVERIFY(leftLog->isChecked());
  QCOMPARE(chart1->yAxis->scaleType(), QCPAxis::stLogarithmic);
  leftLog->trigger();
  QVERIFY(!leftLog->isChecked());
  p.dialogs.inputAnswers << "0.5 3";
  p.pom->findChild<QAction*>("miManualX")->trigger();
  QCOMPARE(chart1->xAxis->range(), QCPRange(0.5, 3));
  p.pom->findChild<QAction*>("miBottomDouble")->trigger();
  QCOMPARE(chart1->xAxis->range(), QCPRange(-0.75, 4.25));
  p.pom->findChild<QAction*>("miResetAxes")->trigger();
  QCOMPARE(chart1->xAxis->range(), QCPRange(0, 1));
  // A series on the right axis shows the third submenu.
  g->setValueAxis(chart1->yAxis2);
  QTest::mouseDClick(chart1, Qt::LeftButton, {}, QPoint(5, 5));
  QVERIFY(rightY2->menuAction()->isVisible());
  menu->hide();
}

void BandChartTest::dosChartOpensTheMenuOnlyInsideItsPlot() {
  Program p;
  TBandDlg& w = *p.bands;
  auto* chart2 = Find<QCustomPlot>(&w, "Chart2");
  auto* menu = p.pom->findChild<QMenu*>("PopupMenuChart");
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  chart2->replot();
  MenuChart = nullptr;
  QTest::mouseDClick(chart2, Qt::LeftButton, {}, QPoint(2, 2));  // on the margin
  QVERIFY(MenuChart == nullptr);
  QVERIFY(!menu->isVisible());
  const QPoint inside = chart2->axisRect()->rect().center();
  QTest::mouseDClick(chart2, Qt::LeftButton, {}, inside);
  QCOMPARE(MenuChart, chart2);
  QVERIFY(menu->isVisible());
  menu->hide();
  const QPoint global = chart2->mapToGlobal(inside);
  QVERIFY(PointInPlotRect(&w, chart2, global.x(), 0, global.y()));
  const QPoint corner = chart2->mapToGlobal(chart2->axisRect()->rect().topLeft());
  QVERIFY(!PointInPlotRect(&w, chart2, corner.x(), 0, corner.y()));
  QVERIFY(!PointInPlotRect(&w, chart2, corner.x() + 3, 5, corner.y() + 3));
}

void BandChartTest::statusPanelFitReportsOnlyChanges() {
  Program p;
  auto* panel2 = p.Bands<QLabel>("Panel2");
  QStatusBar* bar = p.Bands<QStatusBar>("StatusBar1");
  const int width = SetStatusPanelFit(bar, 2, "81 81 162 162 ");
  QVERIFY(width > 0);
  QCOMPARE(panel2->width(), width);
  QCOMPARE(panel2->text(), QString(" 81 81 162 162  "));
  QCOMPARE(SetStatusPanelFit(bar, 2, "81 81 162 162 "), 0);
  SetStatusPanel(bar, 2, "x");
  QCOMPARE(panel2->text(), QString(" x "));
  QCOMPARE(panel2->width(), width);
}

void BandChartTest::delayWaitsWithoutSpinning() {
  QElapsedTimer t;
  t.start();
  DelayWithMessages(0);
  QVERIFY(t.elapsed() < 5);
  std::clock_t cpu = std::clock();
  t.restart();
  DelayWithMessages(200);
  QVERIFY(t.elapsed() > 200);
  // Sleeping between rounds: far less processor time than wall time.
  const double used = double(std::clock() - cpu) / CLOCKS_PER_SEC;
  QVERIFY2(used < 0.15, qPrintable(QString::number(used)));
}

void BandChartTest::openKpointsReadsBothFormats() {
  Program p;
  TBandDlg& w = *p.bands;
  auto* memo1 = Find<QPlainTextEdit>(&w, "Memo1");
  const QString klist = p.Write("fcc.klist_band", "GAMMA 0 0 0 20 2.0\n      5 0 0 20 2.0\nEND\n");
  p.dialogs.openAnswers << klist;
  w.btnOpenKpointsClick();
  QCOMPARE(p.dialogs.lastFilter,
           QString("Quarnel kpoints (*.qrk)|*.qrk|Wien2k klist_band(*.klist_band)|*.klist_band|All "
                   "Files (*.*)|*.*"));
  QCOMPARE(p.dialogs.lastSuffix, QString("qrk"));
  QCOMPARE(memo1->toPlainText(), QString("GAMMA\n 0 0 0 20 GAMMA\n 5 0 0 20 "));
  QCOMPARE(w.windowTitle(), QString("Bands&DOS [fcc.klist_band]"));
  const QString qrk = p.Write("p.qrk", "my path\n\n  0 0 0 10 A\n");
  p.dialogs.openAnswers << qrk;
  w.btnOpenKpointsClick();
  QCOMPARE(memo1->toPlainText(), QString("my path\n  0 0 0 10 A"));
  p.dialogs.openAnswers << p.dir.filePath("missing.qrk");
  w.btnOpenKpointsClick();
  QCOMPARE(memo1->toPlainText(), QString("my path\n  0 0 0 10 A"));
  QCOMPARE(p.dialogs.warnings.size(), 1);
  QVERIFY(p.dialogs.warnings[0].contains("missing.qrk: not found"));
}

void BandChartTest::commandLineReadsAKpointList() {
  QTemporaryDir dir;
  const QString path = dir.filePath("start.qrk");
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("G X\n 0 0 0 10\n 10 0 0 10\n");
  f.close();
  Program p({path});
  QCOMPARE(p.Bands<QPlainTextEdit>("Memo1")->toPlainText(), QString("G X\n 0 0 0 10\n 10 0 0 10"));
}

void BandChartTest::printAndCopyTheWindow() {
  Program p;
  PdfDialogs pdf;  // installed over the program's scripted dialogs
  pdf.pdf = p.dir.filePath("window.pdf");
  p.Bands<QPushButton>("btnPrint")->click();
  QFile out(pdf.pdf);
  QVERIFY(out.open(QIODevice::ReadOnly));
  QVERIFY(out.read(5) == "%PDF-");
  QVERIFY(out.size() > 2000);
  p.Bands<QPushButton>("btnCopy")->click();
  QCOMPARE(QApplication::clipboard()->pixmap().size(), p.bands->size());
}

void BandChartTest::orbitalSizeControlsRequestARescale() {
  Program p;
  // Fits counted, not made: a fit would take the request.
  OrbitalView* view = p.bands->Orbitals();
  QObject::disconnect(view, &OrbitalView::FitRequested, nullptr, nullptr);
  QSignalSpy fits(view, &OrbitalView::FitRequested);
  view->RequestRescale(false);
  p.Bands<QSlider>("TrackBar1")->setValue(12);
  QCOMPARE(view->Scale(), 12.0 / view->ScaleSteps());
  QVERIFY(view->RescaleRequested());
  QCOMPARE(fits.count(), 0);
  view->RequestRescale(false);
  p.Bands<QPushButton>("btnResizeOrb")->click();
  QVERIFY(view->RescaleRequested());
  QVERIFY(IsAxisAutomatic(p.Bands<QCustomPlot>("Chart3")->xAxis));
  QCOMPARE(fits.count(), 1);
}

QTEST_MAIN(BandChartTest)
#include "band_chart_test.moc"
