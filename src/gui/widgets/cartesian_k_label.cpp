// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/cartesian_k_label.h"

#include "model/lattice_texts.h"

CartesianKLabel::CartesianKLabel(QWidget* parent) : QLabel(parent) {
  setObjectName("CartesianK");
  setToolTip("The k point in Cartesian k, in units of 2\xCF\x80 / the cell's length unit");
  hide();
}

void CartesianKLabel::ShowK(const quarnel::LatticeModel* model, const double k[3]) {
  if (!model) {
    hide();
    return;
  }
  setText(QString::fromStdString(quarnel::CartesianKText(*model, k)));
  show();
}
