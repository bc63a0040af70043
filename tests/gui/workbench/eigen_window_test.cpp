// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "document/model_document.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"
#include "workbench/eigen_window.h"

class EigenWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void startsWithItsControlsAllEnabled();
  void gridsAreEditableWithTheirCellSize();
  void layoutStacksGridsPanelAndMemo_data();
  void layoutStacksGridsPanelAndMemo();
  void resizedColumnGivesItsWidthToAllColumns();
  void resizingInR1ResizesR2Too();
  void colSizingOffLeavesOtherColumnsAlone();
  void cancelHides();
};

namespace {
void SetColumns(StringGrid* g, int cols) {
  g->SetColCount(cols);
  g->SetRowCount(cols);
}
}  // namespace

void EigenWindowTest::startsWithItsControlsAllEnabled() {
  ModelDocument doc;
  TEigenDlg w(doc);
  QCOMPARE(w.windowTitle(), QString("Eigen Values"));
  QCOMPARE(w.size(), QSize(800, 800));
  // No narrower than the command row needs, so that no control sits on another.
  QCOMPARE(w.minimumHeight(), 500);  // fits a 1024x600 screen
  QVERIFY(w.minimumWidth() >= 700);
  QVERIFY(w.minimumWidth() >= w.findChild<QFrame*>("PanelJacobiA")->minimumSizeHint().width());
  QCOMPARE(w.findChild<SpinEdit*>("seIter")->MinValue(), 1);
  QCOMPARE(w.findChild<SpinEdit*>("seIter")->MaxValue(), 50);
  QCOMPARE(ReadSpinValue(w.findChild<SpinEdit*>("seIter"), 1), 50);
  QVERIFY(w.findChild<QCheckBox*>("cbColSizing")->isChecked());
  QCOMPARE(w.findChild<QCheckBox*>("cbColSizing")->text(), QString("col. sizing"));
  QCOMPARE(w.findChild<QPushButton*>("btnVypRotMat")->text(), QString("Calc Rpq"));
  QCOMPARE(w.findChild<QPushButton*>("btnRotace")->text(), QString("R-1 A R"));
  // Without a matrix the commands do nothing rather than being disabled.
  for (QPushButton* b :
       {w.findChild<QPushButton*>("btnIteration"), w.findChild<QPushButton*>("btnIterReset"),
        w.findChild<QPushButton*>("btnVypRotMat"), w.findChild<QPushButton*>("btnRotace"),
        w.findChild<QPushButton*>("btnOpenA"), w.findChild<QPushButton*>("btnSaveA"),
        w.findChild<QPushButton*>("btnCheck"), w.findChild<QPushButton*>("CancelBtn")})
    QVERIFY2(b->isEnabled(), qPrintable(b->text()));
  QCOMPARE(w.findChild<QPlainTextEdit*>("Memo1")->lineWrapMode(), QPlainTextEdit::NoWrap);
  QVERIFY(QFontInfo(w.findChild<QPlainTextEdit*>("Memo1")->font()).fixedPitch());
}

void EigenWindowTest::gridsAreEditableWithTheirCellSize() {
  ModelDocument doc;
  TEigenDlg w(doc);
  for (StringGrid* g :
       {w.findChild<StringGrid*>("sgJacobiA"), w.findChild<StringGrid*>("sgJacobiR1"),
        w.findChild<StringGrid*>("sgJacobiR2")}) {
    SetColumns(g, 3);
    QCOMPARE(g->ColWidth(1), 80);
    QCOMPARE(g->rowHeight(0), 18);
    QVERIFY(g->editTriggers() != QAbstractItemView::NoEditTriggers);
    g->SetCell(1, 1, "1.5");
    QVERIFY(g->item(0, 1)->flags() & Qt::ItemIsEditable);
  }
  QCOMPARE(w.ColWidthA, 80);
  QCOMPARE(w.ColWidthR1, 80);
  QCOMPARE(w.ColWidthR2, 80);
}

void EigenWindowTest::layoutStacksGridsPanelAndMemo_data() {
  QTest::addColumn<QSize>("size");
  QTest::newRow("design") << QSize(800, 800);
  QTest::newRow("minimum") << QSize(700, 500);
  QTest::newRow("odd height") << QSize(1000, 917);
}

void EigenWindowTest::layoutStacksGridsPanelAndMemo() {
  QFETCH(QSize, size);
  ModelDocument doc;
  TEigenDlg w(doc);
  size = size.expandedTo(w.minimumSize());
  w.resize(size);
  w.FormResize();
  const int H = size.height() - (62 + 35 + TEigenDlg::kMemoHeight) - 2;
  const int a = H / 3;
  QWidget* order[] = {
      w.findChild<QFrame*>("PanelJacobiA"),   w.findChild<StringGrid*>("sgJacobiA"),
      w.findChild<QFrame*>("PanelJacobiR"),   w.findChild<StringGrid*>("sgJacobiR1"),
      w.findChild<StringGrid*>("sgJacobiR2"), w.findChild<QPlainTextEdit*>("Memo1")};
  const int heights[] = {62, a, 35, H - 2 * a, a, TEigenDlg::kMemoHeight};
  int y = 0;
  for (int i = 0; i < 6; ++i) {
    QCOMPARE(order[i]->geometry(), QRect(0, y, size.width(), heights[i]));
    y += heights[i];
  }
  QCOMPARE(y, size.height() - 2);
}

void EigenWindowTest::resizedColumnGivesItsWidthToAllColumns() {
  ModelDocument doc;
  TEigenDlg w(doc);
  SetColumns(w.findChild<StringGrid*>("sgJacobiA"), 5);
  const int fixedWidth = w.findChild<StringGrid*>("sgJacobiA")->ColWidth(0);
  w.findChild<StringGrid*>("sgJacobiA")->SetColWidth(3, 120);
  w.sgJacobiAMouseUp();
  for (int c = 1; c < 5; ++c) QCOMPARE(w.findChild<StringGrid*>("sgJacobiA")->ColWidth(c), 120);
  QCOMPARE(w.findChild<StringGrid*>("sgJacobiA")->ColWidth(0), fixedWidth);
  QCOMPARE(w.ColWidthA, 120);
  // A mouse-up without a resize changes nothing.
  w.findChild<StringGrid*>("sgJacobiA")->SetColWidth(0, 40);
  w.sgJacobiAMouseUp();
  for (int c = 1; c < 5; ++c) QCOMPARE(w.findChild<StringGrid*>("sgJacobiA")->ColWidth(c), 120);
}

void EigenWindowTest::resizingInR1ResizesR2Too() {
  ModelDocument doc;
  TEigenDlg w(doc);
  SetColumns(w.findChild<StringGrid*>("sgJacobiR1"), 4);
  SetColumns(w.findChild<StringGrid*>("sgJacobiR2"), 4);
  w.findChild<StringGrid*>("sgJacobiR1")->SetColWidth(2, 55);
  w.sgJacobiR1MouseUp();
  for (int c = 1; c < 4; ++c) {
    QCOMPARE(w.findChild<StringGrid*>("sgJacobiR1")->ColWidth(c), 55);
    QCOMPARE(w.findChild<StringGrid*>("sgJacobiR2")->ColWidth(c), 55);
  }
  QCOMPARE(w.ColWidthR2, 55);
  // The other way round R1 stays as it is.
  w.findChild<StringGrid*>("sgJacobiR2")->SetColWidth(1, 90);
  w.sgJacobiR2MouseUp();
  QCOMPARE(w.findChild<StringGrid*>("sgJacobiR2")->ColWidth(3), 90);
  QCOMPARE(w.findChild<StringGrid*>("sgJacobiR1")->ColWidth(3), 55);
}

void EigenWindowTest::colSizingOffLeavesOtherColumnsAlone() {
  ModelDocument doc;
  TEigenDlg w(doc);
  SetColumns(w.findChild<StringGrid*>("sgJacobiA"), 4);
  SetColumns(w.findChild<StringGrid*>("sgJacobiR1"), 4);
  SetColumns(w.findChild<StringGrid*>("sgJacobiR2"), 4);
  w.findChild<QCheckBox*>("cbColSizing")->setChecked(false);
  w.findChild<StringGrid*>("sgJacobiA")->SetColWidth(1, 130);
  w.sgJacobiAMouseUp();
  QCOMPARE(w.findChild<StringGrid*>("sgJacobiA")->ColWidth(2), 80);
  QCOMPARE(w.ColWidthA, 80);
  w.findChild<StringGrid*>("sgJacobiR1")->SetColWidth(1, 130);
  w.sgJacobiR1MouseUp();
  QCOMPARE(w.findChild<StringGrid*>("sgJacobiR1")->ColWidth(2), 80);
  QCOMPARE(w.findChild<StringGrid*>("sgJacobiR2")->ColWidth(1), 80);
}

void EigenWindowTest::cancelHides() {
  ModelDocument doc;
  TEigenDlg w(doc);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QTest::mouseClick(w.findChild<QPushButton*>("CancelBtn"), Qt::LeftButton);
  QVERIFY(!w.isVisible());
}

QTEST_MAIN(EigenWindowTest)
#include "eigen_window_test.moc"
