// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "k map" window: a colour map over kx, ky in [-1, 1] at one kz of a band's energy, of an
// orbital's weight in that band or of the smoothed density of states at an energy, with the level
// lines of the band at E_F and at a chosen energy. It maps the main window's current model; the
// map is computed on worker threads while the window goes on handling events.

#include <QPointer>
#include <QVector>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "bands/brillouin_zone.h"
#include "bands/contour.h"
#include "bands/kmap.h"

class QCheckBox;
class QComboBox;
class QCPColorMap;
class QCPColorScale;
class QCPAbstractItem;
class QCPCurve;
class QCPGraph;
class QCustomPlot;
class QDoubleSpinBox;
class QLabel;
class QMouseEvent;
class QProgressBar;
class QPushButton;
class QTimer;
class SpinEdit;
class TUnitPomDlg;
class ModelDocument;

class TKMapDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TKMapDlg(ModelDocument& document, QWidget* parent = nullptr);
  ~TKMapDlg() override;

  enum Quantity { kEnergy = 0, kWeight = 1, kDos = 2 };

  // Starts a map of the current model with the window's settings; a map being computed is
  // stopped and its result dropped.
  void Compute();
  // Ends the run in progress; the rows finished are shown.
  void Stop();
  bool Computing() const { return job_ != nullptr; }
  const quarnel::KMapGrid& Grid() const { return grid_; }
  // E_F of the map's plane; false when no filling is set or the map is not complete.
  bool FermiLevel(double& ef) const;
  // The map's file as Save data writes it.
  std::string SaveText() const;
  bool SaveData();
  bool SaveImage();

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Controls, named as the program's documentation names them; each has its name as objectName.
  QComboBox* cbShow;     // what the colours show (Quantity)
  SpinEdit* seBand;      // 1 = the highest
  QComboBox* cbOrbital;  // the weight shown
  QDoubleSpinBox* edKz;
  SpinEdit* seGrid;          // n: (n + 1) x (n + 1) points
  QDoubleSpinBox* edEnergy;  // the second level line and the energy of the DOS
  QCheckBox* cbContour;      // draw the level line at edEnergy
  QDoubleSpinBox* edWidth;   // Gauss width of the DOS
  QPushButton* btnFermi;     // edEnergy := E_F
  QPushButton* btnCompute;
  QPushButton* btnStop;
  QProgressBar* Progress;
  QLabel* Info;
  QCustomPlot* Chart;
  QCPColorMap* Map;
  QCPColorScale* Scale;
  void NameControls();

  struct Job;
  void BuildControls();
  void BuildChart();
  void StartJob();
  void Poll();
  void Redraw();
  void DrawLevel(QCPCurve* curve, const std::vector<double>& energy, double level, bool on);
  // The map's values drawn over its plane: the square of k numbers, or for a crystal its first
  // Brillouin zone in Cartesian k (kmap_zone.cpp).
  void ShowPlane(const std::vector<double>& value);
  // A line of the map (k numbers) appended to a curve's points, ended by a NaN point; for a
  // crystal, each periodic image of it within the zone.
  void PlaceLine(const std::vector<quarnel::ContourPoint>& line, QVector<double>& t,
                 QVector<double>& x, QVector<double>& y) const;
  void ChartDblClick(QMouseEvent* event);
  // Save data and Save image of the chart menu act on this window's chart when it asked.
  void ConnectMenu();
  // A few numbers that change with any change of the model the map depends on.
  std::vector<double> ModelPrint() const;
  void RefreshOrbitals();

  ModelDocument& doc_;
  std::unique_ptr<Job> job_;
  bool pending_ = false;  // a new map was asked for while one was being computed
  quarnel::KMapGrid grid_;
  std::vector<double> gridPrint_;  // ModelPrint() of the model of grid_
  std::string modelFile_;
  int modelForm_ = 2;
  std::vector<std::string> names_;      // of the orbital list
  std::vector<std::string> gridNames_;  // of the model of grid_
  quarnel::FillingResult filling_;
  std::shared_ptr<const quarnel::LatticeModel> lattice_;  // the crystal of grid_, if one
  quarnel::ZoneSlice zone_;
  QCPCurve* zoneLine_ = nullptr;
  QCPGraph* squarePoints_ = nullptr;
  std::vector<QCPAbstractItem*> squareMarks_;
  double electrons_ = 0;
  QTimer* poll_;
  QTimer* request_;  // settings typed in quick succession give one new map
  QCPCurve* fermiLine_;
  QCPCurve* energyLine_;
  QPointer<TUnitPomDlg> menuHolder_;  // whose Save items are connected
};

// Shows the k map window of owner, creating it the first time.
TKMapDlg* ShowKMapWindow(QWidget* owner, ModelDocument& document);
