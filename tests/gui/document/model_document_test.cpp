// SPDX-License-Identifier: GPL-3.0-or-later
// The model document: its operations keep the model's invariants and say what changed.

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <cmath>

#include "document/model_document.h"
#include "document/undo_commands.h"

class ModelDocumentTest : public QObject {
  Q_OBJECT
 private slots:
  void editsAreNormalisedAndNamed() {
    ModelDocument doc;
    doc.SetForm(2);
    doc.SetOrbitalCount(2);
    QSignalSpy orbital(&doc, &ModelDocument::OrbitalChanged);
    QSignalSpy pair(&doc, &ModelDocument::PairChanged);
    doc.EditOrbital(1, [](quarnel::ModelData& m) { m.Alpha(1) = 2.5; });
    QCOMPARE(doc.Model().Alpha(1), -2.5);  // alpha is never positive
    doc.EditPair(1, 2, [](quarnel::ModelData& m) {
      m.BetaPlus[1][2][1] = -1;
      m.BetaPos[1][2][1] = 1.25;
    });
    QCOMPARE(doc.Model().BetaPos[1][2][1], 0.25);  // the partner position wraps into [0, 1)
    QCOMPARE(doc.Model().BetaPosMinus[1][2][1], -0.75);
    QCOMPARE(orbital.count(), 1);
    QCOMPARE(orbital.first().at(0).toInt(), 1);
    QCOMPARE(pair.count(), 1);
    QCOMPARE(pair.first().at(1).toInt(), 2);
  }

  void orbitalCountStaysInRangeAndSaysTheOldOne() {
    ModelDocument doc;
    doc.SetOrbitalCount(3);
    QSignalSpy count(&doc, &ModelDocument::OrbitalCountChanged);
    doc.SetOrbitalCount(0);  // no model has no orbitals by this way
    QCOMPARE(doc.OrbitalCount(), 3);
    doc.SetOrbitalCount(40);
    QCOMPARE(doc.OrbitalCount(), 16);
    QCOMPARE(count.count(), 1);
    QCOMPARE(count.first().at(1).toInt(), 3);
  }

  void aFileThatCannotBeReadChangesNothing() {
    ModelDocument doc;
    doc.SetOrbitalCount(5);
    doc.SetModified();
    QSignalSpy replaced(&doc, &ModelDocument::ModelReplaced);
    QVERIFY(doc.ReadFile("/nonexistent/model.qrg") != 0);
    QCOMPARE(doc.OrbitalCount(), 5);
    QVERIFY(doc.Modified());
    QCOMPARE(replaced.count(), 0);
    QVERIFY(!doc.Messages().Text.empty());
  }

  // A crystal is read as itself, edited, undone and left for a table file like any model.
  void aLatticeModelReadsEditsAndUndoes() {
    ModelDocument doc;
    QVERIFY(doc.ReadFile(QUARNEL_EXAMPLES "/graphene.qrl") == 0);
    QVERIFY(doc.IsLattice() && !doc.Modified());
    QCOMPARE(doc.OrbitalCount(), 2);
    QCOMPARE(doc.Model().OrbName[2], doc.Lattice().orbitals[1].name);
    // At G the three hops of A to B add up: E = +-3|t|.
    doc.ComputeKPoint(0, 0, 0, 10);
    const double t = std::abs(doc.Lattice().hops[0].t);
    QVERIFY(std::abs(std::abs(doc.Solver().EigVal[1]) - 3 * t) < 1e-9);
    quarnel::LatticeModel edited = doc.Lattice();
    for (quarnel::LatticeHop& h : edited.hops) h.t *= 2;
    QSignalSpy lattice(&doc, &ModelDocument::LatticeEdited);
    doc.EditLattice(edited);
    QCOMPARE(lattice.count(), 1);
    QVERIFY(doc.Modified());
    doc.ComputeKPoint(0, 0, 0, 10);
    QVERIFY(std::abs(std::abs(doc.Solver().EigVal[1]) - 6 * t) < 1e-9);
    // One orbital fewer takes its hops with it; undo brings both back.
    doc.SetOrbitalCount(1);
    QVERIFY(doc.Lattice().hops.empty());
    doc.History().Stack().undo();
    doc.History().Stack().undo();
    QCOMPARE(doc.OrbitalCount(), 2);
    QCOMPARE(doc.Lattice().hops[0].t, edited.hops[0].t / 2.0);
    QVERIFY(!doc.Modified());
    QVERIFY(doc.ReadFile(QUARNEL_EXAMPLES "/square_dp.qrg") == 0);
    QVERIFY(!doc.IsLattice() && doc.Form() == 2 && doc.OrbitalCount() == 3);
  }

  void aNewRunForgetsTheLastStopAndPause() {
    ModelDocument doc;
    doc.StartRun(false);
    doc.SetPaused(true);
    doc.RequestStop();
    doc.EndRun();
    QVERIFY(!doc.Running() && !doc.Paused());
    doc.StartRun(true);
    QVERIFY(doc.DosRunning() && !doc.StopRequested() && !doc.Paused());
  }
};

QTEST_MAIN(ModelDocumentTest)
#include "model_document_test.moc"
