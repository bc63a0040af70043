// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven as a user drives it: start-up, files, the grid, one k point.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "gui/harness/program.h"
#include "mainwindow/window_placement.h"
#include "widgets/spin_edit.h"

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void startUpWithoutArguments() {
    Program p;
    QCOMPARE(p.form->windowTitle(), QString("Quarnel V7.12 (qrg)[*]"));
    QCOMPARE(p.doc.Model().NOrb, 3);
    QCOMPARE(p.Form<StringGrid>("sgInputOverlap")->RowCount(), 4);
    QCOMPARE(p.Form<StringGrid>("sgInputOverlap")->ColCount(), 6);
    QCOMPARE(p.Cell(0, 0), QString("  Hij"));
    QCOMPARE(p.Cell(2, 0), QString("alpha"));
    QCOMPARE(p.Cell(5, 0), QString("beta&overlap"));
    QCOMPARE(p.Form<StringGrid>("sgEigen")->Cell(4, 0), QString("checksum"));
    QCOMPARE(p.Form<SpinEdit>("seNorb")->MaxValue(), 16);
    QVERIFY(p.dialogs.warnings.isEmpty());
    QVERIFY(p.bands->isVisible());
  }

  // Both windows as they are built start side by side, frames included, on common screens.
  void startPlacementKeepsBothWindowsOnTheScreen() {
    Program p;
    const quarnel::StartWindow main{p.form->size(), p.form->minimumWidth()};
    const quarnel::StartWindow bands{QSize(p.bands->OneRowWidth(), 600), p.bands->NarrowestWidth(),
                                     p.bands->property("fitWidth").toInt()};
    const QMargins frame(1, 20, 1, 5);
    for (const QRect& screen : {QRect(0, 0, 1024, 600), QRect(0, 0, 1366, 768),
                                QRect(0, 0, 1920, 1080), QRect(1920, 24, 1440, 876)}) {
      const quarnel::StartGeometry g = quarnel::PlaceStartWindows(screen, frame, main, bands);
      const QRect m = g.main.marginsAdded(frame), b = g.bands.marginsAdded(frame);
      QVERIFY(screen.contains(m) && screen.contains(b) && !m.intersects(b));
      QVERIFY(g.bands.width() >= bands.minWidth);
      // Where the screen has room for it, the bands panel does not scroll.
      QCOMPARE(g.bands.width() >= bands.fitWidth, screen.width() >= 1366);
      QCOMPARE(g.main.size() == main.design && g.bands.width() == bands.design.width(),
               screen.width() >= 1920);
      QCOMPARE(g.bands.height(), g.main.height());
    }
  }

  // On a 1024x600 screen both windows start side by side, frames included: nothing covers the
  // Calculation button or any part of the bands window. Band and DOS plot areas share top and
  // bottom there with a legend in one chart only, with legends of different heights, after a
  // resize and after the DOS chart was hidden and changed, so a flat band meets its DOS peak.
  void smallScreenKeepsEveryControlInSight() {
    Program p({kExamples + "/square_dp.qrg"});
    const QRect screen(0, 0, 1024, 600);
    p.form->show();
    p.form->PlaceStartWindows(screen);
    QVERIFY(QTest::qWaitForWindowExposed(p.bands.get()));
    const QRect main = p.form->frameGeometry(), bands = p.bands->frameGeometry();
    QVERIFY(screen.contains(main) && screen.contains(bands) && !main.intersects(bands));
    QPushButton* calc = p.Form<QPushButton>("btnCalcKpoint");
    const QRect calcOnScreen(p.form->mapToGlobal(calc->mapTo(p.form.get(), QPoint())),
                             calc->size());
    QVERIFY(p.form->geometry().contains(calcOnScreen) && !bands.intersects(calcOnScreen));
    TBandDlg& w = *p.bands;
    auto* chart1 = Find<QCustomPlot>(&w, "Chart1");
    auto* chart2 = Find<QCustomPlot>(&w, "Chart2");
    const auto aligned = [chart1, chart2] {
      const int y1 = chart1->y(), y2 = chart2->y();
      return chart1->axisRect()->top() + y1 == chart2->axisRect()->top() + y2 &&
             chart1->axisRect()->bottom() + y1 == chart2->axisRect()->bottom() + y2;
    };
    w.btnBandClick();
    QVERIFY(chart1->legend->visible() && chart2->legend->itemCount() == 0);
    QTRY_VERIFY(aligned());
    Find<SpinEdit>(&w, "SpinEdit3")->SetValue(10);
    w.btnDOSClick();
    QTRY_VERIFY(aligned());
    // The flat O band at -5.1 and the DOS peak it makes lie on one screen row.
    QCOMPARE(qRound(chart1->yAxis->coordToPixel(-5.1)) + chart1->y(),
             qRound(chart2->yAxis->coordToPixel(-5.1)) + chart2->y());
    w.resize(w.width() + 150, w.height() - 40);
    QTRY_VERIFY(aligned());
    Find<QCheckBox>(&w, "cbCells")->setChecked(true);
    chart2->xAxis->setLabel("DOS\nper cell");
    chart2->replot();
    Find<QCheckBox>(&w, "cbCells")->setChecked(false);
    QTRY_VERIFY(aligned());
  }

  void optionChoosesFormAndDialogFilter() {
    Program p({"-betatyp1"});
    QCOMPARE(p.doc.Model().BetaTyp, 1);
    QCOMPARE(p.form->windowTitle(), QString("Quarnel V7.12 (qre)[*]"));
    p.dialogs.openAnswers << QString();  // cancelled
    p.form->miOpen1Click();
    QCOMPARE(p.dialogs.lastFilter, QString("Quarnel model (*.qrg *.qre *.qrl)|*.qrg;*.qre;*.qrl|"
                                           "Quarnel file (*.qre)|*.qre|All Files (*.*)|*.*"));
    QCOMPARE(p.dialogs.lastSuffix, QString("qre"));
  }

  void fileOnTheCommandLineSwitchesTheFormAndIsShown() {
    const QString file = kExamples + "/square_dp.qrg";
    Program p({"-betatyp1", file, "notes.txt"});
    QCOMPARE(p.doc.Model().BetaTyp, 2);
    QCOMPARE(p.form->windowTitle(), "Quarnel V7.12 (qrg) - " + file + "[*]");
    QCOMPARE(p.doc.Model().NOrb, 3);
    QCOMPARE(p.Cell(0, 1), QString("Cu"));
    QCOMPARE(p.Cell(4, 0), QString("Ox"));
    QCOMPARE(p.Cell(2, 2), QString("-5.1"));
    QCOMPARE(p.Cell(3, 1), QString());               // Cu has no own-image hopping
    QCOMPARE(p.Cell(4, 1), QString("X:1.3,-1.3 "));  // row Cu, column Ox
    QCOMPARE(p.Cell(3, 2), p.Cell(4, 1));            // the same text in the other triangle
    QCOMPARE(p.Cell(5, 1), QString("Y:1.3,-1.3 "));
    QCOMPARE(p.Cell(5, 2), QString());  // Ox and Oy are not coupled
    QVERIFY(p.dialogs.warnings.isEmpty());
    // Auto Calculation is ticked at creation, so the first display already shows k = 0.
    QVERIFY(!p.Form<StringGrid>("sgEigen")->Cell(0, 1).isEmpty());
  }

  void form1GridTexts() {
    Program p({kExamples + "/dimer_chain.qre"});
    QCOMPARE(p.doc.Model().BetaTyp, 1);
    QCOMPARE(p.Cell(4, 1), QString::fromUtf8("-1\u00D72cos(ka/2)"));
    QCOMPARE(p.Cell(3, 2), QString::fromUtf8("-1\u00D72cos(ka/2)"));
    QCOMPARE(p.Cell(2, 2), QString("-1.5"));
  }

  void missingFileShowsOneWarningAndKeepsTheDefaultModel() {
    Program p({"/nonexistent/model.qrg"});
    QCOMPARE(p.dialogs.warnings, QStringList{"/nonexistent/model.qrg: not found"});
    QCOMPARE(p.form->windowTitle(), QString("Quarnel V7.12 (qrg)[*]"));
    QCOMPARE(p.doc.Model().NOrb, 3);
  }

  void selectionSwapsToTheUpperTriangle() {
    Program p({kExamples + "/square_dp.qrg"});
    p.form->sgInputOverlapSelectCell(3, 3);  // row 3, column of orbital 1
    QCOMPARE(p.form->SelectedCell().y(), 1);
    QCOMPARE(p.form->SelectedCell().x(), 5);
    QCOMPARE(p.form->HighlightedCell().y(), 3);
    QCOMPARE(p.form->HighlightedCell().x(), 1);
    QVERIFY(!p.Form<QGroupBox>("gbInBetaGen")->isHidden());
    QVERIFY(p.Form<QGroupBox>("gbInAlfa")->isHidden());
    p.form->sgInputOverlapSelectCell(2, 2);  // alpha column
    QVERIFY(!p.Form<QGroupBox>("gbInAlfa")->isHidden());
    QVERIFY(p.Form<QGroupBox>("gbInBetaGen")->isHidden());
    QCOMPARE(p.form->SelectedCell().y(), 2);
    QCOMPARE(p.form->SelectedCell().x(), 2);
  }

  void kPointCalculationFillsTheGrids() {
    Program p({kExamples + "/chain_s.qrg"});
    auto* sgEigen = p.Form<StringGrid>("sgEigen");
    p.Form<SpinEdit>("seKbodDel")->SetText("10");
    p.Form<SpinEdit>("seKbodX")->SetText("5");
    p.form->btnCalcKpointClick();
    QCOMPARE(p.Form<QLabel>("lbkx")->text(), QString("kx=0.50"));
    // E = -1 - 2 cos(pi/2) = -1.
    QCOMPARE(p.Form<StringGrid>("sgHamMat")->Cell(1, 1), QString("  -1.000"));
    QCOMPARE(sgEigen->Cell(0, 1), QString("-1.000000"));
    QCOMPARE(sgEigen->Cell(1, 1), QString("  1.000000"));
    QCOMPARE(sgEigen->Cell(2, 1), QString("SUM=1.000000"));
    QCOMPARE(sgEigen->Cell(1, 2), QString("SUM=1.000000"));
    p.Form<QCheckBox>("cbEigVecSq")->setChecked(false);
    p.form->cbEigVecSqClick();
    QVERIFY(sgEigen->Cell(2, 1).startsWith("SR="));
    QVERIFY(sgEigen->Cell(1, 1).endsWith("*I"));
  }

  void threeBandsAreSortedAndNormalised() {
    Program p({kExamples + "/square_dp.qrg"});
    auto* sgEigen = p.Form<StringGrid>("sgEigen");
    p.Form<SpinEdit>("seKbodX")->SetText("3");
    p.Form<SpinEdit>("seKbodY")->SetText("7");
    p.form->btnCalcKpointClick();
    double previous = 1e9;
    for (int m = 1; m <= 3; ++m) {
      const double e = sgEigen->Cell(0, m).toDouble();
      QVERIFY(e <= previous);
      previous = e;
      QCOMPARE(sgEigen->Cell(4, m), QString("SUM=1.000000"));
      QCOMPARE(sgEigen->Cell(m, 4), QString("SUM=1.000000"));
    }
  }

  void divisorChangeKeepsNumeratorsAndMarksThem() {
    Program p({kExamples + "/chain_s.qrg"});
    auto* seKbodX = p.Form<SpinEdit>("seKbodX");
    p.Form<SpinEdit>("seKbodDel")->SetText("20");
    seKbodX->SetText("15");
    p.Form<SpinEdit>("seKbodDel")->SetText("10");
    QCOMPARE(seKbodX->MinValue(), -10);
    QCOMPARE(seKbodX->MaxValue(), 10);
    QCOMPARE(seKbodX->Text(), QString("15"));
    p.form->btnCalcKpointClick();
    QCOMPARE(p.Form<QLabel>("lbkx")->text(), QString("kx=0.00"));
    QVERIFY(seKbodX->IsMarked());
    seKbodX->SetText("5");
    p.form->btnCalcKpointClick();
    QVERIFY(!seKbodX->IsMarked());
  }

  void invalidOrbitalCountIsMarkedAndReadAsThree() {
    Program p;
    auto* seNorb = p.Form<SpinEdit>("seNorb");
    seNorb->SetText("5");
    QCOMPARE(p.doc.Model().NOrb, 5);
    seNorb->SetText("abc");
    QCOMPARE(p.doc.Model().NOrb, 3);
    QVERIFY(seNorb->IsMarked());
    QCOMPARE(seNorb->Text(), QString("abc"));
  }

  void saveNewOpenRoundTrip() {
    QTemporaryDir dir;
    Program p({kExamples + "/square_dp.qrg"});
    const QString target = dir.filePath("copy.qrg");
    p.dialogs.saveAnswers << target;
    p.form->miSave1Click();
    QCOMPARE(p.dialogs.lastProposed, kExamples + "/square_dp.qrg");
    QCOMPARE(p.form->windowTitle(), "Quarnel V7.12 (qrg) - " + target + "[*]");

    p.form->miNew1Click();
    QCOMPARE(p.form->windowTitle(), QString("Quarnel V7.12 (qrg)[*]"));
    QCOMPARE(p.doc.Model().NOrb, 3);
    QCOMPARE(p.Cell(4, 1), QString());
    QCOMPARE(p.doc.Model().OrbName[1], std::string("Cu"));  // names survive New

    p.dialogs.openAnswers << target;
    p.form->miOpen1Click();
    QCOMPARE(p.form->windowTitle(), "Quarnel V7.12 (qrg) - " + target + "[*]");
    QCOMPARE(p.Cell(4, 1), QString("X:1.3,-1.3 "));
    QVERIFY(p.dialogs.warnings.isEmpty());
  }

  void failedSaveIsReportedAtOnce() {
    QTemporaryDir dir;
    Program p;
    const QString target = dir.filePath("missing-folder/model.qrg");
    p.dialogs.saveAnswers << target;
    p.form->miSave1Click();
    QCOMPARE(p.dialogs.warnings.size(), 1);
    QVERIFY(p.dialogs.warnings.first().startsWith(target + ": File access error #"));
    QCOMPARE(p.form->windowTitle(), QString("Quarnel V7.12 (qrg)[*]"));
  }

  // Regression: the orbital-count edit dropped the cells of the rows it took away.
  void gridsShowTheModelAgainAfterTheCountComesBack() {
    Program p({kExamples + "/square_dp.qrg"});
    const QString pair = p.Cell(4, 1), alpha = p.Cell(2, 2);
    p.Form<SpinEdit>("seNorb")->SetText("1");
    p.Form<SpinEdit>("seNorb")->SetText("3");
    QCOMPARE(p.Cell(0, 2), QString("Ox"));
    QCOMPARE(p.Cell(4, 0), QString("Ox"));
    QCOMPARE(p.Cell(2, 2), alpha);
    QCOMPARE(p.Cell(4, 1), pair);
    QCOMPARE(p.Form<StringGrid>("sgHamMat")->Cell(0, 3), QString("Oy"));
    QCOMPARE(p.Form<StringGrid>("sgEigen")->Cell(3, 0), QString("Oy"));
    QCOMPARE(p.Form<StringGrid>("sgEigen")->Cell(4, 0), QString("checksum"));
  }

  // Regression: a click on the current cell did nothing, and a panel left open over File > Open
  // wrote the previous model's values into the new one.
  void everyClickSelectsAndNoPanelOutlivesItsModel() {
    Program p({kExamples + "/square_dp.qrg"});
    auto* gbInAlfa = p.Form<QGroupBox>("gbInAlfa");
    p.Select(1, 1);  // the cell that is current from the start
    QVERIFY(!gbInAlfa->isHidden());
    QCOMPARE(p.Form<QLineEdit>("Edit1")->text(), QString("Cu"));
    p.dialogs.openAnswers << kExamples + "/chain_s.qrg";
    p.form->miOpen1Click();
    QVERIFY(gbInAlfa->isHidden());
    p.form->btnUpdateAlphaClick();  // a closed panel applies nothing
    QVERIFY(p.doc.Model().OrbName[1] != "Cu");
    p.Select(1, 1);
    QCOMPARE(p.Form<QLineEdit>("Edit1")->text(), p.Cell(1, 1));
    p.Select(0, 1);  // the fixed name column is not a cell to select
    QCOMPARE(p.Form<StringGrid>("sgInputOverlap")->currentColumn(), 1);
    p.Form<SpinEdit>("seNorb")->SetText("3");
    p.Select(4, 3);
    p.Form<SpinEdit>("seNorb")->SetText("1");  // the current row goes away
    QVERIFY(gbInAlfa->isHidden() && p.Form<QGroupBox>("gbInBetaGen")->isHidden());
  }

  void changesAreNotLostWithoutAQuestion() {
    QTemporaryDir dir;
    Program p({kExamples + "/chain_s.qrg"});
    p.form->miNew1Click();  // nothing changed: no question
    QVERIFY(p.dialogs.questions.isEmpty());
    p.dialogs.openAnswers << kExamples + "/chain_s.qrg";
    p.form->miOpen1Click();
    p.Select(2, 1);
    p.Form<QLineEdit>("Edit2")->setText("-7");
    p.form->btnUpdateAlphaClick();
    p.dialogs.saveChoices << SaveChoice::Cancel;
    p.form->miNew1Click();
    QCOMPARE(p.dialogs.questions, QStringList{"Save changes to the model?"});
    QCOMPARE(p.doc.Model().Alpha(1), -7.0);
    // Save whose dialog is cancelled cancels too; the window stays open.
    p.dialogs.saveChoices << SaveChoice::Save;
    QVERIFY(!p.form->close());
    QCOMPARE(p.doc.Model().Alpha(1), -7.0);
    const QString target = dir.filePath("saved.qrg");
    p.dialogs.saveChoices << SaveChoice::Save;
    p.dialogs.saveAnswers << target;
    p.form->miNew1Click();
    QVERIFY(QFile::exists(target));
    QCOMPARE(p.doc.Model().Alpha(1), 0.0);
    QVERIFY(!p.form->ModelModified());
    p.Form<SpinEdit>("seNorb")->SetText("5");  // a changed count is a change of the model
    p.dialogs.saveChoices << SaveChoice::Discard;
    p.dialogs.openAnswers << target;
    p.form->miOpen1Click();
    QCOMPARE(p.doc.Model().Alpha(1), -7.0);
    QCOMPARE(p.dialogs.questions.size(), 4);
  }

  void editedHeaderIsSaved() {
    QTemporaryDir dir;
    Program p({kExamples + "/chain_s.qrg"});
    p.Form<QLineEdit>("edHeader")->setText("my chain");
    p.dialogs.saveAnswers << dir.filePath("c.qrg");
    p.form->miSave1Click();
    QFile f(dir.filePath("c.qrg"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readLine(), QByteArray("my chain\r\n"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
