// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Bands and DOS window: the band chart, the DOS chart, the k-path memo and, over the last
// two, the orbital chart. Created once at start-up; closing it only hides it.

#include <QPointer>
#include <QWidget>
#include <vector>

#include "bands/band_table.h"
#include "bands/csv_export.h"
#include "bands/dos.h"
#include "bands/filling.h"
#include "bands/tetrahedron_dos.h"

class QAction;
class QCheckBox;
class QComboBox;
class QCPAbstractItem;
class QCPGraph;
class QBoxLayout;
class QHBoxLayout;
class QLineEdit;
class QCPAbstractPlottable;
class QMouseEvent;
class QPrinter;
class QCustomPlot;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSlider;
class QStatusBar;
class SpinEdit;

class LiveBands;
class ModelDocument;
class OrbitalView;
class CrystalPictureView;

class TBandDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TBandDlg(ModelDocument& document, QWidget* parent = nullptr);

  static constexpr int kPanelHeight = 80;
  static constexpr int kChart2Width = 255;
  static constexpr int kMemo1Width = 213;
  static constexpr int kStatusPanelCount = 6;

  // Empties the three charts; the orbital chart's axes follow their data again.
  void ClearCharts();
  // Chart3 in place of Chart2 and Memo1 while "Orbitals" is ticked.
  void cbCellsClick();
  void SetPaused(bool paused);
  void btnPauseClick();
  void btnStopClick();
  void btnCopyClick();
  void CancelBtnClick();
  void Chart1BeforeDrawAxes();
  void Chart2BeforeDrawAxes();
  void FormResize();
  // The top panel in two rows (band_panel_rows.cpp) while the window is narrower than
  // OneRowWidth(); the window can be as narrow as NarrowestWidth(). PanelHeight() is the height
  // of the panel's rows, TopHeight() that of the scroll area holding them.
  void ArrangePanelRows(bool two);
  int OneRowWidth() const { return oneRowWidth_; }
  int NarrowestWidth() const { return narrowestWidth_; }
  int PanelHeight() const;
  int TopHeight() const;

  // The path Y - G - X - M - G over divisor 20 that the memo starts with.
  static QString InitialKPath();

  // Runs (band_run.cpp, dos_run.cpp).
  void btnBandClick();
  void btnDOSClick();
  // Idle or running; the DOS variant also hides the main window's k labels.
  void SetRunState(bool idle, bool dos = false);
  bool Running() const { return running_; }
  // Copies the energy range of Chart1 to Chart2 (1) or back (2).
  void SyncEnergyAxis(int from);
  void PrepareBandSeries(int n);
  int AddBandSeries(const QColor& colour);
  int AddWeightSeries(const QColor& colour);
  void PrepareDosSeries(int n);
  int AddDosSeries(const QColor& colour);

  // The k point of every point of the last band run and the memo line it came from, so that a
  // click recomputes exactly that point.
  struct BandPoint {
    int line, nx, ny, nz, div;
  };
  const std::vector<BandPoint>& BandPointsOfRun() const { return BandPoints; }
  // Threads of the DOS run; 0: one per core, as quarnel-cli dos.
  void SetDosThreads(int threads) { DosThreads = threads; }
  // The samples of the last DOS run stay as the run left them until the next one; this is what
  // other code reads (energies and weights per k point). The curves are the DOS chart's.
  const quarnel::DosSamples& DosSamplesOfRun() const { return DosStore; }
  const quarnel::DosCurves& DosCurvesOfRun() const { return DosResult; }
  bool DosByTetrahedra() const { return !DosRun.method.empty(); }
  // The k path as the memo holds it.
  QString KPathText() const;

  // The filling (filling_view.cpp). The filling of the last DOS run and the model's Ne and g.
  const quarnel::FillingResult& FillingOfRun() const { return Filling; }
  // The edits' Ne and g into the model, then everything redrawn.
  void ApplyFillingToModel();
  // The model's filling into the edits (after a file was read or the model cleared).
  void ShowModelFilling();
  // E_F, the gap, the integrated count, the shift and the per-cell curves from the stored samples.
  void RedrawFilling();
  // E_F of the last DOS run; false when the filling is not set or there was no run.
  bool FermiLevel(double& ef) const;
  // The DOS file as the chart shows it: with the filling, shifted and per cell when so ticked.
  std::string DosSaveText() const;

  // k-point files (chart_interaction.cpp).
  void btnOpenKpointsClick();
  void ReadKpointList(const QString& name);
  void ReadKlistBand(const QString& name);
  void ShowKpointLines(const std::vector<std::string>& lines, const QString& name);

  // Chart interaction, print (chart_interaction.cpp).
  void Chart1ClickSeries(QCPAbstractPlottable* series, int index, Qt::MouseButton button);
  void Chart1DblClick(QMouseEvent* event);
  void Chart2DblClick(QMouseEvent* event);
  void btnPrintClick();
  // The window's picture on a printer, scaled to the page.
  void PrintWindow(QPrinter& printer);
  void btnResizeOrbClick();
  void TrackBar1Change();
  // The orbital chart with its cell size, shown state and fit requests, for the pictures drawn
  // in it.
  OrbitalView* Orbitals() const { return orbitals_; }
  // The picture of a lattice-form crystal, shown where the orbital chart is for the other forms.
  CrystalPictureView* Crystal() const { return crystal_; }
  // Height of the weight bars of the band chart (the marker size of the last band run).
  int MarkerSize() const { return markerSize_; }

 signals:
  // The k map was asked for (its button); the program opens it beside the main window.
  void KMapRequested();
  // The Topology window was asked for (its button).
  void TopologyRequested();

 public:
  // Saving a chart (chart_export.cpp): the items after the separator of the chart popup menu.
  void miSaveDataClick();
  void miSaveImageClick();
  // The chart's numbers as CSV, the same file quarnel-cli bands or dos writes. False when
  // nothing was saved (empty chart, cancelled, failed; a failure is shown at once).
  bool SaveChartData(QCustomPlot* chart);
  // The chart's picture as PNG (twice the chart's size), SVG or PDF (the chart's size), by the
  // extension of the chosen name.
  bool SaveChartImage(QCustomPlot* chart);

  // "Save model as Python..." on the memo's context menu (model_script.cpp): the script that
  // quarnel-cli export writes for the model and the memo's path. False when nothing was saved.
  bool SaveModelAsPython();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class LiveBands;
  // The band chart following a model value while it moves (live_bands.cpp).
  LiveBands* Live = nullptr;

  // Controls, named as the program's documentation names them; each has its name as objectName
  // (NameControls), so that tests and the manual reach it by that name.
  // Top panel and its groups, left to right. In a window narrower than the panel's rows the
  // panel scrolls sideways in PanelScroll, so that the window fits a small screen.
  QScrollArea* PanelScroll;
  QFrame* Panel1;
  QGroupBox* GroupBox1;  // " Bands "
  QPushButton* btnBand;
  SpinEdit* SpinEdit2;   // partial-DOS marker size
  QCheckBox* CheckBox1;  // show the weight bars
  QLabel* Label1;        // energy range of Chart1
  QGroupBox* GroupBox2;  // " DOS "
  QPushButton* btnDOS;
  SpinEdit* SpinEdit5;     // Gauss smoothing
  SpinEdit* SpinEdit3;     // k-points per axis
  SpinEdit* SpinEdit4;     // energy intervals
  QComboBox* cbDosMethod;  // "histogram" or "tetrahedra"
  QLabel* Label2;          // energy range of Chart2
  QGroupBox* GroupBox5;    // " Electrons " (filling_view.cpp)
  QLineEdit* edElectrons;
  QComboBox* cbSpin;
  QCheckBox* cbShiftFermi;  // energies as E - E_F
  QCheckBox* cbPerCell;     // densities per energy unit per cell
  QGroupBox* GroupBox3;     // run controls
  QPushButton* btnPause;
  QPushButton* btnStop;
  SpinEdit* SpinEdit1;   // delay between k points
  QGroupBox* GroupBox4;  // " Orbitals "
  QCheckBox* cbCells;
  QCheckBox* cbCellsLabels;
  QPushButton* btnResizeOrb;
  QSlider* TrackBar1;
  QPushButton* btnOpenKpoints;
  QPushButton* btnCopy;
  QPushButton* btnPrint;
  QPushButton* CancelBtn;

  QCustomPlot* Chart1;    // bands
  QCustomPlot* Chart2;    // DOS
  QCustomPlot* Chart3;    // orbital pictures, over Chart2 and Memo1
  QPlainTextEdit* Memo1;  // k path
  QStatusBar* StatusBar1;
  // Right of the panels while a DOS run goes: the rows done and the time left.
  QProgressBar* DosProgress;
  // The panels of StatusBar1; each is also found there by its object name "Panel0".."Panel5".
  QLabel* StatusPanels[kStatusPanelCount];
  // On the memo's context menu (model_script.cpp).
  QAction* miSaveModelPython = nullptr;
  void NameControls();

  // The k point of every point of the last band run and the memo line it came from.
  std::vector<BandPoint> BandPoints;
  int DosThreads = 0;
  // Samples and curves of the last DOS run.
  quarnel::DosSamples DosStore;
  quarnel::DosCurves DosResult;
  // The grid of the last DOS run, and its tetrahedron curves and count when it used them.
  quarnel::KGridShape DosShape;
  quarnel::TetraDosResult DosTetra;
  // What the charts show, for saving: the numbers of the last band run, and what each run was
  // made from (taken when the run starts, so that a later change of model or path does not
  // relabel them).
  quarnel::BandTable BandResult;
  quarnel::RunDescription BandRun;
  quarnel::RunDescription DosRun;
  std::vector<std::string> DosNames;
  // The k-point file the memo was loaded from; it names the path while the memo is unedited.
  QString KpointFile;

  // The filling of the last DOS run and the model's Ne and g.
  quarnel::FillingResult Filling;

  void BuildPanel();
  void BuildCharts();
  void BuildStatusBar();
  void ResetOrbitalAxes();
  void ConnectInteraction();
  void BuildModelScriptItem();
  // Connects the popup menu's save items once (the holder window may come later than this one)
  // and enables them while no run is going.
  void PrepareSaveItems();
  // The description of a run starting now: model file and form.
  quarnel::RunDescription RunNow() const;
  // How saved files name a path typed or edited in the memo.
  std::string MemoKPathName() const;
  // False, after saying so, when the chart shows nothing to save.
  bool ChartHasData(QCustomPlot* chart);
  // The document computes the k point nx/div, ny/div, nz/div; every view shows it.
  void ComputeKPoint(int nx, int ny, int nz, int div);
  // The run's wait while paused, yielding the processor.
  void WaitWhilePaused();
  // The DOS grid on worker threads while the window goes on handling events: progress in
  // panel 1 and the progress bar, STOP through dosControl_. Returns the rows done.
  std::size_t SampleDosWatched(int n);
  // Asks the DOS run in progress, if any, to end after the k points being computed.
  void StopDosWatch();

  // The lattice form (band_lattice.cpp).
  void BuildCrystalView();
  void ShowCrystal();
  void PlaceDefaultPath();
  CrystalPictureView* crystal_ = nullptr;
  std::vector<std::string> lastDefaultPath_;

  ModelDocument& doc_;
  bool running_ = false;
  int markerSize_ = 10;
  OrbitalView* orbitals_ = nullptr;
  // The scale steps of the orbital view on the track bar.
  void ShowOrbitalScale();
  struct DosWatch;
  DosWatch* dosWatch_ = nullptr;  // the DOS run in progress
  void BuildFillingGroup(QHBoxLayout* row);
  // Moves the band chart's energies to E - shift (from wherever they are now).
  void ShiftBandChart(double shift);
  QString PathEdgesText() const;
  double bandShift_ = 0;
  QPointer<QCPGraph> integrated_;
  std::vector<QPointer<QCPAbstractItem>> fillingItems_;
  // The memo's width in a window of width w: narrower while the panel is in two rows, and
  // narrower still where the charts would otherwise go below their narrowest.
  int MemoWidth(int w) const;
  // The DOS chart's width in a window of width w: its design width, or in two-row windows at
  // most half of what the memo leaves (its ticks are fitted to any width).
  int DosChartWidth(int w) const;
  void MeasurePanelRows();
  QBoxLayout* panelRows_ = nullptr;  // the panel's rows, top to bottom
  QHBoxLayout* panelRow1_ = nullptr;
  QHBoxLayout* panelRow2_ = nullptr;
  QWidget* panelButtons_ = nullptr;  // Open k-points, Copy, Print, Close
  bool panelTwoRows_ = false;
  int oneRowWidth_ = 0;
  int narrowestWidth_ = 0;
};
