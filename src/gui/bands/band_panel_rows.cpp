// SPDX-License-Identifier: GPL-3.0-or-later
// The top panel of the bands window in one row, or in two below the width one row needs, so
// that the window fits beside the main window on a small screen without squeezing a group.

#include <QApplication>
#include <QBoxLayout>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QStyle>
#include <algorithm>

#include "bands/band_window.h"
#include "widgets/fixed_font.h"

namespace {
constexpr int kNarrowChartWidth = 180;
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

int TBandDlg::MemoWidth() const {
  if (!panelTwoRows_) return kMemo1Width;
  // Narrow: a path line of four three-digit numbers and the scroll bar.
  const QFontMetrics m(FixedPitchFont());
  const int bar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  return std::min(kMemo1Width, m.horizontalAdvance(QString(20, '0')) + bar + 12);
}

int TBandDlg::DosChartWidth(int w) const {
  if (!panelTwoRows_) return kChart2Width;
  return std::max(0, std::min(kChart2Width, (w - MemoWidth() - 4) / 2));
}

void TBandDlg::MeasurePanelRows() {
  ArrangePanelRows(true);
  const int twoRows = panelRows_->minimumSize().width();
  const int narrowMemo = MemoWidth();
  ArrangePanelRows(false);
  oneRowWidth_ = panelRows_->minimumSize().width();
  // The band and DOS charts keep at least kNarrowChartWidth each.
  narrowestWidth_ = std::max(twoRows, 2 * kNarrowChartWidth + 4 + narrowMemo);
}
