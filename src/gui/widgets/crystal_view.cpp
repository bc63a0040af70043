// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/crystal_view.h"

#include <QToolTip>

#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/lattice_texts.h"
#include "widgets/series_colors.h"

namespace {

constexpr int kMargin = 24;          // pixels around the picture
constexpr double kSiteRadius = 7;    // pixels, plain crystal
constexpr double kStateRadius = 16;  // pixels, a site of weight 1
constexpr double kClickPixels = 5;   // how near a click must be to a bond

const quarnel::CrystalView kViews3D[] = {quarnel::CrystalView::Oblique,
                                         quarnel::CrystalView::AlongZ, quarnel::CrystalView::AlongY,
                                         quarnel::CrystalView::AlongX};

// The phase as a hue: 0 red, 2 pi / 3 green, -2 pi / 3 blue.
QColor PhaseColour(double phase) {
  double hue = phase / (2 * M_PI);
  hue -= std::floor(hue);
  return QColor::fromHsvF(hue, 0.85, 0.9);
}

QColor OrbitalColour(int orbital) {
  return SeriesColors[(orbital + 1) % 20];
}

}  // namespace

CrystalPictureView::CrystalPictureView(QWidget* parent) : QWidget(parent) {
  setObjectName("CrystalView");
  setMinimumSize(200, 160);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  viewChoice_ = new QComboBox(this);
  viewChoice_->setObjectName("CrystalViewChoice");
  for (quarnel::CrystalView v : kViews3D)
    viewChoice_->addItem(quarnel::CrystalViewName(v), static_cast<int>(v));
  viewChoice_->move(4, 4);
  viewChoice_->hide();
  connect(viewChoice_, &QComboBox::activated, this, [this](int item) {
    SetView(static_cast<quarnel::CrystalView>(viewChoice_->itemData(item).toInt()));
  });
}

void CrystalPictureView::SetModel(const quarnel::LatticeModel& model) {
  const bool sameShape = model.Orbitals() == model_.Orbitals();
  bool before[3], now[3];
  const int dimsBefore = quarnel::PeriodicDirections(model_, before);
  const int dims = quarnel::PeriodicDirections(model, now);
  model_ = model;
  if (dims != dimsBefore) view_ = quarnel::DefaultCrystalView(model_);  // a choice stays
  if (dims == 3 && view_ == quarnel::CrystalView::Plane) view_ = quarnel::CrystalView::Oblique;
  if (dims < 3) view_ = quarnel::CrystalView::Plane;
  viewChoice_->setVisible(dims == 3);
  viewChoice_->setCurrentIndex(std::max(0, viewChoice_->findData(static_cast<int>(view_))));
  if (!sameShape) state_.clear();
  Rebuild();
}

void CrystalPictureView::SetView(quarnel::CrystalView view) {
  view_ = view;
  viewChoice_->setCurrentIndex(std::max(0, viewChoice_->findData(static_cast<int>(view_))));
  Rebuild();
}

void CrystalPictureView::SetState(const double k[3], const std::vector<std::complex<double>>& c,
                                  const QString& caption) {
  for (int d = 0; d < 3; ++d) k_[d] = k[d];
  state_ = c;
  caption_ = caption;
  Rebuild();
}

void CrystalPictureView::ClearState() {
  state_.clear();
  caption_.clear();
  Rebuild();
}

void CrystalPictureView::Rebuild() {
  picture_ = quarnel::BuildCrystalPicture(model_, view_, 1);
  values_.clear();
  if (static_cast<int>(state_.size()) == model_.Orbitals() && !state_.empty())
    values_ = quarnel::BlochSiteValues(model_, picture_, k_, state_);
  Fit();
  update();
}

void CrystalPictureView::Fit() {
  const double w = std::max(1, width() - 2 * kMargin), h = std::max(1, height() - 2 * kMargin);
  const double dx = std::max(picture_.x1 - picture_.x0, 1e-9);
  const double dy = std::max(picture_.y1 - picture_.y0, 1e-9);
  scale_ = std::min(w / dx, h / dy);  // one scale on both axes
  ox_ = width() / 2.0 - scale_ * (picture_.x0 + picture_.x1) / 2;
  oy_ = height() / 2.0 + scale_ * (picture_.y0 + picture_.y1) / 2;
}

QPointF CrystalPictureView::ToWidget(const quarnel::PicturePoint& p) const {
  return {ox_ + scale_ * p.x, oy_ - scale_ * p.y};
}

quarnel::PicturePoint CrystalPictureView::FromWidget(const QPointF& p) const {
  return {(p.x() - ox_) / scale_, (oy_ - p.y()) / scale_};
}

void CrystalPictureView::resizeEvent(QResizeEvent*) {
  Fit();
}

void CrystalPictureView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const quarnel::CrystalEdge& e : picture_.edges) {
    QPen pen(e.home ? QColor(60, 60, 60) : QColor(200, 200, 200), e.home ? 1.5 : 1);
    painter.setPen(pen);
    painter.drawLine(ToWidget(e.from), ToWidget(e.to));
  }
  for (const quarnel::CrystalBond& b : picture_.bonds) {
    QPen pen(QColor(90, 90, 140), b.width, b.dashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(ToWidget(b.from), ToWidget(b.to));
  }
  for (std::size_t s = 0; s < picture_.sites.size(); ++s) {
    const quarnel::CrystalSite& site = picture_.sites[s];
    const QPointF c = ToWidget(site.at);
    if (values_.empty()) {
      painter.setPen(QPen(Qt::black, 1));
      painter.setBrush(OrbitalColour(site.orbital));
      painter.drawEllipse(c, kSiteRadius, kSiteRadius);
    } else {
      // Disc area follows the weight; a faint ring marks the site.
      painter.setPen(QPen(QColor(180, 180, 180), 1));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(c, 3, 3);
      const double r = kStateRadius * std::sqrt(std::clamp(values_[s].weight, 0.0, 1.0));
      if (r > 0.5) {
        painter.setPen(QPen(OrbitalColour(site.orbital), 1.5));
        painter.setBrush(PhaseColour(values_[s].phase));
        painter.drawEllipse(c, r, r);
      }
    }
  }
  painter.setPen(Qt::black);
  QString text = caption_;
  if (!values_.empty())
    text += (text.isEmpty() ? "" : "   ") +
            QString(
                "disc area: |c|\xC2\xB2, colour: phase (red 0, green 2\xCF\x80/3, blue "
                "\xE2\x88\x92"
                "2\xCF\x80/3)");
  painter.drawText(QRectF(4, height() - 20, width() - 8, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   text);
}

void CrystalPictureView::mousePressEvent(QMouseEvent* event) {
  const quarnel::PicturePoint p = FromWidget(event->position());
  // A site wins over the bonds that end at it.
  for (const quarnel::CrystalSite& s : picture_.sites) {
    const QPointF c = ToWidget(s.at);
    if (std::hypot(c.x() - event->position().x(), c.y() - event->position().y()) <= kSiteRadius) {
      emit OrbitalClicked(s.orbital);
      return;
    }
  }
  const int hop = quarnel::BondAt(picture_, p.x, p.y, kClickPixels / scale_);
  if (hop < 0) return;
  // Named where it was clicked, so that "hop to cell (-1, 0)" has a place in the picture.
  const quarnel::LatticeHop& h = model_.hops[static_cast<std::size_t>(hop)];
  QToolTip::showText(event->globalPosition().toPoint(),
                     QString::fromStdString(
                         model_.orbitals[static_cast<std::size_t>(h.i)].name + " \u2192 " +
                         model_.orbitals[static_cast<std::size_t>(h.j)].name + " in cell " +
                         quarnel::CellOffsetText(h.R) + ", t = " + quarnel::HopAmplitudeText(h.t)),
                     this);
  emit HopClicked(hop);
}
