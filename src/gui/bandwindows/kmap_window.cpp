// SPDX-License-Identifier: GPL-3.0-or-later
#include "bandwindows/kmap_window.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>
#include <utility>

#include "bands/contour.h"
#include "bands/csv_export.h"
#include "bands/dos_grid.h"
#include "bands/kmap_csv.h"
#include "bandwindows/chart_files.h"
#include "document/model_document.h"
#include "support/number_text.h"
#include "widgets/chart_helpers.h"
#include "widgets/diagnostics_window.h"
#include "widgets/dialogs.h"
#include "widgets/spin_edit.h"
#include "widgets/zone_chart.h"

namespace {

constexpr int kControlHeight = 22;
// The level lines: seen over every colour of the scale, from black over blue to white.
const QColor kLineColour(225, 30, 40);

QDoubleSpinBox* MakeNumber(QWidget* parent, const QString& hint, double lo, double hi, double step,
                           int decimals, double value) {
  auto* e = new QDoubleSpinBox(parent);
  e->setLocale(QLocale::c());  // a decimal point, as every number of the program
  e->setRange(lo, hi);
  e->setSingleStep(step);
  e->setDecimals(decimals);
  e->setValue(value);
  e->setToolTip(hint);
  e->setKeyboardTracking(false);  // one new map per finished entry, not per key
  e->setFixedHeight(kControlHeight);
  return e;
}

QLabel* Caption(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

QString Num(double x, int decimals = 3) {
  return QString::fromStdString(quarnel::FormatFixed(x, 0, decimals));
}

}  // namespace

// One map being computed: its own copy of the model, so that the main window stays usable.
struct TKMapDlg::Job {
  std::unique_ptr<quarnel::RunModel> model;
  std::string file;
  int form = 2;
  double electrons = 0;
  int spin = 2;
  std::shared_ptr<const quarnel::LatticeModel> lattice;  // the lattice form's crystal
  quarnel::KMapGrid grid;
  quarnel::KMapControl control;
  std::atomic<bool> done{false};
  std::thread runner;
  std::vector<double> print;
};

TKMapDlg::TKMapDlg(ModelDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), doc_(document) {
  setWindowTitle("k map");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(4);
  poll_ = new QTimer(this);
  poll_->setInterval(40);
  connect(poll_, &QTimer::timeout, this, &TKMapDlg::Poll);
  request_ = new QTimer(this);
  request_->setSingleShot(true);
  request_->setInterval(150);
  connect(request_, &QTimer::timeout, this, &TKMapDlg::Compute);
  BuildControls();
  BuildChart();
  NameControls();
  setMinimumSize(620, 480);
  resize(720, 700);
  if (const QScreen* s = screen()) {
    // Centred, and on a small screen as tall as it leaves with a usual frame around the window.
    const QRect area = s->availableGeometry();
    const QSize frame(4, 32);
    resize(size().boundedTo(area.size() - frame).expandedTo(minimumSize()));
    move(area.topLeft() + QPoint(std::max(0, area.width() - width() - frame.width()) / 2,
                                 std::max(0, area.height() - height() - frame.height()) / 2));
  }
}

TKMapDlg::~TKMapDlg() {
  // The workers must not outlive what they fill.
  if (job_) {
    job_->control.stop = true;
    if (job_->runner.joinable()) job_->runner.join();
  }
}

void TKMapDlg::NameControls() {
  const std::pair<QObject*, const char*> names[] = {{cbShow, "cbShow"},
                                                    {seBand, "seBand"},
                                                    {cbOrbital, "cbOrbital"},
                                                    {edKz, "edKz"},
                                                    {seGrid, "seGrid"},
                                                    {edEnergy, "edEnergy"},
                                                    {cbContour, "cbContour"},
                                                    {edWidth, "edWidth"},
                                                    {btnFermi, "btnFermi"},
                                                    {btnCompute, "btnCompute"},
                                                    {btnStop, "btnStop"},
                                                    {Progress, "Progress"},
                                                    {Info, "Info"},
                                                    {Chart, "Chart"},
                                                    {Map, "Map"},
                                                    {Scale, "Scale"}};
  for (const auto& [control, name] : names) control->setObjectName(name);
}

void TKMapDlg::BuildControls() {
  auto* top = new QHBoxLayout;
  top->setSpacing(4);
  auto* second = new QHBoxLayout;
  second->setSpacing(4);
  cbShow = new QComboBox(this);
  cbShow->addItems({"band energy", "orbital weight", "DOS at energy"});
  seBand = new SpinEdit(this);
  seBand->SetRange(1, 1);
  seBand->SetValue(1);
  seBand->setToolTip("Band, 1 = the highest");
  seBand->setFixedSize(48, kControlHeight);
  cbOrbital = new QComboBox(this);
  cbOrbital->setToolTip("The orbital whose weight in the band is shown");
  cbOrbital->setMinimumContentsLength(6);
  edKz = MakeNumber(this, "kz of the plane", -10, 10, 0.05, 3, 0);
  seGrid = new SpinEdit(this);
  seGrid->SetRange(1, quarnel::kMaxKMapGrid);
  seGrid->SetValue(quarnel::kDefaultKMapGrid);
  seGrid->setToolTip("Points per side: n + 1, kx, ky = -1 + 2i/n");
  seGrid->setFixedSize(54, kControlHeight);
  btnCompute = new QPushButton("Compute", this);
  btnStop = new QPushButton("Stop", this);
  btnStop->setEnabled(false);
  Progress = new QProgressBar(this);
  Progress->setFixedWidth(120);
  // Its place is kept while hidden, so that showing it never squeezes it over Compute.
  QSizePolicy keep = Progress->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  Progress->setSizePolicy(keep);
  Progress->setVisible(false);
  top->addWidget(Caption("Show", this));
  top->addWidget(cbShow);
  top->addWidget(Caption("band", this));
  top->addWidget(seBand);
  top->addWidget(Caption("orbital", this));
  top->addWidget(cbOrbital);
  top->addWidget(Caption("kz", this));
  top->addWidget(edKz);
  top->addWidget(Caption("grid n", this));
  top->addWidget(seGrid);
  top->addStretch(1);

  edEnergy =
      MakeNumber(this, "Energy of the DOS and of the dashed level line", -1e6, 1e6, 0.1, 3, 0);
  cbContour = new QCheckBox("level line", this);
  cbContour->setToolTip("The band's level line at this energy, dashed");
  btnFermi = new QPushButton("E_F", this);
  btnFermi->setToolTip("The energy := E_F");
  btnFermi->setEnabled(false);
  edWidth = MakeNumber(this, "Gauss width (full width at half maximum) of the DOS", 0.001, 100,
                       0.05, 3, 0.2);
  second->addWidget(Caption("energy", this));
  second->addWidget(edEnergy);
  second->addWidget(btnFermi);
  second->addWidget(cbContour);
  second->addWidget(Caption("DOS width", this));
  second->addWidget(edWidth);
  second->addStretch(1);
  second->addWidget(Progress);
  second->addWidget(btnCompute);
  second->addWidget(btnStop);
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->addLayout(top);
  column->addLayout(second);

  // What needs new eigenstates starts a new map; the rest is drawn from the map there is.
  connect(seBand, &SpinEdit::Changed, this, [this] { request_->start(); });
  connect(seGrid, &SpinEdit::Changed, this, [this] { request_->start(); });
  connect(edKz, &QDoubleSpinBox::valueChanged, this, [this] { request_->start(); });
  connect(btnCompute, &QPushButton::clicked, this, &TKMapDlg::Compute);
  connect(btnStop, &QPushButton::clicked, this, &TKMapDlg::Stop);
  connect(cbShow, &QComboBox::currentIndexChanged, this, &TKMapDlg::Redraw);
  connect(cbOrbital, &QComboBox::currentIndexChanged, this, &TKMapDlg::Redraw);
  connect(edEnergy, &QDoubleSpinBox::valueChanged, this, &TKMapDlg::Redraw);
  connect(edWidth, &QDoubleSpinBox::valueChanged, this, &TKMapDlg::Redraw);
  connect(cbContour, &QCheckBox::toggled, this, &TKMapDlg::Redraw);
  connect(btnFermi, &QPushButton::clicked, this, [this] {
    double ef;
    if (FermiLevel(ef)) edEnergy->setValue(ef);
  });
}

void TKMapDlg::BuildChart() {
  Chart = new QCustomPlot(this);
  InstallSeriesChart(Chart);
  Chart->xAxis->setLabel("kx");
  Chart->yAxis->setLabel("ky");
  Map = new QCPColorMap(Chart->xAxis, Chart->yAxis);
  Map->setInterpolate(false);
  Map->setTightBoundary(false);
  Scale = new QCPColorScale(Chart);
  Chart->plotLayout()->addElement(0, 1, Scale);
  Scale->setType(QCPAxis::atRight);
  // Linked to the scale, the map takes the scale's gradient: set it through the map afterwards.
  Map->setColorScale(Scale);
  QCPColorGradient gradient(QCPColorGradient::gpCold);
  gradient.setNanHandling(QCPColorGradient::nhTransparent);  // rows a stop left out stay blank
  Map->setGradient(gradient);
  auto* margins = new QCPMarginGroup(Chart);
  Chart->axisRect()->setMarginGroup(QCP::msBottom | QCP::msTop, margins);
  Scale->setMarginGroup(QCP::msBottom | QCP::msTop, margins);

  const auto line = [this](Qt::PenStyle style) {
    auto* c = new QCPCurve(Chart->xAxis, Chart->yAxis);
    c->setPen(QPen(kLineColour, 2, style));
    c->setScatterStyle(QCPScatterStyle::ssNone);
    return c;
  };
  fermiLine_ = line(Qt::SolidLine);
  fermiLine_->setName("E_F");
  energyLine_ = line(Qt::DashLine);

  // The special points of the plane.
  auto* points = new QCPGraph(Chart->xAxis, Chart->yAxis);
  squarePoints_ = points;
  points->setLineStyle(QCPGraph::lsNone);
  points->setScatterStyle(
      QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::black, 1.5), QBrush(Qt::white), 8));
  const struct {
    const char* name;
    double x, y;
    Qt::Alignment align;
  } special[] = {{"G", 0, 0, Qt::AlignLeft | Qt::AlignBottom},
                 {"X", 1, 0, Qt::AlignRight | Qt::AlignBottom},
                 {"Y", 0, 1, Qt::AlignLeft | Qt::AlignTop},
                 {"M", 1, 1, Qt::AlignRight | Qt::AlignTop}};
  for (const auto& s : special) {
    points->addData(s.x, s.y);
    auto* label = new QCPItemText(Chart);
    squareMarks_.push_back(label);
    // Beside its point, towards the inside of the plane, so that the point stays visible.
    label->position->setCoords(s.x + (s.x > 0.5 ? -0.025 : 0.025),
                               s.y + (s.y > 0.5 ? -0.025 : 0.025));
    label->setPositionAlignment(s.align);
    label->setText(s.name);
    label->setFont(QFont(font().family(), font().pointSize() + 1, QFont::Bold));
    label->setPadding(QMargins(6, 2, 6, 2));
    label->setColor(Qt::black);
    label->setBrush(QColor(255, 255, 255, 190));
    label->setClipToAxisRect(true);
  }
  // kx and ky at one scale, so that the Fermi line keeps its shape: the shorter side of the
  // automatic ranges is widened (after the axes were fitted to the map).
  connect(Chart, &QCustomPlot::beforeReplot, this, [this] {
    const QRect r = Chart->axisRect()->rect();
    if (r.width() <= 0 || r.height() <= 0 || !IsAxisAutomatic(Chart->xAxis) ||
        !IsAxisAutomatic(Chart->yAxis))
      return;
    if (lattice_) {
      FitZoneAxes(Chart, zone_);
      return;
    }
    const QCPRange x = Chart->xAxis->range(), y = Chart->yAxis->range();
    const double sx = x.size() / r.width(), sy = y.size() / r.height();
    if (sx < sy)
      Chart->xAxis->setRange(x.center(), sy * r.width(), Qt::AlignCenter);
    else
      Chart->yAxis->setRange(y.center(), sx * r.height(), Qt::AlignCenter);
  });
  static_cast<QVBoxLayout*>(layout())->addWidget(Chart, 1);
  Info = new QLabel(this);
  Info->setWordWrap(true);
  Info->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout()->addWidget(Info);
  connect(Chart, &QCustomPlot::mouseDoubleClick, this, &TKMapDlg::ChartDblClick);
  ConnectMenu();
}

std::vector<double> TKMapDlg::ModelPrint() const {
  const quarnel::ModelData& m = doc_.Model();
  std::vector<double> print = {static_cast<double>(m.NOrb), static_cast<double>(m.BetaTyp),
                               m.FillElectrons, static_cast<double>(m.FillSpin)};
  if (m.NOrb < 1 || m.NOrb > quarnel::kMaxOrb) return print;
  // H(k) at two points of no symmetry holds every on-site energy, hopping and spin-orbit term.
  quarnel::HamMatrix h = {};
  for (const double k : {0.2113, 0.6871}) {
    quarnel::KPoint kp;
    kp.k[1] = k;
    kp.k[2] = 0.37 * k + 0.11;
    kp.k[3] = 0.53 * k + 0.07;
    doc_.ModelOfRun().FillHamK(kp, h);
    for (int i = 1; i <= m.NOrb; ++i) print.insert(print.end(), h[i] + 1, h[i] + m.NOrb + 1);
  }
  return print;
}

void TKMapDlg::RefreshOrbitals() {
  const quarnel::ModelData& m = doc_.Model();
  const std::vector<std::string> names = quarnel::OrbitalNames(doc_.ModelOfRun());
  seBand->SetRange(1, std::max(1, m.NOrb));
  if (names == names_ && cbOrbital->count() == static_cast<int>(names.size())) return;
  names_ = names;
  const int current = cbOrbital->currentIndex();
  const QSignalBlocker block(cbOrbital);
  cbOrbital->clear();
  for (const std::string& name : names) cbOrbital->addItem(QString::fromStdString(name));
  cbOrbital->setCurrentIndex(std::clamp(current, 0, cbOrbital->count() - 1));
}

void TKMapDlg::Compute() {
  request_->stop();
  pending_ = true;
  if (job_)
    job_->control.stop = true;  // Poll starts the new map when this one has ended
  else
    StartJob();
}

void TKMapDlg::Stop() {
  request_->stop();
  pending_ = false;
  if (job_) job_->control.stop = true;
}

void TKMapDlg::StartJob() {
  pending_ = false;
  RefreshOrbitals();
  const quarnel::ModelData& m = doc_.Model();
  if (m.NOrb < 1) {
    grid_ = quarnel::KMapGrid();
    gridPrint_ = ModelPrint();
    Info->setText("The model has no orbitals.");
    Redraw();
    return;
  }
  const int n = ReadSpinValue(seGrid, quarnel::kDefaultKMapGrid);
  const int band = ReadSpinValue(seBand, 1);
  if (seGrid->IsMarked() || seBand->IsMarked()) {
    Info->setText(QString("The band is 1 to %1 (1 = the highest), the grid n 1 to %2.")
                      .arg(m.NOrb)
                      .arg(quarnel::kMaxKMapGrid));
    return;
  }
  job_ = std::make_unique<Job>();
  Job& job = *job_;
  job.model = doc_.ModelOfRun().Clone();
  job.file = m.ModelFileName;
  job.form = doc_.Form();
  job.electrons = m.FillElectrons;
  job.spin = m.FillSpin;
  if (doc_.IsLattice()) job.lattice = std::make_shared<const quarnel::LatticeModel>(doc_.Lattice());
  job.print = ModelPrint();
  const double kz = edKz->value();
  const int threads = quarnel::DefaultDosThreads();
  const auto run = [&job, n, kz, band, threads] {
    quarnel::ComputeKMap(*job.model, n, kz, band, threads, job.grid, &job.control);
    job.done = true;
  };
  try {
    job.runner = std::thread(run);
  } catch (const std::system_error&) {
    run();  // no thread to spare: the map blocks the window instead
  }
  Progress->setRange(0, n + 1);
  Progress->setValue(0);
  Progress->setVisible(true);
  btnStop->setEnabled(true);
  poll_->start();
}

void TKMapDlg::Poll() {
  if (!job_) {
    poll_->stop();
    return;
  }
  Progress->setValue(job_->control.rowsDone);
  if (!job_->done) return;
  if (job_->runner.joinable()) job_->runner.join();
  const bool stopped = job_->control.stop;
  if (!pending_) {
    // A map stopped by the user shows the rows it has; a superseded one is dropped.
    grid_ = std::move(job_->grid);
    gridPrint_ = std::move(job_->print);
    modelFile_ = job_->file;
    modelForm_ = job_->form;
    gridNames_ = quarnel::OrbitalNames(*job_->model);
    electrons_ = job_->electrons;
    lattice_ = job_->lattice;
    filling_ = electrons_ > 0 ? quarnel::KMapFilling(grid_, electrons_, job_->spin == 1 ? 1 : 2)
                              : quarnel::FillingResult();
  }
  job_.reset();
  poll_->stop();
  Progress->setVisible(false);
  btnStop->setEnabled(false);
  if (pending_) {
    StartJob();
    return;
  }
  Redraw();
  if (stopped && !grid_.Complete()) {
    int rows = 0;
    for (char d : grid_.rowDone) rows += d;
    Info->setText(Info->text() + QString("  Stopped: %1 of %2 rows.").arg(rows).arg(grid_.Side()));
  }
}

bool TKMapDlg::FermiLevel(double& ef) const {
  if (!filling_.valid) return false;
  ef = filling_.fermi;
  return true;
}

void TKMapDlg::DrawLevel(QCPCurve* curve, const std::vector<double>& energy, double level,
                         bool on) {
  curve->data()->clear();
  if (!on || grid_.Empty()) return;
  const int side = grid_.Side();
  const auto lines = quarnel::ContourLines(energy, side, side, -1, -1, 2.0 / grid_.n, level);
  // One curve for all lines: a point that is no number ends a line.
  QVector<double> t, x, y;
  for (const auto& piece : quarnel::JoinContour(lines)) PlaceLine(piece, t, x, y);
  curve->setData(t, x, y, true);
}

void TKMapDlg::Redraw() {
  const int quantity = cbShow->currentIndex();
  cbOrbital->setEnabled(quantity == kWeight);
  edWidth->setEnabled(quantity == kDos);
  btnFermi->setEnabled(filling_.valid);
  if (grid_.Empty()) {
    Map->data()->clear();
    fermiLine_->data()->clear();
    energyLine_->data()->clear();
    Chart->replot();
    return;
  }
  const int side = grid_.Side();
  const std::vector<double> energy = quarnel::KMapBandEnergy(grid_, grid_.band);
  std::vector<double> value;
  QString label;
  if (quantity == kWeight) {
    const int j = std::clamp(cbOrbital->currentIndex() + 1, 1, grid_.bands);
    value = quarnel::KMapWeight(grid_, j);
    label = QString("weight of %1 in band %2")
                .arg(j <= static_cast<int>(gridNames_.size())
                         ? QString::fromStdString(gridNames_[j - 1])
                         : QString::number(j))
                .arg(grid_.band);
  } else if (quantity == kDos) {
    value = quarnel::KMapDos(grid_, edEnergy->value(), edWidth->value());
    label = QString("DOS at E = %1 (states per energy unit)").arg(Num(edEnergy->value()));
  } else {
    value = energy;
    label = QString("energy of band %1").arg(grid_.band);
  }
  double lo = HUGE_VAL, hi = -HUGE_VAL;
  for (const double v : value)
    if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
  ShowPlane(value);
  if (quantity == kWeight) lo = 0, hi = std::max(hi, 1.0);
  if (!(lo <= hi)) lo = 0, hi = 1;  // nothing finite to scale by
  if (hi - lo < 1e-9 * std::max(1.0, std::abs(hi))) lo -= 0.5, hi += 0.5;  // a flat band
  Map->setDataRange(QCPRange(lo, hi));
  Scale->axis()->setLabel(label);

  double ef = 0;
  const bool haveEf = FermiLevel(ef);
  DrawLevel(fermiLine_, energy, ef, haveEf);
  DrawLevel(energyLine_, energy, edEnergy->value(), cbContour->isChecked());

  QString text = QString("Band %1 of %2 at kz = %3, %4 x %4 points.")
                     .arg(grid_.band)
                     .arg(grid_.bands)
                     .arg(Num(grid_.kz))
                     .arg(side);
  if (haveEf)
    text += QString("  E_F = %1 (%2 %3 per cell in the states of this plane), solid line.")
                .arg(Num(ef), QString::fromStdString(quarnel::FormatG(electrons_, 6)),
                     electrons_ == 1 ? "electron" : "electrons");
  else if (electrons_ > 0)
    text += "  No E_F: the map is not complete or the bands cannot hold the electrons.";
  else
    text += "  No filling set: no E_F line.";
  Info->setText(text);
  Chart->replot();
}

std::string TKMapDlg::SaveText() const {
  quarnel::RunDescription run;
  run.modelFile = modelFile_;
  run.modelForm = modelForm_;
  quarnel::KMapDosColumn dos;
  const bool withDos = cbShow->currentIndex() == kDos;
  if (withDos) {
    dos.energy = edEnergy->value();
    dos.width = edWidth->value();
    dos.value = quarnel::KMapDos(grid_, dos.energy, dos.width);
  }
  // A crystal's map also gives each point's Cartesian k, as quarnel-cli map writes it.
  double cartesian[3][3];
  if (lattice_) {
    quarnel::ReciprocalVectors(lattice_->cell, cartesian);
    for (auto& row : cartesian)
      for (double& x : row) x /= 2;
  }
  return quarnel::KMapCsv(run, gridNames_, grid_, true, withDos ? &dos : nullptr,
                          lattice_ ? cartesian : nullptr);
}

bool TKMapDlg::SaveData() {
  if (grid_.Empty() || Computing()) {
    CurrentDialogs().Warning(this, Computing() ? "The map is being computed: save when it is done."
                                               : "The map is empty: press Compute first.");
    return false;
  }
  return SaveCsvTextAs(this, SaveText(), modelFile_, "kmap");
}

bool TKMapDlg::SaveImage() {
  if (grid_.Empty()) {
    CurrentDialogs().Warning(this, "The map is empty: press Compute first.");
    return false;
  }
  return SaveChartPictureAs(this, Chart, modelFile_, "kmap");
}

void TKMapDlg::ConnectMenu() {
  TUnitPomDlg* pom = UnitPomDlg;
  if (!pom || menuHolder_ == pom) return;
  // The menu is shared by every chart: each window acts only when its own chart asked.
  menuHolder_ = pom;
  connect(pom, &TUnitPomDlg::SaveDataRequested, this, [this] {
    if (MenuChart == Chart) SaveData();
  });
  connect(pom, &TUnitPomDlg::SaveImageRequested, this, [this] {
    if (MenuChart == Chart) SaveImage();
  });
}

void TKMapDlg::ChartDblClick(QMouseEvent* event) {
  TUnitPomDlg* pom = UnitPomDlg;
  if (!pom) return;
  MenuChart = Chart;
  ConnectMenu();
  pom->EnableSaveItems(!Computing());
  const QPoint at = event->globalPosition().toPoint();
  PopupChartMenu(at.x(), at.y());
}

void TKMapDlg::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!Computing() && (grid_.Empty() || gridPrint_ != ModelPrint())) Compute();
}

void TKMapDlg::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Back from the main window: a model edited there is mapped again.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible() &&
      !Computing() && gridPrint_ != ModelPrint())
    Compute();
}

TKMapDlg* ShowKMapWindow(QWidget* owner, ModelDocument& document) {
  TKMapDlg* window =
      owner ? owner->findChild<TKMapDlg*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  if (!window) window = new TKMapDlg(document, owner);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}
