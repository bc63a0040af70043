// SPDX-License-Identifier: GPL-3.0-or-later
// The workbench shows the solver state of every k point the main window calculates, unless the
// display is switched off as a DOS run does.

#include <QLabel>
#include <QTest>

#include "connect_windows.h"
#include "gui/harness/workbench_bench.h"
#include "mainwindow/main_window.h"
#include "numeric/jacobi_solver.h"
#include "widgets/spin_edit.h"

namespace {

QString Compact(double x) {
  return QString::fromStdString(quarnel::CompactNumberText(6, x));
}

struct Program : Bench {
  Program() {
    form = std::make_unique<TFormQuarnel>(doc);
    ConnectWindows(doc, *form, nullptr, nullptr, window.get(), nullptr);
    form->SetArguments({QStringLiteral(QUARNEL_EXAMPLES) + "/square_dp.qrg"});
    form->FirstPaint();
  }
  ~Program() { form.reset(); }
  void Calc(int x, int y) {
    form->findChild<SpinEdit*>("seKbodX")->SetText(QString::number(x));
    form->findChild<SpinEdit*>("seKbodY")->SetText(QString::number(y));
    form->btnCalcKpointClick();
  }
  std::unique_ptr<TFormQuarnel> form;
};

}  // namespace

class WorkbenchKpointTest : public QObject {
  Q_OBJECT
 private slots:
  void kPointCalculationRefreshesTheWorkbench();
  void displaySwitchedOffLeavesTheWorkbenchAlone();
};

void WorkbenchKpointTest::kPointCalculationRefreshesTheWorkbench() {
  Program p;
  QCOMPARE(p.doc.Model().NOrb, 3);
  p.Calc(3, 7);
  const quarnel::JacobiSolver& s = p.doc.Solver();
  QCOMPARE(s.JacN, 6);
  QCOMPARE(p.window->findChild<StringGrid*>("sgJacobiA")->RowCount(), 7);
  const char* halves[] = {"", "1", "2", "3", "1", "2", "3"};
  const char* names[] = {"", "Cu", "Ox", "Oy", "Cu", "Ox", "Oy"};
  for (int i = 1; i <= 6; ++i) {
    QCOMPARE(p.A(0, i), QString(halves[i]));
    QCOMPARE(p.A(i, 0), QString(halves[i]));
    QCOMPARE(p.R1(0, i), QString(halves[i]));
    QCOMPARE(p.R2(0, i), QString(names[i]));  // both halves carry the orbital name
    for (int j = 1; j <= 6; ++j) {
      QCOMPARE(p.A(j, i), Compact(s.JacInput[i][j]));
      QCOMPARE(p.R1(j, i), Compact(s.JacA[i][j]));
      QCOMPARE(p.R2(j, i), Compact(s.JacV(i, j)));
    }
  }
  QVERIFY(s.JacIter > 0);
  QCOMPARE(p.window->findChild<QLabel*>("LabelA")->text(), QString("%1: ").arg(s.JacIter));
  QVERIFY(p.window->findChild<QLabel*>("LabelR1")->text().startsWith("p:"));
}

void WorkbenchKpointTest::displaySwitchedOffLeavesTheWorkbenchAlone() {
  Program p;
  p.Calc(3, 7);
  QStringList before;
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) before << p.A(j, i) << p.R1(j, i) << p.R2(j, i);
  const QString label = p.window->findChild<QLabel*>("LabelA")->text();
  p.doc.Solver().JacVerbose = false;
  p.Calc(0, 0);
  QStringList after, solver;
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) {
      after << p.A(j, i) << p.R1(j, i) << p.R2(j, i);
      solver << Compact(p.doc.Solver().JacInput[i][j]) << Compact(p.doc.Solver().JacA[i][j])
             << Compact(p.doc.Solver().JacV(i, j));
    }
  QVERIFY(solver != before);  // the solver did move on
  QCOMPARE(after, before);
  QCOMPARE(p.window->findChild<QLabel*>("LabelA")->text(), label);
  p.doc.Solver().JacVerbose = true;
  p.Calc(0, 0);
  after.clear();
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) after << p.A(j, i) << p.R1(j, i) << p.R2(j, i);
  QCOMPARE(after, solver);
}

QTEST_MAIN(WorkbenchKpointTest)
#include "workbench_kpoint_test.moc"
