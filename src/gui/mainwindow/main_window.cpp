// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <utility>

#include "document/model_document.h"
#include "document/undo_commands.h"
#include "model/model_data.h"
#include "widgets/cartesian_k_label.h"
#include "widgets/lattice_panels.h"
#include "widgets/number_fields.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"

namespace {

// Design values of the layout.
constexpr int kGridTop = 31;
constexpr int kPanelHeight = 213;
constexpr int kStatusHeight = 21;
constexpr int kHeaderLeft = 128;
constexpr int kGroupBox2Left = 437;
constexpr int kHamMatLeft = 6;
constexpr int kPanel2Width = 129;
constexpr int kPanel3Height = 26;
// The k point's matrix grid scrolls; this much of it stays.
constexpr int kLeastHamWidth = 20;
// The client is no narrower than what puts the k point group, Calculation button included, whole
// beside the editing panels.
constexpr int kLeastClientWidth = kGroupBox2Left + kHamMatLeft + kLeastHamWidth + kPanel2Width + 4;

QLabel* NewLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->adjustSize();
  return label;
}

SpinEdit* NewSpinEdit(int lo, int hi, int value, QWidget* parent) {
  auto* edit = new SpinEdit(parent);
  edit->SetRange(lo, hi);
  edit->SetValue(value);
  return edit;
}

}  // namespace

TFormQuarnel::TFormQuarnel(ModelDocument& document, QWidget* parent)
    : QMainWindow(parent), doc_(document) {
  // Small enough for a 1024x600 screen with a panel and a frame, with the bands window beside
  // it; the grids scroll.
  setMinimumSize(kLeastClientWidth, 480);
  client_ = new QWidget(this);
  setCentralWidget(client_);
  CreateControls();
  CreateMenus();
  resize(765, 695 + menuBar()->sizeHint().height());

  // Creation: settings are located by the program entry; the panels get their place; the
  // selectors are filled; the beta2 edits stay hidden while that term is disabled.
  const char* const tags[] = {"(ka", "(kb", "(kc"};
  QComboBox* combos[] = {cbBetaX, cbBetaY, cbBetaZ};
  for (int d = 0; d < 3; ++d) {
    for (const char* text : quarnel::BetaFactorText) {
      QString entry = QString::fromUtf8(text);
      entry.replace(entry.indexOf("(kx"), 3, tags[d]);
      if (!entry.contains(tags[d])) entry = QString::fromUtf8(text);
      combos[d]->addItem(entry);
    }
  }
  if (!doc_.Model().Beta2Enabled) {
    for (QWidget* w : {static_cast<QWidget*>(EdBeta2X), static_cast<QWidget*>(EdBeta2Y),
                       static_cast<QWidget*>(EdBeta2Z), static_cast<QWidget*>(lbBeta2)})
      w->hide();
  }
  for (QLineEdit* e :
       {Edit2,         EditABetaX,    EditABetaY,    EditABetaZ,    Editm,         EdBetaX,
        EdBetaY,       EdBetaZ,       EdBeta2X,      EdBeta2Y,      EdBeta2Z,      EditGenBetaMX,
        EditGenBetaMY, EditGenBetaMZ, EditGenBetaPX, EditGenBetaPY, EditGenBetaPZ, EditGenSocReX,
        EditGenSocReY, EditGenSocReZ, EditGenSocImX, EditGenSocImY, EditGenSocImZ})
    WatchNumberField(e);
  SelRow = -1;
  SelCol = -1;
  cbAutoCalc->setChecked(true);
  cbEigVecSq->setChecked(true);
  NameControls();
  ConnectDocument();
}

TFormQuarnel::~TFormQuarnel() = default;

void TFormQuarnel::NameControls() {
  const std::pair<QObject*, const char*> names[] = {{Label7, "Label7"},
                                                    {seNorb, "seNorb"},
                                                    {edHeader, "edHeader"},
                                                    {sgInputOverlap, "sgInputOverlap"},
                                                    {gbInAlfa, "gbInAlfa"},
                                                    {gbInBeta, "gbInBeta"},
                                                    {gbInBetaGen, "gbInBetaGen"},
                                                    {Label8, "Label8"},
                                                    {Edit1, "Edit1"},
                                                    {Label9, "Label9"},
                                                    {Edit2, "Edit2"},
                                                    {Label18, "Label18"},
                                                    {Label16, "Label16"},
                                                    {Label19, "Label19"},
                                                    {EditABetaX, "EditABetaX"},
                                                    {EditABetaY, "EditABetaY"},
                                                    {EditABetaZ, "EditABetaZ"},
                                                    {LabelABetaX, "LabelABetaX"},
                                                    {LabelABetaY, "LabelABetaY"},
                                                    {LabelABetaZ, "LabelABetaZ"},
                                                    {Label20, "Label20"},
                                                    {Editm, "Editm"},
                                                    {GroupBox1, "GroupBox1"},
                                                    {cbOrbPlot, "cbOrbPlot"},
                                                    {Label13, "Label13"},
                                                    {EditPlotX, "EditPlotX"},
                                                    {Label14, "Label14"},
                                                    {EditPlotY, "EditPlotY"},
                                                    {cbShowPlotOrbA, "cbShowPlotOrbA"},
                                                    {EdBetaX, "EdBetaX"},
                                                    {EdBetaY, "EdBetaY"},
                                                    {EdBetaZ, "EdBetaZ"},
                                                    {EditGenBetaMX, "EditGenBetaMX"},
                                                    {EditGenBetaMY, "EditGenBetaMY"},
                                                    {EditGenBetaMZ, "EditGenBetaMZ"},
                                                    {EditGenBetaPX, "EditGenBetaPX"},
                                                    {EditGenBetaPY, "EditGenBetaPY"},
                                                    {EditGenBetaPZ, "EditGenBetaPZ"},
                                                    {LabelGenBetaX, "LabelGenBetaX"},
                                                    {LabelGenBetaY, "LabelGenBetaY"},
                                                    {LabelGenBetaZ, "LabelGenBetaZ"},
                                                    {EditGenSocReX, "EditGenSocReX"},
                                                    {EditGenSocReY, "EditGenSocReY"},
                                                    {EditGenSocReZ, "EditGenSocReZ"},
                                                    {EditGenSocImX, "EditGenSocImX"},
                                                    {EditGenSocImY, "EditGenSocImY"},
                                                    {EditGenSocImZ, "EditGenSocImZ"},
                                                    {cbShowPlotOrbB, "cbShowPlotOrbB"},
                                                    {btnUpdateAlpha, "btnUpdateAlpha"},
                                                    {btnUpdateBeta, "btnUpdateBeta"},
                                                    {btnUpdateBetaGen, "btnUpdateBetaGen"},
                                                    {cbBetaX, "cbBetaX"},
                                                    {cbBetaY, "cbBetaY"},
                                                    {cbBetaZ, "cbBetaZ"},
                                                    {EdBeta2X, "EdBeta2X"},
                                                    {EdBeta2Y, "EdBeta2Y"},
                                                    {EdBeta2Z, "EdBeta2Z"},
                                                    {lbBeta2, "lbBeta2"},
                                                    {EditGenX, "EditGenX"},
                                                    {EditGenY, "EditGenY"},
                                                    {EditGenZ, "EditGenZ"},
                                                    {Label15, "Label15"},
                                                    {GroupBox2, "GroupBox2"},
                                                    {sgHamMat, "sgHamMat"},
                                                    {Panel2, "Panel2"},
                                                    {btnCalcKpoint, "btnCalcKpoint"},
                                                    {seKbodDel, "seKbodDel"},
                                                    {seKbodX, "seKbodX"},
                                                    {seKbodY, "seKbodY"},
                                                    {seKbodZ, "seKbodZ"},
                                                    {lbkx, "lbkx"},
                                                    {lbky, "lbky"},
                                                    {lbkz, "lbkz"},
                                                    {cbAutoCalc, "cbAutoCalc"},
                                                    {GroupBox3, "GroupBox3"},
                                                    {sgEigen, "sgEigen"},
                                                    {Panel3, "Panel3"},
                                                    {cbEigVecSq, "cbEigVecSq"},
                                                    {Panel1, "Panel1"},
                                                    {Button1, "Button1"},
                                                    {Button2, "Button2"},
                                                    {seCells1, "seCells1"},
                                                    {seCells2, "seCells2"},
                                                    {Edit3, "Edit3"},
                                                    {StatusBar1, "StatusBar1"},
                                                    {miOpen1, "miOpen1"},
                                                    {miSave1, "miSave1"},
                                                    {miNew1, "miNew1"},
                                                    {Exit1, "Exit1"},
                                                    {miShowBand1, "miShowBand1"},
                                                    {miShowJacobi1, "miShowJacobi1"},
                                                    {miCopy1, "miCopy1"},
                                                    {miUndo, "miUndo"},
                                                    {miLatticeCell, "miLatticeCell"},
                                                    {miRedo, "miRedo"},
                                                    {PlotOrbMenu, "PlotOrbMenu"},
                                                    {miPlotOrbGamma1, "miPlotOrbGamma1"},
                                                    {miPlotOrbX1, "miPlotOrbX1"},
                                                    {miPlotOrbY1, "miPlotOrbY1"},
                                                    {miPlotOrbM1, "miPlotOrbM1"},
                                                    {miPlotOrbGamma33, "miPlotOrbGamma33"},
                                                    {miManual1, "miManual1"},
                                                    {miAbout1, "miAbout1"}};
  for (const auto& [control, name] : names) control->setObjectName(name);
}

void TFormQuarnel::ConnectDocument() {
  connect(&doc_, &ModelDocument::ModelReplaced, this, &TFormQuarnel::ShowReplacedModel);
  connect(&doc_, &ModelDocument::ModelCleared, this, &TFormQuarnel::ShowClearedModel);
  connect(&doc_, &ModelDocument::OrbitalCountChanged, this, [this](int n, int before) {
    // A panel of an orbital or pair that is gone, or now means another cell, must not Apply.
    if (before != n) ClosePanels();
    ResizeGrids(n);
  });
  // A name is shown where the panel's Apply sets it (rows emptied by New stay empty).
  connect(&doc_, &ModelDocument::OrbitalChanged, this, &TFormQuarnel::RefreshDiagonalCell);
  connect(&doc_, &ModelDocument::PairChanged, this,
          [this](int i, int j) { RefreshPairCells(i, j); });
  connect(&doc_, &ModelDocument::KPointComputed, this, &TFormQuarnel::ShowKPoint);
  connect(&doc_, &ModelDocument::RunStarted, this, [this](bool dos) { SetRunLocked(true, dos); });
  connect(&doc_, &ModelDocument::RunEnded, this, [this](bool dos) { SetRunLocked(false, dos); });
  connect(&doc_, &ModelDocument::ModifiedChanged, this, &TFormQuarnel::setWindowModified);
  kpointRecompute_ = new QTimer(this);
  kpointRecompute_->setSingleShot(true);
  kpointRecompute_->setInterval(0);
  connect(kpointRecompute_, &QTimer::timeout, this, [this] {
    // A run computes its own k points; its end shows the last one.
    if (kpointStale_ && !doc_.Running() && cbAutoCalc->isChecked()) btnCalcKpointClick();
  });
  connect(&doc_, &ModelDocument::OrbitalChanged, this, &TFormQuarnel::KPointModelChanged);
  connect(&doc_, &ModelDocument::PairChanged, this, &TFormQuarnel::KPointModelChanged);
  // The count edit reports its value again after every display; only a new count is a change.
  connect(&doc_, &ModelDocument::OrbitalCountChanged, this, [this](int n, int before) {
    if (n != before) KPointModelChanged();
  });
  connect(&doc_, &ModelDocument::ModelReplaced, this, &TFormQuarnel::KPointModelChanged);
  connect(&doc_, &ModelDocument::ModelCleared, this, &TFormQuarnel::KPointModelChanged);
  connect(&doc_, &ModelDocument::KPointComputed, this, [this] { ShowKPointCurrent(true); });
  connect(&doc_, &ModelDocument::KPointComputed, this, &TFormQuarnel::ShowLatticeKPoint);
  connect(cbAutoCalc, &QCheckBox::toggled, this, [this](bool on) {
    if (on && kpointStale_) kpointRecompute_->start();
  });
  connect(&doc_, &ModelDocument::RunStarted, this, [this](bool dos) {
    if (dos) kpointDisplayOff_ = true;
  });
  connect(&doc_, &ModelDocument::RunEnded, this, [this] { kpointDisplayOff_ = false; });
}

bool TFormQuarnel::ModelModified() const {
  return doc_.Modified();
}

void TFormQuarnel::SetModelModified(bool modified) {
  doc_.SetModified(modified);
}

void TFormQuarnel::SetWindows(TUnitPomDlg* pom, QWidget* bands, QWidget* eigen, TAboutUBox* about) {
  pom_ = pom;
  bands_ = bands;
  eigen_ = eigen;
  about_ = about;
}

void TFormQuarnel::CreateControls() {
  Label7 = NewLabel("Orbitals:", client_);
  Label7->move(8, 7);
  seNorb = NewSpinEdit(1, 10, 3, client_);
  seNorb->setGeometry(60, 3, 56, 24);
  edHeader = new QLineEdit(client_);
  edHeader->setGeometry(kHeaderLeft, 3, 600, 24);
  edHeader->setToolTip("model title");

  sgInputOverlap = new StringGrid(client_);
  sgInputOverlap->SetDefaultColWidth(120);
  sgInputOverlap->move(0, kGridTop);
  // Sizes of the window definition: three orbitals.
  sgInputOverlap->SetRowCount(4);
  sgInputOverlap->SetColCount(6);

  CreatePanels();
  CreateKpointGroup();
  CreateEigenGroup();
  CreateLatticeControls();

  StatusBar1 = new QStatusBar(client_);
  StatusBar1->setSizeGripEnabled(false);
  for (int k = 0; k < 6; ++k) {
    auto* panel = new QLabel(StatusBar1);
    panel->setFixedWidth(50);
    StatusBar1->addWidget(panel);
  }

  connect(seNorb, &SpinEdit::Changed, this, &TFormQuarnel::seNorbChange);
  connect(edHeader, &QLineEdit::textEdited, this, [this] { SetModelModified(); });
  connect(edHeader, &QLineEdit::editingFinished, this, [this] {
    SyncHeaderToModel();
    doc_.History().Record("Edit header");
  });
  connect(sgInputOverlap, &StringGrid::SelectCell, this, &TFormQuarnel::sgInputOverlapSelectCell);
  connect(sgInputOverlap, &StringGrid::MouseUp, this, &TFormQuarnel::sgInputOverlapMouseUp);
  connect(sgEigen, &StringGrid::MouseUp, this, &TFormQuarnel::sgEigenMouseUp);
}

void TFormQuarnel::CreateKpointGroup() {
  GroupBox2 = new QGroupBox(" k point ", client_);
  sgHamMat = new StringGrid(GroupBox2);
  sgHamMat->SetDefaultColWidth(64);
  sgHamMat->SetRowCount(4);
  sgHamMat->SetColCount(4);
  Panel2 = new QWidget(GroupBox2);
  Panel2->resize(kPanel2Width, 190);
  btnCalcKpoint = new QPushButton("Calculation", Panel2);
  btnCalcKpoint->setGeometry(4, 2, 121, 28);
  auto* divLabel = NewLabel("1/", Panel2);
  divLabel->move(8, 40);
  seKbodDel = NewSpinEdit(10, 100, 10, Panel2);
  seKbodDel->setGeometry(26, 36, 64, 24);
  const char* names[] = {"kx", "ky", "kz"};
  SpinEdit** edits[] = {&seKbodX, &seKbodY, &seKbodZ};
  QLabel** labels[] = {&lbkx, &lbky, &lbkz};
  for (int d = 0; d < 3; ++d) {
    auto* name = NewLabel(names[d], Panel2);
    name->move(8, 70 + 28 * d);
    *edits[d] = NewSpinEdit(-100, 100, 0, Panel2);
    (*edits[d])->setGeometry(26, 66 + 28 * d, 48, 24);
    *labels[d] = NewLabel(QString("%1=0.00").arg(names[d]), Panel2);
    (*labels[d])->setGeometry(76, 70 + 28 * d, 53, 16);
    connect(*edits[d], &SpinEdit::Changed, this, &TFormQuarnel::seKbodDelChange);
  }
  cbAutoCalc = new QCheckBox("Auto Calculation", Panel2);
  cbAutoCalc->setGeometry(4, 154, 125, 22);
  connect(seKbodDel, &SpinEdit::Changed, this, &TFormQuarnel::seKbodDelChange);
  connect(btnCalcKpoint, &QPushButton::clicked, this, &TFormQuarnel::btnCalcKpointClick);
}

void TFormQuarnel::CreateEigenGroup() {
  GroupBox3 = new QGroupBox(
      " EigenValues (=energy of bands), EigenVectors (square=ratio of orbitals) ", client_);
  sgEigen = new StringGrid(GroupBox3);
  sgEigen->SetDefaultColWidth(100);
  sgEigen->SetDefaultRowHeight(18);
  sgEigen->SetRowCount(5);
  sgEigen->SetColCount(5);
  Panel3 = new QWidget(GroupBox3);
  auto* values = NewLabel("EigenValues", Panel3);
  values->move(4, 5);
  auto* vectors = NewLabel("EigenVectors", Panel3);
  vectors->move(90, 5);
  cbEigVecSq = new QCheckBox("Square", Panel3);
  cbEigVecSq->setGeometry(190, 2, 80, 22);
  cbEigVecSq->setToolTip("Zobrazeni 2.mocniny vlastnich vektoru misto komplexniho cisla");
  Panel1 = new QWidget(Panel3);
  Button1 = new QPushButton("Cell0", Panel1);
  Button2 = new QPushButton("Cells", Panel1);
  seCells1 = NewSpinEdit(1, 8, 1, Panel1);
  seCells2 = NewSpinEdit(1, 8, 1, Panel1);
  Edit3 = new QLineEdit("1", Panel1);
  Button1->setGeometry(0, 1, 50, 24);
  Button2->setGeometry(54, 1, 50, 24);
  seCells1->setGeometry(108, 1, 44, 24);
  seCells2->setGeometry(156, 1, 44, 24);
  Edit3->setGeometry(204, 1, 36, 24);
  Panel1->resize(242, kPanel3Height);
  connect(Button1, &QPushButton::clicked, this, &TFormQuarnel::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TFormQuarnel::Button2Click);
  connect(cbEigVecSq, &QCheckBox::clicked, this, &TFormQuarnel::cbEigVecSqClick);
  connect(seCells1, &SpinEdit::Changed, this, &TFormQuarnel::seNorbChange);
  connect(seCells2, &SpinEdit::Changed, this, &TFormQuarnel::seNorbChange);
}

void TFormQuarnel::CreateMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  miOpen1 = file->addAction("&Open...", this, &TFormQuarnel::miOpen1Click);
  miSave1 = file->addAction("&Save", this, &TFormQuarnel::miSave1Click);
  miNew1 = file->addAction("New", this, &TFormQuarnel::miNew1Click);
  Exit1 = file->addAction("E&xit", this, &TFormQuarnel::Exit1Click);
  miOpen1->setShortcut(QKeySequence::Open);
  miSave1->setShortcut(QKeySequence::Save);
  miNew1->setShortcut(QKeySequence::New);
  Exit1->setShortcut(QKeySequence::Quit);
  // The undo items name the step they undo: "Undo Apply orbital Cu".
  QMenu* edit = menuBar()->addMenu("&Edit");
  QUndoStack& steps = doc_.History().Stack();
  miUndo = steps.createUndoAction(this, "Undo");
  miRedo = steps.createRedoAction(this, "Redo");
  miUndo->setShortcut(QKeySequence::Undo);
  miRedo->setShortcut(QKeySequence::Redo);
  edit->addAction(miUndo);
  edit->addAction(miRedo);
  edit->addSeparator();
  miLatticeCell = edit->addAction("Crystal cell...", this, [this] { OpenLatticeCell(0, 0); });
  miLatticeCell->setEnabled(false);
  miShowBand1 = menuBar()->addAction("Bands&&DOS", this, &TFormQuarnel::miShowBand1Click);
  QMenu* tools = menuBar()->addMenu("Tools");
  miShowJacobi1 = tools->addAction("Show Jacobi", this, &TFormQuarnel::miShowJacobi1Click);
  miCopy1 = tools->addAction("Copy", this, &TFormQuarnel::miCopy1Click);
  miCopy1->setShortcut(QKeySequence::Copy);
  // A text field's own Copy comes first while it has the focus.
  miCopy1->setShortcutContext(Qt::WindowShortcut);
  tools->addAction("k map", this, [this] { emit KMapRequested(); });
  tools->addAction("Topology", this, [this] { emit TopologyRequested(); });
  PlotOrbMenu = menuBar()->addMenu("PlotOrb");
  miPlotOrbGamma1 = PlotOrbMenu->addAction("Gamma", this, &TFormQuarnel::miPlotOrbGamma1Click);
  miPlotOrbX1 = PlotOrbMenu->addAction("X(100)", this, &TFormQuarnel::miPlotOrbX1Click);
  miPlotOrbY1 = PlotOrbMenu->addAction("Y(010)", this, &TFormQuarnel::miPlotOrbY1Click);
  miPlotOrbM1 = PlotOrbMenu->addAction("S(110)", this, &TFormQuarnel::miPlotOrbM1Click);
  miPlotOrbGamma33 = PlotOrbMenu->addAction(QString::fromUtf8("Gamma 3\u00D73"), this,
                                            &TFormQuarnel::miPlotOrbGamma33Click);
  QMenu* help = menuBar()->addMenu("Help");
  miManual1 = help->addAction("Manual", this, &TFormQuarnel::miManual1Click);
  miManual1->setShortcut(QKeySequence::HelpContents);
  miAbout1 = help->addAction("About", this, &TFormQuarnel::miAbout1Click);
}

void TFormQuarnel::ApplyResizeRule() {
  const int H = client_->height();
  const int W = client_->width();
  const int T = kGridTop, P = kPanelHeight, S = kStatusHeight;
  const int h = std::max(40, (H - T - P - 46 - S) / 2);
  sgInputOverlap->setGeometry(0, T, W, h);
  for (QGroupBox* box : {gbInAlfa, gbInBeta, gbInBetaGen}) box->move(0, T + h);
  if (latticePanels_) latticePanels_->move(0, T + h);
  GroupBox2->setGeometry(kGroupBox2Left, T + h, W - kGroupBox2Left, P);
  const int hamWidth =
      std::max(kLeastHamWidth, W - kGroupBox2Left - kHamMatLeft - kPanel2Width - 4);
  // A crystal's Cartesian k stands under H(k).
  const int cartesian = doc_.IsLattice() && cartesianK_ ? 18 : 0;
  sgHamMat->setGeometry(kHamMatLeft, 16, hamWidth, P - 20 - cartesian);
  // It may run on under the k-point controls, which end above it.
  if (cartesianK_)
    cartesianK_->setGeometry(kHamMatLeft + 2, P - 4 - cartesian, hamWidth + kPanel2Width, 16);
  Panel2->move(kHamMatLeft + hamWidth + 2, 16);
  GroupBox3->setGeometry(0, T + h + P, W, h + 46);
  sgEigen->setGeometry(2, 42, W - 6, h);
  Panel3->setGeometry(2, 42 - kPanel3Height, W - 6, kPanel3Height);
  Panel1->move(Panel3->width() - Panel1->width(), 0);
  edHeader->resize(W - kHeaderLeft - 4, edHeader->height());
  StatusBar1->setGeometry(0, H - S, W, S);
}

void TFormQuarnel::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!firstPaintDone_)
    QTimer::singleShot(0, this, [this] {
      if (!firstPaintDone_) FirstPaint();
    });
}

void TFormQuarnel::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // The client area takes the new size now, not at the next layout pass: the rule reads it.
  if (layout()) layout()->activate();
  ApplyResizeRule();
}

void TFormQuarnel::closeEvent(QCloseEvent* event) {
  if (!QueryUnsavedChanges()) {
    event->ignore();
    return;
  }
  // A paused run is released and told to stop.
  if (doc_.Paused()) {
    doc_.SetPaused(false);
    doc_.RequestStop();
  }
  event->accept();
}

void TFormQuarnel::SetCaption(const QString& caption) {
  // Qt shows "[*]" as the mark of a model that differs from its file, and hides it otherwise.
  setWindowTitle(caption + "[*]");
  setWindowModified(doc_.Modified());
}
