// SPDX-License-Identifier: GPL-3.0-or-later
// The orbital pictures in the bands window's orbital chart: phase pictures, the eigenvector
// picture, highlighting, "Cells" and "Cell0".

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "gui/harness/program.h"
#include "mainwindow/orbital_labels.h"
#include "pictures/orbital_outlines.h"
#include "support/number_text.h"
#include "widgets/chart_helpers.h"
#include "widgets/orbital_view.h"
#include "widgets/spin_edit.h"

namespace {

const double kPi = std::acos(-1.0);

struct Outline {
  QColor colour;
  int tag;
  int points;
  double cx, cy;  // centre of the bounding box
  double minX, maxX, minY, maxY;
};

QList<Outline> Curves(QCustomPlot* chart, int tag) {
  QList<Outline> found;
  for (int k = 0; k < chart->plottableCount(); ++k) {
    auto* c = qobject_cast<QCPCurve*>(chart->plottable(k));
    if (!c || SeriesTag(c) != tag) continue;
    Outline o{tag == -9 ? c->pen().color() : c->scatterStyle().pen().color(),
              tag,
              c->dataCount(),
              0,
              0,
              1e9,
              -1e9,
              1e9,
              -1e9};
    for (int p = 0; p < c->dataCount(); ++p) {
      const double x = c->data()->at(p)->key, y = c->data()->at(p)->value;
      o.minX = std::min(o.minX, x);
      o.maxX = std::max(o.maxX, x);
      o.minY = std::min(o.minY, y);
      o.maxY = std::max(o.maxY, y);
    }
    o.cx = (o.minX + o.maxX) / 2;
    o.cy = (o.minY + o.maxY) / 2;
    found << o;
  }
  return found;
}

QList<QCPItemText*> Marks(QCustomPlot* chart) {
  QList<QCPItemText*> marks;
  for (int k = 0; k < chart->itemCount(); ++k)
    if (auto* t = qobject_cast<QCPItemText*>(chart->item(k))) marks << t;
  return marks;
}

// Sampled outlines reach their extremes only to within a sampling step.
bool Near(double a, double b) {
  return std::fabs(a - b) < 1e-4;
}

}  // namespace

class OrbitalPlotTest : public QObject {
  Q_OBJECT
 private slots:
  void gammaPictureOfOneSOrbital() {
    Program p({kExamples + "/chain_s.qrg"});
    p.Form<QAction>("miPlotOrbGamma1")->trigger();
    QVERIFY(p.Bands<QCheckBox>("cbCells")->isChecked());
    QVERIFY(!p.Chart()->isHidden());
    QVERIFY(p.form->GammaPictureShown());
    const QList<Outline> frames = Curves(p.Chart(), -9);
    QCOMPARE(frames.size(), 4);
    for (const Outline& f : frames) {
      QCOMPARE(f.points, 5);
      QCOMPARE(f.colour, QColor(Qt::black));
    }
    QList<QPointF> centres;
    for (const Outline& o : Curves(p.Chart(), 1)) {
      if (o.points == 0) continue;
      QCOMPARE(o.points, 100);
      QCOMPARE(o.colour, QColor(0, 0, 255));
      QVERIFY(Near(o.maxX - o.cx, 1 / (4 * kPi)));  // a circle of radius 1/(4 pi)
      centres << QPointF(o.cx, o.cy);
    }
    QCOMPARE(centres.size(), 4);
    for (QPointF want : {QPointF(1, 1), QPointF(1, 3), QPointF(3, 1), QPointF(3, 3)}) {
      bool hit = false;
      for (QPointF c : centres) hit = hit || (Near(c.x(), want.x()) && Near(c.y(), want.y()));
      QVERIFY2(hit, qPrintable(QString("no circle at %1,%2").arg(want.x()).arg(want.y())));
    }
    const QList<QCPItemText*> marks = Marks(p.Chart());
    QCOMPARE(marks.size(), 1);
    QCOMPARE(marks[0]->text(), QString("G"));
    QCOMPARE(marks[0]->position->coords(), QPointF(2, 2));
    QCOMPARE(marks[0]->brush().color(), QColor(Qt::white));
    // Equal aspect: one chart unit is as long in pixels on both axes (within the 10 % rule).
    const double ux = p.Chart()->xAxis->range().size() / p.Chart()->width();
    const double uy = p.Chart()->yAxis->range().size() / p.Chart()->height();
    QVERIFY2(std::fabs(ux / uy - 1) < 0.12, qPrintable(QString::number(ux / uy)));
    QVERIFY(p.Chart()->xAxis->range().lower < 1 - 1 / (4 * kPi));
    QVERIFY(p.Chart()->yAxis->range().upper > 4);
  }

  void xPictureExchangesColoursInTheRightCells() {
    QTemporaryDir dir;
    Program p({WriteModel(
        dir, "px.qrg", "px\r\n_alfa p -1 tok= 2 tox=0.5 toy=0.5 bepx=0 bepy=0 bepz=0 mef=0\r\n")});
    p.Form<QAction>("miPlotOrbX1")->trigger();
    QVERIFY(!p.form->GammaPictureShown());
    int checked = 0;
    for (const Outline& o : Curves(p.Chart(), 1)) {
      QVERIFY(o.points > 90);
      const bool rightCells = o.cx > 2;
      const bool plusHalf = o.minX > (rightCells ? 3 : 1) - 1e-9;  // the +x lobe of the centre
      const bool blue = o.colour == QColor(0, 0, 255);
      QCOMPARE(blue, plusHalf != rightCells);
      ++checked;
    }
    QCOMPARE(checked, 8);
    QCOMPARE(Marks(p.Chart()).first()->text(), QString("X"));
  }

  void coefficientSignsExchangeColours() {
    QTemporaryDir dir;
    Program p(
        {WriteModel(dir, "two.qrg",
                    "two s\r\n_alfa a -1 tok= 1 tox=0.25 toy=0.5 bepx=0 bepy=0 bepz=0 mef=0\r\n"
                    "_alfa b -2 tok= 1 tox=0.75 toy=0.5 bepx=0 bepy=0 bepz=0 mef=0\r\n")});
    quarnel::JacobiSolver& s = p.doc.Solver();
    // Eigenvector 2 (drawn in the lowest cell): -0.6+0.2i and 0.1-0.5i (not normalised here).
    s.EigVecRe[2][1] = -0.6, s.EigVecIm[2][1] = 0.2, s.EigVecSq[2][1] = 0.4;
    s.EigVecRe[2][2] = 0.1, s.EigVecIm[2][2] = -0.5, s.EigVecSq[2][2] = 0.26;
    s.EigVal[2] = -2.5;
    p.form->PlotCell(1, 1, 0, false);
    for (int k : {1, 2}) {
      const QList<Outline> lobes = Curves(p.Chart(), k);
      QCOMPARE(lobes.size(), 2);
      for (const Outline& o : lobes) {
        if (o.points == 0) continue;  // an s orbital has only the non-negative lobe
        QCOMPARE(o.colour, QColor(255, 0, 0));
        QVERIFY(Near(o.maxX - o.cx, (k == 1 ? 0.4 : 0.26) / (4 * kPi)));
      }
    }
    const QList<QCPItemText*> marks = Marks(p.Chart());
    QCOMPARE(marks.size(), 1);
    QCOMPARE(marks[0]->text(), QString("-2.50"));
    QCOMPARE(marks[0]->position->coords(), QPointF(2.2, 1.0));
  }

  void kPointCalculationDrawsTheEigenvectorColumn() {
    Program p({kExamples + "/square_dp.qrg"});
    p.Bands<QCheckBox>("cbCells")->setChecked(true);
    p.Bands<QCheckBox>("cbCellsLabels")->setChecked(true);
    p.Form<SpinEdit>("seKbodX")->SetText("3");  // Auto Calculation recalculates
    const QList<Outline> frames = Curves(p.Chart(), -9);
    QCOMPARE(frames.size(), 3);
    for (const Outline& f : frames) QVERIFY(Near(f.minX, 0));  // one column
    QStringList energies, weights;
    for (QCPItemText* m : Marks(p.Chart()))
      (m->brush().color() == QColor(Qt::white) ? energies : weights) << m->text();
    QCOMPARE(energies.size(), 3);
    QVERIFY(!weights.isEmpty() && weights.size() < 9 && !weights.contains("0.00"));
    const quarnel::JacobiSolver& s = p.doc.Solver();
    // The lowest eigenvalue stands beside the lowest cell, clear of the orbital on its edge.
    QStringList lowest;
    for (QCPItemText* m : Marks(p.Chart()))
      if (m->position->coords().y() == 1.0 && m->position->coords().x() >= 2.2) lowest << m->text();
    QCOMPARE(lowest, QStringList{QString::fromStdString(quarnel::FormatFixed(s.EigVal[3], 4, 2))});
    // No label lies on another or on an outline.
    QList<QRectF> taken;
    const QCPAxis *x = p.Chart()->xAxis, *y = p.Chart()->yAxis;
    for (const Outline& o : Curves(p.Chart(), 1) + Curves(p.Chart(), 2) + Curves(p.Chart(), 3))
      if (o.points > 1)
        taken << QRectF(QPointF(x->coordToPixel(o.minX), y->coordToPixel(o.maxY)),
                        QPointF(x->coordToPixel(o.maxX), y->coordToPixel(o.minY)));
    for (QCPItemText* m : Marks(p.Chart())) {
      const QRectF box = TextMarkBox(m);
      for (const QRectF& t : taken) QVERIFY(!box.intersects(t));
      taken << box;
    }
    QCOMPARE(p.form->GammaPictureShown(), false);
  }

  void highlightKeepsFramesAndHidesTheRest() {
    Program p({kExamples + "/square_dp.qrg"});
    p.Bands<QCheckBox>("cbCells")->setChecked(true);
    p.form->btnCalcKpointClick();        // eigenvector picture with energy texts
    p.form->SetGammaPictureShown(true);  // stale flag: the highlight works on the present picture
    p.form->HighlightOrbitals(1, 2);
    for (int k = 0; k < p.Chart()->plottableCount(); ++k) {
      QCPAbstractPlottable* s = p.Chart()->plottable(k);
      QCOMPARE(s->visible(), SeriesTag(s) == 1 || SeriesTag(s) == 2 || SeriesTag(s) == -9);
    }
    QVERIFY(!Marks(p.Chart()).isEmpty());
    for (QCPItemText* m : Marks(p.Chart())) QVERIFY(!m->visible());
    QCOMPARE(Curves(p.Chart(), -9).size(), 3);
    p.form->HighlightOrbitals(0, 0);
    for (QCPItemText* m : Marks(p.Chart())) QVERIFY(m->visible());
  }

  void highlightDrawsGammaFirstWhenNotShown() {
    Program p({kExamples + "/square_dp.qrg"});
    p.form->HighlightOrbitals(3, 3);
    QVERIFY(p.form->GammaPictureShown());
    QCOMPARE(Curves(p.Chart(), -9).size(), 4);
  }

  void cellsAddAndCell0StartsAgain() {
    Program p({kExamples + "/chain_s.qrg"});
    p.Form<QLineEdit>("Edit3")->setText("");
    p.form->miPlotOrbGamma1Click();
    p.Bands<QCheckBox>("cbCells")->setChecked(false);
    p.Form<QPushButton>("Button1")->click();  // nothing to draw: the picture stays
    QVERIFY(p.Bands<QCheckBox>("cbCells")->isChecked());
    QCOMPARE(Curves(p.Chart(), -9).size(), 4);
    p.Form<QLineEdit>("Edit3")->setText(" -2 ");
    p.Form<SpinEdit>("seCells1")->SetText("3");
    p.Form<QPushButton>("Button1")->click();
    QCOMPARE(Curves(p.Chart(), -9).size(), 1);
    QCOMPARE(Curves(p.Chart(), -9).first().minX, 4.0);
    for (const Outline& o : Curves(p.Chart(), 1))
      if (o.points) QCOMPARE(o.colour, QColor(255, 0, 0));  // negative size
    ResetAxis(p.Chart()->xAxis);
    ResetAxis(p.Chart()->yAxis);
    p.Form<SpinEdit>("seCells2")->SetText("2");
    p.Form<QPushButton>("Button2")->click();
    QCOMPARE(Curves(p.Chart(), -9).size(), 2);
    // Automatic axes follow the cells drawn: column 3, rows 1 and 2.
    QCOMPARE(p.Chart()->xAxis->range().lower, 4.0);
    QCOMPARE(p.Chart()->xAxis->range().upper, 6.0);
    QCOMPARE(p.Chart()->yAxis->range().upper, 4.0);
  }

  void gamma3x3DrawsNineCells() {
    Program p({kExamples + "/square_dp.qrg"});
    p.Form<QAction>("miPlotOrbGamma33")->trigger();
    QCOMPARE(Curves(p.Chart(), -9).size(), 9);
    QCOMPARE(Curves(p.Chart(), 2).size(), 18);
    QVERIFY(Marks(p.Chart()).isEmpty());
    QVERIFY(!p.form->GammaPictureShown());
  }

  void shapeKindOutsideTheTablesDrawsNothing() {
    QTemporaryDir dir;
    Program p({WriteModel(dir, "odd.qrg",
                          "odd\r\n_alfa a -1 tok=12 tox=0.5 toy=0.5 bepx=0 bepy=0 bepz=0 mef=0\r\n"
                          "_alfa b -1 tok=-3 tox=0.5 toy=0.5 bepx=0 bepy=0 bepz=0 mef=0\r\n")});
    p.form->miPlotOrbGamma1Click();
    for (int k : {1, 2})
      for (const Outline& o : Curves(p.Chart(), k)) QCOMPARE(o.points, 0);
    QCOMPARE(Curves(p.Chart(), -9).size(), 4);
  }

  void resizeRefitsAtTheNewCellSize() {
    Program p({kExamples + "/chain_s.qrg"});
    p.form->miPlotOrbGamma1Click();
    QVERIFY(!IsAxisAutomatic(p.Chart()->xAxis));
    QVERIFY(p.Chart()->yAxis->range().upper < 4.5);
    p.bands->Orbitals()->SetScale(4);
    p.form->miPlotOrbGamma1Click();  // a new picture is fitted at once
    QVERIFY(p.Chart()->yAxis->range().upper > 8);
    p.bands->Orbitals()->SetScale(2);
    p.form->btnCalcKpointClick();  // the eigenvector picture replaces it, fitted too
    QVERIFY(p.Chart()->yAxis->range().upper < 4.5);
    p.bands->Orbitals()->SetScale(4);
    p.form->miPlotOrbGamma1Click();
    // A rescale request finds the ranges of the picture shown, not those of the last one.
    p.bands->Orbitals()->RequestRescale(true);
    p.form->FitOrbitalAxes();
    QVERIFY(p.Chart()->yAxis->range().upper > 8);
    QVERIFY(!p.bands->Orbitals()->RescaleRequested());
    QVERIFY(!IsAxisAutomatic(p.Chart()->yAxis));
    p.bands->Orbitals()->SetScale(2);
    p.form->miPlotOrbGamma1Click();
    p.Bands<QPushButton>("btnResizeOrb")->click();
    QVERIFY(p.Chart()->yAxis->range().upper < 4.5);
    p.form->miNew1Click();  // a new model lets the next picture find its ranges
    QVERIFY(IsAxisAutomatic(p.Chart()->xAxis));
    QVERIFY(IsAxisAutomatic(p.Chart()->yAxis));
  }
};

QTEST_MAIN(OrbitalPlotTest)
#include "orbital_plot_test.moc"
