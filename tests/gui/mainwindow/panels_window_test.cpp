// SPDX-License-Identifier: GPL-3.0-or-later
// The editing panels driven as a user drives them: select a grid cell, type, Apply.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <cmath>

#include "bandwindows/band_window.h"
#include "gui/harness/program.h"
#include "mainwindow/live_value.h"
#include "numeric/kpoint_calc.h"
#include "widgets/chart_helpers.h"
#include "widgets/spin_edit.h"

class PanelsWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void orbitalPanelShowsTheSelectedOrbital() {
    Program p({kExamples + "/square_dp.qrg"});
    auto* gbInAlfa = p.Form<QGroupBox>("gbInAlfa");
    p.Select(2, 1);
    QVERIFY(!gbInAlfa->isHidden());
    QVERIFY(p.Form<QGroupBox>("gbInBetaGen")->isHidden());
    QCOMPARE(gbInAlfa->title(), QString(" Edit Orbital&&Alpha [Cu] "));
    QCOMPARE(p.Form<QLineEdit>("Edit1")->text(), QString("Cu"));
    QCOMPARE(p.Form<QLineEdit>("Edit2")->text(), QString("-3.5"));
    QCOMPARE(p.Form<QComboBox>("cbOrbPlot")->count(), 11);
    QCOMPARE(p.Form<QComboBox>("cbOrbPlot")->currentText(), QString("dx2-y2"));
    QCOMPARE(p.Form<QLineEdit>("EditPlotX")->text(), QString("0.5"));
    QCOMPARE(p.Form<QLabel>("LabelABetaX")->text(), QString("-1,1"));
    QCOMPARE(gbInAlfa->palette().color(QPalette::Window), QColor(166, 202, 240));
    QCOMPARE(p.Form<QGroupBox>("gbInBetaGen")->palette().color(QPalette::Window),
             QColor(192, 220, 192));
    QCOMPARE(p.Form<QLineEdit>("Edit1")->toolTip(), QString("Oznaceni orbitalu"));
    QCOMPARE(gbInAlfa->size(), QSize(425, 213));
  }

  void alphaReadsOneOperationAndIsStoredNonPositive() {
    Program p({kExamples + "/square_dp.qrg"});
    p.Select(2, 2);
    p.Form<QLineEdit>("Edit2")->setText("1/4");
    p.Form<QLineEdit>("EditABetaY")->setText("-0,5");
    p.Form<QPushButton>("btnUpdateAlpha")->click();
    QCOMPARE(p.doc.Model().Alpha(2), -0.25);
    QCOMPARE(p.Cell(2, 2), QString("-0.25"));
    QCOMPARE(p.doc.Model().BetaPlus[2][2][2], -0.5);
    QCOMPARE(p.doc.Model().BetaMinus[2][2][2], -0.5);  // own images on both sides
    QCOMPARE(p.Cell(4, 2), QString("Y:-0.5,-0.5 "));
  }

  void cleanedNameReachesEveryHeader() {
    Program p({kExamples + "/square_dp.qrg"});
    p.Select(1, 2);
    p.Form<QLineEdit>("Edit1")->setText("p x");
    p.Form<QPushButton>("btnUpdateAlpha")->click();
    const QString px("px");
    QCOMPARE(p.doc.Model().OrbName[2], std::string("px"));
    QCOMPARE(p.Cell(0, 2), px);
    QCOMPARE(p.Cell(1, 2), px);
    QCOMPARE(p.Cell(4, 0), px);
    QCOMPARE(p.Form<StringGrid>("sgHamMat")->Cell(2, 0), px);
    QCOMPARE(p.Form<StringGrid>("sgHamMat")->Cell(0, 2), px);
    QCOMPARE(p.Form<StringGrid>("sgEigen")->Cell(2, 0), px);
    QCOMPARE(p.Form<QLineEdit>("Edit1")->text(), px);
    p.Select(4, 1);  // the pair Cu-px
    QCOMPARE(p.Form<QGroupBox>("gbInBetaGen")->title(),
             QString(" Edit Beta&&Overlap [Cu <=> px] "));
  }

  void unreadablePlotPositionKeepsItsValueAndKindIsStored() {
    Program p({kExamples + "/square_dp.qrg"});
    p.Select(2, 3);
    p.Form<QLineEdit>("EditPlotX")->setText("left");
    p.Form<QLineEdit>("EditPlotY")->setText("0.25");
    p.Form<QComboBox>("cbOrbPlot")->setCurrentIndex(3);
    p.Form<QLineEdit>("Editm")->setText("?");
    p.doc.EditOrbital(3, [](quarnel::ModelData& m) { m.EffMass[3] = 7; });
    p.Form<QPushButton>("btnUpdateAlpha")->click();
    QCOMPARE(p.doc.Model().OrbPlotX[3], 0.5);
    QCOMPARE(p.doc.Model().OrbPlotY[3], 0.25);
    QCOMPARE(p.doc.Model().OrbPlotKind[3], 4);
    QCOMPARE(p.doc.Model().EffMass[3], 0.0);
  }

  void form1BetaIsStoredNegativeInTheUpperTriangle() {
    Program p({kExamples + "/dimer_chain.qre"});
    p.Select(3, 2);  // row 2, column of orbital 1
    QVERIFY(!p.Form<QGroupBox>("gbInBeta")->isHidden());
    QVERIFY(p.Form<QGroupBox>("gbInAlfa")->isHidden());
    QCOMPARE(p.Form<QGroupBox>("gbInBeta")->title(), QString(" Edit Beta&&Overlap [A <=> B] "));
    QCOMPARE(p.Form<QLineEdit>("EdBetaX")->text(), QString("-1"));
    QCOMPARE(p.Form<QComboBox>("cbBetaX")->currentIndex(), 1);
    p.Form<QLineEdit>("EdBetaX")->setText("2");
    p.Form<QComboBox>("cbBetaY")->setCurrentIndex(3);
    p.Form<QLineEdit>("EdBetaY")->setText("-0.5");
    p.Form<QPushButton>("btnUpdateBeta")->click();
    const quarnel::ModelData& m = p.doc.Model();
    QCOMPARE(m.Beta[1][2][1], -2.0);
    QCOMPARE(m.Beta[1][2][2], -0.5);
    QCOMPARE(m.OverlapType[1][2][2], 3);
    QCOMPARE(m.Beta[2][1][1], 0.0);
    QCOMPARE(p.Cell(4, 1), QString::fromUtf8("-2\u00D72cos(ka/2)-0.5\u00D7i2sin(kb/2)"));
    QCOMPARE(p.Cell(3, 2), QString::fromUtf8("-2\u00D72cos(ka/2)-0.5\u00D7-i2sin(kb/2)"));
  }

  void form2ApplyPutsThePartnerMidway() {
    Program p({kExamples + "/square_dp.qrg"});
    auto* editGenX = p.Form<QLineEdit>("EditGenX");
    p.Select(5, 2);  // Ox-Oy, not coupled
    QCOMPARE(p.Form<QLabel>("LabelGenBetaX")->text(), QString("0,0"));
    QVERIFY(editGenX->isHidden());
    editGenX->setText("0.25");  // hidden: not read
    p.Form<QLineEdit>("EditGenBetaPX")->setText("-1");
    p.Form<QLineEdit>("EditGenSocReY")->setText("0.1");
    p.Form<QPushButton>("btnUpdateBetaGen")->click();
    const quarnel::ModelData& m = p.doc.Model();
    QCOMPARE(m.BetaPos[2][3][1], 0.5);
    QCOMPARE(m.BetaPosMinus[2][3][1], -0.5);
    QCOMPARE(m.SocRe[2][3][2], 0.1);
    QCOMPARE(p.Form<QLabel>("LabelGenBetaX")->text(), QString("-0.5,0.5"));
    QCOMPARE(editGenX->text(), QString("0.5"));
    // The spin-orbit term of Y has no hopping beside it and shows on its own.
    QCOMPARE(p.Cell(5, 2), QString("X:0,-1 Y:0,0(so:0.1,0) "));
    QCOMPARE(p.Cell(4, 3), QString("X:0,-1 Y:0,0(so:0.1,0) "));
  }

  void plotOrbitalBoxesStayInStepAndHighlight() {
    Program p({kExamples + "/square_dp.qrg"});
    p.Select(4, 1);  // Cu-Ox
    p.Form<QCheckBox>("cbShowPlotOrbB")->click();
    QVERIFY(p.Form<QCheckBox>("cbShowPlotOrbA")->isChecked());
    QVERIFY(p.Bands<QCheckBox>("cbCells")->isChecked());
    QVERIFY(p.form->GammaPictureShown());
    int shown = 0;
    for (int k = 0; k < p.Chart()->plottableCount(); ++k) {
      const int tag = SeriesTag(p.Chart()->plottable(k));
      QCOMPARE(p.Chart()->plottable(k)->visible(), tag == 1 || tag == 2 || tag == -9);
      shown += p.Chart()->plottable(k)->visible();
    }
    QVERIFY(shown > 0);
    p.Form<QCheckBox>("cbShowPlotOrbA")->click();
    QVERIFY(!p.Form<QCheckBox>("cbShowPlotOrbB")->isChecked());
    for (int k = 0; k < p.Chart()->plottableCount(); ++k)
      QVERIFY(p.Chart()->plottable(k)->visible());
  }

  void choosingAShapeAsksForANewGammaPicture() {
    Program p({kExamples + "/square_dp.qrg"});
    p.form->miPlotOrbGamma1Click();
    QVERIFY(p.form->GammaPictureShown());
    p.Select(1, 2);
    p.Form<QComboBox>("cbOrbPlot")->setCurrentIndex(0);
    QVERIFY(p.form->GammaPictureShown());  // set by the program, not chosen
    emit p.Form<QComboBox>("cbOrbPlot")->activated(0);
    QVERIFY(!p.form->GammaPictureShown());
  }

  void shapeKindOutsideTheListIsKept() {
    QTemporaryDir dir;
    const QString file = WriteModel(
        dir, "odd.qrg",
        "odd kind\r\n_alfa  s  -1.000  tok=14 tox=0.500 toy=0.500 bepx=0 bepy=0 bepz=0 mef=0\r\n");
    Program p({file});
    auto* cbOrbPlot = p.Form<QComboBox>("cbOrbPlot");
    QCOMPARE(p.doc.Model().OrbPlotKind[1], 14);
    p.Select(2, 1);
    QCOMPARE(cbOrbPlot->currentIndex(), -1);
    QCOMPARE(cbOrbPlot->currentText(), QString());
    p.Form<QPushButton>("btnUpdateAlpha")->click();
    QCOMPARE(p.doc.Model().OrbPlotKind[1], 14);
    cbOrbPlot->setCurrentIndex(1);
    p.Form<QPushButton>("btnUpdateAlpha")->click();
    QCOMPARE(p.doc.Model().OrbPlotKind[1], 2);
  }

  void modelEditedThroughThePanelsSurvivesSaveAndOpen() {
    QTemporaryDir dir;
    Program p;
    p.Form<SpinEdit>("seNorb")->SetText("2");
    const char* names[] = {"", "A", "B"};
    for (int r = 1; r <= 2; ++r) {
      p.Select(1, r);
      p.Form<QLineEdit>("Edit1")->setText(names[r]);
      p.Form<QLineEdit>("Edit2")->setText(r == 1 ? "-1" : "-2");
      p.Form<QLineEdit>("EditABetaX")->setText("-0.5");
      p.Form<QComboBox>("cbOrbPlot")->setCurrentIndex(r);
      p.Form<QLineEdit>("EditPlotX")->setText(r == 1 ? "0.25" : "0.75");
      p.Form<QLineEdit>("EditPlotY")->setText("0.5");
      p.Form<QPushButton>("btnUpdateAlpha")->click();
    }
    p.Select(4, 1);
    p.Form<QLineEdit>("EditGenBetaMX")->setText("-1");
    p.Form<QLineEdit>("EditGenBetaPX")->setText("-0.25");
    p.Form<QLineEdit>("EditGenSocReX")->setText("0.1");
    p.Form<QLineEdit>("EditGenSocImX")->setText("0.2");
    p.Form<QPushButton>("btnUpdateBetaGen")->click();
    const quarnel::ModelData edited = p.doc.Model();
    const QString before4 = p.Cell(4, 1), before3 = p.Cell(3, 1);
    QCOMPARE(before4, QString("X:-1,-0.25(so:0.1,0.2) "));

    p.dialogs.saveAnswers << dir.filePath("ab.qrg");
    p.form->miSave1Click();
    p.form->miNew1Click();
    p.dialogs.openAnswers << dir.filePath("ab.qrg");
    p.form->miOpen1Click();
    QVERIFY(p.dialogs.warnings.isEmpty());
    const quarnel::ModelData& m = p.doc.Model();
    QCOMPARE(m.NOrb, 2);
    for (int i = 1; i <= 2; ++i) {
      QCOMPARE(m.OrbName[i], edited.OrbName[i]);
      QCOMPARE(m.Alpha(i), edited.Alpha(i));
      QCOMPARE(m.BetaPlus[i][i][1], edited.BetaPlus[i][i][1]);
      QCOMPARE(m.OrbPlotKind[i], edited.OrbPlotKind[i]);
      QCOMPARE(m.OrbPlotX[i], edited.OrbPlotX[i]);
      QCOMPARE(m.OrbPlotY[i], edited.OrbPlotY[i]);
    }
    QCOMPARE(m.BetaMinus[1][2][1], -1.0);
    QCOMPARE(m.BetaPlus[1][2][1], -0.25);
    QCOMPARE(m.BetaPos[1][2][1], 0.5);
    QCOMPARE(m.SocIm[1][2][1], 0.2);
    QCOMPARE(p.Cell(4, 1), before4);
    QCOMPARE(p.Cell(3, 1), before3);
    QCOMPARE(p.Cell(0, 2), QString("B"));
  }

  // A moved value is a model value at once and the band chart follows it; Escape brings back
  // the value from before the move and the modified flag; a release keeps it.
  void movedValueReachesModelGridAndBandChart() {
    Program p({kExamples + "/square_dp.qrg"});
    TFormQuarnel& f = *p.form;
    p.Bands<QPushButton>("btnBand")->click();
    const auto band1 = [&p](int x) {
      auto* g = qobject_cast<QCPGraph*>(p.Bands<QCustomPlot>("Chart1")->plottable(1));
      return (g->data()->constBegin() + x)->value;
    };
    const double run = band1(20);  // G
    p.Select(4, 1);                // Cu <=> Ox
    const LiveValue* live = f.findChild<LiveValue*>();
    QVERIFY(!live->StripOf(Find<QGroupBox>(&f, "gbInAlfa"))
                 .slider->isEnabled());  // no field entered yet
    QFocusEvent in(QEvent::FocusIn);
    QCoreApplication::sendEvent(Find<QLineEdit>(&f, "EditGenBetaPX"), &in);
    const LiveValue::Strip& s = live->StripOf(Find<QGroupBox>(&f, "gbInBetaGen"));
    QCOMPARE(s.name->text(), QString("beta +X"));
    QCOMPARE(s.span->text(), QString("1.3"));
    QVERIFY(!f.ModelModified());

    s.slider->setSliderDown(true);
    s.slider->setValue(0);  // the value minus the span: the hopping doubled
    QCOMPARE(p.doc.Model().BetaPlus[1][2][1], -2.6);
    QCOMPARE(Find<QLineEdit>(&f, "EditGenBetaPX")->text(), QString("-2.6"));
    QCOMPARE(p.Cell(4, 1), QString("X:1.3,-2.6 "));
    QVERIFY(f.ModelModified());
    QCoreApplication::processEvents();
    quarnel::JacobiSolver solver;
    quarnel::HamMatrix h = {};
    quarnel::CalcKpoint(quarnel::TableModel(p.doc.Model()),
                        quarnel::KPointFromNumerators(20, 0, 0, 0), h, solver);
    QVERIFY(std::fabs(band1(20) - solver.EigVal[1]) < 1e-9);
    QVERIFY(std::fabs(band1(20) - run) > 0.1);

    QTest::keyClick(s.slider, Qt::Key_Escape);
    s.slider->setSliderDown(false);
    QCOMPARE(p.doc.Model().BetaPlus[1][2][1], -1.3);
    QCOMPARE(p.Cell(4, 1), QString("X:1.3,-1.3 "));
    QVERIFY(!f.ModelModified());
    QVERIFY(std::fabs(band1(20) - run) < 1e-9);

    QTest::keyClick(Find<QLineEdit>(&f, "EditGenBetaMX"), Qt::Key_Up);  // a fiftieth of the span
    QCOMPARE(p.doc.Model().BetaMinus[1][2][1], 1.326);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(Find<QLineEdit>(&f, "EditGenBetaMX"), &out);
    QVERIFY(f.ModelModified());
    QCOMPARE(p.Cell(4, 1), QString("X:1.326,-1.3 "));
    QCOMPARE(s.slider->value(), LiveValue::kSliderSteps / 2);
  }
};

QTEST_MAIN(PanelsWindowTest)
#include "panels_window_test.moc"
