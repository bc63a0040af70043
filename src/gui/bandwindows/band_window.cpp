// SPDX-License-Identifier: GPL-3.0-or-later
#include "bandwindows/band_window.h"

#include <qcustomplot.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSlider>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "bands/dos_run.h"
#include "bands/kpath.h"
#include "bandwindows/live_bands.h"
#include "document/model_document.h"
#include "widgets/chart_alignment.h"
#include "widgets/chart_helpers.h"
#include "widgets/crystal_view.h"
#include "widgets/fixed_font.h"
#include "widgets/orbital_view.h"
#include "widgets/spin_edit.h"

namespace {

const QColor kCream(255, 251, 240);
constexpr int kControlHeight = 22;
constexpr int kStatusPanelWidths[TBandDlg::kStatusPanelCount] = {50, 80, 50, 50, 50, 50};

QPushButton* MakeButton(const QString& caption, QWidget* parent, int width, bool bold = false) {
  auto* b = new QPushButton(caption, parent);
  b->setFixedSize(width, kControlHeight + 2);
  if (bold) {
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
  }
  return b;
}

SpinEdit* MakeSpin(QWidget* parent, const QString& hint, int lo, int hi, int value, int width) {
  auto* e = new SpinEdit(parent);
  e->setToolTip(hint);
  e->SetRange(lo, hi);
  e->SetValue(value);
  e->setFixedSize(width, kControlHeight);
  return e;
}

QGroupBox* MakeGroup(const QString& caption, QWidget* parent, QGridLayout*& grid) {
  auto* g = new QGroupBox(caption, parent);
  grid = new QGridLayout(g);
  grid->setContentsMargins(6, 2, 6, 4);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(3);
  return g;
}

// Energy-range text of a chart's left axis, as shown under the run buttons.
QString RangeText(const QCustomPlot* chart) {
  const QCPRange r = chart->yAxis->range();
  return QString::asprintf("M:%6.3f X:%6.3f", r.lower, r.upper);
}

void StyleSeriesChart(QCustomPlot* chart) {
  // First, so that the axes have their automatic ranges before anything reads them.
  InstallSeriesChart(chart);
  chart->legend->setVisible(true);
  // An empty legend would be an empty box in the corner of the plot.
  QObject::connect(chart, &QCustomPlot::beforeReplot, chart,
                   [chart] { chart->legend->setVisible(chart->legend->itemCount() > 0); });
  QFont legendFont = chart->font();
  legendFont.setFamilies({"Arial Narrow", "Liberation Sans Narrow", "DejaVu Sans Condensed"});
  legendFont.setPointSize(8);
  chart->legend->setFont(legendFont);
  chart->legend->setSelectedFont(legendFont);
  PlaceLegendBelowPlot(chart);
  chart->yAxis2->setNumberFormat("e");
  chart->yAxis2->setNumberPrecision(3);
}

}  // namespace

TBandDlg::TBandDlg(ModelDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), doc_(document) {
  setWindowTitle("Bands&DOS");
  BuildPanel();
  // The design width is 900, but the top panel with the electrons group needs more in one row;
  // narrower, the panel takes two rows, and no group squeezes its controls onto one another.
  MeasurePanelRows();
  setMinimumSize(narrowestWidth_, 500);
  resize(std::max(900, oneRowWidth_), 600);
  BuildCharts();
  orbitals_ = new OrbitalView(Chart3, this);
  BuildCrystalView();
  BuildStatusBar();
  Live = new LiveBands(this);

  connect(cbCells, &QCheckBox::toggled, this, &TBandDlg::cbCellsClick);
  connect(cbCellsLabels, &QCheckBox::toggled, this, &TBandDlg::cbCellsClick);
  connect(btnPause, &QPushButton::clicked, this, &TBandDlg::btnPauseClick);
  connect(btnStop, &QPushButton::clicked, this, &TBandDlg::btnStopClick);
  connect(btnCopy, &QPushButton::clicked, this, &TBandDlg::btnCopyClick);
  connect(CancelBtn, &QPushButton::clicked, this, &TBandDlg::CancelBtnClick);
  connect(btnBand, &QPushButton::clicked, this, &TBandDlg::btnBandClick);
  connect(btnDOS, &QPushButton::clicked, this, &TBandDlg::btnDOSClick);
  connect(btnOpenKpoints, &QPushButton::clicked, this, &TBandDlg::btnOpenKpointsClick);
  connect(btnPrint, &QPushButton::clicked, this, &TBandDlg::btnPrintClick);
  btnPrint->setShortcut(QKeySequence::Print);
  btnPrint->setToolTip("Print (" +
                       QKeySequence(QKeySequence::Print).toString(QKeySequence::NativeText) + ")");
  connect(btnResizeOrb, &QPushButton::clicked, this, &TBandDlg::btnResizeOrbClick);
  connect(TrackBar1, &QSlider::valueChanged, this, &TBandDlg::TrackBar1Change);
  connect(orbitals_, &OrbitalView::ShowRequested, this, [this] {
    if (!cbCells->isChecked()) cbCells->setChecked(true);
  });
  connect(orbitals_, &OrbitalView::ScaleStepsChanged, this, &TBandDlg::ShowOrbitalScale);
  ConnectInteraction();
  // A model that is gone takes its charts with it; the next orbital picture finds its ranges.
  const auto clear = [this] {
    ClearCharts();
    // No axis, range or status text of the previous model stays behind.
    for (QCustomPlot* chart : {Chart1, Chart2, Chart3}) {
      ResetAxis(chart->xAxis);
      ResetAxis(chart->yAxis);
      // The band and DOS charts take the ranges of an empty chart, as at start.
      if (chart != Chart3) {
        chart->xAxis->setRange(0, 5);
        chart->yAxis->setRange(0, 5);
      }
      chart->replot();
    }
    for (QLabel* panel : StatusPanels) panel->clear();
  };
  connect(&doc_, &ModelDocument::ModelCleared, this, clear);
  connect(&doc_, &ModelDocument::ModelReplaced, this, clear);
  connect(&doc_, &ModelDocument::RunPaused, this,
          [this](bool paused) { btnPause->setText(paused ? "Continue" : "Pause"); });
  BuildModelScriptItem();
  NameControls();
  // Escape cancels a live move and must never take the charts away with it: it closes nothing.

  cbCellsClick();
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  FormResize();
}

void TBandDlg::NameControls() {
  // The status panels are named "Panel0".."Panel5" where they are made.
  const std::pair<QObject*, const char*> names[] = {{PanelScroll, "PanelScroll"},
                                                    {Panel1, "Panel1"},
                                                    {GroupBox1, "GroupBox1"},
                                                    {btnBand, "btnBand"},
                                                    {SpinEdit2, "SpinEdit2"},
                                                    {CheckBox1, "CheckBox1"},
                                                    {Label1, "Label1"},
                                                    {GroupBox2, "GroupBox2"},
                                                    {btnDOS, "btnDOS"},
                                                    {SpinEdit5, "SpinEdit5"},
                                                    {SpinEdit3, "SpinEdit3"},
                                                    {SpinEdit4, "SpinEdit4"},
                                                    {cbDosMethod, "cbDosMethod"},
                                                    {Label2, "Label2"},
                                                    {GroupBox5, "GroupBox5"},
                                                    {edElectrons, "edElectrons"},
                                                    {cbSpin, "cbSpin"},
                                                    {cbShiftFermi, "cbShiftFermi"},
                                                    {cbPerCell, "cbPerCell"},
                                                    {GroupBox3, "GroupBox3"},
                                                    {btnPause, "btnPause"},
                                                    {btnStop, "btnStop"},
                                                    {SpinEdit1, "SpinEdit1"},
                                                    {GroupBox4, "GroupBox4"},
                                                    {cbCells, "cbCells"},
                                                    {cbCellsLabels, "cbCellsLabels"},
                                                    {btnResizeOrb, "btnResizeOrb"},
                                                    {TrackBar1, "TrackBar1"},
                                                    {btnOpenKpoints, "btnOpenKpoints"},
                                                    {btnCopy, "btnCopy"},
                                                    {btnPrint, "btnPrint"},
                                                    {CancelBtn, "CancelBtn"},
                                                    {Chart1, "Chart1"},
                                                    {Chart2, "Chart2"},
                                                    {Chart3, "Chart3"},
                                                    {Memo1, "Memo1"},
                                                    {StatusBar1, "StatusBar1"},
                                                    {DosProgress, "DosProgress"},
                                                    {miSaveModelPython, "miSaveModelPython"}};
  for (const auto& [control, name] : names) control->setObjectName(name);
}

void TBandDlg::BuildPanel() {
  PanelScroll = new QScrollArea(this);
  PanelScroll->setFrameShape(QFrame::NoFrame);
  PanelScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  PanelScroll->setWidgetResizable(true);
  Panel1 = new QFrame(PanelScroll);
  Panel1->setFrameShape(QFrame::NoFrame);
  Panel1->setAutoFillBackground(true);
  QPalette pal = Panel1->palette();
  pal.setColor(QPalette::Window, kCream);
  Panel1->setPalette(pal);
  panelRows_ = new QVBoxLayout(Panel1);
  panelRows_->setContentsMargins(4, 1, 4, 3);
  panelRows_->setSpacing(2);
  panelRow1_ = new QHBoxLayout;
  panelRow2_ = new QHBoxLayout;
  for (QBoxLayout* r : {panelRow1_, panelRow2_}) {
    r->setSpacing(4);
    panelRows_->addLayout(r);  // an empty second row takes no room
  }
  QHBoxLayout* row = panelRow1_;

  QGridLayout* g = nullptr;
  GroupBox1 = MakeGroup(" Bands ", Panel1, g);
  btnBand = MakeButton("BANDS", GroupBox1, 64, true);
  SpinEdit2 = MakeSpin(GroupBox1, "Size of the partial DOS markers", 1, 100, 10, 48);
  CheckBox1 = new QCheckBox(GroupBox1);
  CheckBox1->setChecked(true);
  Label1 = new QLabel(GroupBox1);
  g->addWidget(btnBand, 0, 0);
  g->addWidget(SpinEdit2, 0, 1);
  g->addWidget(CheckBox1, 0, 2);
  g->addWidget(Label1, 1, 0, 1, 3);
  row->addWidget(GroupBox1);

  GroupBox2 = MakeGroup(" DOS ", Panel1, g);
  btnDOS = MakeButton("DOS", GroupBox2, 50, true);
  using quarnel::kDosBinsLimit, quarnel::kDosGridLimit, quarnel::kDosSmoothLimit;
  SpinEdit5 =
      MakeSpin(GroupBox2, "Gauss smoothing", kDosSmoothLimit.min, kDosSmoothLimit.max, 0, 38);
  // The main window's first display sets these two ranges again; the runs clamp to them too.
  SpinEdit3 = MakeSpin(GroupBox2, "Number of k-points in each axis", kDosGridLimit.min,
                       kDosGridLimit.max, 20, 44);
  SpinEdit4 = MakeSpin(GroupBox2, "Number of energy intervals", kDosBinsLimit.min,
                       kDosBinsLimit.max, 100, 54);
  cbDosMethod = new QComboBox(GroupBox2);
  cbDosMethod->setToolTip(
      "How the DOS is made: a histogram of the k points' energies, or "
      "linear tetrahedra between them");
  cbDosMethod->addItems({"histogram", "tetrahedra"});
  // The tetrahedra give a smooth curve themselves.
  connect(cbDosMethod, qOverload<int>(&QComboBox::currentIndexChanged), SpinEdit5,
          [this](int method) { SpinEdit5->setEnabled(method == 0); });
  Label2 = new QLabel(GroupBox2);
  g->addWidget(btnDOS, 0, 0);
  g->addWidget(SpinEdit5, 0, 1);
  g->addWidget(SpinEdit3, 0, 2);
  g->addWidget(SpinEdit4, 0, 3);
  g->addWidget(cbDosMethod, 0, 4);
  g->addWidget(Label2, 1, 0, 1, 5);
  row->addWidget(GroupBox2);
  BuildFillingGroup(row);

  GroupBox3 = MakeGroup(QString(), Panel1, g);
  btnPause = MakeButton("Pause", GroupBox3, 64);
  btnStop = MakeButton("STOP", GroupBox3, 58);
  btnPause->setEnabled(false);
  btnStop->setEnabled(false);
  SpinEdit1 = MakeSpin(GroupBox3, "Delay between k=points calculations", 0, 1000, 0, 54);
  g->addWidget(btnPause, 0, 0);
  g->addWidget(btnStop, 0, 1);
  g->addWidget(SpinEdit1, 1, 0);
  // The k map belongs to the main window, as the Tools menu opens it: the program places it.
  auto* kmap = MakeButton("k map", GroupBox3, 58);
  kmap->setObjectName("btnKMap");
  kmap->setToolTip("A band, an orbital weight or the DOS over the kx-ky plane");
  g->addWidget(kmap, 1, 1);
  connect(kmap, &QPushButton::clicked, this, &TBandDlg::KMapRequested);
  // Berry phases, Chern and Z2 numbers, ribbons and finite pieces of a crystal.
  auto* topology = MakeButton("Topology", GroupBox3, 70);
  topology->setObjectName("btnTopology");
  topology->setToolTip("Wilson loops, Chern and Z2 numbers, Berry curvature and edge states");
  g->addWidget(topology, 0, 2);
  connect(topology, &QPushButton::clicked, this, &TBandDlg::TopologyRequested);
  row->addWidget(GroupBox3);

  GroupBox4 = MakeGroup(" Orbitals ", Panel1, g);
  cbCells = new QCheckBox("Orbitals", GroupBox4);
  cbCellsLabels = new QCheckBox("Labels", GroupBox4);
  btnResizeOrb = MakeButton("Resize", GroupBox4, 64);
  TrackBar1 = new QSlider(Qt::Horizontal, GroupBox4);
  TrackBar1->setRange(1, 9);
  TrackBar1->setValue(6);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setTickInterval(1);
  TrackBar1->setFixedSize(84, kControlHeight + 2);
  g->addWidget(cbCells, 0, 0);
  g->addWidget(cbCellsLabels, 0, 1);
  g->addWidget(btnResizeOrb, 1, 0);
  g->addWidget(TrackBar1, 1, 1);
  row->addWidget(GroupBox4);

  panelButtons_ = new QWidget(Panel1);
  auto* right = new QGridLayout(panelButtons_);
  right->setContentsMargins(0, 0, 0, 0);
  right->setSpacing(4);
  btnOpenKpoints = MakeButton("Open k-points", panelButtons_, 100);
  btnCopy = MakeButton("Copy", panelButtons_, 64);
  btnPrint = MakeButton("Print", panelButtons_, 100);
  CancelBtn = MakeButton("Close", panelButtons_, 64);
  right->addWidget(btnOpenKpoints, 0, 0);
  right->addWidget(btnCopy, 0, 1);
  right->addWidget(btnPrint, 1, 0);
  right->addWidget(CancelBtn, 1, 1);
  ArrangePanelRows(false);
  PanelScroll->setWidget(Panel1);
}

void TBandDlg::BuildCharts() {
  Chart1 = new QCustomPlot(this);
  Chart1->xAxis->setLabel("k-points");
  Chart1->yAxis->setLabel("Energy");
  StyleSeriesChart(Chart1);

  Chart2 = new QCustomPlot(this);
  Chart2->xAxis->setLabel("DOS");
  StyleSeriesChart(Chart2);
  // Raw counts grow to six digits in a narrow chart.
  connect(Chart2, &QCustomPlot::beforeReplot, Chart2, [this] { FitTickCount(Chart2->xAxis); });
  AlignPlotAreas(Chart1, Chart2);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setFont(FixedPitchFont());
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setPlainText(InitialKPath());

  Chart3 = new QCustomPlot(this);
  Chart3->xAxis->setVisible(false);
  Chart3->yAxis->setVisible(false);
  Chart3->legend->setVisible(false);
  Chart3->hide();

  connect(Chart1, &QCustomPlot::beforeReplot, this, &TBandDlg::Chart1BeforeDrawAxes);
  connect(Chart2, &QCustomPlot::beforeReplot, this, &TBandDlg::Chart2BeforeDrawAxes);
  Chart1BeforeDrawAxes();
  Chart2BeforeDrawAxes();
}

void TBandDlg::BuildStatusBar() {
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);
  for (int i = 0; i < kStatusPanelCount; ++i) {
    auto* panel = new QLabel(StatusBar1);
    panel->setObjectName(QString("Panel%1").arg(i));
    panel->setFixedWidth(kStatusPanelWidths[i]);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->addWidget(panel);
    StatusPanels[i] = panel;
  }
  DosProgress = new QProgressBar(StatusBar1);
  // It gives up width in a narrow window rather than run over the panels.
  DosProgress->setMinimumWidth(90);
  DosProgress->setMaximumWidth(220);
  DosProgress->setVisible(false);
  StatusBar1->addPermanentWidget(DosProgress);
}

QString TBandDlg::KPathText() const {
  return Memo1->toPlainText();
}

QString TBandDlg::InitialKPath() {
  QStringList lines;
  for (const std::string& line : quarnel::StartKPathLines()) lines << QString::fromStdString(line);
  return lines.join('\n');
}

void TBandDlg::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TBandDlg::FormResize() {
  const int W = width();
  const int H = height();
  ArrangePanelRows(W < oneRowWidth_);
  const int top = TopHeight();
  const int memo = MemoWidth(W);
  PanelScroll->setGeometry(0, 0, W, top);
  // As the scroll area will size it, now: a hidden window gets its resize events only when shown.
  Panel1->resize(std::max(W, Panel1->minimumSizeHint().width()), PanelHeight());
  panelRows_->setGeometry(Panel1->rect());
  const int barHeight = StatusBar1->sizeHint().height();
  StatusBar1->setGeometry(0, H - barHeight, W, barHeight);

  // Two 2-pixel gaps, so that the memo ends at the right edge.
  const int h = std::max(0, H - barHeight - top - 1);
  const int dos = DosChartWidth(W);
  const int w1 = std::max(0, W - dos - memo - 4);
  Chart1->setGeometry(0, top, w1, h);
  Chart2->setGeometry(w1 + 2, top, dos, h);
  Memo1->setGeometry(w1 + 2 + dos + 2, top, memo, h);
  Chart3->setGeometry(Chart2->x(), top, dos + 2 + memo, h);
  if (crystal_) crystal_->setGeometry(Chart3->geometry());
  if (orbitals_) orbitals_->RequestRescale(true);
  ResetOrbitalAxes();
}

void TBandDlg::ResetOrbitalAxes() {
  Chart3->xAxis->rescale();
  Chart3->yAxis->rescale();
}

void TBandDlg::ClearCharts() {
  // What is saved is what the charts show.
  BandResult.Clear();
  DosResult = quarnel::DosCurves();
  DosTetra = quarnel::TetraDosResult();
  DosRun.method.clear();
  DosStore.Start(0, 0);
  bandShift_ = 0;
  for (QCustomPlot* chart : {Chart1, Chart2, Chart3}) {
    chart->clearPlottables();
    chart->clearItems();
    // Special-point labels of a band run live in a text ticker.
    for (QCPAxis* axis : chart->axisRect()->axes())
      if (auto t = axis->ticker().dynamicCast<QCPAxisTickerText>()) t->clear();
  }
  ResetOrbitalAxes();
  ShowModelFilling();
}

void TBandDlg::cbCellsClick() {
  const bool orbitals = cbCells->isChecked();
  // A crystal is drawn as itself; the orbital chart is the other forms' picture.
  const bool crystal = orbitals && doc_.IsLattice();
  Chart3->setVisible(orbitals && !crystal);
  crystal_->setVisible(crystal);
  if (crystal) crystal_->raise();
  Chart2->setVisible(!orbitals);
  Memo1->setVisible(!orbitals);
  orbitals_->SetShown(orbitals);
  orbitals_->SetLabels(cbCellsLabels->isChecked());
  if (orbitals) Chart3->raise();
}

void TBandDlg::SetPaused(bool paused) {
  doc_.SetPaused(paused);
  QCoreApplication::processEvents();
}

void TBandDlg::btnPauseClick() {
  SetPaused(!doc_.Paused());
}

void TBandDlg::btnStopClick() {
  doc_.RequestStop();
  StopDosWatch();
  SetPaused(false);
}

void TBandDlg::btnCopyClick() {
  QGuiApplication::clipboard()->setPixmap(grab());
}

void TBandDlg::CancelBtnClick() {
  close();
}

void TBandDlg::closeEvent(QCloseEvent* event) {
  // A run whose window is gone would hold the main window's controls: it is stopped, and its end
  // gives them back.
  if (doc_.Running()) {
    if (doc_.Paused()) SetPaused(false);
    doc_.RequestStop();
  }
  QWidget::closeEvent(event);
}

void TBandDlg::Chart1BeforeDrawAxes() {
  Label1->setText(RangeText(Chart1));
}

void TBandDlg::Chart2BeforeDrawAxes() {
  Label2->setText(RangeText(Chart2));
}
