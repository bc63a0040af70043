// SPDX-License-Identifier: GPL-3.0-or-later
// The lattice form in the bands window: the crystal picture where the other forms have the
// orbital chart, and the lattice's default k path in the memo when a crystal is opened.

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QStringList>

#include "bands/default_paths.h"
#include "bands/kpath.h"
#include "bandwindows/band_window.h"
#include "document/model_document.h"
#include "widgets/crystal_view.h"
#include "widgets/orbital_view.h"

namespace {

std::vector<std::string> LinesOf(const QString& text) {
  std::vector<std::string> lines;
  for (const QString& line : text.split('\n')) lines.push_back(line.toStdString());
  return lines;
}

}  // namespace

void TBandDlg::BuildCrystalView() {
  crystal_ = new CrystalPictureView(this);
  crystal_->setObjectName("crystalPicture");
  crystal_->hide();
  for (auto signal :
       {&ModelDocument::ModelReplaced, &ModelDocument::ModelCleared, &ModelDocument::LatticeEdited})
    connect(&doc_, signal, this, &TBandDlg::ShowCrystal);
  connect(&doc_, &ModelDocument::OrbitalCountChanged, this, &TBandDlg::ShowCrystal);
  // Opened, new or edited into another lattice (a cell preset, the first hops of a new crystal).
  for (auto signal :
       {&ModelDocument::ModelReplaced, &ModelDocument::ModelCleared, &ModelDocument::LatticeEdited})
    connect(&doc_, signal, this, &TBandDlg::PlaceDefaultPath);
}

void TBandDlg::ShowCrystal() {
  if (doc_.IsLattice()) crystal_->SetModel(doc_.Lattice());
  cbCellsClick();
}

void TBandDlg::PlaceDefaultPath() {
  if (!doc_.IsLattice()) return;
  // Never over a path the user typed or opened: only the start path or an earlier default.
  const std::vector<std::string> memo = LinesOf(Memo1->toPlainText());
  if (!quarnel::MayPlaceDefaultPath(memo, quarnel::StartKPathLines(), lastDefaultPath_)) return;
  const std::vector<std::string> path = quarnel::DefaultKPathLines(doc_.Lattice());
  lastDefaultPath_ = path;
  QStringList lines;
  for (const std::string& line : path) lines << QString::fromStdString(line);
  // Already there, the memo is left alone (its place and selection stay during a live move).
  if (Memo1->toPlainText().trimmed() == lines.join('\n').trimmed()) return;
  Memo1->setPlainText(lines.join('\n'));
}
