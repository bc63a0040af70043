// SPDX-License-Identifier: GPL-3.0-or-later
// The k point group and the eigen results.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

#include "bands/kpath.h"
#include "document/model_document.h"
#include "mainwindow/live_value.h"
#include "mainwindow/main_window.h"
#include "numeric/eigen_texts.h"
#include "numeric/kpoint_calc.h"
#include "widgets/lattice_panels.h"
#include "widgets/orbital_view.h"
#include "widgets/spin_edit.h"
#include "widgets/string_grid.h"

namespace {
// The k-point controls' divisor range.
constexpr int kMinDivisor = 10;
constexpr int kMaxDivisor = 100;
}  // namespace

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
}

void TFormQuarnel::SpoctiKpoint() {
  if (doc_.OrbitalCount() == 0) return;
  int divisor = ReadSpinValue(seKbodDel, 10);
  if (divisor < 1) divisor = 10;
  const int nx = ReadSpinValue(seKbodX, 0);
  const int ny = ReadSpinValue(seKbodY, 0);
  const int nz = ReadSpinValue(seKbodZ, 0);
  doc_.ComputeKPoint(nx, ny, nz, divisor);
}

void TFormQuarnel::SetKPoint(int nx, int ny, int nz, int div) {
  if (div <= 0) return;
  // A grid or path divisor below the controls' range is written as the same fraction with a
  // larger divisor (5 as 10, 7 as 14).
  const int scale = quarnel::DivisorScale(div, kMinDivisor);
  div *= scale, nx *= scale, ny *= scale, nz *= scale;
  // The controls' own point needs no writing (nor its ranges changed).
  if (ReadSpinValue(seKbodDel, 10) == div && ReadSpinValue(seKbodX, 0) == nx &&
      ReadSpinValue(seKbodY, 0) == ny && ReadSpinValue(seKbodZ, 0) == nz)
    return;
  // The writes are made without the edits' change handler: it would only set the numerators'
  // range (done here, wide enough for this point) and, with Auto Calculation, compute each
  // intermediate point.
  const QSignalBlocker b0(seKbodDel), b1(seKbodX), b2(seKbodY), b3(seKbodZ);
  seKbodDel->SetRange(kMinDivisor, std::max(kMaxDivisor, div));
  seKbodDel->SetValue(div);
  const int r = std::max({div, std::abs(nx), std::abs(ny), std::abs(nz)});
  for (SpinEdit* e : {seKbodX, seKbodY, seKbodZ}) e->SetRange(-r, r);
  seKbodX->SetValue(nx);
  seKbodY->SetValue(ny);
  seKbodZ->SetValue(nz);
}

void TFormQuarnel::ShowKPoint() {
  const quarnel::KPointNumerators& k = doc_.LastNumerators();
  SetKPoint(k.nx, k.ny, k.nz, k.div);
  // While a DOS run hides these controls the texts are written once when it ends, not for every
  // k point.
  if (!kpointDisplayOff_) ShowEigenResults();
  if (orbitals_ && orbitals_->Shown()) PlotEigenvectorPicture();
  // Points of a run come one after another: the window system's messages are processed at
  // most once a millisecond, which costs little and keeps the windows just as responsive.
  static QElapsedTimer sinceMessages;
  if (!sinceMessages.isValid() || sinceMessages.nsecsElapsed() >= 1000000) {
    QCoreApplication::processEvents();
    sinceMessages.start();
  }
}

void TFormQuarnel::SetRunLocked(bool locked, bool dos) {
  const bool idle = !locked;
  if (dos) kpointDisplayOff_ = locked;
  for (QWidget* w : {static_cast<QWidget*>(GroupBox2), static_cast<QWidget*>(btnCalcKpoint),
                     static_cast<QWidget*>(btnUpdateAlpha), static_cast<QWidget*>(btnUpdateBeta),
                     static_cast<QWidget*>(btnUpdateBetaGen), static_cast<QWidget*>(seNorb)})
    w->setEnabled(idle);
  // Opening a file or a new model would change the model and clear the charts being filled.
  miOpen1->setEnabled(idle);
  miNew1->setEnabled(idle);
  if (Live) Live->SetEnabled(idle);
  if (latticePanels_) latticePanels_->setEnabled(idle);
  for (QWidget* w : {static_cast<QWidget*>(sgHamMat), static_cast<QWidget*>(Panel1),
                     static_cast<QWidget*>(seKbodX), static_cast<QWidget*>(seKbodY),
                     static_cast<QWidget*>(seKbodZ)})
    w->setVisible(idle);
  if (dos)
    for (QLabel* l : {lbkx, lbky, lbkz}) l->setVisible(idle);
}

void TFormQuarnel::ShowEigenResults() {
  ShowKpointTexts();
  SpoctiEigen();
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
