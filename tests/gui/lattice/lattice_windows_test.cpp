// SPDX-License-Identifier: GPL-3.0-or-later
// A crystal through the program's windows, as a student meets graphene: opened from the command
// line, a hop edited in its panel, bands labelled by the lattice, the k map over the zone, Save
// and New in the lattice form.

#include <qcustomplot.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "bandwindows/kmap_window.h"
#include "document/undo_commands.h"
#include "gui/harness/program.h"
#include "model/lattice_reader.h"
#include "widgets/lattice_panels.h"

class LatticeWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void grapheneThroughTheWindows() {
    Program p({QUARNEL_EXAMPLES "/graphene.qrl"});
    QVERIFY(p.doc.IsLattice());
    QVERIFY(p.form->windowTitle().contains("(qrl)"));
    QCOMPARE(p.Cell(2, 0), QString("energy"));
    // Each triangle lists the pair's hops from its row's orbital: B -> A is A -> B reversed.
    QVERIFY(p.Cell(4, 1).startsWith("(0,0,0) -1; (-1,0,0) -1"));
    QVERIFY(p.Cell(3, 2).startsWith("(0,0,0) -1; (1,0,0) -1"));

    p.Select(4, 1);
    auto* panels = p.form->findChild<LatticePanels*>();
    QVERIFY(panels && !panels->isHidden() && panels->Open() == LatticePanels::Pair);
    auto* hops = panels->findChild<QTableWidget*>("LatticeHops");
    QCOMPARE(hops->rowCount(), 3);
    qobject_cast<QLineEdit*>(hops->cellWidget(0, 3))->setText("-2");
    panels->findChild<QPushButton*>("LatticePairApply")->click();
    QCOMPARE(p.doc.Lattice().hops[0].t, std::complex<double>(-2, 0));
    QVERIFY(p.doc.Modified() && p.Cell(4, 1).startsWith("(0,0,0) -2;"));
    p.doc.History().Stack().undo();
    QCOMPARE(p.doc.Lattice().hops[0].t, std::complex<double>(-1, 0));

    // The memo got the lattice's path; the run names its points K and M.
    QVERIFY(p.Bands<QPlainTextEdit>("Memo1")->toPlainText().startsWith("G M K G"));
    p.bands->btnBandClick();
    const auto labels =
        p.Bands<QCustomPlot>("Chart1")->xAxis->ticker().dynamicCast<QCPAxisTickerText>();
    QVERIFY(labels);
    QStringList names = labels->ticks().values();
    QCOMPARE(names.join(' '), QString::fromUtf8("G M K G"));
    // The lower band touches zero at K only: the Dirac point.
    auto* lower = qobject_cast<QCPGraph*>(p.Bands<QCustomPlot>("Chart1")->plottable(2));
    QVERIFY(lower);
    const double atK = labels->ticks().key("K");
    QVERIFY(std::abs(lower->data()->findBegin(atK, false)->value) < 1e-6);

    TKMapDlg* map = ShowKMapWindow(p.form.get(), p.doc);
    QTRY_VERIFY_WITH_TIMEOUT(!map->Computing() && !map->Grid().Empty(), 20000);
    QVERIFY(map->findChild<QCustomPlot*>("Chart")->xAxis->label().startsWith("qx"));
    QVERIFY(map->SaveText().find("qx") != std::string::npos);

    const QString saved = p.dir.filePath("saved.qrl");
    p.dialogs.saveAnswers << saved;
    p.form->miSave1Click();
    quarnel::LatticeModel back;
    quarnel::PendingMessages messages;
    QCOMPARE(quarnel::ReadLatticeFile(back, messages, saved.toStdString()), 0);
    QCOMPARE(back.hops.size(), p.doc.Lattice().hops.size());
    QVERIFY(!p.doc.Modified());

    p.form->miNew1Click();  // the scripted choice keeps the form
    QVERIFY(p.doc.IsLattice() && p.doc.OrbitalCount() == 3 && p.doc.Lattice().hops.empty());
  }
};

QTEST_MAIN(LatticeWindowsTest)
#include "lattice_windows_test.moc"
