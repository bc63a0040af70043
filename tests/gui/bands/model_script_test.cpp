// SPDX-License-Identifier: GPL-3.0-or-later
// "Save model as Python..." of the bands window: the memo's context menu offers it, and the
// saved script is the one quarnel-cli export writes for the same model and path.
#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include "gui/bands/band_models.h"

class ModelScriptTest : public QObject {
  Q_OBJECT
 private slots:
  void memoMenuSavesWhatTheCliWrites();
};

void ModelScriptTest::memoMenuSavesWhatTheCliWrites() {
  Program p;
  p.Load(kTwoOrbitals);
  const QString model = p.dir.filePath("model.qrg");
  const QString path = p.Write("path.qrk", "G X\n 0 0 0 20\n 5 0 0 20\n 20 0 0 20\n");
  TBandDlg& w = *p.bands;
  w.ReadKpointList(path);

  // The memo's own edit items come first, the script last.
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QStringList items;
  QTimer::singleShot(0, &w, [&items] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (const QAction* a : menu->actions()) items << a->text();
      menu->close();
    }
  });
  emit Find<QPlainTextEdit>(&w, "Memo1")->customContextMenuRequested(QPoint(5, 5));
  QTRY_VERIFY(!items.isEmpty());
  QCOMPARE(items.last(), QString("Save model as Python..."));
  QVERIFY(items.size() > 2);

  // Proposed beside the model; the extension is added when the name has none.
  p.dialogs.saveAnswers << p.dir.filePath("script");
  Find<QAction>(&w, "miSaveModelPython")->trigger();
  QCOMPARE(p.dialogs.lastProposed, p.dir.filePath("model.py"));
  QCOMPARE(p.dialogs.lastSuffix, QString("py"));
  QVERIFY(p.dialogs.warnings.isEmpty());
  QCOMPARE(Contents(p.dir.filePath("script.py")), Cli({"export", model, path, "--python"}));

  // An edited memo is named as the memo, as saved band data names it.
  Find<QPlainTextEdit>(&w, "Memo1")->appendPlainText(" 20 20 0 20");
  p.dialogs.saveAnswers << p.dir.filePath("edited.py");
  QVERIFY(w.SaveModelAsPython());
  const QByteArray edited = Contents(p.dir.filePath("edited.py"));
  QVERIFY(edited.contains("PATH_FILE = \"memo of the Bands&DOS window, title \\\"G X\\\"\"\n"));
  QVERIFY(edited.contains("    (20, 20, 0, 20, \"M\"),\n"));

  // Cancelled or unwritable: nothing saved, a failure said at once.
  QVERIFY(!w.SaveModelAsPython());
  p.dialogs.saveAnswers << p.dir.filePath("missing/folder.py");
  QVERIFY(!w.SaveModelAsPython());
  QCOMPARE(p.dialogs.warnings.size(), 1);
}

QTEST_MAIN(ModelScriptTest)
#include "model_script_test.moc"
