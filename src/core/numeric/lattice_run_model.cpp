// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/lattice_run_model.h"

namespace quarnel {

LatticeRunModel::LatticeRunModel(std::shared_ptr<const LatticeModel> model)
    : model_(std::move(model)), hamiltonian_(*model_) {}

std::unique_ptr<RunModel> LatticeRunModel::Clone() const {
  // The model is never changed through a run model, so a clone may share it.
  return std::make_unique<LatticeRunModel>(*this);
}

std::string LatticeRunModel::OrbitalName(int i) const {
  return i >= 1 && i <= Orbitals() ? model_->orbitals[i - 1].name : std::string();
}

void LatticeRunModel::FillHamK(const KPoint& kp, HamMatrix& HamK) const {
  hamiltonian_.FillPacked(kp, HamK);
}

KGridShape LatticeRunModel::DosGrid(int n) const {
  bool periodic[3];
  PeriodicDirections(*model_, periodic);
  KGridShape shape;
  shape.wraps = true;
  for (int d = 1; d <= 3; ++d) {
    shape.count[d] = periodic[d - 1] ? n : 1;
    shape.scale[d] = 2;
    shape.divisor[d] = n;
  }
  return shape;
}

}  // namespace quarnel
