// SPDX-License-Identifier: GPL-3.0-or-later
// The input grid: sizes, cell texts, selection and column widths.

#include <QCheckBox>
#include <QGroupBox>
#include <QSignalBlocker>

#include "document/model_document.h"
#include "mainwindow/main_window.h"
#include "model/grid_texts.h"
#include "support/number_text.h"
#include "widgets/lattice_panels.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"

using quarnel::ModelData;

void TFormQuarnel::ResizeGrids(int n) {
  if (n < 1) return;
  n = std::min(n, quarnel::kMaxOrb);
  // A text that already stands for n stays as typed; an invalid one stands for the default 3.
  int shown = 0;
  const bool valid = quarnel::TryParseInt(seNorb->Text().toStdString(), shown) &&
                     shown >= seNorb->MinValue() && shown <= seNorb->MaxValue();
  // Shown only: the edit's change handler would set the model's count, which is n already or,
  // while a model is being replaced, not the grid's to change.
  if ((valid ? shown : 3) != n) {
    const QSignalBlocker block(seNorb);
    SetSpinValueMarked(seNorb, n);
  }
  sgInputOverlap->SetRowCount(n + 1);
  sgInputOverlap->SetColCount(n + 3);
  sgHamMat->SetRowCount(n + 1);
  sgHamMat->SetColCount(n + 1);
  sgEigen->SetRowCount(n + 2);
  sgEigen->SetColCount(n + 2);
  for (int r = 1; r < sgEigen->RowCount(); ++r)
    for (int c = 0; c < sgEigen->ColCount(); ++c) sgEigen->SetCell(c, r, QString());
  for (int c = 1; c < sgEigen->ColCount() - 1; ++c)
    if (sgEigen->Cell(c, 0) == "checksum") sgEigen->SetCell(c, 0, QString());
  sgEigen->SetCell(sgEigen->ColCount() - 1, 0, "checksum");
  // Rows and columns that come back show the model again: it still holds them.
  for (int i = 1; i <= n; ++i) {
    if (!orbitalShown_[i]) continue;
    PropagateOrbitalName(i);
    RefreshDiagonalCell(i);
  }
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j) RefreshPairCells(i, j);
}

void TFormQuarnel::ClosePanels() {
  for (QGroupBox* panel : {gbInAlfa, gbInBeta, gbInBetaGen}) panel->hide();
  if (latticePanels_) latticePanels_->hide();
  SelRow = -1;
  SelCol = -1;
}

void TFormQuarnel::RefreshDiagonalCell(int i) {
  const ModelData& m = doc_.Model();
  if (doc_.IsLattice()) {
    ShowLatticeCell(i, i);
    return;
  }
  sgInputOverlap->SetCell(2, i, QString::fromStdString(quarnel::AlphaCellText(m, i)));
  sgInputOverlap->SetCell(i + 2, i, QString::fromStdString(quarnel::DiagonalCellText(m, i)));
}

QString TFormQuarnel::RefreshPairCells(int i, int j) {
  const ModelData& m = doc_.Model();
  if (doc_.IsLattice()) {
    ShowLatticeCell(i, j);
    return sgInputOverlap->Cell(j + 2, i);
  }
  if (m.BetaTyp != 1 && m.BetaTyp != 2) return {};
  const quarnel::PairCellTexts texts = quarnel::PairCellsText(m, i, j);
  sgInputOverlap->SetCell(j + 2, i, QString::fromStdString(texts.upper));
  sgInputOverlap->SetCell(i + 2, j, QString::fromStdString(texts.lower));
  return QString::fromStdString(texts.upper);
}

void TFormQuarnel::PropagateOrbitalName(int i) {
  const ModelData& m = doc_.Model();
  if (i >= 1 && i <= quarnel::kMaxOrb) orbitalShown_[i] = true;
  const QString name = FromModelText(m.OrbName[i]);
  sgInputOverlap->SetCell(i + 2, 0, name);
  sgInputOverlap->SetCell(0, i, name);
  sgInputOverlap->SetCell(1, i, name);
  sgHamMat->SetCell(i, 0, name);
  sgHamMat->SetCell(0, i, name);
  sgEigen->SetCell(i, 0, name);
}

void TFormQuarnel::sgInputOverlapSelectCell(int col, int row) {
  HighlightRow = row;
  HighlightCol = col - 2;
  if (doc_.IsLattice()) {
    OpenLatticeCell(col, row);
    return;
  }
  const bool orbitalCell = col <= 2 || col - 2 == row;
  int i = row, j = col - 2;
  if (orbitalCell) {
    OpenOrbitalPanel(row);
    gbInBeta->hide();
    gbInBetaGen->hide();
    SelRow = row;
    SelCol = col;
    return;
  }
  gbInAlfa->hide();
  if (j < i) std::swap(i, j);  // the panels always edit the upper triangle
  const int betaTyp = doc_.Model().BetaTyp;
  gbInBeta->hide();
  gbInBetaGen->hide();
  if (betaTyp == 1) OpenBetaPanel(i, j);
  if (betaTyp == 2) OpenBetaGenPanel(i, j);
  SelRow = i;
  SelCol = j + 2;
}

void TFormQuarnel::SyncColumnWidths(StringGrid* grid, int firstCol, int& remembered) {
  if (!columnSizing_) return;
  for (int c = firstCol; c < grid->ColCount(); ++c) {
    const int w = grid->ColWidth(c);
    if (w == remembered) continue;
    for (int k = firstCol; k < grid->ColCount(); ++k) grid->SetColWidth(k, w);
    remembered = w;
    return;
  }
}

void TFormQuarnel::sgInputOverlapMouseUp() {
  SyncColumnWidths(sgInputOverlap, 3, inputColWidth_);
}

void TFormQuarnel::sgEigenMouseUp() {
  SyncColumnWidths(sgEigen, 1, eigenColWidth_);
}
