// SPDX-License-Identifier: GPL-3.0-or-later
// The windows against big, broken, vanishing and unreadable files and saves that cannot succeed.
// The test drops root before anything else (root ignores permission bits), so the permission
// cases are real whoever runs it.

#include <qcustomplot.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

#include "common/temp_dir.h"
#include "gui/harness/program.h"
#include "model/model_writer.h"
#include "numeric/kpoint_calc.h"
#include "stress/stress_files.h"
#include "stress/unprivileged.h"

namespace {

namespace fs = std::filesystem;

// Hands over the path the user chose, then removes the file before the program reads it.
class VanishingDialogs : public ScriptedDialogs {
 public:
  QString OpenFileName(QWidget* parent, const QString& filter, const QString& suffix) override {
    const QString name = ScriptedDialogs::OpenFileName(parent, filter, suffix);
    QFile::remove(name);
    return name;
  }
};

QString ModelText(const Program& p) {
  return QString::fromStdString(quarnel::FormatModelFile(p.doc.Model()));
}

// What a failed open or save must leave as it was.
struct Snapshot {
  explicit Snapshot(const Program& p)
      : caption(p.form->windowTitle()),
        model(ModelText(p)),
        file(QString::fromStdString(p.doc.Model().ModelFileName)),
        header(p.Form<QLineEdit>("edHeader")->text()),
        norb(p.doc.Model().NOrb) {}
  bool operator==(const Snapshot& o) const {
    return caption == o.caption && model == o.model && file == o.file && header == o.header &&
           norb == o.norb;
  }
  QString caption, model, file, header;
  int norb;
};

QByteArray Bytes(const std::string& s) {
  return QByteArray(s.data(), static_cast<int>(s.size()));
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

int Count(const QString& text, const QString& what) {
  return text.count(what);
}

// The header and name of the long-header case: well past the edit box's default limit of 32767
// characters (10 MB take about 5 s to lay out here, which is linear but too slow for a test).
constexpr std::size_t kHeaderBytes = 1u << 20;
// The same for one long line in the k-path memo (10 MB take about 12 s there).
constexpr std::size_t kLineBytes = 1u << 20;

}  // namespace

class WindowStressTest : public QObject {
  Q_OBJECT
 private slots:
  void openBigAndBrokenModels();
  void openThatFailsKeepsModelAndCaption();
  void saveThatFailsSaysSoAtOnce();
  void bandRunOfTheFullModel();
  void bigKpointFilesAndMatrices();
};

// A full model opened through File > Open, the state every failure must keep.
static void OpenFullModel(Program& p) {
  const QString full =
      p.Write("full.qrg", Bytes(quarnel::FormatModelFile(quarnel::stress::FullModel(2))));
  p.dialogs.openAnswers << full;
  p.form->miOpen1Click();
  QCOMPARE(p.doc.Model().NOrb, 16);
  QVERIFY(p.dialogs.warnings.isEmpty());
}

void WindowStressTest::openBigAndBrokenModels() {
  Program p;
  auto* sgInputOverlap = p.Form<StringGrid>("sgInputOverlap");
  QElapsedTimer timer;

  // A million lines: the 999,983 refused orbital lines are summed up, not listed in a box no one
  // could read (or lay out).
  p.dialogs.openAnswers << p.Write("million.qrg", Bytes(quarnel::stress::ModelMillionLines()));
  timer.start();
  p.form->miOpen1Click();
  const qint64 millionMs = timer.elapsed();
  QCOMPARE(p.doc.Model().NOrb, 16);
  QCOMPARE(sgInputOverlap->Cell(1, 16), QString("o16"));
  QCOMPARE(p.dialogs.warnings.size(), 1);
  QString box = p.dialogs.warnings.takeFirst();
  QVERIFY(box.startsWith("Reading errors: \r\nLine 18: _alfa o17 -1\r\n\r\nLine 19: _alfa o18 -1"));
  QCOMPARE(Count(box, "Line "), 20);
  QVERIFY(box.endsWith("\r\n(999963 more messages not shown)"));
  QVERIFY2(box.size() < 2000, qPrintable(QString::number(box.size())));
  QVERIFY(p.form->windowTitle().endsWith("million.qrg[*]"));

  // A 10 MB bad line is shown cut short.
  p.dialogs.openAnswers << p.Write("long.qrg", Bytes(quarnel::stress::ModelLongBadLine()));
  p.form->miOpen1Click();
  QCOMPARE(p.doc.Model().NOrb, 1);
  QCOMPARE(p.dialogs.warnings.size(), 1);
  box = p.dialogs.warnings.takeFirst();
  QVERIFY(box.startsWith("Reading errors: \r\nLine 3: _beta a a (kd) 1.5 bepx=2 junk =dstx=0.25"));
  QVERIFY(box.endsWith("...\r\n"));
  QVERIFY2(box.size() < 1000, qPrintable(QString::number(box.size())));

  // A 10 MB header and name: shown in the header box and the grid, saved back unchanged.
  p.dialogs.openAnswers << p.Write("header.qrg",
                                   Bytes(quarnel::stress::ModelLongHeaderAndName(kHeaderBytes)));
  p.form->miOpen1Click();
  QVERIFY(p.dialogs.warnings.isEmpty());
  QCOMPARE(p.Form<QLineEdit>("edHeader")->text().size(), int(kHeaderBytes));
  QCOMPARE(sgInputOverlap->Cell(1, 1).size(), int(kHeaderBytes));
  const QString saved = p.dir.filePath("saved.qrg");
  p.dialogs.saveAnswers << saved;
  p.form->miSave1Click();
  QVERIFY(p.dialogs.warnings.isEmpty());
  QFile in(saved);
  QVERIFY(in.open(QIODevice::ReadOnly));
  QCOMPARE(in.readLine(20), QByteArray("hhhhhhhhhhhhhhhhhhh"));
  QCOMPARE(in.size(), qint64(quarnel::FormatModelFile(p.doc.Model()).size()));

  // Random bytes and 1,000 orbital names.
  p.dialogs.openAnswers << p.Write("garbage.qrg", Bytes(quarnel::stress::ModelGarbage()));
  p.form->miOpen1Click();
  QVERIFY(p.doc.Model().NOrb <= 16);
  p.dialogs.warnings.clear();
  p.dialogs.openAnswers << p.Write("names.qrg", Bytes(quarnel::stress::ModelThousandNames()));
  p.form->miOpen1Click();
  QCOMPARE(p.doc.Model().NOrb, 16);
  QCOMPARE(sgInputOverlap->Cell(1, 16), QString("orb16"));
  QCOMPARE(p.dialogs.warnings.size(), 1);
  QVERIFY(p.dialogs.warnings.first().endsWith("\r\n(1948 more messages not shown)"));
  qInfo("million-line model opened in %lld ms", millionMs);
}

void WindowStressTest::openThatFailsKeepsModelAndCaption() {
  Program p;
  OpenFullModel(p);
  const Snapshot before(p);

  // The file is gone between the dialog and the read.
  {
    VanishingDialogs vanishing;  // installs itself; the warnings still reach p.dialogs
    vanishing.openAnswers << p.Write("gone.qrg", "h\r\n_alfa x -1\r\n");
    p.form->miOpen1Click();
  }
  SetDialogs(&p.dialogs);
  QCOMPARE(p.dialogs.warnings, QStringList{p.dir.filePath("gone.qrg") + ": not found"});
  p.dialogs.warnings.clear();
  QVERIFY(Snapshot(p) == before);

  // A file without read permission, and one in a folder that cannot be searched.
  const QString locked = p.Write("locked.qrg", "h\r\n_alfa x -1\r\n");
  QFile::setPermissions(locked, QFileDevice::Permissions());
  const QString hidden = p.dir.filePath("hidden");
  QDir().mkdir(hidden);
  const QString inside = hidden + "/model.qrg";
  QFile f(inside);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("h\r\n_alfa y -1\r\n");
  f.close();
  QFile::setPermissions(hidden, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  for (const QString& name : {locked, inside}) {
    p.dialogs.openAnswers << name;
    p.form->miOpen1Click();
    QCOMPARE(p.dialogs.warnings, QStringList{name + ": File access error #13: Permission denied"});
    p.dialogs.warnings.clear();
    QVERIFY(Snapshot(p) == before);
  }
  // A folder picked as a file.
  p.dialogs.openAnswers << hidden;
  p.form->miOpen1Click();
  QCOMPARE(p.dialogs.warnings, QStringList{hidden + ": File access error #21: Is a directory"});
  p.dialogs.warnings.clear();
  QVERIFY(Snapshot(p) == before);

  // The k path and the workbench's matrix stay as they were too.
  p.dialogs.openAnswers << p.Write("m.qmx", "t\r\n1 2 0 1\r\n2 3 -1 0\r\n");
  p.eigen->btnOpenAClick();
  QCOMPARE(p.doc.Solver().JacN, 4);
  const QString memo = p.Bands<QPlainTextEdit>("Memo1")->toPlainText();
  const QString matrix = p.eigen->findChild<StringGrid*>("sgJacobiA")->Cell(2, 1);
  for (const QString& name : {locked, inside}) {
    p.dialogs.openAnswers << name << name;
    p.bands->btnOpenKpointsClick();
    p.eigen->btnOpenAClick();
    const QString error = name + ": File access error #13: Permission denied";
    QCOMPARE(p.dialogs.warnings, (QStringList{error, error}));
    p.dialogs.warnings.clear();
    QCOMPARE(p.Bands<QPlainTextEdit>("Memo1")->toPlainText(), memo);
    QCOMPARE(p.doc.Solver().JacN, 4);
    QCOMPARE(p.eigen->findChild<StringGrid*>("sgJacobiA")->Cell(2, 1), matrix);
  }
  QVERIFY(Snapshot(p) == before);
  QFile::setPermissions(hidden,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void WindowStressTest::saveThatFailsSaysSoAtOnce() {
  Program p;
  OpenFullModel(p);
  const Snapshot before(p);
  const QString folder = p.dir.filePath("locked");
  QDir().mkdir(folder);
  const QByteArray previous = "previous\r\n_alfa a -1.000\r\n";
  const QString target = folder + "/model.qrg";
  {
    QFile f(target);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(previous);
  }
  const auto readOnlyFolder = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
  QFile::setPermissions(folder, readOnlyFolder);

  // Over an existing file, and as a new file, in a folder that takes no new files.
  for (const QString& name : {target, folder + "/new.qrg"}) {
    p.dialogs.saveAnswers << name;
    p.form->miSave1Click();
    QCOMPARE(p.dialogs.warnings, QStringList{name + ": File access error #13: Permission denied"});
    p.dialogs.warnings.clear();
    QVERIFY(Snapshot(p) == before);
    QCOMPARE(Entries(folder), QStringList{"model.qrg"});
    QFile f(target);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), previous);
  }

  // The workbench's Save says so at once as well.
  p.dialogs.openAnswers << p.Write("m.qmx", "t\r\n1 2 0 1\r\n2 3 -1 0\r\n");
  p.eigen->btnOpenAClick();
  p.dialogs.saveAnswers << folder + "/m.qmx";
  p.eigen->btnSaveAClick();
  QCOMPARE(p.dialogs.warnings,
           QStringList{folder + "/m.qmx: File access error #13: Permission denied"});
  p.dialogs.warnings.clear();
  QCOMPARE(Entries(folder), QStringList{"model.qrg"});

  // A read-only file in a folder that takes new files.
  QFile::setPermissions(folder, readOnlyFolder | QFileDevice::WriteOwner);
  QFile::setPermissions(target, QFileDevice::ReadOwner);
  p.dialogs.saveAnswers << target;
  p.form->miSave1Click();
  QCOMPARE(p.dialogs.warnings, QStringList{target + ": File access error #13: Permission denied"});
  p.dialogs.warnings.clear();
  QVERIFY(Snapshot(p) == before);
  QCOMPARE(Entries(folder), QStringList{"model.qrg"});

  // Once it may be written, the same save goes through and nothing is left beside it.
  QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  p.dialogs.saveAnswers << target;
  p.form->miSave1Click();
  QVERIFY(p.dialogs.warnings.isEmpty());
  QCOMPARE(Entries(folder), QStringList{"model.qrg"});
  QVERIFY(p.form->windowTitle().endsWith(" - " + target + "[*]"));
  QFile f(target);
  QVERIFY(f.open(QIODevice::ReadOnly));
  QCOMPARE(f.readAll(), Bytes(quarnel::FormatModelFile(p.doc.Model())));
}

void WindowStressTest::bandRunOfTheFullModel() {
  Program p;
  auto* chart1 = p.Bands<QCustomPlot>("Chart1");
  OpenFullModel(p);
  // G (0 0 0) - X (40 0 0) - M (40 40 0) - G, 121 points with divisor 40 (the core runs 361).
  QStringList path{"G X M G"};
  for (int t = 0; t <= 120; ++t) {
    const int x = t < 40 ? t : t < 80 ? 40 : 120 - t;
    const int y = t < 40 ? 0 : t < 80 ? t - 40 : 120 - t;
    path << QString("   %1 %2 0 40").arg(x).arg(y);
  }
  p.Bands<QPlainTextEdit>("Memo1")->setPlainText(path.join('\n'));
  p.bands->btnBandClick();
  QVERIFY(p.dialogs.warnings.isEmpty());
  QCOMPARE(chart1->plottableCount(), 1 + 2 * 16);
  auto* solver = new quarnel::JacobiSolver;
  std::unique_ptr<quarnel::JacobiSolver> owner(solver);
  quarnel::HamMatrix h = {};
  for (int i = 1; i <= 16; ++i) {
    auto* band = qobject_cast<QCPGraph*>(chart1->plottable(i));
    QVERIFY(band);
    QCOMPARE(band->dataCount(), 121);
  }
  // Sample points agree with the calculation without any window.
  for (int x = 0; x <= 120; x += 15) {
    const QStringList w = path[x + 1].split(' ', Qt::SkipEmptyParts);
    quarnel::CalcKpoint(quarnel::TableModel(p.doc.Model()),
                        quarnel::KPointFromNumerators(40, w[0].toInt(), w[1].toInt(), 0), h,
                        *solver);
    for (int i = 1; i <= 16; ++i) {
      auto* band = qobject_cast<QCPGraph*>(chart1->plottable(i));
      QCOMPARE((band->data()->constBegin() + x)->value, solver->EigVal[i]);
    }
  }
}

void WindowStressTest::bigKpointFilesAndMatrices() {
  Program p;
  auto* memo1 = p.Bands<QPlainTextEdit>("Memo1");
  QElapsedTimer timer;
  timer.start();
  // The core reads a million lines; the memo's own filling grows with them (about 6 s for a
  // million here), so the window gets a fifth of that.
  p.dialogs.openAnswers << p.Write("many.qrk", Bytes(quarnel::stress::KpointMillionLines(200000)));
  p.bands->btnOpenKpointsClick();
  QCOMPARE(memo1->blockCount(), 200000);
  const qint64 memoMs = timer.elapsed();
  timer.start();
  const std::string longPath = quarnel::stress::KpointLongLine(kLineBytes);
  p.dialogs.openAnswers << p.Write("long.qrk", Bytes(longPath));
  p.bands->btnOpenKpointsClick();
  QCOMPARE(memo1->blockCount(), 3);
  const int title = 7;  // "title\r\n"
  QCOMPARE(memo1->document()->findBlockByNumber(1).length() - 1,
           int(longPath.find('\r', title) - title));
  qInfo("k path line of %zu bytes shown in %lld ms", kLineBytes, timer.elapsed());
  p.dialogs.openAnswers << p.Write("g.klist_band", Bytes(quarnel::stress::RandomBytes(1 << 20)));
  p.bands->btnOpenKpointsClick();
  QCOMPARE(p.bands->windowTitle(), QString("Bands&DOS [g.klist_band]"));
  QVERIFY(p.dialogs.warnings.isEmpty());

  // A k-point file that vanished leaves the memo as it was.
  const QString memo = memo1->toPlainText();
  {
    VanishingDialogs vanishing;
    vanishing.openAnswers << p.Write("gone.qrk", "t\n0 0 0 20\n");
    p.bands->btnOpenKpointsClick();
  }
  SetDialogs(&p.dialogs);
  QCOMPARE(memo1->toPlainText(), memo);
  QCOMPARE(p.dialogs.warnings, QStringList{p.dir.filePath("gone.qrk") + ": not found"});
  p.dialogs.warnings.clear();

  // The workbench: a 10 MB row, a million rows, random bytes.
  p.dialogs.openAnswers << p.Write("long.qmx", Bytes(quarnel::stress::MatrixLongLine()));
  p.eigen->btnOpenAClick();
  QCOMPARE(p.doc.Solver().JacN, 4);
  // Read; only its being not Hermitian is reported.
  QVERIFY(p.dialogs.warnings.size() <= 1);
  if (!p.dialogs.warnings.isEmpty())
    QVERIFY(p.dialogs.warnings.first().contains("not a Hermitian matrix"));
  p.dialogs.warnings.clear();
  p.dialogs.openAnswers << p.Write("million.qmx", Bytes(quarnel::stress::MatrixMillionLines()));
  p.eigen->btnOpenAClick();
  QCOMPARE(p.doc.Solver().JacN, 40);
  // The truncated matrix is also checked for being Hermitian, in the same box.
  QCOMPARE(p.dialogs.warnings.size(), 1);
  QVERIFY(p.dialogs.warnings.first().startsWith(
      "Too big matrix (1000000), maximum is 20 - matrix is truncated"));
  p.dialogs.warnings.clear();
  p.dialogs.openAnswers << p.Write("garbage.qmx", Bytes(quarnel::stress::RandomBytes(1 << 20)));
  p.eigen->btnOpenAClick();
  QVERIFY(p.doc.Solver().JacN >= 2 && p.doc.Solver().JacN <= 40);
  qInfo("k path of 200000 lines shown in %lld ms", memoMs);
}

int main(int argc, char** argv) {
  // Before any thread exists; an ordinary user stays who they are.
  const bool unprivileged = quarnel::testing::DropRoot();
  QApplication app(argc, argv);
  if (!unprivileged) {
    qCritical("cannot drop root: the permission cases would prove nothing");
    return 1;
  }
  WindowStressTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_stress_test.moc"
