// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The special points of a lattice-form model's Bravais lattice, with the standard names
// (Setyawan and Curtarolo 2010: G for Gamma, X, M, K, L, W, U, R, A, H, N, P, ...), placed in
// Cartesian k in the lattice's own frame and mapped into the model's basis, so that every cell
// of the same lattice gets the same points. The two inequivalent hexagonal corners are K and K'.

#include <string>
#include <vector>

#include "bands/kpath.h"
#include "bands/lattice_kinds.h"
#include "model/lattice_model.h"

namespace quarnel {

struct SpecialPoint {
  std::string name;
  double k[3] = {0, 0, 0};  // in the program's k numbers; 0 along directions that are not periodic
};

class SpecialPointNamer {
 public:
  explicit SpecialPointNamer(const LatticeModel& m);

  const LatticeFrame& Frame() const { return frame_; }
  // The tabulated point of each name (one per name, G first).
  const std::vector<SpecialPoint>& Points() const { return points_; }
  const SpecialPoint* Find(const std::string& name) const;

  // The name of k (k numbers) when it falls on a special point, or on one equivalent to it by
  // a reciprocal lattice vector or a symmetry of the lattice (images of K and K' excepted);
  // "" otherwise. Only the periodic directions count.
  std::string Name(const double k[3]) const;

  // A path line's point with the lattice's names: a typed label stays; a point on a special
  // point gets its name; any other gets none.
  void Label(const KPathLine& line, KPathPoint& point) const;

 private:
  LatticeFrame frame_;
  std::vector<SpecialPoint> points_;
  std::vector<SpecialPoint> images_;  // every image, named
};

// The points a band run computes from the lines of a path, named for the model's lattice.
std::vector<KPathPoint> LatticePathPoints(const LatticeModel& m,
                                          const std::vector<std::string>& lines);

}  // namespace quarnel
