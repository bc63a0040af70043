// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/model_document.h"

#include <algorithm>

#include "model/lattice_model.h"
#include "document/undo_commands.h"
#include "model/model_form.h"
#include "model/model_reader.h"
#include "model/model_writer.h"
#include "numeric/kpoint_calc.h"

namespace {

const char* const kLatticeFileInWindows =
    ": a model of the lattice form (.qrl). The windows do not edit this form yet; open it with "
    "quarnel-cli (eig, bands, dos, map, chern, berry, ribbon, export).";

}  // namespace

ModelDocument::ModelDocument(QObject* parent)
    : QObject(parent),
      model_(std::make_unique<quarnel::ModelData>()),
      run_(std::make_unique<quarnel::TableModel>(*model_)),
      solver_(std::make_unique<quarnel::JacobiSolver>()) {
  quarnel::ClearModelTables(*model_);
  history_ = std::make_unique<ModelHistory>(*this);
}

void ModelDocument::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  emit ModifiedChanged(modified);
}

void ModelDocument::RestoreModel(const quarnel::ModelData& model) {
  const std::string fileName = model_->ModelFileName;
  *model_ = model;
  model_->ModelFileName = fileName;
  quarnel::NormalizeModel(*model_);
  emit ModelReplaced();
}

ModelDocument::~ModelDocument() = default;

void ModelDocument::ReplaceModel(const quarnel::ModelData& model) {
  *model_ = model;
  quarnel::NormalizeModel(*model_);
  history_->Reset();
  SetModified(false);
  emit ModelReplaced();
}

void ModelDocument::ClearModel() {
  // The tables, the header and the file name: a new model proposes "untitled", never the old
  // file. Orbital names stay for the next model of as many orbitals.
  quarnel::ClearModelTables(*model_);
  model_->HeaderText.clear();
  model_->ModelFileName.clear();
  SetModified(false);
  emit ModelCleared();
  SetOrbitalCount(3);
  history_->Reset();
  SetModified(false);
}

void ModelDocument::SetForm(int betaTyp) {
  if (betaTyp == 1 || betaTyp == 2) model_->BetaTyp = betaTyp;
}

void ModelDocument::SetOrbitalCount(int n) {
  if (n < 1) return;
  n = std::min(n, quarnel::kMaxOrb);
  const int before = model_->NOrb;
  model_->NOrb = n;
  quarnel::NormalizeModel(*model_);
  emit OrbitalCountChanged(n, before);
}

void ModelDocument::SetFilling(double electrons, int spin) {
  model_->FillElectrons = electrons;
  model_->FillSpin = spin == 1 ? 1 : 2;
  emit FillingChanged();
}

int ModelDocument::ReadFile(const std::string& name) {
  // The windows edit the table forms only; read as one of them, a lattice file would be garbage.
  if (quarnel::ModelFormOfFile(name) == quarnel::kLatticeForm) {
    quarnel::AddPendingMessage(messages_, name + kLatticeFileInWindows);
    return -1;
  }
  // The core reads into a copy, so that a file that cannot be opened changes nothing.
  static quarnel::ModelData read;
  read = *model_;
  // A file is read in its own form, whatever the form of the model now open.
  const int status = quarnel::ReadModelFileInItsForm(read, messages_, name);
  if (status == 0) ReplaceModel(read);
  return status;
}

int ModelDocument::WriteFile(const std::string& name) {
  const int status = quarnel::WriteModelFile(*model_, messages_, name);
  if (status == 0) {
    history_->MarkClean();
    SetModified(false);
  }
  return status;
}

void ModelDocument::ComputeKPoint(int nx, int ny, int nz, int div) {
  if (model_->NOrb == 0) return;
  lastNumerators_ = {nx, ny, nz, div};
  lastKpoint_ = quarnel::KPointFromNumerators(div, nx, ny, nz);
  const quarnel::KPoint& k = lastKpoint_;
  quarnel::SpoctiKpoint(*run_, k, hamK_, *solver_);
  lastAngle_ = quarnel::SpoctiEigen(*run_, *solver_);
  emit KPointComputed();
}

void ModelDocument::StartRun(bool dos) {
  running_ = true;
  dos_ = dos;
  paused_ = false;
  stop_ = false;
  emit RunStarted(dos);
}

void ModelDocument::EndRun() {
  running_ = false;
  paused_ = false;
  emit RunEnded(dos_);
}

void ModelDocument::SetPaused(bool paused) {
  paused_ = paused;
  emit RunPaused(paused);
}

void ModelDocument::RequestStop() {
  stop_ = true;
}

void ModelDocument::BeginLiveMove(bool rescale) {
  emit LiveMoveStarted(rescale);
}

void ModelDocument::SetLiveRescale(bool rescale) {
  emit LiveRescaleChanged(rescale);
}

void ModelDocument::EndLiveMove() {
  emit LiveMoveEnded();
}
