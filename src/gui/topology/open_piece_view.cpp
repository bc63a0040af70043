// SPDX-License-Identifier: GPL-3.0-or-later
#include "topology/open_piece_view.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "widgets/series_colors.h"

namespace {

constexpr int kMargin = 22;            // pixels around the sites
constexpr int kCaptionHeight = 36;     // pixels under the picture: two lines
constexpr double kMaxDiscRadius = 14;  // pixels, the largest weight
// Bonds: every nonzero entry of H above this (the piece's matrix at k = 0).
constexpr double kBondAmplitude = 1e-12;

}  // namespace

OpenPieceView::OpenPieceView(QWidget* parent) : QWidget(parent) {
  setObjectName("OpenPieceView");
  setMinimumSize(220, 140);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
}

void OpenPieceView::Clear() {
  x_.clear();
  y_.clear();
  orbital_.clear();
  bonds_.clear();
  density_.clear();
  caption_.clear();
  update();
}

void OpenPieceView::SetPiece(const quarnel::LatticeModel& m,
                             std::shared_ptr<const quarnel::OpenHamiltonian> h) {
  Clear();
  if (!h || h->Orbitals() < 1) return;
  const int S = h->States();
  x0_ = y0_ = std::numeric_limits<double>::infinity();
  x1_ = y1_ = -std::numeric_limits<double>::infinity();
  for (int s = 0; s < S; ++s) {
    double xyz[3];
    quarnel::SitePosition(m, *h, s, xyz);
    x_.push_back(xyz[0]);
    y_.push_back(xyz[1]);
    orbital_.push_back(s % h->Orbitals());
    x0_ = std::min(x0_, xyz[0]), x1_ = std::max(x1_, xyz[0]);
    y0_ = std::min(y0_, xyz[1]), y1_ = std::max(y1_, xyz[1]);
  }
  // The bonds are the piece's own hops: whatever its matrix links, nothing guessed from distances.
  std::vector<std::complex<double>> H;
  const double k[3] = {0, 0, 0};
  h->Fill(k, H);
  for (int a = 0; a < S; ++a)
    for (int b = a + 1; b < S; ++b)
      if (std::abs(H[static_cast<std::size_t>(a) * S + b]) > kBondAmplitude)
        bonds_.push_back({a, b});
  update();
}

void OpenPieceView::SetDensity(const std::vector<double>& density, const QString& caption) {
  density_ = density.size() == x_.size() ? density : std::vector<double>();
  caption_ = caption;
  update();
}

QPointF OpenPieceView::SitePoint(int site) const {
  const double w = std::max(1, width() - 2 * kMargin);
  const double h = std::max(1, height() - 2 * kMargin - kCaptionHeight);
  // A chain sits low, under its bars.
  const double baseline = y1_ - y0_ < 1e-9 ? 0.75 : 0.5;
  const double dx = std::max(x1_ - x0_, 1e-9), dy = std::max(y1_ - y0_, 1e-9);
  const double scale = std::min(w / dx, h / dy);
  const double cx = (x0_ + x1_) / 2, cy = (y0_ + y1_) / 2;
  return {width() / 2.0 + scale * (x_[site] - cx),
          (height() - kCaptionHeight) * baseline - scale * (y_[site] - cy)};
}

void OpenPieceView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  if (x_.empty()) return;
  painter.setPen(QPen(QColor(200, 200, 210), 1));
  for (const auto& [a, b] : bonds_) painter.drawLine(SitePoint(a), SitePoint(b));
  const double top = density_.empty() ? 0 : *std::max_element(density_.begin(), density_.end());
  // Small pieces get larger discs, but neighbouring discs of equal weight never overlap much.
  double spacing = std::numeric_limits<double>::infinity();
  for (const auto& [a, b] : bonds_) {
    const QPointF d = SitePoint(a) - SitePoint(b);
    spacing = std::min(spacing, std::hypot(d.x(), d.y()));
  }
  const double rMax =
      std::clamp(std::isfinite(spacing) ? 0.6 * spacing : kMaxDiscRadius, 2.5, kMaxDiscRadius);
  // A straight chain: |psi|^2 as bars standing on the sites, easier to read than discs as small
  // as the sites are close.
  const bool bars = y1_ - y0_ < 1e-9;
  const double barHeight = 0.4 * (height() - kCaptionHeight);
  for (std::size_t s = 0; s < x_.size(); ++s) {
    const QPointF c = SitePoint(static_cast<int>(s));
    if (bars && top > 0) {
      const double h = barHeight * std::max(0.0, density_[s]) / top;
      painter.fillRect(QRectF(c.x() - 1.5, c.y() - h, 3, h), QColor(200, 50, 30));
    }
    painter.setPen(QPen(SeriesColors[(orbital_[s] + 1) % 20], 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(c, 2.0, 2.0);
    if (top <= 0 || bars) continue;
    const double r = rMax * std::sqrt(std::max(0.0, density_[s]) / top);
    if (r < 0.4) continue;
    painter.setPen(QPen(QColor(120, 20, 20), 1));
    painter.setBrush(QColor(220, 60, 40, 200));
    painter.drawEllipse(c, r, r);
  }
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(QRectF(6, height() - kCaptionHeight, width() - 12, kCaptionHeight - 2),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                   caption_.isEmpty() || density_.empty()
                       ? caption_
                       : caption_ + (bars ? "   (bar height \xE2\x88\x9D |\xCF\x88|\xC2\xB2)"
                                          : "   (disc area \xE2\x88\x9D |\xCF\x88|\xC2\xB2)"));
}
