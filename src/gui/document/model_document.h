// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The model document: the program's one model with its file name, modified flag and filling, the
// k point last computed with its H(k) and solver, the state of a run and the pending messages.
// Views read it and listen to it; it changes only through its operations, which normalise the
// model in one place, and its signals say what changed.

#include <QObject>
#include <memory>
#include <string>

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

  // The model of the run.
  const quarnel::ModelData& Model() const { return *model_; }
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
  // New: the tables emptied, three orbitals, no header and no file name.
  void ClearModel();
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
  void SetHeaderText(const std::string& bytes) { model_->HeaderText = bytes; }
  // Electrons per cell and the spin degeneracy (1 or 2).
  void SetFilling(double electrons, int spin);
  // Reads a model file and makes it the model; on failure (non-zero) the model stays as it was
  // and the messages say why.
  int ReadFile(const std::string& name);
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
  std::unique_ptr<quarnel::ModelData> model_;
  std::unique_ptr<quarnel::TableModel> run_;  // refers to *model_
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
