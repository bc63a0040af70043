// SPDX-License-Identifier: GPL-3.0-or-later
// The model document: its operations keep the model's invariants and say what changed.

#include <QSignalSpy>
#include <QTest>

#include "document/model_document.h"

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
    // A lattice file exists and reads, but not into the tables: refused with a word, not misread.
    doc.Messages().Text.clear();
    QVERIFY(doc.ReadFile(QUARNEL_EXAMPLES "/graphene.qrl") != 0);
    QCOMPARE(doc.OrbitalCount(), 5);
    QVERIFY(doc.Messages().Text.find("quarnel-cli") != std::string::npos);
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
