// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window that is never shown: it holds the components the other windows share, the list of
// visible windows, the text-measuring label and the chart popup menu.

#include <QWidget>

class QAction;
class QCustomPlot;
class QFont;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPoint;
class QPushButton;

class TUnitPomDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TUnitPomDlg(QWidget* parent = nullptr);
  ~TUnitPomDlg() override;

  void Button1Click();

  // Opens the chart popup menu at a screen point for chart: the right axis's items only when a
  // series of it uses that axis, the logarithmic items checked as its axes are.
  void ShowChartMenu(QCustomPlot* chart, const QPoint& at);
  // Save data and Save image of the chart menu; greyed while a run still fills its chart.
  void EnableSaveItems(bool on);
  // The width of text in font, measured by the label that is kept out of any layout.
  int TextWidth(const QFont& font, const QString& text);
  // The list of visible windows, one "<class>-<title>" entry each.
  void ShowWindowList(const QStringList& entries);

 signals:
  // The chart menu's Save data and Save image were chosen; MenuChart is the chart it acts on.
  void SaveDataRequested();
  void SaveImageRequested();

 private:
  // Controls, named as the program's documentation names them; each has its name as objectName.
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
  // After a separator: the chart's numbers as CSV and its picture as a file; the windows with
  // charts hear them as SaveDataRequested and SaveImageRequested.
  QAction* miSaveData;
  QAction* miSaveImage;

  void NameControls();
  void BuildChartMenu();
  void ConnectChartMenu();
};

// The program's one holder window (the first one created); the chart helpers use its menu and
// measuring label.
extern TUnitPomDlg* UnitPomDlg;
