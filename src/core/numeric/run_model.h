// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The model of a run, whatever its form. The grid, path, k-map and live-band runs read a model
// only through this interface, so a new form plugs in by implementing it, and no run switches
// on the form.

#include <cstddef>
#include <memory>
#include <string>

#include "model/model_data.h"
#include "numeric/hamiltonian.h"

namespace quarnel {

// The k points of a DOS grid: along direction d (1..3), count[d] points with k numbers
// k_d = scale[d] * i / divisor[d], i = 0..count[d] - 1; direction 1 varies fastest. wraps: the
// points of each sampled direction cover one whole period, so the neighbour of the last point
// is the first (a full-zone grid); otherwise the grid has edges (the octant grid).
struct KGridShape {
  int count[4] = {0, 1, 1, 1};
  int scale[4] = {0, 1, 1, 1};
  int divisor[4] = {0, 1, 1, 1};
  bool wraps = false;

  std::size_t Points() const;
  // Point index, direction 1 fastest.
  KPoint Point(std::size_t index) const;
  // The directions with more than one point.
  int Dimensions() const;
};

class RunModel {
 public:
  virtual ~RunModel() = default;
  // An independent copy, for a run on other threads while the original may change.
  virtual std::unique_ptr<RunModel> Clone() const = 0;
  virtual int Orbitals() const = 0;
  // The name charts and files give orbital i (1..Orbitals()).
  virtual std::string OrbitalName(int i) const = 0;
  // Rows and columns 1..Orbitals() of the packed H(k) (R_ij above, I_ij below the diagonal,
  // H_ij = R_ij - i I_ij); other entries stay.
  virtual void FillHamK(const KPoint& kp, HamMatrix& HamK) const = 0;
  // The filling: electrons per cell (0 = not set) and electrons per band state.
  virtual double FillElectrons() const = 0;
  virtual int FillSpin() const = 0;
  // The grid of the DOS run with divisor n >= 1.
  virtual KGridShape DosGrid(int n) const = 0;
};

// Forms 1 and 2: a view of the tables, which must outlive it (a clone owns a copy).
class TableModel final : public RunModel {
 public:
  explicit TableModel(const ModelData& model) : model_(&model) {}
  std::unique_ptr<RunModel> Clone() const override;
  int Orbitals() const override;
  std::string OrbitalName(int i) const override;
  void FillHamK(const KPoint& kp, HamMatrix& HamK) const override;
  double FillElectrons() const override { return model_->FillElectrons; }
  int FillSpin() const override { return model_->FillSpin; }
  // The octant k = (ix, iy, iz) / n, ix, iy, iz = 0..n.
  KGridShape DosGrid(int n) const override;
  const ModelData& Tables() const { return *model_; }

 private:
  std::shared_ptr<const ModelData> owned_;  // set in a clone
  const ModelData* model_;
};

}  // namespace quarnel
