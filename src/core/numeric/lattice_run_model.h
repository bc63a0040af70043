// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lattice form as the model of a run: H(k) by LatticeHamiltonian, and the DOS grid over the
// whole zone (along each periodic direction the k numbers 2i/n, i = 0..n-1, n^d points, none
// counted twice; directions that are not periodic are not sampled).

#include <memory>

#include "model/lattice_model.h"
#include "numeric/lattice_hamiltonian.h"
#include "numeric/run_model.h"

namespace quarnel {

class LatticeRunModel final : public RunModel {
 public:
  explicit LatticeRunModel(std::shared_ptr<const LatticeModel> model);
  std::unique_ptr<RunModel> Clone() const override;
  int Orbitals() const override { return hamiltonian_.Orbitals(); }
  std::string OrbitalName(int i) const override;
  void FillHamK(const KPoint& kp, HamMatrix& HamK) const override;
  double FillElectrons() const override { return model_->FillElectrons; }
  int FillSpin() const override { return model_->FillSpin; }
  KGridShape DosGrid(int n) const override;

  const LatticeModel& Lattice() const { return *model_; }

 private:
  std::shared_ptr<const LatticeModel> model_;
  LatticeHamiltonian hamiltonian_;
};

}  // namespace quarnel
