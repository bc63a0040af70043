// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the model's input grid, the k point with H(k) and the eigen results, the
// File menu. Its handlers read controls, call the core and show the result.

#include <QMainWindow>
#include <QPoint>
#include <QStringList>
#include <string>

#include "numeric/hamiltonian.h"
#include "widgets/model_text.h"

class QAction;
class QCheckBox;
class QComboBox;
class QCustomPlot;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTimer;
class QWidget;
class SpinEdit;
class StringGrid;
class LiveValue;
class TAboutUBox;
class TUnitPomDlg;
class ModelDocument;
class OrbitalView;
class CartesianKLabel;
class CrystalPictureView;
class LatticePanels;

class TFormQuarnel : public QMainWindow {
  Q_OBJECT
 public:
  // The window shows document and changes it through its operations.
  explicit TFormQuarnel(ModelDocument& document, QWidget* parent = nullptr);
  ~TFormQuarnel() override;

  // The other windows, created after this one (the program entry sets them): placed at the first
  // display and opened by the menus.
  void SetWindows(TUnitPomDlg* pom, QWidget* bands, QWidget* eigen, TAboutUBox* about);
  // The orbital chart the pictures are drawn in (the bands window's).
  void SetOrbitalView(OrbitalView* view) { orbitals_ = view; }
  // The crystal picture of a lattice-form model (held by the bands window beside the orbital
  // chart): the state of the chosen band at the k point is drawn on it.
  void SetCrystalView(CrystalPictureView* view) { crystal_ = view; }
  // The lattice form's panel of a hop (by its index in the hop list) or of an orbital (0-based),
  // as a click on the crystal picture asks.
  void OpenLatticeHop(int hop);
  void OpenLatticeOrbital(int orbital);
  // The workbench's column sizing: a column dragged wider makes all of a grid as wide.
  void SetColumnSizing(bool on) { columnSizing_ = on; }
  // Command-line arguments without the program name; read at first paint.
  void SetArguments(const QStringList& arguments) { arguments_ = arguments; }

  // Grid refresh: the cells show the model as it is; they never change it.
  void ResizeGrids(int n);
  void RefreshDiagonalCell(int i);
  QString RefreshPairCells(int i, int j);
  void PropagateOrbitalName(int i);

  // File commands.
  void ReadModelFile(const QString& name);
  bool WriteModelFile(const QString& name);
  // The New command's reset of model and display.
  void ClearModel();

  // The model differs from what was last read or saved. Every path that changes the model sets
  // it; reading, saving and New clear it.
  bool ModelModified() const;
  void SetModelModified(bool modified = true);
  // Before the model is closed, replaced or emptied: asks about unsaved changes. False when the
  // user cancels or the save fails, and then nothing may happen to the model.
  bool QueryUnsavedChanges();
  // Hides the editing panels, so that none shows values of a model that is gone.
  void ClosePanels();

  // Intent-level operations. The k point nx/div, ny/div, nz/div in the k-point controls exactly:
  // a divisor below the controls' range is scaled up, ranges are widened for points outside.
  void SetKPoint(int nx, int ny, int nz, int div);
  // While a run goes, what would change the model is locked; a DOS run also hides the k point.
  void SetRunLocked(bool locked, bool dos);

  // The one-time initialisation of the first display; runs once.
  void FirstPaint();
  bool FirstPaintDone() const { return firstPaintDone_; }
  // Both windows side by side and fully on the available screen area, main window at its top
  // left (window_placement.h); the first display places them on the window's own screen.
  void PlaceStartWindows(const QRect& screenArea);

  // k point: the k point of the spin edits computed by the document.
  void SpoctiKpoint();
  // What the document computed at its last k point, shown: the k labels, H(k), the solver's
  // angle and the eigenvalues and vectors.
  void ShowEigenResults();
  // The k labels and H(k) grid of the last k point.
  void ShowKpointTexts();
  // The angle and eigen results of the last k point.
  void SpoctiEigen();
  void FillEigenGrid();
  // Widens the columns of sgEigen that are too narrow for their texts.
  void FitEigenColumns();

  // The selected cell of the input grid (column, row), a pair cell swapped to the upper
  // triangle, and the cell highlighted with it.
  QPoint SelectedCell() const { return {SelCol, SelRow}; }
  QPoint HighlightedCell() const { return {HighlightCol, HighlightRow}; }

  // Editing panels (edit_panels.cpp), opened by the cell selection.
  void OpenOrbitalPanel(int r);
  void OpenBetaPanel(int i, int j);
  void OpenBetaGenPanel(int i, int j);
  void FillBetaGenPanel(int i, int j);

  // Orbital pictures in the bands window's orbital chart (orbital_plot.cpp).
  void BuildOrbitalShapes();
  // row, when given, is the eigenvector row drawn in cell (cx, cy) instead of row cy.
  void PlotCell(int cx, int cy, int amp, bool keep, int row = 0);
  void DrawCellFrame(double x, double y, double scale);
  void DrawOrbitalShape(int k, double c, double X0, double Y0);
  void FitOrbitalAxes();
  // Asks for a fresh fit unless layout (0: always new) is the one shown last.
  void NewOrbitalPicture(int layout);
  // The Gamma phase picture is the one the orbital chart shows.
  bool GammaPictureShown() const { return gammaPictureShown_; }
  void SetGammaPictureShown(bool shown) { gammaPictureShown_ = shown; }
  void PlotPhasePicture(int s11, int s12, int s21, const QString& label, int s22);
  void PlotEigenvectorPicture();
  void HighlightOrbitals(int i, int j);
  // The orbital chart, or nullptr without one.
  QCustomPlot* OrbitalChart() const;
  OrbitalView* Orbitals() const { return orbitals_; }

  // Open offers every model form (each is read in its own); Save the model's own.
  QString DialogFilter(bool save = false) const;
  QString DialogDefaultExt() const;

 signals:
  // A k-path file named on the command line, for the bands window.
  void KPathFileNamed(const QString& name);
  // Tools > k map.
  void KMapRequested();
  void TopologyRequested();
  // The first display is complete: the command line's files are read and shown. What may replace
  // the model (a crash copy offered for recovery) waits for this.
  void FirstDisplayComplete();

 public slots:
  void miOpen1Click();
  void miSave1Click();
  void miNew1Click();
  void Exit1Click();
  void btnCalcKpointClick();
  void seKbodDelChange();
  void seNorbChange();
  void cbEigVecSqClick();
  void miCopy1Click();
  void miShowJacobi1Click();
  void miShowBand1Click();
  void miManual1Click();
  void miAbout1Click();
  void sgInputOverlapSelectCell(int col, int row);
  void sgInputOverlapMouseUp();
  void sgEigenMouseUp();
  void btnUpdateAlphaClick();
  void btnUpdateBetaClick();
  void btnUpdateBetaGenClick();
  void cbShowPlotOrbAClick();
  void cbShowPlotOrbBClick();
  void cbOrbPlotChange();
  void miPlotOrbGamma1Click();
  void miPlotOrbX1Click();
  void miPlotOrbY1Click();
  void miPlotOrbM1Click();
  void miPlotOrbGamma33Click();
  void Button1Click();
  void Button2Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Cell selection state of the input grid.
  int SelRow = -1, SelCol = -1;
  int HighlightRow = 0, HighlightCol = 0;
  // The panels' numeric fields moved continuously (live_value.cpp); a part of this window.
  friend class LiveValue;
  LiveValue* Live = nullptr;

  // Controls, named as the program's documentation names them; each has its name as objectName
  // (NameControls), so that tests and the manual reach it by that name.
  QLabel* Label7;
  SpinEdit* seNorb;
  QLineEdit* edHeader;
  StringGrid* sgInputOverlap;
  QGroupBox* gbInAlfa;
  QGroupBox* gbInBeta;
  QGroupBox* gbInBetaGen;
  // Orbital panel.
  QLabel* Label8;
  QLineEdit* Edit1;
  QLabel* Label9;
  QLineEdit* Edit2;
  QLabel* Label18;
  QLabel* Label16;
  QLabel* Label19;
  QLineEdit* EditABetaX;
  QLineEdit* EditABetaY;
  QLineEdit* EditABetaZ;
  QLabel* LabelABetaX;
  QLabel* LabelABetaY;
  QLabel* LabelABetaZ;
  QLabel* Label20;
  QLineEdit* Editm;
  QGroupBox* GroupBox1;
  QComboBox* cbOrbPlot;
  QLabel* Label13;
  QLineEdit* EditPlotX;
  QLabel* Label14;
  QLineEdit* EditPlotY;
  QCheckBox* cbShowPlotOrbA;
  // Beta/overlap panel.
  QLineEdit* EdBetaX;
  QLineEdit* EdBetaY;
  QLineEdit* EdBetaZ;
  // General-beta panel.
  QLineEdit* EditGenBetaMX;
  QLineEdit* EditGenBetaMY;
  QLineEdit* EditGenBetaMZ;
  QLineEdit* EditGenBetaPX;
  QLineEdit* EditGenBetaPY;
  QLineEdit* EditGenBetaPZ;
  QLabel* LabelGenBetaX;
  QLabel* LabelGenBetaY;
  QLabel* LabelGenBetaZ;
  QLineEdit* EditGenSocReX;
  QLineEdit* EditGenSocReY;
  QLineEdit* EditGenSocReZ;
  QLineEdit* EditGenSocImX;
  QLineEdit* EditGenSocImY;
  QLineEdit* EditGenSocImZ;
  QCheckBox* cbShowPlotOrbB;
  QPushButton* btnUpdateAlpha;
  QPushButton* btnUpdateBeta;
  QPushButton* btnUpdateBetaGen;
  QComboBox* cbBetaX;
  QComboBox* cbBetaY;
  QComboBox* cbBetaZ;
  QLineEdit* EdBeta2X;
  QLineEdit* EdBeta2Y;
  QLineEdit* EdBeta2Z;
  QLabel* lbBeta2;
  QLineEdit* EditGenX;
  QLineEdit* EditGenY;
  QLineEdit* EditGenZ;
  QLabel* Label15;
  QGroupBox* GroupBox2;
  StringGrid* sgHamMat;
  QWidget* Panel2;
  QPushButton* btnCalcKpoint;
  SpinEdit* seKbodDel;
  SpinEdit* seKbodX;
  SpinEdit* seKbodY;
  SpinEdit* seKbodZ;
  QLabel* lbkx;
  QLabel* lbky;
  QLabel* lbkz;
  QCheckBox* cbAutoCalc;
  QGroupBox* GroupBox3;
  StringGrid* sgEigen;
  QWidget* Panel3;
  QCheckBox* cbEigVecSq;
  QWidget* Panel1;
  QPushButton* Button1;
  QPushButton* Button2;
  SpinEdit* seCells1;
  SpinEdit* seCells2;
  QLineEdit* Edit3;
  QStatusBar* StatusBar1;
  QAction* miOpen1;
  QAction* miSave1;
  QAction* miNew1;
  QAction* Exit1;
  QAction* miShowBand1;
  QAction* miShowJacobi1;
  QAction* miCopy1;
  QAction* miUndo;
  QAction* miLatticeCell = nullptr;
  QAction* miRedo;
  QMenu* PlotOrbMenu;
  QAction* miPlotOrbGamma1;
  QAction* miPlotOrbX1;
  QAction* miPlotOrbY1;
  QAction* miPlotOrbM1;
  QAction* miPlotOrbGamma33;
  QAction* miManual1;
  QAction* miAbout1;
  void NameControls();

  void PlaceStartWindows();
  void CreateControls();
  void CreatePanels();
  void CreateKpointGroup();
  void CreateEigenGroup();
  void CreateMenus();
  void ApplyResizeRule();
  void HandleCommandLine();
  void SetCaption(const QString& caption);
  void SyncHeaderToModel();
  void SyncColumnWidths(StringGrid* grid, int firstCol, int& remembered);
  void CreateOrbitalPanel();
  void CreateBetaPanel();
  void CreateBetaGenPanel();
  void PlotCells(bool keep);
  void ShowOrbitalChart();
  void AddTextMark(QCustomPlot* chart, int series, double x, double y, const QString& text,
                   bool plain);

  // The document's changes, shown.
  void ConnectDocument();
  // After any change of the model the k point's results are of an earlier model: recomputed
  // (coalesced, so a drag computes at most once per pass of the event loop) with Auto
  // Calculation, marked as such without it.
  void KPointModelChanged();
  void ShowKPointCurrent(bool current);
  QTimer* kpointRecompute_ = nullptr;
  bool kpointStale_ = false;
  void ShowReplacedModel();
  void ShowClearedModel();

  // The lattice form (main_window_lattice.cpp).
  void CreateLatticeControls();
  bool LatticeShown() const;
  void SetGridHeaders();
  // Every cell of the crystal's grid and the columns' widths; one orbital's (i == j) or one
  // pair's cells.
  void ShowLatticeCells();
  void ShowLatticeCell(int i, int j);
  void OpenLatticeCell(int col, int row);
  void ShowLatticeKPoint();
  void ShowCrystalState();
  void ShowLatticePhasePicture(int nx, int ny, int nz);
  // New: the form of the new model, 0 when the user cancelled.
  int ChooseNewForm();
  LatticePanels* latticePanels_ = nullptr;
  CartesianKLabel* cartesianK_ = nullptr;
  CrystalPictureView* crystal_ = nullptr;
  void ShowKPoint();

  ModelDocument& doc_;
  QWidget* client_ = nullptr;
  bool gammaPictureShown_ = false;
  // A DOS run hides the k-point texts; they are written when it ends.
  bool kpointDisplayOff_ = false;
  // Program title; at first paint it gets the model extension, "Quarnel V7.12 (qrg)".
  std::string captionBase_ = "Quarnel V" QUARNEL_VERSION " ";
  std::string modelExtension_ = "qrg";
  QStringList arguments_;
  bool firstPaintDone_ = false;
  int inputColWidth_ = 0;
  int eigenColWidth_ = 0;
  std::string headerBytes_;  // the header as read, kept when the text is not edited
  // Orbitals whose rows show the model (read or applied); ResizeGrids shows them again.
  bool orbitalShown_[17] = {};
  bool SaveWithDialog();
  TUnitPomDlg* pom_ = nullptr;
  QWidget* bands_ = nullptr;
  QWidget* eigen_ = nullptr;
  TAboutUBox* about_ = nullptr;
  OrbitalView* orbitals_ = nullptr;
  bool columnSizing_ = true;
};
