// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric/run_model.h"

namespace quarnel {

std::size_t KGridShape::Points() const {
  std::size_t points = 1;
  for (int d = 1; d <= 3; ++d) points *= static_cast<std::size_t>(count[d] > 0 ? count[d] : 0);
  return points;
}

KPoint KGridShape::Point(std::size_t index) const {
  KPoint kp;
  for (int d = 1; d <= 3; ++d) {
    const std::size_t c = count[d] > 0 ? static_cast<std::size_t>(count[d]) : 1;
    const int i = static_cast<int>(index % c);
    index /= c;
    // The numerator is an integer, so the octant grid's points are those of KPointFromNumerators.
    kp.k[d] = divisor[d] > 0 ? static_cast<double>(scale[d] * i) / divisor[d] : 0.0;
  }
  return kp;
}

int KGridShape::Dimensions() const {
  int dims = 0;
  for (int d = 1; d <= 3; ++d) dims += count[d] > 1;
  return dims;
}

std::unique_ptr<RunModel> TableModel::Clone() const {
  auto copy = std::make_shared<const ModelData>(*model_);
  auto clone = std::make_unique<TableModel>(*copy);
  clone->owned_ = std::move(copy);
  return clone;
}

int TableModel::Orbitals() const {
  return model_->NOrb;
}

std::string TableModel::OrbitalName(int i) const {
  return i >= 1 && i <= kMaxOrb ? model_->OrbName[i] : std::string();
}

void TableModel::FillHamK(const KPoint& kp, HamMatrix& HamK) const {
  quarnel::FillHamK(*model_, kp, HamK);
}

KGridShape TableModel::DosGrid(int n) const {
  KGridShape shape;
  for (int d = 1; d <= 3; ++d) {
    shape.count[d] = n + 1;
    shape.scale[d] = 1;
    shape.divisor[d] = n;
  }
  return shape;
}

}  // namespace quarnel
