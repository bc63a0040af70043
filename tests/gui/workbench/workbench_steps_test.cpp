// SPDX-License-Identifier: GPL-3.0-or-later
// The workbench stepped by hand: rotations, iterations, reset and the check of the eigenpairs,
// read back from its grids and labels.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

#include "gui/harness/workbench_bench.h"
#include "numeric/jacobi_solver.h"
#include "support/number_text.h"
#include "widgets/spin_edit.h"

namespace {

QString Compact(double x) {
  return QString::fromStdString(quarnel::CompactNumberText(6, x));
}

using Matrix = double[quarnel::kJacMax + 1][quarnel::kJacMax + 1];

// C := X Y on the leading n x n block, computed the plain way.
void Multiply(const Matrix& x, const Matrix& y, Matrix& c, int n) {
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      c[i][j] = 0;
      for (int k = 1; k <= n; ++k) c[i][j] += x[i][k] * y[k][j];
    }
}

}  // namespace

class WorkbenchStepsTest : public QObject {
  Q_OBJECT
 private slots:
  void calcRpqShowsPivotAngleAndRotation();
  void rotatingTwiceAppliesTheSameRotationTwice();
  void calcRpqOnADiagonalMatrixFindsNoPivot();
  void iterationCountsSinceResetAndListsEveryPair();
  void iterationStopsEarlyOnADiagonalMatrix();
  void invalidIterationCountRunsOneRotationAndMarksTheField();
  void resetShowsZeroRotationsAndTheIdentity();
  void checkAfterResetGivesColumnsOfAMinusLambda();
  void checkAfterConvergenceIsNearZero();
  void commandsDoNothingWithoutAMatrix();
  void displayIsUnregisteredWithTheWindow();
};

void WorkbenchStepsTest::calcRpqShowsPivotAngleAndRotation() {
  Bench b;
  b.Load(kExample);
  b.window->btnVypRotMat->click();
  // Largest off-diagonal is the first 3 in row-major order, (1, 4); d = 1 - 4, so
  // theta = atan(6 / -3) / 2 = -31.717474 degrees.
  QCOMPARE(b.window->LabelR1->text(), QString("p:1 q:4 u(\u00b0):-31.717474"));
  const double t = std::atan(-2.0) / 2;
  QCOMPARE(b.R1(1, 1), Compact(std::cos(t)));
  QCOMPARE(b.R1(4, 1), Compact(std::sin(t)));
  QCOMPARE(b.R1(1, 4), Compact(-std::sin(t)));
  QCOMPARE(b.R1(2, 2), QString("1"));
  QCOMPARE(b.R1(3, 2), QString("0"));
  QCOMPARE(b.R2(4, 1), Compact(-std::sin(t)));  // the transpose
  QCOMPARE(b.R2(1, 4), Compact(std::sin(t)));
  // The pivot step alone does not touch A.
  QCOMPARE(b.doc.Solver().JacA[1][4], 3.0);
}

void WorkbenchStepsTest::rotatingTwiceAppliesTheSameRotationTwice() {
  Bench b;
  b.Load(kExample);
  b.window->btnVypRotMat->click();
  const quarnel::JacobiSolver& s = b.doc.Solver();
  const int n = s.JacN;
  Matrix r = {}, rt = {}, a = {}, tmp = {}, once = {}, twice = {}, v = {};
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      r[i][j] = s.JacR[i][j];
      rt[i][j] = s.JacR[j][i];
      a[i][j] = kExampleReal[i][j];
    }
  Multiply(a, rt, tmp, n);
  Multiply(r, tmp, once, n);
  Multiply(once, rt, tmp, n);
  Multiply(r, tmp, twice, n);
  Multiply(rt, rt, v, n);  // V = I R^T R^T

  b.window->btnRotace->click();
  QVERIFY(std::fabs(s.JacA[1][4]) < 1e-12);  // the first rotation zeroes the pivot
  b.window->btnRotace->click();
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      QVERIFY(std::fabs(s.JacA[i][j] - twice[i][j]) < 1e-12);
      QVERIFY(std::fabs(s.JacV(i, j) - v[i][j]) < 1e-12);
      QCOMPARE(b.R1(j, i), Compact(s.JacA[i][j]));
      QCOMPARE(b.R2(j, i), Compact(s.JacV(i, j)));
    }
  // The hand rotations are not counted.
  QCOMPARE(b.window->LabelA->text(), QString("0: "));
  QCOMPARE(b.R1(0, 2), QString("2 R/I"));
  QCOMPARE(b.R1(3, 0), QString("1 I/R"));
}

void WorkbenchStepsTest::calcRpqOnADiagonalMatrixFindsNoPivot() {
  Bench b;
  b.Load(kExample);
  b.window->btnVypRotMat->click();
  const QString previous = b.R1(1, 1);
  b.Load("diagonal\n5 0\n0 -2\n");
  b.window->btnVypRotMat->click();
  QCOMPARE(b.window->LabelR1->text(), QString("p:0 q:0 u(\u00b0):  0.000000"));
  QCOMPARE(b.R1(1, 1), previous);  // the previous rotation stays
}

void WorkbenchStepsTest::iterationCountsSinceResetAndListsEveryPair() {
  Bench b;
  b.Load(kExample);
  b.window->seIter->SetText("1");
  b.window->btnIteration->click();
  QCOMPARE(b.window->LabelA->text(), QString("1: "));
  b.window->btnIteration->click();
  QCOMPARE(b.window->LabelA->text(), QString("2: "));
  b.window->seIter->SetText("50");
  b.window->btnIteration->click();
  const quarnel::JacobiSolver& s = b.doc.Solver();
  QCOMPARE(b.window->LabelA->text(), QString("%1: ").arg(s.JacIter));

  // Eigenvalues (5 +- sqrt 61) / 2, each kept line followed by its partner.
  const QStringList lines = b.window->Memo1->toPlainText().split('\n');
  QCOMPARE(lines.size(), 5);
  QCOMPARE(lines[0], QString("i(s)\tEigVal\tR1\tI1\tR2\tI2"));
  QVERIFY(lines[1].contains(QRegularExpression("^\\d\\(1\\)\t6\\.405125\t")));
  QVERIFY(lines[2].contains(QRegularExpression("^\\d\\(0\\)\t6\\.405125\t")));
  QVERIFY(lines[3].contains(QRegularExpression("^\\d\\(1\\)\t-1\\.405125\t")));
  QVERIFY(lines[4].contains(QRegularExpression("^\\d\\(0\\)\t-1\\.405125\t")));

  // The columns of JacV are marked 1 (kept) or 0 (partner) by the last solve.
  for (int m = 1; m <= 4; ++m) QCOMPARE(b.R2(s.EigIdx[m], 0), QString(m <= 2 ? "1" : "0"));
}

void WorkbenchStepsTest::iterationStopsEarlyOnADiagonalMatrix() {
  Bench b;
  b.Load("diagonal\n5 0\n0 -2\n");
  b.window->btnIteration->click();
  QCOMPARE(b.window->LabelA->text(), QString("0: "));
  const QStringList lines = b.window->Memo1->toPlainText().split('\n');
  QCOMPARE(lines.size(), 5);
  QVERIFY(lines[1].contains("\t5.000000\t"));
  QVERIFY(lines[4].contains("\t-2.000000\t"));
}

void WorkbenchStepsTest::invalidIterationCountRunsOneRotationAndMarksTheField() {
  Bench b;
  b.Load(kExample);
  b.window->seIter->SetText("many");
  b.window->btnIteration->click();
  QCOMPARE(b.window->LabelA->text(), QString("1: "));
  QVERIFY(b.window->seIter->IsMarked());
}

void WorkbenchStepsTest::resetShowsZeroRotationsAndTheIdentity() {
  Bench b;
  b.Load(kExample);
  b.window->btnIteration->click();
  QVERIFY(b.window->LabelA->text() != QString("0: "));
  b.window->btnIterReset->click();
  QCOMPARE(b.window->LabelA->text(), QString("0: "));
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) {
      QCOMPARE(b.R2(j, i), QString(i == j ? "1" : "0"));
      QCOMPARE(b.R1(j, i), b.A(j, i));
    }
}

void WorkbenchStepsTest::checkAfterResetGivesColumnsOfAMinusLambda() {
  Bench b;
  b.Load(kExample);
  b.window->btnCheck->click();
  for (int m = 1; m <= 4; ++m) {
    const double lambda = kExampleReal[m][m];
    QCOMPARE(b.R1(m, 0), QString::fromStdString(quarnel::FormatFixed(lambda, 8, 6)));
    for (int i = 1; i <= 4; ++i)
      QCOMPARE(b.R1(m, i), Compact(kExampleReal[i][m] - (i == m ? lambda : 0)));
    // The doubled matrix has det(A - lambda I) = det(H - lambda)^2 = ((1-l)(4-l) - 13)^2.
    QCOMPARE(b.R2(m, 0), QString("169.000000"));
  }
  QCOMPARE(b.R2(2, 2), QString("1"));
}

void WorkbenchStepsTest::checkAfterConvergenceIsNearZero() {
  Bench b;
  b.Load(kExample);
  b.window->btnIteration->click();
  b.window->btnCheck->click();
  for (int m = 1; m <= 4; ++m) {
    QVERIFY(std::fabs(b.R2(m, 0).toDouble()) < 1e-6);
    for (int i = 1; i <= 4; ++i) QVERIFY(std::fabs(b.R1(m, i).toDouble()) < 1e-6);
    const double lambda = b.R1(m, 0).toDouble();
    QVERIFY(std::fabs(std::fabs(lambda - 2.5) - std::sqrt(61.0) / 2) < 1e-6);
  }
}

void WorkbenchStepsTest::commandsDoNothingWithoutAMatrix() {
  Bench b;
  QCOMPARE(b.doc.Solver().JacN, 0);
  for (QPushButton* button :
       {b.window->btnIteration, b.window->btnIterReset, b.window->btnVypRotMat, b.window->btnRotace,
        b.window->btnCheck, b.window->btnSaveA})
    button->click();
  QCOMPARE(b.window->sgJacobiR1->ColCount(), 1);
  QCOMPARE(b.window->sgJacobiR2->ColCount(), 1);
  QVERIFY(b.window->Memo1->toPlainText().isEmpty());
  QVERIFY(b.window->LabelR1->text().isEmpty());
  QVERIFY(b.dialogs.warnings.isEmpty());
}

void WorkbenchStepsTest::displayIsUnregisteredWithTheWindow() {
  Bench b;
  QCOMPARE(b.doc.Solver().Display, static_cast<quarnel::JacobiDisplay*>(b.window.get()));
  b.window.reset();
  QCOMPARE(b.doc.Solver().Display, nullptr);
}

QTEST_MAIN(WorkbenchStepsTest)
#include "workbench_steps_test.moc"
