// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window that is never shown: it holds the components the other windows share, the list of
// visible windows, the text-measuring label and the chart popup menu.

#include <QWidget>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

class TUnitPomDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TUnitPomDlg(QWidget* parent = nullptr);
  ~TUnitPomDlg() override;

  QListWidget* ListBox1;  // visible top-level windows
  // Measures texts: it takes a font and a caption and its width is read. It is kept out of any
  // layout so that its width is its own.
  QLabel* LabelSizeFont;
  QPlainTextEdit* Memo1;
  QPlainTextEdit* Memo2;
  QPlainTextEdit* Memo3;
  QPlainTextEdit* Memo4;
  QPushButton* Button1;  // "Memos Clear"

  // The chart popup menu; it acts on the chart the double-click handlers chose.
  QMenu* PopupMenuChart;
  QAction* miUser;  // never shown
  QAction* miResetAxes;
  QAction* miManualX;
  QAction* miManualY;
  QMenu* miBottomX;
  QAction* miBottomReset;
  QAction* miBottomManual;
  QAction* miBottomResetMax;
  QAction* miBottomDouble;
  QAction* miBottomLog;
  QMenu* miLeftY;
  QAction* miLeftReset;
  QAction* miLeftManual;
  QAction* miLeftResetMax;
  QAction* miLeftDouble;
  QAction* miLeftLog;
  // Shown only when a series of the chart uses the right axis.
  QMenu* miRightY2;
  QAction* miRightReset;
  QAction* miRightManual;
  QAction* miRightResetMax;
  QAction* miRightDouble;
  QAction* miRightLog;
  // After a separator: the chart's numbers as CSV and its picture as a file (the bands window
  // connects them).
  QAction* miSaveData;
  QAction* miSaveImage;

  void Button1Click();

 private:
  void BuildChartMenu();
  void ConnectChartMenu();
};

// The program's one holder window (the first one created); the chart helpers use its menu and
// measuring label.
extern TUnitPomDlg* UnitPomDlg;
