#include "support/diagnostics_window.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

QPlainTextEdit* MakeMemo(QWidget* parent) {
  auto* m = new QPlainTextEdit(parent);
  m->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m->setLineWrapMode(QPlainTextEdit::NoWrap);
  return m;
}

// One axis submenu: reset, manual range, reset maximum, double range, logarithmic.
QMenu* AddAxisMenu(QMenu* parent, const QString& title, const QString& axis, QAction*& reset,
                   QAction*& manual, QAction*& resetMax, QAction*& doubled, QAction*& log) {
  QMenu* m = parent->addMenu(title);
  reset = m->addAction("Reset " + axis);
  manual = m->addAction("Manual " + axis);
  resetMax = m->addAction("Reset Maximum " + axis);
  doubled = m->addAction("Double " + axis);
  log = m->addAction("Logarithmic " + axis);
  log->setCheckable(true);
  return m;
}

}  // namespace

TUnitPomDlg::TUnitPomDlg(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint) {
  setWindowTitle("UnitPomDlg");
  setFixedSize(520, 420);

  ListBox1 = new QListWidget(this);
  Memo1 = MakeMemo(this);
  Memo2 = MakeMemo(this);
  Memo3 = MakeMemo(this);
  Memo4 = MakeMemo(this);
  Button1 = new QPushButton("Memos Clear", this);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(8, 8, 8, 36);
  grid->addWidget(ListBox1, 0, 0, 1, 2);
  grid->addWidget(Memo1, 1, 0);
  grid->addWidget(Memo2, 1, 1);
  grid->addWidget(Memo3, 2, 0);
  grid->addWidget(Memo4, 2, 1);
  grid->addWidget(Button1, 3, 1, Qt::AlignRight);

  LabelSizeFont = new QLabel("LabelSizeFont", this);
  LabelSizeFont->move(8, height() - 26);
  LabelSizeFont->adjustSize();

  connect(Button1, &QPushButton::clicked, this, &TUnitPomDlg::Button1Click);
  BuildChartMenu();

  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void TUnitPomDlg::BuildChartMenu() {
  // The commands are connected by the chart helpers, which also choose the chart they act on.
  PopupMenuChart = new QMenu(this);
  miUser = PopupMenuChart->addAction("User");
  miUser->setVisible(false);
  PopupMenuChart->addSeparator();
  miResetAxes = PopupMenuChart->addAction("Reset axes");
  miManualX = PopupMenuChart->addAction("Manual X");
  miManualY = PopupMenuChart->addAction("Manual Y");
  PopupMenuChart->addSeparator();
  miBottomX = AddAxisMenu(PopupMenuChart, "Bottom - X", "X", miBottomReset, miBottomManual,
                          miBottomResetMax, miBottomDouble, miBottomLog);
  miLeftY = AddAxisMenu(PopupMenuChart, "Left - Y", "Y", miLeftReset, miLeftManual, miLeftResetMax,
                        miLeftDouble, miLeftLog);
  miRightY2 = AddAxisMenu(PopupMenuChart, "Right - Y2", "Y2", miRightReset, miRightManual,
                          miRightResetMax, miRightDouble, miRightLog);
}

void TUnitPomDlg::Button1Click() {
  for (QPlainTextEdit* memo : {Memo1, Memo2, Memo3, Memo4}) memo->clear();
}
