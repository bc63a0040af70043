// SPDX-License-Identifier: GPL-3.0-or-later
// The workbench's solver commands and its view of the solver state.

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStringList>

#include <cmath>

#include "document/model_document.h"
#include "support/number_text.h"
#include "widgets/model_text.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"
#include "workbench/eigen_window.h"
#include "workbench/jacobi_check.h"
#include "workbench/matrix_file.h"
#include "workbench/results_listing.h"

namespace {

QString Compact(double x) {
  return QString::fromStdString(quarnel::CompactNumberText(6, x));
}

QString Fixed86(double x) {
  return QString::fromStdString(quarnel::FormatFixed(x, 8, 6));
}

// Fills the cells (not the labels) of an n x n matrix given as cell(i, j) = value of row i.
// The view is told once at the end rather than per cell: a band run refreshes these grids at
// every k point.
template <typename Value>
void FillCells(StringGrid* grid, int n, Value value) {
  {
    const QSignalBlocker quiet(grid->model());
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) grid->SetCell(j, i, Compact(value(i, j)));
  }
  grid->viewport()->update();
}

bool HasMatrix(const quarnel::JacobiSolver& s) {
  return s.JacN >= 1 && s.JacN <= quarnel::kJacMax;
}

}  // namespace

void TEigenDlg::SizeGrid(StringGrid* grid, int n) {
  grid->SetColCount(n + 1);
  grid->SetRowCount(n + 1);
  if (grid == sgJacobiR2) LabelR2Rows();
}

// The rows of R2 are the orbitals of the doubled k-point matrix: rows i and i + NOrb carry the
// same name. A matrix from a file has its own row labels, those of A.
void TEigenDlg::LabelR2Rows() {
  if (matrixFromFile_) {
    for (int r = 1; r < sgJacobiR2->RowCount(); ++r)
      sgJacobiR2->SetCell(0, r, sgJacobiA->Cell(0, r));
    return;
  }
  const quarnel::ModelData& m = doc_.Model();
  for (int i = 1; i <= m.NOrb; ++i) {
    const QString name = FromModelText(m.OrbName[i]);
    sgJacobiR2->SetCell(0, i, name);
    sgJacobiR2->SetCell(0, i + m.NOrb, name);
  }
}

void TEigenDlg::ShowState(const quarnel::JacobiSolver& s) {
  if (!HasMatrix(s)) return;
  const int n = s.JacN;
  LabelA->setText(QString("%1: ").arg(s.JacIter));

  SizeGrid(sgJacobiR1, n);
  FillCells(sgJacobiR1, n, [&s](int i, int j) { return s.JacA[i][j]; });
  for (int k = 1; k <= n; ++k) {
    sgJacobiR1->SetCell(k, 0, sgJacobiA->Cell(k, 0));
    sgJacobiR1->SetCell(0, k, sgJacobiA->Cell(0, k));
  }

  SizeGrid(sgJacobiR2, n);
  FillCells(sgJacobiR2, n, [&s](int i, int j) { return s.JacV(i, j); });
  // 1 marks the column of a kept eigenvector, 0 its partner (from the last solve).
  for (int m = 1; m <= n; ++m) {
    const int col = s.EigIdx[m];
    if (col >= 1 && col <= n) sgJacobiR2->SetCell(col, 0, QString::number(s.EigKeep[m]));
  }
}

void TEigenDlg::ShowRotation(const quarnel::JacobiSolver&, int p, int q, double theta) {
  const double degrees = theta * 180 / M_PI;
  LabelR1->setText(QString("p:%1 q:%2 u(\u00b0):%3")
                       .arg(p)
                       .arg(q)
                       .arg(QString::fromStdString(quarnel::FormatFixed(degrees, 10, 6))));
}

void TEigenDlg::ShowInput(const quarnel::JacobiSolver& s) {
  matrixFromFile_ = false;
  ShowMatrixGrid(quarnel::KpointMatrixGrid(s));
  // A new k point's matrix: the rotation and the listing of the old one describe another point
  // (the solve that follows shows its own rotation).
  LabelR1->clear();
  Memo1->clear();
}

void TEigenDlg::OrbitalNamesChanged() {
  if (!matrixFromFile_) LabelR2Rows();
}

void TEigenDlg::btnVypRotMatClick() {
  quarnel::JacobiSolver& s = doc_.Solver();
  if (!HasMatrix(s)) return;
  s.PivotStep();
  // Without a pivot JacR and JacRT keep the previous rotation, which is what the grids show.
  const int n = s.JacN;
  SizeGrid(sgJacobiR1, n);
  SizeGrid(sgJacobiR2, n);
  FillCells(sgJacobiR1, n, [&s](int i, int j) { return s.JacR[i][j]; });
  FillCells(sgJacobiR2, n, [&s](int i, int j) { return s.JacRT[i][j]; });
}

void TEigenDlg::btnRotaceClick() {
  quarnel::JacobiSolver& s = doc_.Solver();
  if (!HasMatrix(s)) return;
  s.ApplyRotation();
  ShowState(s);
}

void TEigenDlg::btnIterationClick() {
  quarnel::JacobiSolver& s = doc_.Solver();
  if (!HasMatrix(s)) return;
  s.Solve(ReadSpinValue(seIter, 1));
  ShowState(s);
  QStringList lines;
  for (const std::string& line : quarnel::ResultsListing(s)) lines << QString::fromStdString(line);
  Memo1->setPlainText(lines.join('\n'));
}

void TEigenDlg::btnIterResetClick() {
  quarnel::JacobiSolver& s = doc_.Solver();
  if (!HasMatrix(s)) return;
  s.Reset();
}

void TEigenDlg::btnCheckClick() {
  quarnel::JacobiSolver& s = doc_.Solver();
  if (!HasMatrix(s)) return;
  const int n = s.JacN;
  quarnel::JacobiCheckResult check;
  quarnel::CheckEigenpairs(s, check);
  SizeGrid(sgJacobiR2, n);
  FillCells(sgJacobiR2, n, [&s](int i, int j) { return s.JacV(i, j); });
  SizeGrid(sgJacobiR1, n);
  FillCells(sgJacobiR1, n, [&check](int i, int m) { return check.Residual[i][m]; });
  for (int m = 1; m <= n; ++m) {
    sgJacobiR1->SetCell(m, 0, Fixed86(check.Lambda[m]));
    sgJacobiR2->SetCell(m, 0, Fixed86(check.Det[m]));
  }
}
