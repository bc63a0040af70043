// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/model_document.h"

#include <algorithm>

#include "document/undo_commands.h"
#include "model/lattice_reader.h"
#include "model/lattice_writer.h"
#include "model/model_form.h"
#include "model/model_reader.h"
#include "model/model_writer.h"
#include "numeric/kpoint_calc.h"
#include "numeric/lattice_run_model.h"

namespace {

// A name for a new orbital of the lattice form that no other orbital has.
std::string NewLatticeOrbitalName(const quarnel::LatticeModel& m, int index) {
  for (int k = index;; ++k) {
    const std::string name = "orb" + std::to_string(k);
    if (quarnel::FindLatticeOrbital(m, name) < 0) return name;
  }
}

// n orbitals: new ones get a free name and stand along a1; hops of removed orbitals go.
void ResizeLattice(quarnel::LatticeModel& m, int n) {
  const int before = m.Orbitals();
  if (n < before) {
    m.orbitals.resize(static_cast<std::size_t>(n));
    m.hops.erase(std::remove_if(m.hops.begin(), m.hops.end(),
                                [n](const quarnel::LatticeHop& h) { return h.i >= n || h.j >= n; }),
                 m.hops.end());
  }
  for (int k = before; k < n; ++k) {
    quarnel::LatticeOrbital o;
    o.name = NewLatticeOrbitalName(m, k + 1);
    o.pos[0] = static_cast<double>(k) / n;
    m.orbitals.push_back(o);
  }
}

}  // namespace

ModelDocument::ModelDocument(QObject* parent)
    : QObject(parent),
      model_(std::make_unique<quarnel::ModelData>()),
      lattice_(std::make_shared<quarnel::LatticeModel>()),
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
  form_ = model_->BetaTyp;
  quarnel::NormalizeModel(*model_);
  RebuildRun();
  emit ModelReplaced();
}

void ModelDocument::MirrorLattice() {
  const quarnel::LatticeModel& l = *lattice_;
  quarnel::ModelData& m = *model_;
  quarnel::ClearModelTables(m);
  m.BetaTyp = quarnel::kLatticeForm;
  m.NOrb = l.Orbitals();
  for (int i = 1; i <= m.NOrb; ++i) {
    const quarnel::LatticeOrbital& o = l.orbitals[static_cast<std::size_t>(i - 1)];
    m.OrbName[i] = o.name;
    m.OrbPlotKind[i] = o.kind;
    m.Alpha(i) = o.energy;
  }
  m.FillElectrons = l.FillElectrons;
  m.FillSpin = l.FillSpin;
  m.HeaderText = l.HeaderText;
  m.ModelFileName = l.ModelFileName;
}

void ModelDocument::RebuildRun() {
  if (form_ == quarnel::kLatticeForm) {
    // The run model keeps its copy: a lattice edited later never changes a run under way.
    run_ = std::make_unique<quarnel::LatticeRunModel>(
        std::make_shared<const quarnel::LatticeModel>(*lattice_));
  } else {
    run_ = std::make_unique<quarnel::TableModel>(*model_);
  }
}

quarnel::ModelSnapshot ModelDocument::Snapshot() const {
  quarnel::ModelSnapshot s;
  s.form = form_;
  s.tables = *model_;
  if (form_ == quarnel::kLatticeForm) s.lattice = *lattice_;
  return s;
}

void ModelDocument::RestoreSnapshot(const quarnel::ModelSnapshot& snapshot) {
  if (snapshot.form != quarnel::kLatticeForm) {
    RestoreModel(snapshot.tables);
    return;
  }
  const std::string fileName = model_->ModelFileName;
  form_ = quarnel::kLatticeForm;
  *lattice_ = snapshot.lattice;
  lattice_->ModelFileName = fileName;
  MirrorLattice();
  RebuildRun();
  emit ModelReplaced();
}

std::string ModelDocument::ModelFileText() const {
  return form_ == quarnel::kLatticeForm ? quarnel::FormatLatticeFile(*lattice_)
                                        : quarnel::FormatModelFile(*model_);
}

void ModelDocument::ReplaceLattice(const quarnel::LatticeModel& model) {
  form_ = quarnel::kLatticeForm;
  *lattice_ = model;
  MirrorLattice();
  RebuildRun();
  history_->Reset();
  SetModified(false);
  emit ModelReplaced();
}

void ModelDocument::EditLattice(const quarnel::LatticeModel& model) {
  if (form_ != quarnel::kLatticeForm) return;
  const std::string fileName = lattice_->ModelFileName;
  *lattice_ = model;
  lattice_->ModelFileName = fileName;
  MirrorLattice();
  RebuildRun();
  emit LatticeEdited();
}

void ModelDocument::SetHeaderText(const std::string& bytes) {
  model_->HeaderText = bytes;
  if (form_ == quarnel::kLatticeForm) lattice_->HeaderText = bytes;
}

ModelDocument::~ModelDocument() = default;

void ModelDocument::ReplaceModel(const quarnel::ModelData& model) {
  *model_ = model;
  form_ = model_->BetaTyp;
  quarnel::NormalizeModel(*model_);
  RebuildRun();
  history_->Reset();
  SetModified(false);
  emit ModelReplaced();
}

void ModelDocument::ClearModel(int form) {
  if (form == 1 || form == 2 || form == quarnel::kLatticeForm) form_ = form;
  if (form_ == quarnel::kLatticeForm) {
    // A new crystal: the unit cell, orbitals of the names shown before, no hops.
    quarnel::LatticeModel fresh;
    for (int i = 1; i <= 3; ++i) {
      quarnel::LatticeOrbital o;
      const std::string& name = model_->OrbName[i];
      const bool usable = !name.empty() && name.find_first_of("= \t") == std::string::npos &&
                          name[0] != '_' && quarnel::FindLatticeOrbital(fresh, name) < 0;
      o.name = usable ? name : NewLatticeOrbitalName(fresh, i);
      o.pos[0] = (i - 1) / 3.0;
      fresh.orbitals.push_back(o);
    }
    *lattice_ = fresh;
    MirrorLattice();
    RebuildRun();
    SetModified(false);
    emit ModelCleared();
    emit OrbitalCountChanged(3, 3);
    history_->Reset();
    SetModified(false);
    return;
  }
  model_->BetaTyp = form_;
  RebuildRun();
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
  // The command line's form applies to the tables; a lattice model is chosen by its file.
  if (betaTyp != 1 && betaTyp != 2) return;
  model_->BetaTyp = betaTyp;
  if (form_ != quarnel::kLatticeForm) form_ = betaTyp;
}

void ModelDocument::SetOrbitalCount(int n) {
  if (n < 1) return;
  n = std::min(n, quarnel::kMaxOrb);
  const int before = model_->NOrb;
  if (form_ == quarnel::kLatticeForm) {
    if (n == before) return;
    ResizeLattice(*lattice_, n);
    MirrorLattice();
    RebuildRun();
    emit OrbitalCountChanged(n, before);
    return;
  }
  model_->NOrb = n;
  quarnel::NormalizeModel(*model_);
  emit OrbitalCountChanged(n, before);
}

void ModelDocument::SetFilling(double electrons, int spin) {
  model_->FillElectrons = electrons;
  model_->FillSpin = spin == 1 ? 1 : 2;
  if (form_ == quarnel::kLatticeForm) {
    lattice_->FillElectrons = model_->FillElectrons;
    lattice_->FillSpin = model_->FillSpin;
    RebuildRun();
  }
  emit FillingChanged();
}

int ModelDocument::ReadFile(const std::string& name, bool recovered) {
  // The core reads into a copy, so that a file that cannot be opened changes nothing.
  if (quarnel::ModelFormOfFile(name) == quarnel::kLatticeForm) {
    quarnel::LatticeModel crystal;
    const int status = quarnel::ReadLatticeFile(crystal, messages_, name);
    if (recovered) crystal.ModelFileName.clear();
    if (status == 0) ReplaceLattice(crystal);
    return status;
  }
  static quarnel::ModelData read;
  read = *model_;
  // A table file after a lattice model: the tables of the form the file has, names kept.
  if (form_ == quarnel::kLatticeForm) {
    quarnel::ClearModelTables(read);
    read.BetaTyp = 2;
  }
  // A file is read in its own form, whatever the form of the model now open.
  const int status = quarnel::ReadModelFileInItsForm(read, messages_, name);
  if (recovered) read.ModelFileName.clear();
  if (status == 0) ReplaceModel(read);
  return status;
}

int ModelDocument::WriteFile(const std::string& name) {
  int status = 0;
  if (form_ == quarnel::kLatticeForm) {
    status = quarnel::WriteLatticeFile(*lattice_, messages_, name);
    MirrorLattice();
  } else {
    status = quarnel::WriteModelFile(*model_, messages_, name);
  }
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
