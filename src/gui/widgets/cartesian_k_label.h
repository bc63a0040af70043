// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Cartesian k of the k point, shown beside the k numbers for a lattice-form model and hidden
// for the other forms, whose k numbers are already Cartesian.

#include <QLabel>

#include "model/lattice_model.h"

class CartesianKLabel : public QLabel {
  Q_OBJECT
 public:
  explicit CartesianKLabel(QWidget* parent = nullptr);
  // model nullptr: another form, the label hides.
  void ShowK(const quarnel::LatticeModel* model, const double k[3]);
};
