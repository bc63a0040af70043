// SPDX-License-Identifier: GPL-3.0-or-later
#include "topology/topology_window.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "support/number_text.h"
#include "topology/open_piece_view.h"

namespace {

constexpr int kMaxCells = 600;

QLabel* Caption(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

QLabel* ResultLine(const QString& name, QWidget* parent, bool large) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setWordWrap(true);
  l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  if (large) {
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 1.25);
    f.setBold(true);
    l->setFont(f);
  }
  return l;
}

QCustomPlot* NewChart(const QString& name, QWidget* parent) {
  auto* c = new QCustomPlot(parent);
  c->setObjectName(name);
  c->setMinimumSize(320, 240);
  return c;
}

QString Text(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

// One computation: its own copy of the model, so the window stays usable while it runs.
struct TopologyWindow::Job {
  TopologyRequest request;
  TopologyResults results;
  TopologyProgress progress;
  std::atomic<bool> done{false};
  std::thread runner;
};

TopologyWindow::TopologyWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TopologyWindow");
  setWindowTitle("Topology");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);
  column->setSpacing(4);
  message_ = ResultLine("TopologyMessage", this, false);
  column->addWidget(message_);

  auto* row = new QHBoxLayout;
  occupied_ = new QSpinBox(this);
  occupied_->setObjectName("TopologyOccupied");
  occupied_->setRange(0, quarnel::kMaxOrb - 1);
  occupied_->setSpecialValueText("as filled");
  occupied_->setToolTip("The number of occupied bands, counted from the lowest");
  grid_ = new QSpinBox(this);
  grid_->setObjectName("TopologyGrid");
  grid_->setRange(kMinTopologyWindowGrid, kMaxTopologyWindowGrid);
  grid_->setValue(kDefaultTopologyWindowGrid);
  grid_->setToolTip(
      "Steps across the zone of each Wilson loop, rows of the flow, and the side of "
      "the plaquette grid");
  for (QSpinBox* s : {occupied_, grid_}) s->setKeyboardTracking(false);
  progress_ = new QProgressBar(this);
  progress_->setObjectName("TopologyProgress");
  progress_->setFixedWidth(140);
  QSizePolicy keep = progress_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  progress_->setSizePolicy(keep);
  progress_->setVisible(false);
  row->addWidget(Caption("Occupied bands", this));
  row->addWidget(occupied_);
  row->addSpacing(12);
  row->addWidget(Caption("Grid", this));
  row->addWidget(grid_);
  row->addStretch(1);
  row->addWidget(progress_);
  column->addLayout(row);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("TopologyTabs");
  tabs_->addTab(BuildFlowPage(), "Wannier flow");
  tabs_->addTab(BuildCurvaturePage(), "Berry curvature");
  tabs_->addTab(BuildRibbonPage(), "Ribbon and finite piece");
  column->addWidget(tabs_, 1);

  request_ = new QTimer(this);
  request_->setSingleShot(true);
  request_->setInterval(0);
  connect(request_, &QTimer::timeout, this, &TopologyWindow::Recompute);
  poll_ = new QTimer(this);
  poll_->setInterval(30);
  connect(poll_, &QTimer::timeout, this, &TopologyWindow::Poll);
  connect(occupied_, &QSpinBox::valueChanged, this, &TopologyWindow::Request);
  connect(grid_, &QSpinBox::valueChanged, this, &TopologyWindow::Request);
  connect(tabs_, &QTabWidget::currentChanged, this, [this] {
    if (!shown_.orbitals.empty()) FitCurvatureChart(curvature_, shown_);
  });
  resize(900, 680);
}

TopologyWindow::~TopologyWindow() {
  // The worker must not outlive what it fills.
  if (job_) {
    job_->progress.stop = true;
    if (job_->runner.joinable()) job_->runner.join();
  }
}

QWidget* TopologyWindow::BuildFlowPage() {
  auto* page = new QWidget(this);
  auto* column = new QVBoxLayout(page);
  chernText_ = ResultLine("ChernResult", page, true);
  z2Text_ = ResultLine("Z2Result", page, false);
  flowChart_ = NewChart("FlowChart", page);
  column->addWidget(chernText_);
  column->addWidget(z2Text_);
  column->addWidget(flowChart_, 1);
  auto* hint = new QLabel(
      "Each dot is a Wannier centre: where an occupied band's Wannier function sits along the "
      "loop's direction at that k. Centres that wind once across the cell while k crosses the "
      "zone make a Chern insulator; the number of windings is C. In a Z\xE2\x82\x82 insulator "
      "the centres of Kramers pairs swap partners over half the zone.",
      page);
  hint->setWordWrap(true);
  hint->setForegroundRole(QPalette::PlaceholderText);
  hint->setObjectName("FlowHint");
  column->addWidget(hint);
  column->addStretch(0);  // keeps the sentences at the top when the chart is hidden
  return page;
}

QWidget* TopologyWindow::BuildCurvaturePage() {
  auto* page = new QWidget(this);
  auto* column = new QVBoxLayout(page);
  curvatureText_ = ResultLine("CurvatureResult", page, false);
  curvaturePlot_ = NewChart("CurvatureChart", page);
  curvature_ = MakeCurvatureChart(curvaturePlot_);
  column->addWidget(curvatureText_);
  column->addWidget(curvaturePlot_, 1);
  return page;
}

QWidget* TopologyWindow::BuildRibbonPage() {
  auto* page = new QWidget(this);
  auto* column = new QVBoxLayout(page);
  auto* row = new QHBoxLayout;
  open_ = new QComboBox(page);
  open_->setObjectName("RibbonOpen");
  open_->setToolTip("The direction cut open to a finite number of cells, or all of them");
  cells_ = new QSpinBox(page);
  cells_->setObjectName("RibbonCells");
  cells_->setRange(1, kMaxCells);
  cells_->setValue(ribbonCells_);
  cells_->setKeyboardTracking(false);
  cells_->setToolTip("Cells across the ribbon, or along each side of the finite piece");
  row->addWidget(Caption("Cut", page));
  row->addWidget(open_);
  row->addSpacing(12);
  row->addWidget(Caption("Cells", page));
  row->addWidget(cells_);
  row->addStretch(1);
  column->addLayout(row);
  ribbonText_ = ResultLine("RibbonResult", page, false);
  column->addWidget(ribbonText_);
  auto* split = new QSplitter(Qt::Horizontal, page);
  bandChart_ = NewChart("RibbonChart", split);
  MakeBandChart(bandChart_);
  piece_ = new OpenPieceView(split);
  piece_->setVisible(false);
  split->addWidget(bandChart_);
  split->addWidget(piece_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  column->addWidget(split, 1);
  connect(open_, &QComboBox::activated, this, &TopologyWindow::OpenChanged);
  connect(cells_, &QSpinBox::valueChanged, this, [this](int n) {
    (open_->currentData().toInt() < 0 ? finiteCells_ : ribbonCells_) = n;
    Request();
  });
  connect(bandChart_, &QCustomPlot::mousePress, this, [this](QMouseEvent* e) {
    const int level = LevelAt(bandChart_, results_.ribbon, e->position());
    if (level >= 0) SelectLevel(level);
  });
  return page;
}

void TopologyWindow::FillOpenChoices() {
  int dirs[3];
  const int periodic = quarnel::PeriodicList(model_, dirs);
  const QVariant before = open_->currentData();
  const QSignalBlocker block(open_);
  open_->clear();
  for (int p = 0; p < periodic && periodic >= 2; ++p) {
    QString along;
    for (int q = 0; q < periodic; ++q)
      if (q != p) along += (along.isEmpty() ? "a" : ", a") + QString::number(dirs[q] + 1);
    open_->addItem(QString("open along a%1: %2 periodic along %3")
                       .arg(dirs[p] + 1)
                       .arg(periodic == 2 ? "ribbon" : "slab", along),
                   dirs[p]);
  }
  if (periodic == 1 || periodic == 2)
    open_->addItem(periodic == 1 ? "finite chain" : "finite flake (every direction open)", -1);
  int at = before.isValid() ? open_->findData(before) : -1;
  // A ribbon by default, cut along the second direction so that it runs along a1.
  if (at < 0) at = periodic >= 2 ? std::min(1, open_->count() - 1) : 0;
  open_->setCurrentIndex(at);
  const QSignalBlocker blockCells(cells_);
  if (finiteCells_ == 0 || !before.isValid())
    finiteCells_ = periodic == 1 ? kDefaultRibbonCells : kDefaultFlakeCells;
  cells_->setValue(open_->currentData().toInt() < 0 ? finiteCells_ : ribbonCells_);
}

void TopologyWindow::OpenChanged() {
  const QSignalBlocker block(cells_);
  cells_->setValue(open_->currentData().toInt() < 0 ? finiteCells_ : ribbonCells_);
  Request();
}

void TopologyWindow::SetModel(const quarnel::LatticeModel& m) {
  model_ = m;
  hasModel_ = true;
  for (QWidget* w : std::initializer_list<QWidget*>{occupied_, grid_, open_, cells_})
    w->setEnabled(true);
  FillOpenChoices();
  Request();
}

void TopologyWindow::ShowNotLattice() {
  hasModel_ = false;
  request_->stop();
  pending_ = false;
  if (job_) job_->progress.stop = true;  // Poll drops what it brings
  results_ = TopologyResults();
  shown_ = quarnel::LatticeModel();
  ClearCharts();
  message_->setText("Topology needs a model of the lattice form (.qrl).");
  for (QWidget* w : std::initializer_list<QWidget*>{occupied_, grid_, open_, cells_})
    w->setEnabled(false);
}

bool TopologyWindow::Busy() const {
  return request_->isActive() || job_ != nullptr || pending_;
}

void TopologyWindow::Request() {
  if (hasModel_) request_->start();
}

TopologyRequest TopologyWindow::CurrentRequest() const {
  TopologyRequest r;
  r.model = model_;
  r.occupied = occupied_->value();
  r.grid = grid_->value();
  r.open = open_->count() > 0 ? open_->currentData().toInt() : -1;
  r.cells = cells_->value();
  return r;
}

void TopologyWindow::Recompute() {
  ++recomputes_;
  if (!hasModel_) return;
  pending_ = true;
  if (job_)
    job_->progress.stop = true;  // Poll starts the new one when this one has ended
  else
    StartJob();
}

void TopologyWindow::StartJob() {
  pending_ = false;
  job_ = std::make_unique<Job>();
  Job& job = *job_;
  job.request = CurrentRequest();
  const auto run = [&job] {
    ComputeTopology(job.request, job.results, job.progress);
    job.done = true;
  };
  try {
    job.runner = std::thread(run);
  } catch (const std::system_error&) {
    run();  // no thread to spare: the window waits instead
  }
  progress_->setRange(0, 1);
  progress_->setValue(0);
  progress_->setVisible(true);
  poll_->start();
}

void TopologyWindow::Poll() {
  if (!job_) {
    poll_->stop();
    return;
  }
  progress_->setRange(0, std::max(1, job_->progress.total.load()));
  progress_->setValue(job_->progress.done);
  if (!job_->done) return;
  if (job_->runner.joinable()) job_->runner.join();
  const bool current = !pending_ && hasModel_ && !job_->progress.stop;
  if (current) {
    results_ = std::move(job_->results);
    shown_ = job_->request.model;
  }
  job_.reset();
  if (pending_ && hasModel_) {
    StartJob();
    return;
  }
  poll_->stop();
  progress_->setVisible(false);
  if (current) Show();
}

void TopologyWindow::ClearCharts() {
  chernText_->clear();
  z2Text_->clear();
  curvatureText_->clear();
  ribbonText_->clear();
  DrawFlowChart(flowChart_, FlowPart());
  DrawCurvatureChart(curvature_, FlowPart(), quarnel::LatticeModel());
  selected_ = -1;
  piece_->Clear();
  piece_->setVisible(false);
  DrawBandChart(bandChart_, RibbonPart(), -1, shown_);
}

void TopologyWindow::Show() {
  const FlowPart& f = results_.flow;
  message_->setText(shown_.HeaderText.empty() ? QString("Model without a header line")
                                              : "Model: " + Text(shown_.HeaderText));
  chernText_->setText(Text(ChernText(f)));
  z2Text_->setText(Text(Z2Text(f)));
  DrawFlowChart(flowChart_, f);
  // A chain has no other direction to flow over: its centres are in the sentence above.
  flowChart_->setVisible(f.periodic != 1);
  findChild<QLabel*>("FlowHint")->setVisible(f.periodic != 1);
  const bool map = DrawCurvatureChart(curvature_, f, shown_);
  if (!f.why.empty() || !f.ok || f.periodic < 2)
    curvatureText_->setText(f.periodic == 1 ? "A chain has no Berry curvature map."
                                            : Text(ChernText(f)));
  else if (!map)
    curvatureText_->setText("The map is drawn for a model periodic along a1 and a2.");
  else
    curvatureText_->setText(
        QString("Berry curvature of the occupied bands on a %1 \xC3\x97 %1 grid of plaquettes; "
                "\xE2\x88\xAB \xCE\xA9 dA / 2\xCF\x80 over the zone = %2%3")
            .arg(f.plaquettes.n)
            .arg(Text(quarnel::FormatFixed(f.plaquettes.sum, 0, 4)))
            .arg(f.guard.Defined()
                     ? QString(" (Chern number %1 by plaquettes)").arg(f.plaquettes.chern)
                     : QString(" (the gap closes: no Chern number)")));
  ShowRibbon();
}

void TopologyWindow::ShowRibbon() {
  const RibbonPart& r = results_.ribbon;
  selected_ = -1;
  const bool finite = r.ok && r.k.empty();
  piece_->setVisible(finite);
  if (!r.why.empty())
    ribbonText_->setText(Text(r.why));
  else if (!r.ok)
    ribbonText_->setText("The eigensolver failed on the ribbon.");
  else if (!finite)
    ribbonText_->setText(QString("%1 cells stacked along a%2 (%3 states per k), periodic along "
                                 "a%4: states on the first or last cell are coloured.")
                             .arg(r.cells)
                             .arg(r.open + 1)
                             .arg(r.states)
                             .arg(r.along + 1));
  else
    ribbonText_->setText(QString("A finite piece of %1 cells (%2 levels). Click a level to see "
                                 "where its state lives.")
                             .arg(r.piece ? r.piece->Cells() : 0)
                             .arg(r.states));
  if (!finite) {
    piece_->Clear();
    DrawBandChart(bandChart_, r, -1, shown_);
    return;
  }
  piece_->SetPiece(shown_, r.piece);
  // The highest filled level by default: the in-gap level when there is one.
  int occupied = 0;
  std::string why;
  const int S = r.states;
  int level = S / 2 - 1;
  if (quarnel::ChooseOccupied(shown_, occupied_->value(), occupied, why))
    level = occupied * r.piece->Cells() - 1;
  SelectLevel(std::clamp(level, 0, std::max(0, S - 1)));
}

void TopologyWindow::SelectLevel(int level) {
  const RibbonPart& r = results_.ribbon;
  if (!r.ok || !r.piece || level < 0 || level >= r.states) return;
  selected_ = level;
  const std::vector<double> density = quarnel::StateDensity(*r.piece, r.spectrum, level);
  const double top = density.empty() ? 0 : *std::max_element(density.begin(), density.end());
  piece_->SetDensity(density,
                     QString("level %1 of %2, E = %3: largest |\xCF\x88|\xC2\xB2 on a site %4; "
                             "%5 % on the edge cells")
                         .arg(level + 1)
                         .arg(r.states)
                         .arg(Text(quarnel::FormatFixed(r.spectrum.energies[level], 0, 4)))
                         .arg(Text(quarnel::FormatFixed(top, 0, 3)))
                         .arg(Text(quarnel::FormatFixed(100 * r.edge[0][level], 0, 0))));
  DrawBandChart(bandChart_, r, level, shown_);
}

void TopologyWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!shown_.orbitals.empty()) FitCurvatureChart(curvature_, shown_);
}
