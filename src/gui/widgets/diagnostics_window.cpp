// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/diagnostics_window.h"

#include <qcustomplot.h>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <utility>

#include "widgets/chart_helpers.h"
#include "widgets/fixed_font.h"

TUnitPomDlg* UnitPomDlg = nullptr;

namespace {

QPlainTextEdit* MakeMemo(QWidget* parent) {
  auto* m = new QPlainTextEdit(parent);
  m->setFont(FixedPitchFont());
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
  ConnectChartMenu();
  NameControls();
  if (!UnitPomDlg) UnitPomDlg = this;

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
  PopupMenuChart->addSeparator();
  miSaveData = PopupMenuChart->addAction("Save data...");
  miSaveImage = PopupMenuChart->addAction("Save image...");
  connect(miSaveData, &QAction::triggered, this, &TUnitPomDlg::SaveDataRequested);
  connect(miSaveImage, &QAction::triggered, this, &TUnitPomDlg::SaveImageRequested);
}

void TUnitPomDlg::NameControls() {
  const std::pair<QObject*, const char*> names[] = {{ListBox1, "ListBox1"},
                                                    {LabelSizeFont, "LabelSizeFont"},
                                                    {Memo1, "Memo1"},
                                                    {Memo2, "Memo2"},
                                                    {Memo3, "Memo3"},
                                                    {Memo4, "Memo4"},
                                                    {Button1, "Button1"},
                                                    {PopupMenuChart, "PopupMenuChart"},
                                                    {miUser, "miUser"},
                                                    {miResetAxes, "miResetAxes"},
                                                    {miManualX, "miManualX"},
                                                    {miManualY, "miManualY"},
                                                    {miBottomX, "miBottomX"},
                                                    {miBottomReset, "miBottomReset"},
                                                    {miBottomManual, "miBottomManual"},
                                                    {miBottomResetMax, "miBottomResetMax"},
                                                    {miBottomDouble, "miBottomDouble"},
                                                    {miBottomLog, "miBottomLog"},
                                                    {miLeftY, "miLeftY"},
                                                    {miLeftReset, "miLeftReset"},
                                                    {miLeftManual, "miLeftManual"},
                                                    {miLeftResetMax, "miLeftResetMax"},
                                                    {miLeftDouble, "miLeftDouble"},
                                                    {miLeftLog, "miLeftLog"},
                                                    {miRightY2, "miRightY2"},
                                                    {miRightReset, "miRightReset"},
                                                    {miRightManual, "miRightManual"},
                                                    {miRightResetMax, "miRightResetMax"},
                                                    {miRightDouble, "miRightDouble"},
                                                    {miRightLog, "miRightLog"},
                                                    {miSaveData, "miSaveData"},
                                                    {miSaveImage, "miSaveImage"}};
  for (const auto& [control, name] : names) control->setObjectName(name);
}

TUnitPomDlg::~TUnitPomDlg() {
  if (UnitPomDlg == this) UnitPomDlg = nullptr;
}

void TUnitPomDlg::ConnectChartMenu() {
  // Every command acts on the chart whose double click opened the menu.
  const auto on = [this](QAction* action, auto command) {
    connect(action, &QAction::triggered, this, [command] {
      if (MenuChart) {
        command(MenuChart);
        MenuChart->replot();
      }
    });
  };
  on(miResetAxes, [](QCustomPlot* c) { ResetAllAxes(c); });
  on(miManualX, [](QCustomPlot* c) { AskAxisRange(c->xAxis); });
  on(miManualY, [](QCustomPlot* c) { AskAxisRange(c->yAxis); });
  struct AxisItems {
    QAction *reset, *manual, *resetMax, *doubled, *log;
    QCPAxis* (*axis)(QCustomPlot*);
  };
  const AxisItems items[] = {
      {miBottomReset, miBottomManual, miBottomResetMax, miBottomDouble, miBottomLog,
       [](QCustomPlot* c) { return c->xAxis; }},
      {miLeftReset, miLeftManual, miLeftResetMax, miLeftDouble, miLeftLog,
       [](QCustomPlot* c) { return c->yAxis; }},
      {miRightReset, miRightManual, miRightResetMax, miRightDouble, miRightLog,
       [](QCustomPlot* c) { return c->yAxis2; }},
  };
  for (const AxisItems& it : items) {
    const auto axisOf = it.axis;
    on(it.reset, [axisOf](QCustomPlot* c) { ResetAxis(axisOf(c)); });
    on(it.manual, [axisOf](QCustomPlot* c) { AskAxisRange(axisOf(c)); });
    on(it.resetMax, [axisOf](QCustomPlot* c) { ResetAxisMaximum(axisOf(c)); });
    on(it.doubled, [axisOf](QCustomPlot* c) { DoubleAxisRange(axisOf(c)); });
    QAction* log = it.log;
    on(log, [axisOf, log](QCustomPlot* c) {
      ToggleLogAxis(axisOf(c));
      log->setChecked(axisOf(c)->scaleType() == QCPAxis::stLogarithmic);
    });
  }
}

void TUnitPomDlg::Button1Click() {
  for (QPlainTextEdit* memo : {Memo1, Memo2, Memo3, Memo4}) memo->clear();
}

void TUnitPomDlg::ShowChartMenu(QCustomPlot* chart, const QPoint& at) {
  bool hasRight = false;
  for (int i = 0; i < chart->plottableCount(); ++i)
    hasRight = hasRight || chart->plottable(i)->valueAxis() == chart->yAxis2;
  miRightY2->menuAction()->setVisible(hasRight);
  miBottomLog->setChecked(chart->xAxis->scaleType() == QCPAxis::stLogarithmic);
  miLeftLog->setChecked(chart->yAxis->scaleType() == QCPAxis::stLogarithmic);
  if (hasRight) miRightLog->setChecked(chart->yAxis2->scaleType() == QCPAxis::stLogarithmic);
  PopupMenuChart->popup(at);
}

void TUnitPomDlg::EnableSaveItems(bool on) {
  miSaveData->setEnabled(on);
  miSaveImage->setEnabled(on);
}

int TUnitPomDlg::TextWidth(const QFont& font, const QString& text) {
  LabelSizeFont->setFont(font);
  LabelSizeFont->setText(text);
  LabelSizeFont->adjustSize();
  return LabelSizeFont->width();
}

void TUnitPomDlg::ShowWindowList(const QStringList& entries) {
  ListBox1->clear();
  ListBox1->addItems(entries);
}
