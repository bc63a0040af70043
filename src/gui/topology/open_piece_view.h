// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture of a finite piece (a chain or a flake cut from a lattice-form model): every site at
// its Cartesian position (x, y), the hops between sites as thin lines, and for the chosen state
// a disc on each site whose area follows |psi|^2 (the largest disc is the state's largest
// weight; a straight chain gets bars of height |psi|^2 instead). Equal x/y scale, fitted to the
// widget.

#include <QWidget>
#include <memory>
#include <vector>

#include "model/lattice_model.h"
#include "topology/open_pieces.h"

class OpenPieceView : public QWidget {
  Q_OBJECT
 public:
  explicit OpenPieceView(QWidget* parent = nullptr);

  // The piece's sites and bonds; the state goes.
  void SetPiece(const quarnel::LatticeModel& m, std::shared_ptr<const quarnel::OpenHamiltonian> h);
  void Clear();
  // |psi|^2 per site (site = cell index * orbitals + orbital) and a line about the state.
  void SetDensity(const std::vector<double>& density, const QString& caption);

  int Sites() const { return static_cast<int>(x_.size()); }
  const std::vector<double>& Density() const { return density_; }
  // The widget point of a site.
  QPointF SitePoint(int site) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<double> x_, y_;
  std::vector<int> orbital_;
  std::vector<std::pair<int, int>> bonds_;
  std::vector<double> density_;
  QString caption_;
  double x0_ = 0, x1_ = 0, y0_ = 0, y1_ = 0;
};
