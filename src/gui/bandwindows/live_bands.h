// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The band chart following the model while a value moves: the memo's path by the fast eigen
// path, the Fermi level of the filling with it, the energy axis held still. Redraws are
// coalesced: a move while one is pending only changes the model the next one reads.

#include <QObject>
#include <QPointer>

class TBandDlg;

class LiveBands : public QObject {
  Q_OBJECT
 public:
  explicit LiveBands(TBandDlg* window);

  // A value starts moving. Unless rescale, the energy axis stays where it is until End.
  void Begin(bool rescale);
  void SetRescale(bool rescale);
  // The model changed: one redraw when the window's events are handled.
  void Request();
  // The value stands: a pending redraw now, then the energy axis automatic again if it was.
  void End();
  // The chart from the model now. False when nothing was drawn: a run is filling the chart, the
  // memo names no point, or the solver failed.
  bool Redraw();

  bool Moving() const { return moving_; }
  // Milliseconds of the last redraw, replot included.
  double LastRedrawMs() const { return lastMs_; }

 private:
  void PrepareSeries(int n);
  void HoldEnergyAxis();
  void MoveFermiLine();

  TBandDlg* w_;
  bool pending_ = false;
  bool moving_ = false;
  bool rescale_ = false;
  bool wasAutomatic_ = false;
  bool held_ = false;
  double lastMs_ = 0;
};
