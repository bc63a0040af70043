// SPDX-License-Identifier: GPL-3.0-or-later
// One session of the whole program, in the order a student works: open the copper-oxygen example
// from the command line, calculate a k point, run the band path and a small DOS, step the Jacobi
// workbench, save, reopen and compare. The windows stay alive from step to step, so whatever one
// step leaves behind (solver state, charts, run flags) is what the next one meets.

#include <qcustomplot.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <array>
#include <cmath>
#include <memory>

#include "gui/harness/program.h"
#include "numeric/jacobi_solver.h"
#include "widgets/spin_edit.h"

namespace {

const QString kModel = kExamples + "/square_dp.qrg";

// The three bands of the plane at k = (kx, ky) in units of the zone boundary, highest first:
// the O level -5.1 and the pair -4.3 +- sqrt(0.64 + 6.76 (sx^2 + sy^2)), s = sin(pi k / 2).
std::array<double, 3> Bands(double kx, double ky) {
  const double sx = std::sin(M_PI * kx / 2), sy = std::sin(M_PI * ky / 2);
  const double r = std::sqrt(0.64 + 6.76 * (sx * sx + sy * sy));
  return {-4.3 + r, -5.1, -4.3 - r};
}

bool Near(double a, double b, double tol = 1e-9) {
  return std::fabs(a - b) <= tol * std::max(1.0, std::fabs(b));
}

// The Frobenius norm of the off-diagonal part of the workbench's matrix.
double OffNorm(const quarnel::JacobiSolver& s) {
  double sum = 0;
  for (int i = 1; i <= s.JacN; ++i)
    for (int j = 1; j <= s.JacN; ++j)
      if (i != j) sum += s.JacA[i][j] * s.JacA[i][j];
  return std::sqrt(sum);
}

QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every field that a model file carries; the file name is where it was read from and may differ.
bool SameModel(const quarnel::ModelData& a, const quarnel::ModelData& b) {
  using quarnel::kMaxOrb;
  if (a.BetaTyp != b.BetaTyp || a.NOrb != b.NOrb || a.HeaderText != b.HeaderText) return false;
  for (int i = 1; i <= kMaxOrb; ++i) {
    if (a.OrbName[i] != b.OrbName[i] || a.OrbPlotKind[i] != b.OrbPlotKind[i] ||
        a.OrbPlotX[i] != b.OrbPlotX[i] || a.OrbPlotY[i] != b.OrbPlotY[i] ||
        a.EffMass[i] != b.EffMass[i])
      return false;
    for (int j = 1; j <= kMaxOrb; ++j)
      for (int d = 1; d <= 3; ++d)
        if (a.Beta[i][j][d] != b.Beta[i][j][d] ||
            a.OverlapType[i][j][d] != b.OverlapType[i][j][d] ||
            a.Beta2[i][j][d] != b.Beta2[i][j][d] || a.BetaPlus[i][j][d] != b.BetaPlus[i][j][d] ||
            a.BetaMinus[i][j][d] != b.BetaMinus[i][j][d] ||
            a.BetaPos[i][j][d] != b.BetaPos[i][j][d] ||
            a.BetaPosMinus[i][j][d] != b.BetaPosMinus[i][j][d] ||
            a.SocRe[i][j][d] != b.SocRe[i][j][d] || a.SocIm[i][j][d] != b.SocIm[i][j][d])
          return false;
  }
  return true;
}

QCPGraph* Graph(QCustomPlot* chart, int i) {
  return qobject_cast<QCPGraph*>(chart->plottable(i));
}

}  // namespace

class SessionTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void cleanupTestCase();
  void startsWithTheModelOfTheCommandLine();
  void calculationAgreesWithClosedFormsAndTheBatchProgram();
  void bandPathRunsToItsEnd();
  void smallDosCountsEveryOrbitalAtEveryPoint();
  void workbenchStepsConverge();
  void saveReopenAndSaveAgainKeepModelAndBytes();

 private:
  void Calculate(int nx, int ny, int div);
  std::unique_ptr<Program> p;
};

void SessionTest::initTestCase() {
  p = std::make_unique<Program>(QStringList{kModel});
}

void SessionTest::cleanupTestCase() {
  p.reset();
}

void SessionTest::Calculate(int nx, int ny, int div) {
  p->Form<SpinEdit>("seKbodDel")->SetText(QString::number(div));
  p->Form<SpinEdit>("seKbodX")->SetText(QString::number(nx));
  p->Form<SpinEdit>("seKbodY")->SetText(QString::number(ny));
  p->Form<SpinEdit>("seKbodZ")->SetText("0");
  p->Form<QPushButton>("btnCalcKpoint")->click();
}

void SessionTest::startsWithTheModelOfTheCommandLine() {
  QCOMPARE(p->form->windowTitle(), "Quarnel V7.12 (qrg) - " + kModel + "[*]");
  QCOMPARE(p->doc.Model().NOrb, 3);
  QCOMPARE(p->Cell(0, 1), QString("Cu"));
  QCOMPARE(p->Cell(2, 2), QString("-5.1"));
  QVERIFY(p->dialogs.warnings.isEmpty());
}

void SessionTest::calculationAgreesWithClosedFormsAndTheBatchProgram() {
  Calculate(3, 7, 10);
  QCOMPARE(p->Form<QLabel>("lbkx")->text(), QString("kx=0.30"));
  QCOMPARE(p->Form<QLabel>("lbky")->text(), QString("ky=0.70"));
  const auto expected = Bands(0.3, 0.7);
  const quarnel::JacobiSolver& s = p->doc.Solver();
  for (int m = 1; m <= 3; ++m) {
    QVERIFY2(Near(s.EigVal[m], expected[m - 1]), qPrintable(QString::number(m)));
    QVERIFY(Near(p->Form<StringGrid>("sgEigen")->Cell(0, m).toDouble(), expected[m - 1], 1e-6));
  }

  // quarnel-cli eig at the same point: energies and orbital weights, band by band.
  QProcess cli;
  cli.start(QStringLiteral(QUARNEL_CLI), {"eig", kModel, "3", "7", "0", "10"});
  QVERIFY(cli.waitForFinished(60000));
  QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
  QCOMPARE(cli.exitCode(), 0);
  const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).trimmed().split('\n');
  QCOMPARE(lines.size(), 4);  // a comment line and three bands
  for (int m = 1; m <= 3; ++m) {
    const QStringList f = lines[m].split(' ', Qt::SkipEmptyParts);
    QCOMPARE(f.size(), 4);
    QVERIFY(Near(f[0].toDouble(), s.EigVal[m]));
    for (int j = 1; j <= 3; ++j)
      QVERIFY2(std::fabs(f[j].toDouble() - s.EigVecSq[m][j]) < 1e-9,
               qPrintable(QString("band %1 orbital %2").arg(m).arg(j)));
  }
}

void SessionTest::bandPathRunsToItsEnd() {
  p->Form<QAction>("miShowBand1")->trigger();
  TBandDlg& w = *p->bands;
  QVERIFY(w.isVisible());
  p->dialogs.openAnswers << kExamples + "/square_path.qrk";
  Find<QPushButton>(&w, "btnOpenKpoints")->click();
  QVERIFY(p->dialogs.warnings.isEmpty());
  QCOMPARE(Find<QPlainTextEdit>(&w, "Memo1")->toPlainText().section('\n', 0, 0),
           QString("Y G X M G"));

  Find<QPushButton>(&w, "btnBand")->click();
  QVERIFY(Find<QPushButton>(&w, "btnBand")->isEnabled() &&
          !Find<QPushButton>(&w, "btnStop")->isEnabled());  // idle again
  QCOMPARE(Find<QCustomPlot>(&w, "Chart1")->plottableCount(), 1 + 2 * 3);
  for (int i = 1; i <= 3; ++i) QCOMPARE(Graph(Find<QCustomPlot>(&w, "Chart1"), i)->dataCount(), 81);
  QCOMPARE(w.BandPointsOfRun().size(), std::size_t{81});
  // Points 0 (Y), 20 (G), 40 (X), 45 = (20, 5, 0) / 20 and 60 (M).
  const struct {
    int point;
    double kx, ky;
  } checks[] = {{0, 0, 1}, {20, 0, 0}, {40, 1, 0}, {45, 1, 0.25}, {60, 1, 1}};
  for (const auto& c : checks) {
    const auto expected = Bands(c.kx, c.ky);
    for (int i = 1; i <= 3; ++i) {
      const double e =
          (Graph(Find<QCustomPlot>(&w, "Chart1"), i)->data()->constBegin() + c.point)->value;
      QVERIFY2(Near(e, expected[i - 1]),
               qPrintable(QString("point %1 band %2").arg(c.point).arg(i)));
    }
  }
}

void SessionTest::smallDosCountsEveryOrbitalAtEveryPoint() {
  TBandDlg& w = *p->bands;
  Find<SpinEdit>(&w, "SpinEdit3")->SetValue(10);
  Find<QPushButton>(&w, "btnDOS")->click();
  QVERIFY(Find<QPushButton>(&w, "btnDOS")->isEnabled() && p->doc.Solver().JacVerbose);
  const int points = 11 * 11 * 11;
  QCOMPARE(w.DosSamplesOfRun().Count(), std::size_t(points * 3));
  // The total, three orbitals and, as the model carries 5 electrons, the integrated count.
  QCOMPARE(Find<QCustomPlot>(&w, "Chart2")->plottableCount(), 1 + 3 + 1);
  // The total, per k point, integrates to the number of orbitals; the orbital curves share it.
  double total = 0, partial = 0;
  for (int s = 0; s <= 3; ++s) {
    const QCPGraph* g = Graph(Find<QCustomPlot>(&w, "Chart2"), s);
    QCOMPARE(g->dataCount(), 101);
    for (auto it = g->data()->constBegin(); it != g->data()->constEnd(); ++it)
      (s == 0 ? total : partial) += it->value;
  }
  QCOMPARE(total / points, 3.0);
  QVERIFY(Near(partial / points, 3.0));
  // The DOS spans the band energies: the lowest and the highest are both at M.
  QVERIFY(Near(w.DosSamplesOfRun().Emin(), Bands(1, 1)[2]));
  QVERIFY(Near(w.DosSamplesOfRun().Emax(), Bands(1, 1)[0]));

  // Filling: a metal; the integrated count ends at g N = 6; per cell the total integrates to it;
  // E - E_F puts the Fermi level at 0; a new Ne redraws without a run.
  double ef = 0;
  QVERIFY(w.FermiLevel(ef) && !w.FillingOfRun().insulator);
  const QCPGraph* integrated = Graph(Find<QCustomPlot>(&w, "Chart2"), 4);
  QCOMPARE((integrated->data()->constEnd() - 1)->value, 6.0);
  Find<QCheckBox>(&w, "cbPerCell")->setChecked(true);
  Find<QCheckBox>(&w, "cbShiftFermi")->setChecked(true);
  const QCPGraph* t = Graph(Find<QCustomPlot>(&w, "Chart2"), 0);
  double area = 0;
  for (auto it = t->data()->constBegin(); it != t->data()->constEnd(); ++it) area += it->value;
  area *= (t->data()->constBegin() + 1)->key - t->data()->constBegin()->key;
  QVERIFY(Near(area, 6.0));
  QVERIFY(Near(t->data()->constBegin()->key, w.DosCurvesOfRun().energy[0] - ef));
  Find<QLineEdit>(&w, "edElectrons")->setText("4");
  w.ApplyFillingToModel();
  QVERIFY(w.FillingOfRun().insulator && Near(w.FillingOfRun().gap, 1.6) &&
          Near(w.FillingOfRun().fermi, -4.3));
  Find<QLineEdit>(&w, "edElectrons")
      ->setText("5");  // the model as it was read, for the tests that save it
  w.ApplyFillingToModel();
  Find<QCheckBox>(&w, "cbPerCell")->setChecked(false);
  Find<QCheckBox>(&w, "cbShiftFermi")->setChecked(false);
}

void SessionTest::workbenchStepsConverge() {
  p->Form<QAction>("miShowJacobi1")->trigger();
  TEigenDlg& w = *p->eigen;
  QVERIFY(w.isVisible());
  Calculate(2, 5, 10);
  const quarnel::JacobiSolver& s = p->doc.Solver();
  QCOMPARE(s.JacN, 6);  // the real matrix of order 2n

  w.findChild<QPushButton*>("btnIterReset")->click();
  QCOMPARE(w.findChild<QLabel*>("LabelA")->text(), QString("0: "));
  double previous = OffNorm(s);
  QVERIFY(previous > 1);

  // One rotation by hand: the squared off-diagonal norm drops by twice the pivot's square.
  w.findChild<QPushButton*>("btnVypRotMat")->click();
  QVERIFY(w.findChild<QLabel*>("LabelR1")->text().startsWith("p:"));
  const int pp = s.PivotP(), pq = s.PivotQ();
  QVERIFY(pp >= 1 && pq > pp);
  const double pivot = s.JacA[pp][pq];
  w.findChild<QPushButton*>("btnRotace")->click();
  QVERIFY(std::fabs(s.JacA[pp][pq]) < 1e-12);
  const double after = OffNorm(s);
  QVERIFY(Near(after * after, previous * previous - 2 * pivot * pivot, 1e-12));
  previous = after;

  // Single iterations each lower the norm; then as many as it takes.
  w.findChild<SpinEdit*>("seIter")->SetText("1");
  for (int k = 1; k <= 5; ++k) {
    w.findChild<QPushButton*>("btnIteration")->click();
    QCOMPARE(w.findChild<QLabel*>("LabelA")->text(), QString("%1: ").arg(k));
    const double norm = OffNorm(s);
    QVERIFY2(norm < previous, qPrintable(QString("iteration %1").arg(k)));
    previous = norm;
  }
  // The field allows 50 rotations a press.
  w.findChild<SpinEdit*>("seIter")->SetText("50");
  for (int press = 0; press < 4 && OffNorm(s) >= 1e-12; ++press)
    w.findChild<QPushButton*>("btnIteration")->click();
  QVERIFY(!w.findChild<SpinEdit*>("seIter")->IsMarked());
  QVERIFY(OffNorm(s) < 1e-12);
  QVERIFY(s.JacIter > 5);
  // The eigenvalues are the closed forms, each twice on the diagonal.
  const auto expected = Bands(0.2, 0.5);
  for (int m = 1; m <= 3; ++m) QVERIFY(Near(s.EigVal[m], expected[m - 1]));
  double trace = 0;
  for (int i = 1; i <= 6; ++i) trace += s.JacA[i][i];
  QVERIFY(Near(trace, 2 * (expected[0] + expected[1] + expected[2])));
  // Converged: another press finds nothing left to rotate.
  const int rotations = s.JacIter;
  w.findChild<SpinEdit*>("seIter")->SetText("1");
  w.findChild<QPushButton*>("btnIteration")->click();
  QVERIFY(s.JacIter <= rotations + 1);
  QVERIFY(OffNorm(s) < 1e-12);
  QCOMPARE(w.findChild<QPlainTextEdit*>("Memo1")->toPlainText().split('\n').size(),
           1 + 6);  // a heading and 2n lines
}

void SessionTest::saveReopenAndSaveAgainKeepModelAndBytes() {
  const quarnel::ModelData before = p->doc.Model();
  const QString first = p->dir.filePath("session.qrg");
  p->dialogs.saveAnswers << first;
  p->Form<QAction>("miSave1")->trigger();
  QVERIFY(p->dialogs.warnings.isEmpty());
  QCOMPARE(p->dialogs.lastProposed, kModel);
  const QByteArray saved = Bytes(first);
  QVERIFY(saved.startsWith("CuO2 plane"));
  // The example was written by the program, so nothing of it changed on the way.
  QCOMPARE(saved, Bytes(kModel));

  p->Form<QAction>("miNew1")->trigger();
  p->dialogs.openAnswers << first;
  p->Form<QAction>("miOpen1")->trigger();
  QVERIFY(p->dialogs.warnings.isEmpty());
  QCOMPARE(p->form->windowTitle(), "Quarnel V7.12 (qrg) - " + first + "[*]");
  QVERIFY(SameModel(p->doc.Model(), before));

  const QString second = p->dir.filePath("again.qrg");
  p->dialogs.saveAnswers << second;
  p->Form<QAction>("miSave1")->trigger();
  QCOMPARE(Bytes(second), saved);

  // The reopened model calculates what the original did.
  Calculate(3, 7, 10);
  const auto expected = Bands(0.3, 0.7);
  for (int m = 1; m <= 3; ++m) QVERIFY(Near(p->doc.Solver().EigVal[m], expected[m - 1]));
}

QTEST_MAIN(SessionTest)
#include "session_test.moc"
