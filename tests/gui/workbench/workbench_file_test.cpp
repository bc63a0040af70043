// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix files through the workbench's Open and Save buttons, with scripted dialogs.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "gui/harness/workbench_bench.h"

class WorkbenchFileTest : public QObject {
  Q_OBJECT
 private slots:
  void openingTheExampleShowsTheOrderFourMatrix();
  void cancelledOpenChangesNothing();
  void saveThenOpenDoublesTheOrder();
  void saveWritesTheEditedTexts();
  void tooBigFileIsTruncatedWithOneWarning();
  void unreadableFilesAreReportedAndKeepTheMatrix();
};

void WorkbenchFileTest::openingTheExampleShowsTheOrderFourMatrix() {
  Bench b;
  b.Load(kExample);
  QCOMPARE(b.dialogs.lastFilter, QString("Quarnel matrix (*.qmx)|*.qmx|All Files (*.*)|*.*"));
  QCOMPARE(b.dialogs.lastSuffix, QString("qmx"));
  QCOMPARE(b.doc.Solver().JacN, 4);
  QCOMPARE(b.window->sgJacobiA->RowCount(), 5);
  QCOMPARE(b.window->sgJacobiA->ColCount(), 5);
  const char* rowLabels[] = {"", "1 R/I", "2 R/I", "1 -I/R", "2 -I/R"};
  const char* colLabels[] = {"", "1 R/-I", "2 R/-I", "1 I/R", "2 I/R"};
  for (int k = 1; k <= 4; ++k) {
    QCOMPARE(b.A(0, k), QString(rowLabels[k]));
    QCOMPARE(b.A(k, 0), QString(colLabels[k]));
    // The reset showed the state with A's labels.
    QCOMPARE(b.R1(0, k), QString(rowLabels[k]));
    QCOMPARE(b.R1(k, 0), QString(colLabels[k]));
    for (int j = 1; j <= 4; ++j) {
      QCOMPARE(b.A(j, k).toDouble(), kExampleReal[k][j]);
      QCOMPARE(b.doc.Solver().JacInput[k][j], kExampleReal[k][j]);
      QCOMPARE(b.R1(j, k).toDouble(), kExampleReal[k][j]);
      QCOMPARE(b.R2(j, k), QString(j == k ? "1" : "0"));
    }
  }
  QCOMPARE(b.window->LabelA->text(), QString("0: "));
  QVERIFY(b.dialogs.warnings.isEmpty());
}

void WorkbenchFileTest::cancelledOpenChangesNothing() {
  Bench b;
  b.Load(kExample);
  b.dialogs.openAnswers << QString();
  b.window->btnOpenA->click();
  QCOMPARE(b.doc.Solver().JacN, 4);
  QCOMPARE(b.window->sgJacobiA->RowCount(), 5);
}

void WorkbenchFileTest::saveThenOpenDoublesTheOrder() {
  Bench b;
  b.Load(kExample);
  b.dialogs.saveAnswers << b.Path("saved.qmx");
  b.window->btnSaveA->click();
  QCOMPARE(b.dialogs.lastFilter, QString("Quarnel matrix (*.qmx)|*.qmx"));
  QCOMPARE(b.dialogs.lastSuffix, QString("qmx"));
  QFile f(b.Path("saved.qmx"));
  QVERIFY(f.open(QIODevice::ReadOnly));
  QCOMPARE(f.readAll(),
           QByteArray("\r\n1\t2\t0\t3\r\n2\t4\t-3\t0\r\n0\t-3\t1\t2\r\n3\t0\t2\t4\r\n"));

  b.Open(b.Path("saved.qmx"));
  QCOMPARE(b.doc.Solver().JacN, 8);
  QCOMPARE(b.window->sgJacobiA->RowCount(), 9);
  QCOMPARE(b.A(0, 8), QString("4 -I/R"));
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) {
      QCOMPARE(b.doc.Solver().JacInput[i][j], kExampleReal[i][j]);
      QCOMPARE(b.doc.Solver().JacInput[i + 4][j + 4], kExampleReal[i][j]);
      QCOMPARE(b.doc.Solver().JacInput[i][j + 4], 0.0);
    }
}

void WorkbenchFileTest::saveWritesTheEditedTexts() {
  Bench b;
  b.Load("t\n1 2\n2 5\n");
  b.window->sgJacobiA->SetCell(2, 1, "2.5");  // typed by the user; the solver keeps 2
  b.dialogs.saveAnswers << b.Path("edited.qmx");
  b.window->btnSaveA->click();
  QFile f(b.Path("edited.qmx"));
  QVERIFY(f.open(QIODevice::ReadOnly));
  QVERIFY(f.readAll().startsWith("\r\n1\t2.5\t0\t0\r\n"));
  QCOMPARE(b.doc.Solver().JacInput[1][2], 2.0);
}

void WorkbenchFileTest::tooBigFileIsTruncatedWithOneWarning() {
  Bench b;
  QByteArray text = "big\r\n";
  for (int r = 1; r <= 25; ++r) text += QByteArray::number(r) + "\r\n";
  b.Load(text);
  QCOMPARE(b.dialogs.warnings.size(), 1);
  QVERIFY(
      b.dialogs.warnings[0].contains("Too big matrix (25), maximum is 20 - matrix is truncated"));
  QCOMPARE(b.doc.Solver().JacN, 40);
  QCOMPARE(b.window->sgJacobiA->RowCount(), 41);
  QCOMPARE(b.window->sgJacobiA->ColCount(), 41);
  QCOMPARE(b.A(1, 20), QString("20"));
  QCOMPARE(b.A(21, 40), QString("20"));
  QCOMPARE(b.window->sgJacobiR2->RowCount(), 41);
}

void WorkbenchFileTest::unreadableFilesAreReportedAndKeepTheMatrix() {
  Bench b;
  b.Load(kExample);
  b.Open(b.Path("missing.qmx"));
  QCOMPARE(b.dialogs.warnings.size(), 1);
  QVERIFY(b.dialogs.warnings[0].endsWith("missing.qmx: not found"));
  QCOMPARE(b.doc.Solver().JacN, 4);
  QCOMPARE(b.window->sgJacobiA->RowCount(), 5);

  // A save that cannot create its file says so at once.
  b.dialogs.saveAnswers << b.Path("no/such/folder/x.qmx");
  b.window->btnSaveA->click();
  QCOMPARE(b.dialogs.warnings.size(), 2);
  QVERIFY(b.dialogs.warnings[1].contains("File access error #"));
}

QTEST_MAIN(WorkbenchFileTest)
#include "workbench_file_test.moc"
