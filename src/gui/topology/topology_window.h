// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Topology window of a lattice-form model: the Wannier-centre flow with the Chern and Z2
// numbers, the Berry curvature over the Brillouin zone, and the ribbon bands or a finite piece's
// levels with |psi|^2 of a chosen level. It takes the model by SetModel (several calls within one
// turn of the event loop give one recompute), computes on a worker thread from its own copy, and
// never edits the model.

#include <QWidget>
#include <memory>

#include "model/lattice_model.h"
#include "topology/topology_charts.h"
#include "topology/topology_results.h"

class QComboBox;
class QCustomPlot;
class QLabel;
class QProgressBar;
class QSpinBox;
class QTabWidget;
class QTimer;
class OpenPieceView;

class TopologyWindow : public QWidget {
  Q_OBJECT
 public:
  explicit TopologyWindow(QWidget* parent = nullptr);
  ~TopologyWindow() override;

  void SetModel(const quarnel::LatticeModel& m);
  // For a model of another form: one sentence, empty charts.
  void ShowNotLattice();

  // For tests: the recomputes started (coalesced SetModel calls count once), and whether one is
  // still waiting or running.
  int RecomputeCount() const { return recomputes_; }
  bool Busy() const;
  // The level of the finite piece whose |psi|^2 is shown (0-based, -1 none).
  int SelectedLevel() const { return selected_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Job;
  QWidget* BuildFlowPage();
  QWidget* BuildCurvaturePage();
  QWidget* BuildRibbonPage();
  void FillOpenChoices();
  void OpenChanged();
  void Request();
  void Recompute();
  void StartJob();
  void Poll();
  void Show();
  void ShowRibbon();
  void SelectLevel(int level);
  void ClearCharts();
  TopologyRequest CurrentRequest() const;

  quarnel::LatticeModel model_;  // the latest model given
  quarnel::LatticeModel shown_;  // the model of the results shown
  bool hasModel_ = false;
  TopologyResults results_;
  std::unique_ptr<Job> job_;
  bool pending_ = false;
  int recomputes_ = 0;
  int selected_ = -1;
  int ribbonCells_ = kDefaultRibbonCells, finiteCells_ = 0;  // 0: as the dimension suggests

  QTimer* request_;
  QTimer* poll_;
  QLabel* message_;
  QSpinBox* occupied_;
  QSpinBox* grid_;
  QProgressBar* progress_;
  QTabWidget* tabs_;
  QLabel* chernText_;
  QLabel* z2Text_;
  QCustomPlot* flowChart_;
  QLabel* curvatureText_;
  QCustomPlot* curvaturePlot_;
  CurvatureChart curvature_;
  QComboBox* open_;
  QSpinBox* cells_;
  QLabel* ribbonText_;
  QCustomPlot* bandChart_;
  OpenPieceView* piece_;
};
