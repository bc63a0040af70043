// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture of a lattice-form crystal: the cells around the home cell, the cell outline, each
// orbital at its Cartesian position in its chart colour, and each hop as a bond whose width
// follows |t| (dashed for complex t). With a state set it becomes the eigenvector picture: each
// site's disc has the area of its weight |c_j|^2 and the colour of its Bloch phase.
// A 3-D crystal offers the three axis projections and an oblique view. The picture keeps equal
// x/y scale and fits the widget. A click on a bond names its hop; on a site, its orbital.
// It takes the model by value (SetModel) and the state by slot, so any window can hold one.

#include <QWidget>
#include <complex>
#include <vector>

#include "model/lattice_model.h"
#include "pictures/crystal_picture.h"

class QComboBox;

class CrystalPictureView : public QWidget {
  Q_OBJECT
 public:
  explicit CrystalPictureView(QWidget* parent = nullptr);

  void SetModel(const quarnel::LatticeModel& model);
  const quarnel::LatticeModel& Model() const { return model_; }
  const quarnel::CrystalPicture& Picture() const { return picture_; }
  quarnel::CrystalView View() const { return view_; }
  void SetView(quarnel::CrystalView view);

  // The eigenvector picture of one state at k (k numbers); c per orbital. ClearState goes back
  // to the plain crystal.
  void SetState(const double k[3], const std::vector<std::complex<double>>& c,
                const QString& caption);
  void ClearState();
  bool HasState() const { return !values_.empty(); }

  // The widget point of a picture point, and back (for clicks and tests).
  QPointF ToWidget(const quarnel::PicturePoint& p) const;
  quarnel::PicturePoint FromWidget(const QPointF& p) const;

 signals:
  void HopClicked(int hop);
  void OrbitalClicked(int orbital);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Rebuild();
  void Fit();

  quarnel::LatticeModel model_;
  quarnel::CrystalView view_ = quarnel::CrystalView::Plane;
  quarnel::CrystalPicture picture_;
  std::vector<quarnel::BlochSiteValue> values_;
  double k_[3] = {0, 0, 0};
  std::vector<std::complex<double>> state_;
  QString caption_;
  QComboBox* viewChoice_;
  double scale_ = 1, ox_ = 0, oy_ = 0;  // widget = (ox + scale x, oy - scale y)
};
