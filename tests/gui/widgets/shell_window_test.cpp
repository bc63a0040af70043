// SPDX-License-Identifier: GPL-3.0-or-later
// Help > Manual and the About box's link, with the desktop scripted.

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "document/model_document.h"
#include "gui/harness/scripted_dialogs.h"
#include "mainwindow/main_window.h"
#include "widgets/about_box.h"
#include "widgets/linux_shell.h"

namespace {

class FakeShell : public quarnel::ShellPlatform {
 public:
  FakeShell() { SetShell(this); }
  ~FakeShell() override { SetShell(nullptr); }
  std::map<std::string, std::string> commands;
  std::vector<std::pair<std::string, std::vector<std::string>>> started;
  std::string AssociatedCommand(const std::string& ext) override { return commands[ext]; }
  std::vector<std::string> VisibleWindows() override { return {}; }
  int Start(const std::string& program, const std::vector<std::string>& args, bool) override {
    started.emplace_back(program, args);
    return 33;
  }
};

}  // namespace

class ShellWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    doc = std::make_unique<ModelDocument>();
    doc->Messages().Show = [this](const std::string& text) {
      dialogs.Warning(nullptr, QString::fromStdString(text));
    };
  }
  void cleanup() { doc.reset(); }

  void aboutLinkWithoutBrowserDoesNothing() {
    FakeShell shell;
    TAboutUBox box(doc->Messages());
    box.Button1Click();
    QVERIFY(shell.started.empty());
    QVERIFY(doc->Messages().Text.empty());
    QVERIFY(dialogs.warnings.isEmpty());
  }

  void aboutLinkOpensTheAddressAsOneArgument() {
    FakeShell shell;
    shell.commands["html"] = "\"/opt/my browser/run\" %u";
    TAboutUBox box(doc->Messages());
    box.Button1Click();
    QCOMPARE(shell.started.size(), size_t(1));
    QCOMPARE(shell.started[0].first, std::string("/opt/my browser/run"));
    QCOMPARE(
        shell.started[0].second,
        std::vector<std::string>{box.findChild<QPushButton*>("Button1")->text().toStdString()});
  }

  void manualOpensFromTheProgramFolder() {
    FakeShell shell;
    QTemporaryDir dir;
    QFile pdf(dir.filePath("Quarnel_Manual.pdf"));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.close();
    doc->Places().ProgramDir = dir.path().toStdString();
    doc->Places().PdfViewerPath = "/usr/bin/viewer";
    TFormQuarnel form(*doc);
    form.miManual1Click();
    QCOMPARE(shell.started.size(), size_t(1));
    QCOMPARE(shell.started[0].second,
             std::vector<std::string>{dir.filePath("Quarnel_Manual.pdf").toStdString()});
    QVERIFY(dialogs.warnings.isEmpty());
  }

  void manualProblemsAreShownAtOnce() {
    FakeShell shell;
    doc->Places().ProgramDir = "/nonexistent";
    TFormQuarnel form(*doc);
    form.miManual1Click();  // no PDF program
    // The message goes on to say where the manual was looked for and what is missing.
    QCOMPARE(dialogs.warnings.size(), 1);
    QVERIFY(dialogs.warnings.first().startsWith("Quarnel_Manual.pdf\r\nUnknown path to open\r\n"));
    QVERIFY(dialogs.warnings.first().contains("/nonexistent/Quarnel_Manual.pdf (no such file)"));
    doc->Places().PdfViewerPath = "/usr/bin/viewer";
    form.miManual1Click();  // a program, but no manual
    QCOMPARE(dialogs.warnings.last(), QString("/nonexistent/Quarnel_Manual.pdf: not found"));
    QVERIFY(shell.started.empty());
    // A packaged manual is found without any setting.
    QTemporaryDir installed;
    QFile pdf(installed.filePath("Quarnel_Manual.pdf"));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.close();
    doc->Places().InstalledManualDir = installed.path().toStdString();
    form.miManual1Click();
    QCOMPARE(shell.started.size(), size_t(1));
    QCOMPARE(shell.started[0].second, std::vector<std::string>{pdf.fileName().toStdString()});
  }

  void execFieldCodesAreDropped() {
    QCOMPARE(ExecWithoutFieldCodes("evince --fullscreen %U"), QString("evince --fullscreen"));
    QCOMPARE(ExecWithoutFieldCodes("\"/opt/a b/x\" %f"), QString("\"/opt/a b/x\""));
  }

 private:
  ScriptedDialogs dialogs;
  std::unique_ptr<ModelDocument> doc;
};

QTEST_MAIN(ShellWindowTest)
#include "shell_window_test.moc"
