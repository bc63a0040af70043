// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/utsname.h>

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/pending_messages.h"
#include "widgets/about_box.h"
#include "widgets/diagnostics_window.h"

class SupportWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void aboutInitFillsProgramInfoAndSystem();
  void aboutInitTwiceKeepsSixLines();
  void aboutKeepsItsSize();
  void aboutEscapeClosesWithOk();
  void prettyNameIsReadFromOsRelease_data();
  void prettyNameIsReadFromOsRelease();
  void diagnosticsWindowStaysHiddenAndOnTop();
  void chartMenuHasItsItemsInOrder();
  void memosClearEmptiesAllFour();
};

namespace {
QStringList Lines(const QPlainTextEdit* memo) {
  return memo->toPlainText().split('\n');
}

QStringList ActionTexts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* a : menu->actions()) texts << (a->isSeparator() ? "-" : a->text());
  return texts;
}
}  // namespace

void SupportWindowsTest::aboutInitFillsProgramInfoAndSystem() {
  quarnel::PendingMessages messages;
  TAboutUBox box(messages);
  box.InitU("Quarnel V7.12 ", "05.12.2018");
  QCOMPARE(box.findChild<QLabel*>("Label2")->text(), QString("Quarnel V7.12 "));
  const QStringList info = Lines(box.findChild<QPlainTextEdit*>("Memo2"));
  QCOMPARE(info.size(), 6);
  QCOMPARE(info[0], QString("Program Info:"));
  QCOMPARE(info[2], QString("Quarnel V7.12 "));
  QCOMPARE(info[3], QString("Build 05.12.2018"));
  QCOMPARE(info[5], QString("================"));
  const QStringList author = Lines(box.findChild<QPlainTextEdit*>("Memo1"));
  const QStringList system = TAboutUBox::SystemVersion();
  QVERIFY(!system.isEmpty());
  QVERIFY(author.size() > system.size() + 1);
  QVERIFY(author.contains("Licence: GPL-3.0-or-later"));
  QCOMPARE(author.mid(author.size() - system.size() - 1), QStringList{"================"} + system);
  utsname u{};
  QCOMPARE(uname(&u), 0);
  QCOMPARE(author.last(), QString("Linux ") + QString::fromUtf8(u.release));
}

void SupportWindowsTest::aboutInitTwiceKeepsSixLines() {
  quarnel::PendingMessages messages;
  TAboutUBox box(messages);
  const auto* memo1 = box.findChild<QPlainTextEdit*>("Memo1");
  const auto* memo2 = box.findChild<QPlainTextEdit*>("Memo2");
  box.InitU("A ", "01.01.2000");
  const int authorLines = memo1->blockCount();
  box.InitU("B ", "02.02.2002");
  QCOMPARE(memo2->blockCount(), 6);
  QCOMPARE(Lines(memo2)[3], QString("Build 02.02.2002"));
  QCOMPARE(memo1->blockCount(), authorLines);
}

void SupportWindowsTest::aboutKeepsItsSize() {
  quarnel::PendingMessages messages;
  TAboutUBox box(messages);
  QCOMPARE(box.windowTitle(), QString("About"));
  QCOMPARE(box.size(), QSize(334, 290));
  QCOMPARE(box.minimumSize(), box.maximumSize());
  const auto* link = box.findChild<QPushButton*>("Button1");
  QCOMPARE(link->text(), QString(TAboutUBox::kWebAddress));
  QVERIFY(link->isEnabled());  // the link to the web page works
  QVERIFY(box.findChild<QPlainTextEdit*>("Memo1")->isReadOnly() &&
          box.findChild<QPlainTextEdit*>("Memo2")->isReadOnly());
  QVERIFY(box.findChild<QPushButton*>("OKButton")->isDefault());
  QVERIFY(!box.findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
}

void SupportWindowsTest::aboutEscapeClosesWithOk() {
  quarnel::PendingMessages messages;
  TAboutUBox box(messages);
  QTimer::singleShot(0, &box, [&box] { QTest::keyClick(&box, Qt::Key_Escape); });
  QCOMPARE(box.exec(), int(QDialog::Accepted));
  QTimer::singleShot(0, &box, [&box] { box.findChild<QPushButton*>("OKButton")->click(); });
  QCOMPARE(box.exec(), int(QDialog::Accepted));
}

void SupportWindowsTest::prettyNameIsReadFromOsRelease_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("name");
  QTest::newRow("double quotes") << "NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12\"\nID=x\n"
                                 << "Debian GNU/Linux 12";
  QTest::newRow("single quotes") << "PRETTY_NAME='Fedora Linux 40'"
                                 << "Fedora Linux 40";
  QTest::newRow("bare") << "ID=arch\nPRETTY_NAME=Arch\n"
                        << "Arch";
  QTest::newRow("missing") << "NAME=\"Debian\"\nID=debian\n"
                           << "";
  QTest::newRow("other key ending alike") << "X_PRETTY_NAME=\"no\"\n"
                                          << "";
}

void SupportWindowsTest::prettyNameIsReadFromOsRelease() {
  QFETCH(QString, text);
  QFETCH(QString, name);
  QCOMPARE(TAboutUBox::OsPrettyName(text), name);
}

void SupportWindowsTest::diagnosticsWindowStaysHiddenAndOnTop() {
  TUnitPomDlg w;
  QCOMPARE(w.windowTitle(), QString("UnitPomDlg"));
  QVERIFY(w.isHidden());
  QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
  QCOMPARE(w.minimumSize(), w.maximumSize());
  QCOMPARE(w.findChild<QPushButton*>("Button1")->text(), QString("Memos Clear"));
  QCOMPARE(w.findChild<QListWidget*>("ListBox1")->count(), 0);
  // The measuring label must keep the width of its own text.
  auto* label = w.findChild<QLabel*>("LabelSizeFont");
  label->setText(" a much longer text than before ");
  label->adjustSize();
  QCOMPARE(label->width(), label->sizeHint().width());
}

void SupportWindowsTest::chartMenuHasItsItemsInOrder() {
  TUnitPomDlg w;
  const auto* menu = w.findChild<QMenu*>("PopupMenuChart");
  const auto* rightY2 = w.findChild<QMenu*>("miRightY2");
  QCOMPARE(ActionTexts(menu),
           QStringList({"User", "-", "Reset axes", "Manual X", "Manual Y", "-", "Bottom - X",
                        "Left - Y", "Right - Y2", "-", "Save data...", "Save image..."}));
  QVERIFY(!w.findChild<QAction*>("miUser")->isVisible());
  QCOMPARE(ActionTexts(w.findChild<QMenu*>("miBottomX")),
           QStringList({"Reset X", "Manual X", "Reset Maximum X", "Double X", "Logarithmic X"}));
  QCOMPARE(ActionTexts(w.findChild<QMenu*>("miLeftY")),
           QStringList({"Reset Y", "Manual Y", "Reset Maximum Y", "Double Y", "Logarithmic Y"}));
  QCOMPARE(ActionTexts(rightY2), QStringList({"Reset Y2", "Manual Y2", "Reset Maximum Y2",
                                              "Double Y2", "Logarithmic Y2"}));
  for (const char* name : {"miBottomLog", "miLeftLog", "miRightLog"}) {
    const auto* log = w.findChild<QAction*>(name);
    QVERIFY(log->isCheckable());
    QVERIFY(!log->isChecked());
  }
  // The export items come last, after the items every chart menu has.
  const QList<QAction*> actions = menu->actions();
  QCOMPARE(rightY2->menuAction(), actions[actions.size() - 4]);
  QCOMPARE(w.findChild<QAction*>("miSaveData"), actions[actions.size() - 2]);
  QCOMPARE(w.findChild<QAction*>("miSaveImage"), actions.last());
}

void SupportWindowsTest::memosClearEmptiesAllFour() {
  TUnitPomDlg w;
  const QList<QPlainTextEdit*> memos = {
      w.findChild<QPlainTextEdit*>("Memo1"), w.findChild<QPlainTextEdit*>("Memo2"),
      w.findChild<QPlainTextEdit*>("Memo3"), w.findChild<QPlainTextEdit*>("Memo4")};
  for (QPlainTextEdit* m : memos) m->setPlainText("x\ny");
  w.findChild<QPushButton*>("Button1")->click();
  for (QPlainTextEdit* m : memos) QVERIFY(m->toPlainText().isEmpty());
}

QTEST_MAIN(SupportWindowsTest)
#include "support_windows_test.moc"
