// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/lattice_panels.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "model/model_data.h"
#include "support/number_text.h"

namespace {

constexpr int kSliderSteps = 1000;             // the slider's positions, its middle the value
constexpr int kWheelSteps = 100;               // a wheel notch or an arrow key: span / kWheelSteps
const char* const kFieldLabel = "fieldLabel";  // what the slider strip calls a field
const char* const kHopColumns[5] = {"R1", "R2", "R3", "Re t", "Im t"};

std::string Text(const QLineEdit* e) {
  return e->text().toStdString();
}

double ValueOf(const QLineEdit* e) {
  double x = 0;
  quarnel::ReadNumber(Text(e), x);
  return std::isfinite(x) ? x : 0;
}

}  // namespace

LatticePanels::LatticePanels(QWidget* parent) : QWidget(parent) {
  setObjectName("LatticePanels");
  auto* layout = new QVBoxLayout(this);
  // The panels share the main window's strip between the grid and the results: little room.
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  stack_ = new QStackedWidget(this);
  layout->addWidget(stack_);
  stack_->addWidget(new QWidget(stack_));

  QGroupBox* orbital = NewPanel("Orbital", "LatticeOrbitalPanel");
  auto* og = new QGridLayout(orbital);
  name_ = new QLineEdit(orbital);
  name_->setObjectName("LatticeOrbitalName");
  energy_ = NewField("LatticeEnergy", "Energy");
  og->addWidget(new QLabel("Name", orbital), 0, 0);
  og->addWidget(name_, 0, 1, 1, 3);
  og->addWidget(new QLabel("Energy", orbital), 1, 0);
  og->addWidget(energy_, 1, 1, 1, 3);
  og->addWidget(new QLabel("Position", orbital), 2, 0);
  for (int d = 0; d < 3; ++d) {
    pos_[d] = NewField(QString("LatticePos%1").arg(d + 1), QString("Position %1").arg(d + 1));
    og->addWidget(pos_[d], 2, 1 + d);
  }
  kind_ = new QComboBox(orbital);
  kind_->setObjectName("LatticeKind");
  for (int k = 1; k <= quarnel::kOrbKinds; ++k) kind_->addItem(quarnel::OrbKindName[k]);
  og->addWidget(new QLabel("Picture", orbital), 3, 0);
  og->addWidget(kind_, 3, 1, 1, 3);
  auto* orbitalApply = new QPushButton("Apply", orbital);
  orbitalApply->setObjectName("LatticeOrbitalApply");
  og->addWidget(orbitalApply, 4, 3);
  connect(orbitalApply, &QPushButton::clicked, this, &LatticePanels::Apply);
  stack_->addWidget(orbital);

  QGroupBox* pair = NewPanel("Hops", "LatticePairPanel");
  auto* pg = new QVBoxLayout(pair);
  pg->setContentsMargins(4, 2, 4, 4);
  pg->setSpacing(2);
  pairTitle_ = new QLabel(pair);
  pairTitle_->setObjectName("LatticePairTitle");
  pg->addWidget(pairTitle_);
  hops_ = new QTableWidget(0, 5, pair);
  hops_->setObjectName("LatticeHops");
  for (int c = 0; c < 5; ++c)
    hops_->setHorizontalHeaderItem(c, new QTableWidgetItem(kHopColumns[c]));
  hops_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  hops_->verticalHeader()->setDefaultSectionSize(hops_->fontMetrics().height() + 8);
  // The row buttons stand beside the table, so that it shows several hops in the strip.
  auto* tableRow = new QHBoxLayout;
  tableRow->addWidget(hops_, 1);
  pg->addLayout(tableRow, 1);
  auto* rowButtons = new QVBoxLayout;
  auto* add = new QPushButton("Add hop", pair);
  add->setObjectName("LatticeAddHop");
  auto* remove = new QPushButton("Remove hop", pair);
  remove->setObjectName("LatticeRemoveHop");
  auto* pairApply = new QPushButton("Apply", pair);
  pairApply->setObjectName("LatticePairApply");
  rowButtons->addWidget(add);
  rowButtons->addWidget(remove);
  rowButtons->addStretch();
  rowButtons->addWidget(pairApply);
  tableRow->addLayout(rowButtons);
  connect(add, &QPushButton::clicked, this, [this] { AddHopRow({{"0", "0", "0"}, "0", "0"}); });
  connect(remove, &QPushButton::clicked, this, [this] {
    const int row = hops_->currentRow() >= 0 ? hops_->currentRow() : hops_->rowCount() - 1;
    if (row < 0) return;
    EndMove(true);
    for (int c = 0; c < 5; ++c)
      if (hops_->cellWidget(row, c) == bound_) bound_ = nullptr;
    hops_->removeRow(row);
  });
  connect(pairApply, &QPushButton::clicked, this, &LatticePanels::Apply);
  stack_->addWidget(pair);

  QGroupBox* cell = NewPanel("Cell", "LatticeCellPanel");
  auto* cg = new QGridLayout(cell);
  const char* const axis[3] = {"x", "y", "z"};
  for (int c = 0; c < 3; ++c) cg->addWidget(new QLabel(axis[c], cell), 0, 1 + c, Qt::AlignHCenter);
  for (int v = 0; v < 3; ++v) {
    cg->addWidget(new QLabel(QString("a%1").arg(v + 1), cell), 1 + v, 0);
    for (int c = 0; c < 3; ++c) {
      cell_[v][c] = NewField(QString("LatticeA%1%2").arg(v + 1).arg(axis[c]),
                             QString("a%1 %2").arg(v + 1).arg(axis[c]));
      cg->addWidget(cell_[v][c], 1 + v, 1 + c);
    }
  }
  preset_ = new QComboBox(cell);
  preset_->setObjectName("LatticeCellPreset");
  preset_->addItem("Preset...");
  for (auto p : {quarnel::CellPreset::Square, quarnel::CellPreset::Hexagonal,
                 quarnel::CellPreset::Cubic, quarnel::CellPreset::Fcc, quarnel::CellPreset::Bcc})
    preset_->addItem(quarnel::CellPresetName(p), static_cast<int>(p));
  connect(preset_, &QComboBox::activated, this, [this](int item) {
    if (item <= 0) return;
    double a[3][3];
    quarnel::CellPresetVectors(static_cast<quarnel::CellPreset>(preset_->itemData(item).toInt()),
                               a);
    // Only the vectors of the periodic directions; a 2-D crystal keeps its own a3.
    bool periodic[3];
    const bool flat =
        quarnel::PeriodicDirections(model_, periodic) < 3 &&
        (preset_->itemText(item) == "square" || preset_->itemText(item) == "hexagonal");
    for (int v = 0; v < 3; ++v)
      for (int c = 0; c < 3; ++c)
        if (!(flat && v == 2))
          cell_[v][c]->setText(QString::fromStdString(quarnel::FormatGeneral(a[v][c])));
    preset_->setCurrentIndex(0);
  });
  cg->addWidget(preset_, 4, 1, 1, 2);
  auto* cellApply = new QPushButton("Apply", cell);
  cellApply->setObjectName("LatticeCellApply");
  cg->addWidget(cellApply, 4, 3);
  connect(cellApply, &QPushButton::clicked, this, &LatticePanels::Apply);
  stack_->addWidget(cell);

  // The slider strip shared by the panels.
  auto* strip = new QHBoxLayout;
  sliderField_ = new QLabel("-", this);
  sliderField_->setObjectName("LatticeSliderField");
  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setObjectName("LatticeSlider");
  slider_->setRange(0, kSliderSteps);
  slider_->setValue(kSliderSteps / 2);
  span_ = new QLineEdit("1", this);
  span_->setObjectName("LatticeSpan");
  span_->setMaximumWidth(60);
  strip->addWidget(sliderField_);
  strip->addWidget(slider_, 1);
  strip->addWidget(new QLabel("\xC2\xB1", this));
  strip->addWidget(span_);
  layout->addLayout(strip);
  slider_->installEventFilter(this);
  connect(slider_, &QSlider::sliderPressed, this, [this] { BeginMove(bound_); });
  connect(slider_, &QSlider::valueChanged, this, [this](int position) {
    if (!moving_) return;
    const double span = std::fabs(ValueOf(span_));
    MoveTo(centre_ + (position - kSliderSteps / 2) * (2 * span / kSliderSteps));
  });
  connect(slider_, &QSlider::sliderReleased, this, [this] { EndMove(true); });

  message_ = new QLabel(this);
  message_->setObjectName("LatticePanelMessage");
  message_->setStyleSheet("color: #a00000");
  layout->addWidget(message_);
}

QGroupBox* LatticePanels::NewPanel(const QString& title, const QString& name) {
  auto* box = new QGroupBox(title, stack_);
  box->setObjectName(name);
  return box;
}

QLineEdit* LatticePanels::NewField(const QString& name, const QString& label) {
  auto* e = new QLineEdit(this);
  e->setObjectName(name);
  e->setProperty(kFieldLabel, label);
  e->installEventFilter(this);
  return e;
}

void LatticePanels::SetModel(const quarnel::LatticeModel& model) {
  model_ = model;
  if (!moving_) FillOpenPanel();
}

void LatticePanels::OpenOrbital(int i) {
  if (i < 0 || i >= model_.Orbitals()) return;
  EndMove(true);
  open_ = Orbital;
  i_ = j_ = i;
  stack_->setCurrentIndex(Orbital);
  FillOpenPanel();
}

void LatticePanels::OpenPair(int i, int j) {
  if (i < 0 || j < 0 || i >= model_.Orbitals() || j >= model_.Orbitals()) return;
  EndMove(true);
  open_ = Pair;
  i_ = i;
  j_ = j;
  stack_->setCurrentIndex(Pair);
  FillOpenPanel();
}

void LatticePanels::OpenCell() {
  EndMove(true);
  open_ = Cell;
  stack_->setCurrentIndex(Cell);
  FillOpenPanel();
}

void LatticePanels::OpenHop(int hop) {
  if (hop < 0 || hop >= static_cast<int>(model_.hops.size())) return;
  OpenPair(model_.hops[hop].i, model_.hops[hop].j);
}

void LatticePanels::FillOpenPanel() {
  message_->clear();
  bound_ = nullptr;
  sliderField_->setText("-");
  if (open_ == Orbital) {
    if (i_ >= model_.Orbitals()) return;
    const quarnel::LatticeOrbitalTexts t = quarnel::LatticeOrbitalPanelFill(model_, i_);
    name_->setText(QString::fromStdString(t.name));
    energy_->setText(QString::fromStdString(t.energy));
    for (int d = 0; d < 3; ++d) pos_[d]->setText(QString::fromStdString(t.pos[d]));
    kind_->setCurrentIndex(t.kindItem);
  } else if (open_ == Pair) {
    if (i_ >= model_.Orbitals() || j_ >= model_.Orbitals()) return;
    const QString a = QString::fromStdString(model_.orbitals[i_].name);
    const QString b = QString::fromStdString(model_.orbitals[j_].name);
    pairTitle_->setText(i_ == j_ ? QString("%1 to itself in cell R").arg(a)
                                 : QString("%1 (cell 0) to %2 (cell R)").arg(a, b));
    hops_->setRowCount(0);
    for (const quarnel::LatticeHopRow& row : quarnel::LatticePairPanelFill(model_, i_, j_))
      AddHopRow(row);
  } else if (open_ == Cell) {
    const quarnel::LatticeCellTexts t = quarnel::LatticeCellPanelFill(model_);
    for (int v = 0; v < 3; ++v)
      for (int c = 0; c < 3; ++c) cell_[v][c]->setText(QString::fromStdString(t.a[v][c]));
  }
}

void LatticePanels::AddHopRow(const quarnel::LatticeHopRow& row) {
  const int r = hops_->rowCount();
  hops_->insertRow(r);
  const std::string texts[5] = {row.R[0], row.R[1], row.R[2], row.re, row.im};
  for (int c = 0; c < 5; ++c) {
    QLineEdit* e = NewField(QString("LatticeHop%1_%2").arg(r + 1).arg(c + 1),
                            QString("%1, row %2").arg(kHopColumns[c]).arg(r + 1));
    e->setParent(hops_);
    e->setFrame(false);
    e->setText(QString::fromStdString(texts[c]));
    hops_->setCellWidget(r, c, e);
  }
}

QString LatticePanels::ApplyTexts(quarnel::LatticeModel& m) const {
  std::string error;
  if (open_ == Orbital) {
    quarnel::LatticeOrbitalTexts t;
    t.name = Text(name_);
    t.energy = Text(energy_);
    for (int d = 0; d < 3; ++d) t.pos[d] = Text(pos_[d]);
    t.kindItem = kind_->currentIndex();
    error = quarnel::ApplyLatticeOrbitalPanel(m, i_, t);
  } else if (open_ == Pair) {
    std::vector<quarnel::LatticeHopRow> rows(hops_->rowCount());
    for (int r = 0; r < hops_->rowCount(); ++r) {
      std::string* field[5] = {&rows[r].R[0], &rows[r].R[1], &rows[r].R[2], &rows[r].re,
                               &rows[r].im};
      for (int c = 0; c < 5; ++c)
        if (auto* e = qobject_cast<QLineEdit*>(hops_->cellWidget(r, c))) *field[c] = Text(e);
    }
    error = quarnel::ApplyLatticePairPanel(m, i_, j_, rows);
  } else if (open_ == Cell) {
    quarnel::LatticeCellTexts t;
    for (int v = 0; v < 3; ++v)
      for (int c = 0; c < 3; ++c) t.a[v][c] = Text(cell_[v][c]);
    error = quarnel::ApplyLatticeCellPanel(m, t);
  }
  return QString::fromStdString(error);
}

void LatticePanels::Apply() {
  EndMove(true);
  quarnel::LatticeModel m = model_;
  const QString error = ApplyTexts(m);
  if (!error.isEmpty()) {
    message_->setText(error);
    return;
  }
  message_->clear();
  model_ = m;
  emit ModelEdited(model_, false);
  FillOpenPanel();
}

void LatticePanels::Bind(QLineEdit* field) {
  if (moving_ && moving_ != field) EndMove(true);
  bound_ = field;
  sliderField_->setText(field->property(kFieldLabel).toString());
  const double v = ValueOf(field);
  span_->setText(
      QString::fromStdString(quarnel::FormatGeneral(std::fabs(v) > 0 ? std::fabs(v) : 1)));
  slider_->blockSignals(true);
  slider_->setValue(kSliderSteps / 2);
  slider_->blockSignals(false);
}

bool LatticePanels::BeginMove(QLineEdit* field) {
  if (!field) return false;
  if (moving_ == field) return true;
  EndMove(true);
  before_ = model_;
  // The move starts from the panel's texts: they must apply as they stand.
  quarnel::LatticeModel m = model_;
  const QString error = ApplyTexts(m);
  if (!error.isEmpty()) {
    message_->setText(error);
    return false;
  }
  moving_ = field;
  beforeText_ = field->text();
  centre_ = ValueOf(field);
  emit MoveStarted();
  return true;
}

void LatticePanels::MoveTo(double value) {
  if (!moving_) return;
  moving_->setText(QString::fromStdString(quarnel::FormatG(value, 6)));
  quarnel::LatticeModel m = before_;
  const QString error = ApplyTexts(m);
  message_->setText(error);
  if (!error.isEmpty()) return;
  model_ = m;
  emit ModelEdited(model_, false);
}

void LatticePanels::Step(QLineEdit* field, int steps) {
  if (!BeginMove(field)) return;
  const double span = std::fabs(ValueOf(span_));
  MoveTo(ValueOf(field) + steps * (span > 0 ? span : 1) / kWheelSteps);
}

void LatticePanels::EndMove(bool keep) {
  if (!moving_) return;
  QLineEdit* field = moving_;
  moving_ = nullptr;
  if (!keep) {
    field->setText(beforeText_);
    model_ = before_;
    message_->clear();
    emit ModelEdited(model_, true);
  }
  emit MoveEnded();
  slider_->blockSignals(true);
  slider_->setValue(kSliderSteps / 2);
  slider_->blockSignals(false);
}

bool LatticePanels::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (field) {
    if (event->type() == QEvent::FocusIn) Bind(field);
    if (event->type() == QEvent::Wheel) {
      const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
      if (notches != 0) {
        if (bound_ != field) Bind(field);
        Step(field, notches);
      }
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Up || key == Qt::Key_Down) {
        if (bound_ != field) Bind(field);
        Step(field, key == Qt::Key_Up ? 1 : -1);
        return true;
      }
      if (key == Qt::Key_Escape && moving_) {
        EndMove(false);
        return true;
      }
      if (moving_ == field) EndMove(true);  // typing ends the move, keeping it
    }
    if (event->type() == QEvent::FocusOut && moving_ == field) EndMove(true);
  }
  if (watched == slider_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && moving_) {
    EndMove(false);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
