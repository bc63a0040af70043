// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix files named on the command line open in the Jacobi workbench, after the main window has
// done its own start-up with the other arguments.

#include <QtTest>
#include <memory>

#include "gui/harness/program.h"
#include "numeric/jacobi_solver.h"
#include "support/pending_messages.h"
#include "workbench/matrix_arguments.h"
#include "workbench/matrix_file.h"

class CommandLineTest : public QObject {
  Q_OBJECT
 private slots:
  void matrixOpensInTheWorkbenchBesideTheModel();
  void missingMatrixIsSaidAndChangesNothing();
};

namespace {

// The matrix the workbench holds equals what the reader makes of the file.
bool HoldsMatrixOf(const Program& p, const QString& name) {
  quarnel::MatrixGrid grid;
  auto expected = std::make_unique<quarnel::JacobiSolver>();
  quarnel::PendingMessages messages;
  if (quarnel::LoadMatrixFile(name.toStdString(), grid, *expected, messages) != 0) return false;
  const quarnel::JacobiSolver& held = p.doc.Solver();
  if (held.JacN != expected->JacN || held.JacN == 0) return false;
  for (int i = 1; i <= held.JacN; ++i)
    for (int j = 1; j <= held.JacN; ++j)
      if (held.JacInput[i][j] != expected->JacInput[i][j]) return false;
  return true;
}

}  // namespace

void CommandLineTest::matrixOpensInTheWorkbenchBesideTheModel() {
  const QString model = kExamples + "/square_dp.qrg";
  const QString matrix = kExamples + "/hermitian_2x2.qmx";
  const QStringList arguments = {"-betatyp2", model, matrix};
  Program p(arguments);
  OpenMatrixArguments(arguments, *p.form, *p.eigen);
  // The model is the main window's; the matrix, not a k point of the model, is the workbench's.
  QCOMPARE(p.doc.Model().NOrb, 3);
  QVERIFY(HoldsMatrixOf(p, matrix));
  QCOMPARE(p.doc.Solver().JacN, 4);
  QVERIFY(p.eigen->isVisible());
  QVERIFY(p.dialogs.warnings.isEmpty());
  // The scripted dialogs are in place again: the next Open asks them, not the file name.
  QCOMPARE(&CurrentDialogs(), static_cast<Dialogs*>(&p.dialogs));
}

void CommandLineTest::missingMatrixIsSaidAndChangesNothing() {
  Program p;
  OpenMatrixArguments({kExamples + "/hermitian_2x2.qmx"}, *p.form, *p.eigen);
  QVERIFY(HoldsMatrixOf(p, kExamples + "/hermitian_2x2.qmx"));
  const QString missing = p.dir.filePath("gone.qmx");
  OpenMatrixArguments({missing, kExamples + "/square_dp.qrg"}, *p.form, *p.eigen);
  QCOMPARE(p.dialogs.warnings.size(), 1);
  QVERIFY(p.dialogs.warnings[0].contains("gone.qmx"));
  QVERIFY(HoldsMatrixOf(p, kExamples + "/hermitian_2x2.qmx"));
  // Without a matrix file nothing happens at all.
  p.eigen->hide();
  OpenMatrixArguments({kExamples + "/square_dp.qrg"}, *p.form, *p.eigen);
  QVERIFY(!p.eigen->isVisible());
}

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
