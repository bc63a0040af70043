// SPDX-License-Identifier: GPL-3.0-or-later
// The k point group and the eigen results.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTimer>

#include "bands/band_window.h"
#include "document/model_document.h"
#include "mainwindow/main_window.h"
#include "numeric/eigen_texts.h"
#include "numeric/kpoint_calc.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"
#include "workbench/eigen_window.h"

void TFormQuarnel::seKbodDelChange() {
  if (doc_.OrbitalCount() == 0) return;
  const int d = ReadSpinValue(seKbodDel, 10);
  // The numerators keep their values; one outside the new range reads as 0 and is marked.
  for (SpinEdit* edit : {seKbodX, seKbodY, seKbodZ}) edit->SetRange(-d, d);
  if (cbAutoCalc->isChecked()) btnCalcKpointClick();
}

void TFormQuarnel::btnCalcKpointClick() {
  if (doc_.OrbitalCount() == 0) return;
  SpoctiKpoint();
  // A run calls this for every k point; asking the window system for messages costs more than a
  // small k point, so they are processed at most once a millisecond, which keeps the windows
  // just as responsive.
  static QElapsedTimer sinceMessages;
  if (!sinceMessages.isValid() || sinceMessages.nsecsElapsed() >= 1000000) {
    QCoreApplication::processEvents();
    sinceMessages.start();
  }
}

void TFormQuarnel::SpoctiKpoint() {
  if (doc_.OrbitalCount() == 0) return;
  int divisor = ReadSpinValue(seKbodDel, 10);
  if (divisor < 1) divisor = 10;
  const int nx = ReadSpinValue(seKbodX, 0);
  const int ny = ReadSpinValue(seKbodY, 0);
  const int nz = ReadSpinValue(seKbodZ, 0);
  doc_.ComputeKPoint(quarnel::KPointFromNumerators(divisor, nx, ny, nz));
}

void TFormQuarnel::ShowKPoint() {
  // While a DOS run hides these controls the texts are written once when it ends, not for every
  // k point.
  if (!kpointDisplayOff_) {
    ShowKpointTexts();
    SpoctiEigen();
  }
  if (bands_ && bands_->cbCells->isChecked()) PlotEigenvectorPicture();
}

void TFormQuarnel::ShowKpointTexts() {
  const int n = doc_.OrbitalCount();
  const quarnel::KPoint& k = doc_.LastKPoint();
  lbkx->setText(QString::fromStdString(quarnel::KLabelText("kx", k.X())));
  lbky->setText(QString::fromStdString(quarnel::KLabelText("ky", k.Y())));
  lbkz->setText(QString::fromStdString(quarnel::KLabelText("kz", k.Z())));
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      sgHamMat->SetCell(j, i, QString::fromStdString(quarnel::HamMatCellText(doc_.HamK(), i, j)));
}

void TFormQuarnel::SpoctiEigen() {
  if (doc_.OrbitalCount() == 0) return;
  const QString corner =
      QString::fromStdString(quarnel::AngleText(doc_.LastAngle(), doc_.Solver().JacIter));
  sgEigen->SetCell(0, 0, corner);
  FillEigenGrid();
}

void TFormQuarnel::FillEigenGrid() {
  const int n = doc_.OrbitalCount();
  if (n < 1) return;
  static quarnel::EigenGridTexts texts;  // large; filled in place for every k point
  quarnel::FillEigenGridTexts(doc_.Solver(), n, cbEigVecSq->isChecked(), texts);
  for (int m = 1; m <= n + 1; ++m)
    for (int j = 0; j <= n + 1; ++j) {
      if (m == n + 1 && (j == 0 || j == n + 1)) continue;  // corner cells stay empty
      sgEigen->SetCell(j, m, QString::fromStdString(texts.cell[m][j]));
    }
  FitEigenColumns();
}

void TFormQuarnel::FitEigenColumns() {
  // A column grows to its widest text; the width set for the display mode is the least it has.
  QFont bold = sgEigen->font();
  bold.setBold(true);
  const QFontMetrics cells(sgEigen->font()), fixed(bold);
  for (int c = 0; c < sgEigen->ColCount(); ++c) {
    int need = 0;
    for (int r = 0; r < sgEigen->RowCount(); ++r) {
      const QFontMetrics& m = r == 0 || c == 0 ? fixed : cells;
      need = std::max(need, m.horizontalAdvance(sgEigen->Cell(c, r)));
    }
    need += 14;  // the cell's padding and grid line
    if (sgEigen->ColWidth(c) < need) sgEigen->SetColWidth(c, need);
  }
}

void TFormQuarnel::cbEigVecSqClick() {
  sgEigen->SetDefaultColWidth(cbEigVecSq->isChecked() ? 100 : 150);
  sgEigen->SetColWidth(0, 80);
  eigenColWidth_ = 0;
  FillEigenGrid();
}

void TFormQuarnel::seNorbChange() {
  const int before = doc_.OrbitalCount();
  doc_.SetOrbitalCount(ReadSpinValue(seNorb, 3));
  if (doc_.OrbitalCount() != before) SetModelModified();
}

void TFormQuarnel::miCopy1Click() {
  QApplication::clipboard()->setPixmap(centralWidget()->grab());
}

void TFormQuarnel::miShowJacobi1Click() {
  if (eigen_) eigen_->show();
}

void TFormQuarnel::miShowBand1Click() {
  if (bands_) bands_->show();
}

void TFormQuarnel::KPointModelChanged() {
  if (!firstPaintDone_) return;
  ShowKPointCurrent(false);
  if (cbAutoCalc->isChecked()) kpointRecompute_->start();
}

void TFormQuarnel::ShowKPointCurrent(bool current) {
  kpointStale_ = !current;
  GroupBox2->setTitle(current ? " k point " : " k point: results of an earlier model ");
}
