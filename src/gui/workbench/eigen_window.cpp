// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbench/eigen_window.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "document/model_document.h"
#include "widgets/fixed_font.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"

namespace {

constexpr int kButtonHeight = 26;

QPushButton* MakeButton(const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setFixedHeight(kButtonHeight);
  b->setMinimumWidth(std::max(64, b->sizeHint().width()));
  return b;
}

QGroupBox* MakeGroup(QWidget* parent, QHBoxLayout*& row) {
  auto* g = new QGroupBox(parent);
  row = new QHBoxLayout(g);
  row->setContentsMargins(6, 6, 6, 6);
  row->setSpacing(4);
  return g;
}

}  // namespace

TEigenDlg::TEigenDlg(ModelDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), doc_(document) {
  setWindowTitle("Eigen Values");
  // Fits a 1024x600 screen with a panel and a frame.
  setMinimumSize(700, 500);
  resize(800, 800);

  BuildPanelA();
  sgJacobiA = MakeGrid();
  BuildPanelR();
  sgJacobiR1 = MakeGrid();
  sgJacobiR2 = MakeGrid();

  Memo1 = new QPlainTextEdit(this);
  Memo1->setFont(FixedPitchFont());
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  ColWidthA = sgJacobiA->DefaultColWidth();
  ColWidthR1 = sgJacobiR1->DefaultColWidth();
  ColWidthR2 = sgJacobiR2->DefaultColWidth();

  connect(sgJacobiA, &StringGrid::MouseUp, this, &TEigenDlg::sgJacobiAMouseUp);
  connect(sgJacobiR1, &StringGrid::MouseUp, this, &TEigenDlg::sgJacobiR1MouseUp);
  connect(sgJacobiR2, &StringGrid::MouseUp, this, &TEigenDlg::sgJacobiR2MouseUp);
  connect(CancelBtn, &QPushButton::clicked, this, &TEigenDlg::CancelBtnClick);
  ConnectCommands();
  NameControls();
  quarnel::JacobiSolver& solver = doc_.Solver();
  solver.JacN = 0;
  solver.JacIter = 0;
  solver.Display = this;
  connect(&doc_, &ModelDocument::RunStarted, this, [this](bool dos) {
    if (dos && doc_.Solver().Display == this) doc_.Solver().Display = nullptr;
  });
  connect(&doc_, &ModelDocument::RunEnded, this, [this] { doc_.Solver().Display = this; });
  // The rows of R2 carry the orbitals' names.
  connect(&doc_, &ModelDocument::ModelReplaced, this, &TEigenDlg::OrbitalNamesChanged);
  connect(&doc_, &ModelDocument::OrbitalChanged, this, &TEigenDlg::OrbitalNamesChanged);
  connect(&doc_, &ModelDocument::OrbitalCountChanged, this, &TEigenDlg::OrbitalNamesChanged);

  // The command row lies in a panel of fixed geometry, whose layout cannot push the window
  // wider: the window itself may not become narrower than the row's controls.
  setMinimumWidth(std::max(minimumWidth(), PanelJacobiA->minimumSizeHint().width()));
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  FormResize();
}

void TEigenDlg::NameControls() {
  const std::pair<QObject*, const char*> names[] = {{PanelJacobiA, "PanelJacobiA"},
                                                    {GroupBox1, "GroupBox1"},
                                                    {btnIteration, "btnIteration"},
                                                    {seIter, "seIter"},
                                                    {btnIterReset, "btnIterReset"},
                                                    {LabelA, "LabelA"},
                                                    {GroupBox2, "GroupBox2"},
                                                    {btnVypRotMat, "btnVypRotMat"},
                                                    {btnRotace, "btnRotace"},
                                                    {GroupBox3, "GroupBox3"},
                                                    {btnOpenA, "btnOpenA"},
                                                    {btnSaveA, "btnSaveA"},
                                                    {CancelBtn, "CancelBtn"},
                                                    {sgJacobiA, "sgJacobiA"},
                                                    {PanelJacobiR, "PanelJacobiR"},
                                                    {LabelR1, "LabelR1"},
                                                    {btnCheck, "btnCheck"},
                                                    {cbColSizing, "cbColSizing"},
                                                    {sgJacobiR1, "sgJacobiR1"},
                                                    {sgJacobiR2, "sgJacobiR2"},
                                                    {Memo1, "Memo1"}};
  for (const auto& [control, name] : names) control->setObjectName(name);
}

bool TEigenDlg::ColumnSizing() const {
  return cbColSizing->isChecked();
}

TEigenDlg::~TEigenDlg() {
  if (doc_.Solver().Display == this) doc_.Solver().Display = nullptr;
}

void TEigenDlg::ConnectCommands() {
  connect(btnIteration, &QPushButton::clicked, this, &TEigenDlg::btnIterationClick);
  connect(btnIterReset, &QPushButton::clicked, this, &TEigenDlg::btnIterResetClick);
  connect(btnVypRotMat, &QPushButton::clicked, this, &TEigenDlg::btnVypRotMatClick);
  connect(btnRotace, &QPushButton::clicked, this, &TEigenDlg::btnRotaceClick);
  connect(btnOpenA, &QPushButton::clicked, this, &TEigenDlg::btnOpenAClick);
  connect(btnSaveA, &QPushButton::clicked, this, &TEigenDlg::btnSaveAClick);
  connect(btnCheck, &QPushButton::clicked, this, &TEigenDlg::btnCheckClick);
}

void TEigenDlg::BuildPanelA() {
  PanelJacobiA = new QFrame(this);
  auto* row = new QHBoxLayout(PanelJacobiA);
  row->setContentsMargins(4, 3, 4, 3);
  row->setSpacing(6);

  QHBoxLayout* g = nullptr;
  GroupBox1 = MakeGroup(PanelJacobiA, g);
  btnIteration = MakeButton("Iteration", GroupBox1);
  seIter = new SpinEdit(GroupBox1);
  seIter->SetRange(1, 50);
  seIter->SetValue(50);
  seIter->setFixedWidth(52);
  btnIterReset = MakeButton("Reset", GroupBox1);
  LabelA = new QLabel("0: ", GroupBox1);
  LabelA->setMinimumWidth(48);
  g->addWidget(btnIteration);
  g->addWidget(seIter);
  g->addWidget(btnIterReset);
  g->addWidget(LabelA);
  row->addWidget(GroupBox1);

  GroupBox2 = MakeGroup(PanelJacobiA, g);
  btnVypRotMat = MakeButton("Calc Rpq", GroupBox2);
  btnRotace = MakeButton("R-1 A R", GroupBox2);
  g->addWidget(btnVypRotMat);
  g->addWidget(btnRotace);
  row->addWidget(GroupBox2);

  GroupBox3 = MakeGroup(PanelJacobiA, g);
  btnOpenA = MakeButton("Open", GroupBox3);
  btnSaveA = MakeButton("Save", GroupBox3);
  g->addWidget(btnOpenA);
  g->addWidget(btnSaveA);
  row->addWidget(GroupBox3);

  row->addStretch(1);
  CancelBtn = MakeButton("Cancel", PanelJacobiA);
  row->addWidget(CancelBtn);
}

void TEigenDlg::BuildPanelR() {
  PanelJacobiR = new QFrame(this);
  auto* row = new QHBoxLayout(PanelJacobiR);
  row->setContentsMargins(6, 2, 6, 2);
  row->setSpacing(10);
  LabelR1 = new QLabel(PanelJacobiR);
  btnCheck = MakeButton("Check", PanelJacobiR);
  cbColSizing = new QCheckBox("col. sizing", PanelJacobiR);
  cbColSizing->setChecked(true);
  connect(cbColSizing, &QCheckBox::toggled, this, &TEigenDlg::ColumnSizingChanged);
  row->addWidget(LabelR1, 1);
  row->addWidget(btnCheck);
  row->addWidget(cbColSizing);
}

StringGrid* TEigenDlg::MakeGrid() {
  auto* grid = new StringGrid(this);
  grid->SetDefaultColWidth(kGridColWidth);
  grid->SetDefaultRowHeight(kGridRowHeight);
  grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed);
  return grid;
}

void TEigenDlg::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TEigenDlg::FormResize() {
  const int W = width();
  const int H = std::max(0, height() - (kPanelAHeight + kPanelRHeight + kMemoHeight) - 2);
  const int a = H / 3;
  int y = 0;
  PanelJacobiA->setGeometry(0, y, W, kPanelAHeight);
  y += kPanelAHeight;
  sgJacobiA->setGeometry(0, y, W, a);
  y += a;
  PanelJacobiR->setGeometry(0, y, W, kPanelRHeight);
  y += kPanelRHeight;
  sgJacobiR1->setGeometry(0, y, W, H - 2 * a);
  y += H - 2 * a;
  sgJacobiR2->setGeometry(0, y, W, a);
  y += a;
  Memo1->setGeometry(0, y, W, kMemoHeight);
}

// The first column whose width differs from the stored one was resized by hand: all columns
// from 1 on take its width.
void TEigenDlg::SyncColWidths(StringGrid* grid, int& stored) {
  if (!cbColSizing->isChecked()) return;
  for (int c = 1; c < grid->ColCount(); ++c) {
    const int w = grid->ColWidth(c);
    if (w == stored) continue;
    for (int k = 1; k < grid->ColCount(); ++k) grid->SetColWidth(k, w);
    stored = w;
    return;
  }
}

void TEigenDlg::sgJacobiAMouseUp() {
  SyncColWidths(sgJacobiA, ColWidthA);
}

// R1 and R2 show matrices of the same order, so a column resized in R1 resizes both.
void TEigenDlg::sgJacobiR1MouseUp() {
  SyncColWidths(sgJacobiR1, ColWidthR1);
  if (!cbColSizing->isChecked()) return;
  if (sgJacobiR2->ColCount() > 1) sgJacobiR2->SetColWidth(1, ColWidthR1);
  SyncColWidths(sgJacobiR2, ColWidthR2);
}

void TEigenDlg::sgJacobiR2MouseUp() {
  SyncColWidths(sgJacobiR2, ColWidthR2);
}

void TEigenDlg::CancelBtnClick() {
  close();
}
