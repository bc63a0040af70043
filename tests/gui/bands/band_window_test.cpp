// SPDX-License-Identifier: GPL-3.0-or-later
#include <qcustomplot.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <algorithm>

#include "bandwindows/band_window.h"
#include "document/model_document.h"
#include "gui/harness/program.h"
#include "widgets/spin_edit.h"

class BandWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void editsHaveTheirLimitsAndStartValues_data();
  void editsHaveTheirLimitsAndStartValues();
  void startsIdleWithOnlyTheWorkingCommandsEnabled();
  void memoHoldsTheDefaultPathPointByPoint();
  void layoutFillsTheWindowAtAnySize_data();
  void layoutFillsTheWindowAtAnySize();
  void orbitalsBoxSwapsTheOrbitalChartWithDosAndMemo();
  void pauseAndStopSetTheFlagsAndCaption();
  void clearChartsEmptiesAllThreeCharts();
  void rangeLabelsFollowTheEnergyAxes();
  void legendShowsOnlyWithSeries();
  void statusBarHasSixPanelsFoundByName();
  void escapeNeverHidesAndClosingStopsARun();
};

void BandWindowTest::editsHaveTheirLimitsAndStartValues_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("lo");
  QTest::addColumn<int>("hi");
  QTest::addColumn<int>("value");
  QTest::addColumn<QString>("hint");
  QTest::newRow("marker size") << "SpinEdit2" << 1 << 100 << 10
                               << "Size of the partial DOS markers";
  QTest::newRow("smoothing") << "SpinEdit5" << 0 << 5 << 0 << "Gauss smoothing";
  QTest::newRow("k grid") << "SpinEdit3" << 5 << 50 << 20 << "Number of k-points in each axis";
  QTest::newRow("intervals") << "SpinEdit4" << 10 << 1000 << 100 << "Number of energy intervals";
  QTest::newRow("delay") << "SpinEdit1" << 0 << 1000 << 0 << "Delay between k=points calculations";
}

void BandWindowTest::editsHaveTheirLimitsAndStartValues() {
  QFETCH(QString, name);
  QFETCH(int, lo);
  QFETCH(int, hi);
  QFETCH(int, value);
  QFETCH(QString, hint);
  ModelDocument doc;
  TBandDlg w(doc);
  SpinEdit* e = name == "SpinEdit1"   ? Find<SpinEdit>(&w, "SpinEdit1")
                : name == "SpinEdit2" ? Find<SpinEdit>(&w, "SpinEdit2")
                : name == "SpinEdit3" ? Find<SpinEdit>(&w, "SpinEdit3")
                : name == "SpinEdit4" ? Find<SpinEdit>(&w, "SpinEdit4")
                                      : Find<SpinEdit>(&w, "SpinEdit5");
  QCOMPARE(e->MinValue(), lo);
  QCOMPARE(e->MaxValue(), hi);
  QCOMPARE(e->Text(), QString::number(value));
  QCOMPARE(ReadSpinValue(e, -1), value);
  QCOMPARE(e->toolTip(), hint);
}

void BandWindowTest::startsIdleWithOnlyTheWorkingCommandsEnabled() {
  ModelDocument doc;
  TBandDlg w(doc);
  auto* trackBar1 = Find<QSlider>(&w, "TrackBar1");
  auto* chart3 = Find<QCustomPlot>(&w, "Chart3");
  QCOMPARE(w.windowTitle(), QString("Bands&DOS"));
  QVERIFY(w.windowFlags() & Qt::Window);
  QVERIFY(w.OneRowWidth() >= 900 && w.minimumWidth() < w.OneRowWidth());
  QCOMPARE(w.minimumHeight(), 500);
  QCOMPARE(w.size(), QSize(w.OneRowWidth(), 600));
  QVERIFY(Find<QCheckBox>(&w, "CheckBox1")->isChecked());
  QVERIFY(!Find<QCheckBox>(&w, "cbCells")->isChecked());
  QCOMPARE(trackBar1->minimum(), 1);
  QCOMPARE(trackBar1->maximum(), 9);
  QCOMPARE(trackBar1->value(), 6);
  QCOMPARE(Find<QPushButton>(&w, "btnPause")->text(), QString("Pause"));
  QVERIFY(!Find<QPushButton>(&w, "btnPause")->isEnabled());
  QVERIFY(!Find<QPushButton>(&w, "btnStop")->isEnabled());
  QVERIFY(Find<QPushButton>(&w, "btnCopy")->isEnabled());
  QVERIFY(Find<QPushButton>(&w, "CancelBtn")->isEnabled());
  QCOMPARE(Find<QPushButton>(&w, "CancelBtn")->text(), QString("Close"));
  QVERIFY(Find<QPushButton>(&w, "btnBand")->font().bold());
  QVERIFY(Find<QPushButton>(&w, "btnDOS")->font().bold());
  QCOMPARE(Find<QCustomPlot>(&w, "Chart1")->xAxis->label(), QString("k-points"));
  QCOMPARE(Find<QCustomPlot>(&w, "Chart1")->yAxis->label(), QString("Energy"));
  QCOMPARE(Find<QCustomPlot>(&w, "Chart2")->xAxis->label(), QString("DOS"));
  QVERIFY(!chart3->legend->visible());
  QVERIFY(!chart3->xAxis->visible() && !chart3->yAxis->visible());
  QCOMPARE(Find<QPlainTextEdit>(&w, "Memo1")->lineWrapMode(), QPlainTextEdit::NoWrap);
  QVERIFY(QFontInfo(Find<QPlainTextEdit>(&w, "Memo1")->font()).fixedPitch());
}

// Walks the path instead of comparing with a copy of the text: corners at the special points,
// unit steps between them, and the exact line format the band run and the clicks read.
void BandWindowTest::memoHoldsTheDefaultPathPointByPoint() {
  ModelDocument doc;
  TBandDlg w(doc);
  const QStringList lines = Find<QPlainTextEdit>(&w, "Memo1")->toPlainText().split('\n');
  QCOMPARE(Find<QPlainTextEdit>(&w, "Memo1")->blockCount(), 82);
  QCOMPARE(lines.size(), 82);
  QCOMPARE(lines.first(), QString("Y G X M G"));
  QCOMPARE(lines[1], QString("   0   20   0   20"));
  QCOMPARE(lines.last(), QString("   0   0   0   20"));
  const QRegularExpression format(R"(^(   \d+){4}$)");
  QList<QPoint> points;
  for (int i = 1; i < lines.size(); ++i) {
    QVERIFY2(format.match(lines[i]).hasMatch(), qPrintable(lines[i]));
    const QStringList words = lines[i].split(' ', Qt::SkipEmptyParts);
    QCOMPARE(words[2], QString("0"));
    QCOMPARE(words[3], QString("20"));
    points << QPoint(words[0].toInt(), words[1].toInt());
  }
  QCOMPARE(points[0], QPoint(0, 20));    // Y
  QCOMPARE(points[20], QPoint(0, 0));    // G
  QCOMPARE(points[40], QPoint(20, 0));   // X
  QCOMPARE(points[60], QPoint(20, 20));  // M
  QCOMPARE(points[80], QPoint(0, 0));    // G
  for (int i = 1; i < points.size(); ++i) {
    const QPoint d = points[i] - points[i - 1];
    QVERIFY2(std::abs(d.x()) <= 1 && std::abs(d.y()) <= 1 && d != QPoint(),
             qPrintable(QString("step %1").arg(i)));
  }
}

void BandWindowTest::layoutFillsTheWindowAtAnySize_data() {
  QTest::addColumn<QSize>("size");
  QTest::newRow("one row") << QSize(900, 600);
  QTest::newRow("large") << QSize(1260, 900);
  QTest::newRow("two rows") << QSize(700, 600);
  QTest::newRow("narrowest") << QSize(0, 500);
}

void BandWindowTest::layoutFillsTheWindowAtAnySize() {
  QFETCH(QSize, size);
  ModelDocument doc;
  TBandDlg w(doc);
  size.setWidth(std::max(size.width(), w.minimumWidth()));
  const bool oneRow = size.width() >= w.OneRowWidth();
  w.resize(size);
  w.FormResize();
  // The top panel, in its scroll area: the status bar's second panel is named Panel1 too.
  auto* scroll = Find<QScrollArea>(&w, "PanelScroll");
  auto* panel1 = Find<QFrame>(scroll, "Panel1");
  panel1->layout()->activate();
  // No group of the top panel is squeezed below what its controls need, or lies on another.
  QList<QWidget*> parts = {
      Find<QGroupBox>(&w, "GroupBox1"), Find<QGroupBox>(&w, "GroupBox2"),
      Find<QGroupBox>(&w, "GroupBox5"), Find<QGroupBox>(&w, "GroupBox3"),
      Find<QGroupBox>(&w, "GroupBox4"), Find<QPushButton>(&w, "btnOpenKpoints")->parentWidget()};
  for (QGroupBox* g : {Find<QGroupBox>(&w, "GroupBox1"), Find<QGroupBox>(&w, "GroupBox2"),
                       Find<QGroupBox>(&w, "GroupBox3"), Find<QGroupBox>(&w, "GroupBox4"),
                       Find<QGroupBox>(&w, "GroupBox5")})
    QVERIFY2(g->width() >= g->minimumSizeHint().width(), qPrintable(g->title()));
  for (int i = 0; i < parts.size(); ++i) {
    QVERIFY(panel1->rect().contains(parts[i]->geometry()));
    for (int j = i + 1; j < parts.size(); ++j)
      QVERIFY(!parts[i]->geometry().intersects(parts[j]->geometry()));
  }
  const QRect c1 = Find<QCustomPlot>(&w, "Chart1")->geometry(),
              c2 = Find<QCustomPlot>(&w, "Chart2")->geometry(),
              m = Find<QPlainTextEdit>(&w, "Memo1")->geometry();
  // The rows scroll sideways where the window is narrower than they are.
  QCOMPARE(c1.top(), scroll->geometry().bottom() + 1);
  QCOMPARE(scroll->width(), size.width());
  QCOMPARE(panel1->height(), w.PanelHeight());
  QCOMPARE(panel1->height() == 80, oneRow);
  QCOMPARE(c1.left(), 0);
  QCOMPARE(c2.width() == 255 && m.width() == 213, oneRow);
  QVERIFY(c1.width() >= 150 && c2.width() >= 150 && m.width() >= 100);
  QCOMPARE(c2.left(), c1.right() + 3);
  QCOMPARE(m.left(), c2.right() + 3);
  QCOMPARE(m.right(), size.width() - 1);
  QCOMPARE(c2.height(), c1.height());
  QCOMPARE(m.height(), c1.height());
  QCOMPARE(c1.bottom() + 2, Find<QStatusBar>(&w, "StatusBar1")->geometry().top());
  QCOMPARE(Find<QStatusBar>(&w, "StatusBar1")->geometry().bottom(), size.height() - 1);
  QCOMPARE(Find<QCustomPlot>(&w, "Chart3")->geometry(), c2.united(m));
}

void BandWindowTest::orbitalsBoxSwapsTheOrbitalChartWithDosAndMemo() {
  ModelDocument doc;
  TBandDlg w(doc);
  auto* chart3 = Find<QCustomPlot>(&w, "Chart3");
  auto* chart2 = Find<QCustomPlot>(&w, "Chart2");
  auto* memo1 = Find<QPlainTextEdit>(&w, "Memo1");
  QVERIFY(chart3->isHidden());
  QVERIFY(!chart2->isHidden() && !memo1->isHidden());
  Find<QCheckBox>(&w, "cbCells")
      ->setChecked(true);  // the DOS run and the picture menus set the box in code
  QVERIFY(!chart3->isHidden());
  QVERIFY(chart2->isHidden() && memo1->isHidden());
  Find<QCheckBox>(&w, "cbCellsLabels")->setChecked(true);
  QVERIFY(!chart3->isHidden());
  Find<QCheckBox>(&w, "cbCells")->setChecked(false);
  QVERIFY(chart3->isHidden());
  QVERIFY(!chart2->isHidden() && !memo1->isHidden());
}

void BandWindowTest::pauseAndStopSetTheFlagsAndCaption() {
  ModelDocument doc;
  TBandDlg w(doc);
  auto* btnPause = Find<QPushButton>(&w, "btnPause");
  w.btnPauseClick();
  QVERIFY(doc.Paused());
  QCOMPARE(btnPause->text(), QString("Continue"));
  w.btnPauseClick();
  QVERIFY(!doc.Paused());
  QCOMPARE(btnPause->text(), QString("Pause"));
  w.SetPaused(true);
  w.btnStopClick();
  QVERIFY(doc.StopRequested());
  QVERIFY(!doc.Paused());
  QCOMPARE(btnPause->text(), QString("Pause"));
}

void BandWindowTest::clearChartsEmptiesAllThreeCharts() {
  ModelDocument doc;
  TBandDlg w(doc);
  auto* chart1 = Find<QCustomPlot>(&w, "Chart1");
  auto labels = QSharedPointer<QCPAxisTickerText>::create();
  labels->addTick(0, "Y");
  chart1->xAxis->setTicker(labels);
  for (QCustomPlot* chart :
       {chart1, Find<QCustomPlot>(&w, "Chart2"), Find<QCustomPlot>(&w, "Chart3")}) {
    chart->addGraph()->addData(1, 2);
    new QCPCurve(chart->xAxis, chart->yAxis);
    new QCPItemText(chart);
  }
  w.ClearCharts();
  for (QCustomPlot* chart :
       {chart1, Find<QCustomPlot>(&w, "Chart2"), Find<QCustomPlot>(&w, "Chart3")}) {
    QCOMPARE(chart->plottableCount(), 0);
    QCOMPARE(chart->graphCount(), 0);
    QCOMPARE(chart->itemCount(), 0);
  }
  QVERIFY(labels->ticks().isEmpty());
}

void BandWindowTest::rangeLabelsFollowTheEnergyAxes() {
  ModelDocument doc;
  TBandDlg w(doc);
  Find<QCustomPlot>(&w, "Chart1")->yAxis->setRange(-2.5, 3.25);
  Find<QCustomPlot>(&w, "Chart1")->replot();
  QCOMPARE(Find<QLabel>(&w, "Label1")->text(), QString("M:-2.500 X: 3.250"));
  Find<QCustomPlot>(&w, "Chart2")->yAxis->setRange(-12.0, 0.5);
  Find<QCustomPlot>(&w, "Chart2")->replot();
  QCOMPARE(Find<QLabel>(&w, "Label2")->text(), QString("M:-12.000 X: 0.500"));
}

void BandWindowTest::legendShowsOnlyWithSeries() {
  ModelDocument doc;
  TBandDlg w(doc);
  for (QCustomPlot* chart : {Find<QCustomPlot>(&w, "Chart1"), Find<QCustomPlot>(&w, "Chart2")}) {
    chart->replot();
    QVERIFY(!chart->legend->visible());
    chart->addGraph()->setName("E01");
    chart->replot();
    QVERIFY(chart->legend->visible());
  }
  w.ClearCharts();
  QVERIFY(!Find<QCustomPlot>(&w, "Chart1")->legend->visible());
}

void BandWindowTest::statusBarHasSixPanelsFoundByName() {
  ModelDocument doc;
  TBandDlg w(doc);
  const int widths[] = {50, 80, 50, 50, 50, 50};
  const QStatusBar* bar = Find<QStatusBar>(&w, "StatusBar1");
  // The panels in the order the status bar holds them.
  const QList<QLabel*> panels = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
  QCOMPARE(panels.size(), TBandDlg::kStatusPanelCount);
  for (int i = 0; i < TBandDlg::kStatusPanelCount; ++i) {
    QLabel* panel = bar->findChild<QLabel*>(QString("Panel%1").arg(i));
    QCOMPARE(panel, panels[i]);
    QCOMPARE(panel->width(), widths[i]);
  }
}

void BandWindowTest::escapeNeverHidesAndClosingStopsARun() {
  ModelDocument doc;
  TBandDlg w(doc);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  Find<QPushButton>(&w, "CancelBtn")->setEnabled(false);  // as during a run
  QTest::keyClick(&w, Qt::Key_Escape);
  QVERIFY(w.isVisible());
  Find<QPushButton>(&w, "CancelBtn")->setEnabled(true);
  // Escape also ends a live move; a moment later it must not take the charts away.
  QTest::keyClick(&w, Qt::Key_Escape);
  QVERIFY(w.isVisible());
  // Closed during a run, the window stops it.
  doc.StartRun(true);
  w.close();
  QVERIFY(doc.StopRequested());
  doc.EndRun();
}

QTEST_MAIN(BandWindowTest)
#include "band_window_test.moc"
