// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The model document: the program's one model with its file name, modified flag and filling, the
// k point last computed with its H(k) and solver, the state of a run and the pending messages.
// Views read it and listen to it; it changes only through its operations, which normalise the
// model in one place, and its signals say what changed.

#include <QObject>
#include <memory>
#include <string>

#include "model/lattice_model.h"
#include "model/model_data.h"
#include "numeric/hamiltonian.h"
#include "numeric/jacobi_solver.h"
#include "numeric/run_model.h"
#include "support/pending_messages.h"

class ModelHistory;

// Where the program finds its manual and its helpers, located once at start-up.
struct ProgramPlaces {
  std::string BaseDir;
  std::string ProgramDir;
  // Where a package installs the manual: share/quarnel/Quarnel beside the program's bin folder.
  std::string InstalledManualDir;
  std::string PdfViewerPath;
};

namespace quarnel {
// The whole model as one step of the history keeps it: the form and the model of that form.
struct ModelSnapshot {
  int form = 2;
  ModelData tables;
  LatticeModel lattice;
};

// A k point as the k-point controls write it: numerators over a divisor.
struct KPointNumerators {
  int nx = 0, ny = 0, nz = 0, div = 10;
};
}  // namespace quarnel

class ModelDocument : public QObject {
  Q_OBJECT
 public:
  explicit ModelDocument(QObject* parent = nullptr);
  ~ModelDocument() override;

  // The model's form: 1 or 2 (the tables) or quarnel::kLatticeForm.
  int Form() const { return form_; }
  bool IsLattice() const { return form_ == quarnel::kLatticeForm; }
  // The model of the run as the tables. For the lattice form they hold what every form shows
  // (orbital count, names, picture kinds and energies, filling, header, file name) and BetaTyp
  // is kLatticeForm; its couplings are in Lattice().
  const quarnel::ModelData& Model() const { return *model_; }
  // The lattice form's model (empty for the other forms).
  const quarnel::LatticeModel& Lattice() const { return *lattice_; }
  // The model as runs read it, whatever its form.
  const quarnel::RunModel& ModelOfRun() const { return *run_; }
  int OrbitalCount() const { return model_->NOrb; }

  // The model differs from what was last read or saved.
  bool Modified() const { return modified_; }
  void SetModified(bool modified = true);
  // Undo and redo of the model's edits; Open and New start a fresh one, Save marks it clean.
  ModelHistory& History() { return *history_; }

  // The model read from a file (normalised); the view shows every orbital and pair.
  void ReplaceModel(const quarnel::ModelData& model);
  // Undo and redo: the model as it was at a step, with the file name it has now.
  void RestoreModel(const quarnel::ModelData& model);
  // The whole model, for undo and redo, and as the file it would be saved to.
  quarnel::ModelSnapshot Snapshot() const;
  void RestoreSnapshot(const quarnel::ModelSnapshot& snapshot);
  std::string ModelFileText() const;
  // New: the tables emptied, three orbitals, no header and no file name; form 0 keeps the form.
  void ClearModel(int form = 0);
  // A lattice-form model read from a file (or recovered): the model now, unmodified.
  void ReplaceLattice(const quarnel::LatticeModel& model);
  // An edit of the lattice-form model (a panel's Apply or a step of a live move).
  void EditLattice(const quarnel::LatticeModel& model);
  // The form chosen on the command line, before any model is read.
  void SetForm(int betaTyp);
  // 1..16 orbitals; the orbitals and pairs then in use are normalised.
  void SetOrbitalCount(int n);
  // An edit of orbital i, or of the pair i < j, followed by the model's invariants for it.
  template <class Edit>
  void EditOrbital(int i, Edit&& edit) {
    edit(*model_);
    quarnel::NormalizeOrbital(*model_, i);
    emit OrbitalChanged(i);
  }
  template <class Edit>
  void EditPair(int i, int j, Edit&& edit) {
    edit(*model_);
    if (model_->BetaTyp == 1 || model_->BetaTyp == 2) quarnel::NormalizePair(*model_, i, j);
    emit PairChanged(i, j);
  }
  // The header line as bytes (kept as read while unedited).
  void SetHeaderText(const std::string& bytes);
  // Electrons per cell and the spin degeneracy (1 or 2).
  void SetFilling(double electrons, int spin);
  // Reads a model file and makes it the model; on failure (non-zero) the model stays as it was
  // and the messages say why.
  // A recovered copy becomes a model without a file, so that Save asks where to put it.
  int ReadFile(const std::string& name, bool recovered = false);
  // Writes the model; on success it is the model's file and no longer modified.
  int WriteFile(const std::string& name);

  // The k point nx/div, ny/div, nz/div: H(k) and its eigen results in the solver, for views
  // to show.
  void ComputeKPoint(int nx, int ny, int nz, int div);
  const quarnel::KPoint& LastKPoint() const { return lastKpoint_; }
  const quarnel::KPointNumerators& LastNumerators() const { return lastNumerators_; }
  // The solver's last angle of the k-point calculation.
  double LastAngle() const { return lastAngle_; }
  const quarnel::HamMatrix& HamK() const { return hamK_; }
  // The workbench steps the solver by hand and opens matrix files into it.
  quarnel::JacobiSolver& Solver() { return *solver_; }
  const quarnel::JacobiSolver& Solver() const { return *solver_; }

  // The run of the bands window: running, paused, asked to stop.
  void StartRun(bool dos);
  void EndRun();
  void SetPaused(bool paused);
  void RequestStop();
  bool Running() const { return running_; }
  bool DosRunning() const { return running_ && dos_; }
  bool Paused() const { return paused_; }
  bool StopRequested() const { return stop_; }

  // A value of the model moving continuously (a panel's slider, wheel or keys): views that
  // follow it redraw with each change; unless rescale they hold their energy axis.
  void BeginLiveMove(bool rescale);
  void SetLiveRescale(bool rescale);
  void EndLiveMove();

  quarnel::PendingMessages& Messages() { return messages_; }
  ProgramPlaces& Places() { return places_; }
  const ProgramPlaces& Places() const { return places_; }

 signals:
  void ModelReplaced();
  void ModifiedChanged(bool modified);
  void ModelCleared();
  // The lattice-form model changed by an edit (EditLattice) or a step of the history.
  void LatticeEdited();
  void OrbitalCountChanged(int n, int before);
  void OrbitalChanged(int i);
  void PairChanged(int i, int j);
  void FillingChanged();
  void KPointComputed();
  void RunStarted(bool dos);
  void RunPaused(bool paused);
  void RunEnded(bool dos);
  void LiveMoveStarted(bool rescale);
  void LiveRescaleChanged(bool rescale);
  void LiveMoveEnded();

 private:
  // The tables of forms 1 and 2, mirrors of the lattice model's shown fields for the lattice form.
  void MirrorLattice();
  // The run model of the form now (a lattice's refers to a copy shared with it).
  void RebuildRun();

  int form_ = 2;
  std::unique_ptr<quarnel::ModelData> model_;
  std::shared_ptr<quarnel::LatticeModel> lattice_;
  std::unique_ptr<quarnel::RunModel> run_;  // refers to *model_ or to a copy of *lattice_
  std::unique_ptr<quarnel::JacobiSolver> solver_;
  std::unique_ptr<ModelHistory> history_;
  quarnel::HamMatrix hamK_ = {};
  quarnel::KPoint lastKpoint_;
  quarnel::KPointNumerators lastNumerators_;
  double lastAngle_ = 0;
  bool modified_ = false;
  bool running_ = false;
  bool dos_ = false;
  bool paused_ = false;
  bool stop_ = false;
  quarnel::PendingMessages messages_;
  ProgramPlaces places_;
};
