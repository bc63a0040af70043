// SPDX-License-Identifier: GPL-3.0-or-later
// The top panel of the bands window in one row, or in two below the width one row needs, so
// that the window fits beside the main window on a small screen without squeezing a group;
// narrower still, the two rows scroll sideways and the memo gives up width before the charts.

#include <QApplication>
#include <QBoxLayout>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QScrollArea>
#include <QStyle>
#include <algorithm>

#include "bandwindows/band_window.h"
#include "widgets/fixed_font.h"

namespace {
// The band and DOS charts keep at least this width each, the memo (whose lines scroll) this.
constexpr int kNarrowChartWidth = 150;
constexpr int kNarrowMemoWidth = 100;

int ScrollBarExtent() {
  return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}
}  // namespace

void TBandDlg::ArrangePanelRows(bool two) {
  if (panelRow1_->count() > 0 && panelTwoRows_ == two) return;
  panelTwoRows_ = two;
  // The widgets stay children of the panel; only the layout items go.
  for (QBoxLayout* row : {panelRow1_, panelRow2_})
    while (QLayoutItem* item = row->takeAt(0)) delete item;
  // The groups keep their left-to-right order; a second row starts with the run controls.
  for (QWidget* w : {GroupBox1, GroupBox2, GroupBox5}) panelRow1_->addWidget(w);
  QBoxLayout* tail = two ? panelRow2_ : panelRow1_;
  if (two) panelRow1_->addStretch(1);
  for (QWidget* w : {GroupBox3, GroupBox4}) tail->addWidget(w);
  tail->addStretch(1);
  tail->addWidget(panelButtons_);
  panelRows_->invalidate();
}

int TBandDlg::PanelHeight() const {
  if (!panelTwoRows_) return kPanelHeight;
  return kPanelHeight + panelRow2_->minimumSize().height() + panelRows_->spacing();
}

int TBandDlg::TopHeight() const {
  // Rows wider than the window scroll, with the scroll bar below them.
  const bool scrolls = panelRows_->minimumSize().width() > width();
  return PanelHeight() + (scrolls ? ScrollBarExtent() : 0);
}

int TBandDlg::MemoWidth(int w) const {
  if (!panelTwoRows_) return kMemo1Width;
  // Narrow: a path line of four three-digit numbers and the scroll bar, or what the two charts
  // leave at their narrowest.
  const QFontMetrics m(FixedPitchFont());
  const int fit =
      std::min(kMemo1Width, m.horizontalAdvance(QString(20, '0')) + ScrollBarExtent() + 12);
  return std::max(kNarrowMemoWidth, std::min(fit, w - 4 - 2 * kNarrowChartWidth));
}

int TBandDlg::DosChartWidth(int w) const {
  if (!panelTwoRows_) return kChart2Width;
  return std::max(0, std::min(kChart2Width, (w - MemoWidth(w) - 4) / 2));
}

void TBandDlg::MeasurePanelRows() {
  // Arranged afresh: the panel was built with its groups in the first row only.
  ArrangePanelRows(true);
  // Two rows: the width at which the panel needs no scrolling, which the start placement gives
  // the window when the screen allows.
  setProperty("fitWidth", panelRows_->minimumSize().width());
  ArrangePanelRows(false);
  oneRowWidth_ = panelRows_->minimumSize().width();
  // The panel scrolls: only the charts and the memo bound the window's width.
  narrowestWidth_ = 2 * kNarrowChartWidth + 4 + kNarrowMemoWidth;
}
