// SPDX-License-Identifier: GPL-3.0-or-later
// The lattice form in the main window: its grid cells, its editing panels, the Cartesian k and
// the crystal picture's state. The other forms never reach this file.

#include <QAction>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <algorithm>
#include <complex>
#include <vector>

#include "document/model_document.h"
#include "mainwindow/main_window.h"
#include "model/lattice_texts.h"
#include "support/number_text.h"
#include "support/text_utils.h"
#include "widgets/cartesian_k_label.h"
#include "widgets/crystal_view.h"
#include "widgets/lattice_panels.h"
#include "widgets/orbital_view.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"

namespace {
constexpr int kLatticePanelWidth = 425;
constexpr int kLatticePanelHeight = 213;
}  // namespace

void TFormQuarnel::CreateLatticeControls() {
  latticePanels_ = new LatticePanels(client_);
  latticePanels_->setObjectName("latticePanels");
  latticePanels_->setGeometry(0, 0, kLatticePanelWidth, kLatticePanelHeight);
  latticePanels_->setAutoFillBackground(true);
  latticePanels_->hide();
  connect(latticePanels_, &LatticePanels::ModelEdited, this,
          [this](const quarnel::LatticeModel& m) { doc_.EditLattice(m); });
  // A live move is followed by the charts as the other forms' moves are, and undone as one.
  connect(latticePanels_, &LatticePanels::MoveStarted, this, [this] { doc_.BeginLiveMove(false); });
  connect(latticePanels_, &LatticePanels::MoveEnded, this, [this] { doc_.EndLiveMove(); });
  cartesianK_ = new CartesianKLabel(GroupBox2);
  connect(&doc_, &ModelDocument::LatticeEdited, this, [this] {
    ShowLatticeCells();
    if (!latticePanels_->Moving()) latticePanels_->SetModel(doc_.Lattice());
    KPointModelChanged();
  });
}

bool TFormQuarnel::LatticeShown() const {
  return doc_.IsLattice();
}

void TFormQuarnel::SetGridHeaders() {
  const bool lattice = doc_.IsLattice();
  sgInputOverlap->SetCell(0, 0, "  Hij");
  sgInputOverlap->SetCell(1, 0, "orbital");
  sgInputOverlap->SetCell(2, 0, lattice ? "energy" : "alpha");
  for (int c = 3; c < sgInputOverlap->ColCount(); ++c)
    if (sgInputOverlap->Cell(c, 0).isEmpty() || sgInputOverlap->Cell(c, 0) == "beta&overlap" ||
        sgInputOverlap->Cell(c, 0) == "hops")
      sgInputOverlap->SetCell(c, 0, lattice ? "hops" : "beta&overlap");
  // The crystal's cell has a panel of its own, opened from the grid's corner and the Edit menu.
  if (miLatticeCell) miLatticeCell->setEnabled(lattice);
  if (cartesianK_ && !lattice) cartesianK_->ShowK(nullptr, nullptr);
  ApplyResizeRule();
}

void TFormQuarnel::ShowLatticeCell(int i, int j) {
  const quarnel::LatticeModel& l = doc_.Lattice();
  const auto text = [&l](int row, int col) {
    return QString::fromStdString(quarnel::LatticePairCellText(l, row - 1, col - 1));
  };
  if (i == j)
    sgInputOverlap->SetCell(2, i, QString::fromStdString(quarnel::LatticeEnergyText(l, i - 1)));
  sgInputOverlap->SetCell(j + 2, i, text(i, j));
  if (i != j) sgInputOverlap->SetCell(i + 2, j, text(j, i));
}

void TFormQuarnel::ShowLatticeCells() {
  if (!doc_.IsLattice()) return;
  const quarnel::LatticeModel& l = doc_.Lattice();
  const int n = l.Orbitals();
  for (int i = 1; i <= n; ++i) {
    PropagateOrbitalName(i);
    ShowLatticeCell(i, i);
    for (int j = i + 1; j <= n; ++j) ShowLatticeCell(i, j);
  }
  // A hop list is longer than the other forms' terms: the columns take the longest (within
  // reason; the cell's panel lists every hop), all of one width as the grid keeps them.
  const QFontMetrics metrics(sgInputOverlap->font());
  int widest = 120;
  for (int i = 1; i <= n; ++i)
    for (int c = 3; c < sgInputOverlap->ColCount(); ++c)
      widest = std::max(widest, metrics.horizontalAdvance(sgInputOverlap->Cell(c, i)) + 14);
  widest = std::min(widest, 360);
  for (int c = 3; c < sgInputOverlap->ColCount(); ++c) sgInputOverlap->SetColWidth(c, widest);
  sgInputOverlap->SetColWidth(2, std::max(sgInputOverlap->ColWidth(2), 56));
}

void TFormQuarnel::OpenLatticeCell(int col, int row) {
  for (QGroupBox* panel : {gbInAlfa, gbInBeta, gbInBetaGen}) panel->hide();
  const int n = doc_.OrbitalCount();
  latticePanels_->SetModel(doc_.Lattice());
  if (row <= 0 && col <= 2) {
    latticePanels_->OpenCell();
  } else if (row < 1 || row > n) {
    return;
  } else if (col <= 2) {
    latticePanels_->OpenOrbital(row - 1);
  } else if (col - 2 <= n) {
    // Oriented as the cell shows it: from the row's orbital to the column's.
    latticePanels_->OpenPair(row - 1, col - 3);
  } else {
    return;
  }
  SelRow = row;
  SelCol = col;
  latticePanels_->show();
  latticePanels_->raise();
}

void TFormQuarnel::OpenLatticeHop(int hop) {
  if (!doc_.IsLattice() || hop < 0 || hop >= static_cast<int>(doc_.Lattice().hops.size())) return;
  for (QGroupBox* panel : {gbInAlfa, gbInBeta, gbInBetaGen}) panel->hide();
  latticePanels_->SetModel(doc_.Lattice());
  latticePanels_->OpenHop(hop);
  latticePanels_->show();
  latticePanels_->raise();
}

void TFormQuarnel::OpenLatticeOrbital(int orbital) {
  if (doc_.IsLattice()) OpenLatticeCell(1, orbital + 1);
}

void TFormQuarnel::ShowLatticeKPoint() {
  if (!cartesianK_) return;
  if (!doc_.IsLattice()) {
    cartesianK_->ShowK(nullptr, nullptr);
    return;
  }
  const quarnel::KPoint& kp = doc_.LastKPoint();
  const double k[3] = {kp.X(), kp.Y(), kp.Z()};
  cartesianK_->ShowK(&doc_.Lattice(), k);
  if (crystal_ && crystal_->isVisible()) ShowCrystalState();
}

void TFormQuarnel::ShowCrystalState() {
  if (!crystal_ || !doc_.IsLattice()) return;
  const int n = doc_.OrbitalCount();
  if (n < 1) return;
  // The band of the Cells edit (1 = the highest, as the eigen grid's rows), the lowest when the
  // edit holds no valid band.
  int band = n;
  int typed = 0;
  if (quarnel::TryParseInt(quarnel::RemoveBlanks(Edit3->text().toStdString()), typed) &&
      typed >= 1 && typed <= n)
    band = typed;
  const quarnel::JacobiSolver& s = doc_.Solver();
  std::vector<std::complex<double>> c(static_cast<std::size_t>(n));
  for (int j = 1; j <= n; ++j)
    c[static_cast<std::size_t>(j - 1)] = {s.EigVecRe[band][j], s.EigVecIm[band][j]};
  const quarnel::KPoint& kp = doc_.LastKPoint();
  const double k[3] = {kp.X(), kp.Y(), kp.Z()};
  const QString caption = QString("band %1 of %2, E = %3 at k = (%4, %5, %6)")
                              .arg(band)
                              .arg(n)
                              .arg(s.EigVal[band], 0, 'g', 5)
                              .arg(k[0], 0, 'g', 4)
                              .arg(k[1], 0, 'g', 4)
                              .arg(k[2], 0, 'g', 4);
  crystal_->SetState(k, c, caption);
}

void TFormQuarnel::ShowLatticePhasePicture(int nx, int ny, int nz) {
  // The phase pictures of a crystal are its state at that k point: the k point is computed there.
  if (orbitals_ && !orbitals_->Shown()) orbitals_->Show();
  const int div = ReadSpinValue(seKbodDel, 10);
  doc_.ComputeKPoint(nx * div, ny * div, nz * div, div);
}
