// SPDX-License-Identifier: GPL-3.0-or-later
// What makes the desktop program safe to use: undo and redo, the title's modified mark and the
// shortcuts, dropped files, the recovery copy of a program killed after an edit, and Open and
// New switching form, header and proposed name with the model.

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <csignal>
#include <iostream>

#include "document/recovery_writer.h"
#include "document/undo_commands.h"
#include "gui/harness/program.h"
#include "support/recovery_files.h"
#include "widgets/file_drops.h"
#include "widgets/spin_edit.h"
#include "workbench/matrix_arguments.h"

namespace {
void ApplyAlpha(Program& p, int row, const QString& value) {
  p.Select(2, row);
  p.Form<QLineEdit>("Edit2")->setText(value);
  p.form->btnUpdateAlphaClick();
}

QAction* MenuAction(QMenuBar* bar, const QString& menu, const QString& start) {
  for (QAction* m : bar->actions())
    if (m->text().remove('&') == menu && m->menu())
      for (QAction* a : m->menu()->actions())
        if (a->text().remove('&').startsWith(start)) return a;
  return nullptr;
}

// The child of the recovery test: edits a model, says so once its copy is written, and waits to
// be killed.
int RecoveryChild(int argc, char** argv) {
  QApplication application(argc, argv);
  Program p({kExamples + "/square_dp.qrg"});
  RecoveryWriter writer(p.doc, 50);
  ApplyAlpha(p, 1, "-7.25");
  const QString copy =
      QString::fromStdString(quarnel::RecoveryFileName(QCoreApplication::applicationPid(), "qrg"));
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (QFileInfo::exists(copy)) {
      std::cout << "written" << std::endl;
      poll.stop();
    }
  });
  poll.start(20);
  return QApplication::exec();
}
}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT
 private slots:
  void undoRedoNameTheirStepsAndSaveMarksTheCleanState() {
    QTemporaryDir dir;
    Program p({kExamples + "/square_dp.qrg"});
    auto* edHeader = p.Form<QLineEdit>("edHeader");
    QAction* undo = MenuAction(p.form->menuBar(), "Edit", "Undo");
    QAction* redo = MenuAction(p.form->menuBar(), "Edit", "Redo");
    QVERIFY(undo && redo && !undo->isEnabled());
    const double alpha = p.doc.Model().Alpha(1);
    ApplyAlpha(p, 1, "-7");
    QCOMPARE(undo->text(), QString("Undo Apply orbital Cu"));
    QVERIFY(p.form->isWindowModified() && p.doc.Modified());
    p.Form<SpinEdit>("seNorb")->SetText("2");
    QCOMPARE(undo->text(), QString("Undo Orbitals 2"));
    undo->trigger();
    QCOMPARE(p.doc.Model().NOrb, 3);
    undo->trigger();
    QCOMPARE(p.doc.Model().Alpha(1), alpha);
    QVERIFY(!p.doc.Modified() && !p.form->isWindowModified());  // back at the file's model
    QCOMPARE(redo->text(), QString("Redo Apply orbital Cu"));
    redo->trigger();
    QCOMPARE(p.doc.Model().Alpha(1), -7.0);
    QCOMPARE(p.Cell(2, 1), QString("-7"));
    QVERIFY(p.doc.Modified());
    // Save marks the clean state; undoing past it is a change again.
    p.dialogs.saveAnswers << dir.filePath("saved.qrg");
    p.form->miSave1Click();
    QVERIFY(!p.form->isWindowModified());
    undo->trigger();
    QVERIFY(p.doc.Modified());
    redo->trigger();
    QVERIFY(!p.doc.Modified());
    // A header edit is a step; Open starts a fresh history.
    edHeader->setText("renamed");
    emit edHeader->editingFinished();
    QCOMPARE(undo->text(), QString("Undo Edit header"));
    undo->trigger();
    QCOMPARE(edHeader->text().toStdString(), p.doc.Model().HeaderText);
    p.dialogs.openAnswers << kExamples + "/chain_s.qrg";
    p.form->miOpen1Click();
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
  }

  void openAndNewSwitchFormHeaderAndProposedName() {
    Program p({kExamples + "/square_dp.qrg"});
    p.dialogs.openAnswers << kExamples + "/dimer_chain.qre";
    p.form->miOpen1Click();
    QCOMPARE(p.doc.Model().BetaTyp, 1);
    QVERIFY(p.form->windowTitle().startsWith("Quarnel V7.12 (qre) - "));
    QCOMPARE(p.Cell(4, 1), QString::fromUtf8("-1\u00D72cos(ka/2)"));
    p.dialogs.saveAnswers << QString();
    p.form->miSave1Click();
    QCOMPARE(p.dialogs.lastSuffix, QString("qre"));
    p.form->miNew1Click();
    QVERIFY(p.Form<QLineEdit>("edHeader")->text().isEmpty());
    QVERIFY(p.doc.Model().HeaderText.empty());
    p.dialogs.saveAnswers << QString();
    p.form->miSave1Click();
    QCOMPARE(p.dialogs.lastProposed, QString("untitled"));
  }

  void droppedFilesOpenByKindAfterTheQuestion() {
    Program p;
    QStringList opened;
    DropTargets t;
    t.queryUnsaved = [&] { return p.form->QueryUnsavedChanges(); };
    t.openModel = [&](const QString& n) {
      p.form->ReadModelFile(n);
      opened << n;
    };
    t.openKPath = [&](const QString& n) {
      p.bands->ReadKpointList(n);
      opened << n;
    };
    t.openMatrix = [&](const QString& n) { opened << n; };
    t.warn = [&](const QString& text) { p.dialogs.Warning(nullptr, text); };
    const QString model = kExamples + "/square_dp.qrg", path = kExamples + "/cubic_path.qrk",
                  matrix = kExamples + "/hermitian_2x2.qmx", other = kExamples + "/README.md";
    OpenDroppedFiles({other, matrix, path, model}, t);
    QCOMPARE(opened, (QStringList{model, path, matrix}));
    QCOMPARE(p.dialogs.warnings.size(), 1);
    QVERIFY(p.dialogs.warnings.first().contains(other));
    QVERIFY(p.Bands<QPlainTextEdit>("Memo1")->toPlainText().startsWith("G X M G R X"));
    QCOMPARE(p.doc.Model().ModelFileName, model.toStdString());
    // A modified model is asked about first; Cancel opens nothing at all.
    ApplyAlpha(p, 1, "-9");
    opened.clear();
    p.dialogs.saveChoices << SaveChoice::Cancel;
    OpenDroppedFiles({path, kExamples + "/chain_s.qrg"}, t);
    QVERIFY(opened.isEmpty());
    QCOMPARE(p.doc.Model().Alpha(1), -9.0);
  }

  // The windows never show a result, a value or a size that is not what the model holds.
  void windowsShowWhatTheModelHolds() {
    Program p({kExamples + "/square_dp.qrg"});
    auto* edit2 = p.Form<QLineEdit>("Edit2");
    auto* chart1 = p.Bands<QCustomPlot>("Chart1");
    auto* chart2 = p.Bands<QCustomPlot>("Chart2");
    // A name another orbital has is refused; nothing is applied.
    p.Select(1, 2);
    p.Form<QLineEdit>("Edit1")->setText("Cu");
    edit2->setText("-1");
    p.form->btnUpdateAlphaClick();
    QCOMPARE(p.dialogs.warnings.size(), 1);
    QCOMPARE(p.doc.Model().OrbName[2], std::string("Ox"));
    QVERIFY(p.doc.Model().Alpha(2) != -1.0);
    // A positive on-site energy is stored negated: the panel says so and shows what is stored;
    // an unreadable field is tinted and named.
    p.Select(2, 1);
    edit2->setText("7");
    p.Form<QLineEdit>("EditABetaY")->setText("x1");
    QCOMPARE(p.Form<QLineEdit>("EditABetaY")->palette().color(QPalette::Base),
             QColor(255, 204, 204));
    const QString before = p.Form<StringGrid>("sgHamMat")->Cell(1, 1);
    p.form->btnUpdateAlphaClick();
    QCOMPARE(edit2->text(), QString("-7"));
    QVERIFY(!p.Form<QStatusBar>("StatusBar1")->currentMessage().isEmpty());
    QVERIFY(p.Form<QStatusBar>("StatusBar1")->currentMessage().contains("Counted as 0: beta y"));
    // Auto Calculation recomputes the k point after the change; unticked, the group says so.
    QTRY_VERIFY(p.Form<StringGrid>("sgHamMat")->Cell(1, 1) != before);
    p.Form<QCheckBox>("cbAutoCalc")->setChecked(false);
    p.Form<SpinEdit>("seNorb")->SetText("2");
    QVERIFY(p.Form<QGroupBox>("GroupBox2")->title().contains("earlier model"));
    p.form->btnCalcKpointClick();
    QVERIFY(!p.Form<QGroupBox>("GroupBox2")->title().contains("earlier model"));
    // Open leaves no status text of the previous model in the bands window.
    p.Bands<QLabel>("Panel0")->setText("old model");
    p.dialogs.openAnswers << kExamples + "/chain_s.qrg";
    p.dialogs.saveChoices << SaveChoice::Discard;
    p.form->miOpen1Click();
    QVERIFY(p.Bands<QLabel>("Panel0")->text().isEmpty());
    // Band and DOS plot areas share top and bottom whatever their axis labels.
    QFont big = chart1->xAxis->labelFont();
    big.setPointSize(big.pointSize() * 3);
    chart1->xAxis->setLabelFont(big);
    chart1->replot();
    chart2->replot();
    QTRY_COMPARE(chart2->axisRect()->bottom(), chart1->axisRect()->bottom());
    QCOMPARE(chart2->axisRect()->top(), chart1->axisRect()->top());
    // Every window fits a 1024x600 screen with a panel and window frames.
    for (QWidget* w : {static_cast<QWidget*>(p.form.get()), static_cast<QWidget*>(p.bands.get()),
                       static_cast<QWidget*>(p.eigen.get())}) {
      const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint());
      QVERIFY2(least.width() <= 1024 - 4 && least.height() <= 600 - 24 - 30,
               qPrintable(w->objectName()));
    }
  }

  void aKilledProgramsEditIsOfferedAtTheNextStart() {
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUARNEL_RECOVERY_CHILD", "1");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForReadyRead(20000));
    QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("written"));
    const qint64 pid = child.processId();
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    QVERIFY(child.waitForFinished());
    const QString copy =
        QString::fromStdString(quarnel::RecoveryFolder()) + QString("/%1.qrg").arg(pid);
    QVERIFY(QFileInfo::exists(copy));

    Program p;
    p.dialogs.recoverChoices << Dialogs::RecoverChoice::Recover;
    QVERIFY(OfferRecoveryCopies(p.form.get(), p.doc));
    QCOMPARE(p.dialogs.questions.size(), 1);
    QVERIFY(p.dialogs.questions.first().startsWith("Recover the unsaved model from "));
    QCOMPARE(p.doc.Model().Alpha(1), -7.25);
    QVERIFY(p.doc.Model().ModelFileName.empty());
    QVERIFY(p.doc.Modified() && p.form->isWindowModified());
    QVERIFY(!QFileInfo::exists(copy));
    // This process's own copy while modified; Save removes it.
    {
      RecoveryWriter writer(p.doc, 10);
      writer.WriteNow();
      const QString own = QString::fromStdString(
          quarnel::RecoveryFileName(QCoreApplication::applicationPid(), "qrg"));
      QVERIFY(QFileInfo::exists(own));
      p.dialogs.saveAnswers << state.filePath("saved.qrg");
      p.form->miSave1Click();
      QVERIFY(!QFileInfo::exists(own));
      QVERIFY(!OfferRecoveryCopies(p.form.get(), p.doc));
    }
    qunsetenv("XDG_STATE_HOME");
  }
};

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsSet("QUARNEL_RECOVERY_CHILD")) return RecoveryChild(argc, argv);
  QApplication application(argc, argv);
  DesktopTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
