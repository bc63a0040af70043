#pragma once
// The main window: the model's input grid, the k point with H(k) and the eigen results, the
// File menu. Its handlers read controls, call the core and show the result.

#include <QMainWindow>
#include <QStringList>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QWidget;
class SpinEdit;
class StringGrid;
class TBandDlg;
class TEigenDlg;
class TAboutUBox;
class TUnitPomDlg;

class TFormQuarnel : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFormQuarnel(QWidget* parent = nullptr);
  ~TFormQuarnel() override;

  // The other windows, created after this one (the program entry sets them).
  void SetWindows(TUnitPomDlg* pom, TBandDlg* bands, TEigenDlg* eigen, TAboutUBox* about);
  // Command-line arguments without the program name; read at first paint.
  void SetArguments(const QStringList& arguments) { arguments_ = arguments; }

  // Grid refresh operations: every change of the model passes through them.
  void ResizeGrids(int n);
  void RefreshDiagonalCell(int i);
  QString RefreshPairCells(int i, int j);
  void PropagateOrbitalName(int i);

  // File commands.
  void ReadModelFile(const QString& name);
  bool WriteModelFile(const QString& name);
  // The New command's reset of model and display.
  void ClearModel();

  // The one-time initialisation of the first display; runs once.
  void FirstPaint();
  bool FirstPaintDone() const { return firstPaintDone_; }

  // k point.
  void SpoctiKpoint();
  void SpoctiEigen();
  void FillEigenGrid();

  // Cell selection state of the input grid.
  int SelRow = -1, SelCol = -1;
  int HighlightRow = 0, HighlightCol = 0;

  QString DialogFilter() const;
  QString DialogDefaultExt() const;

  // Controls, named as the program's documentation names them.
  QLabel* Label7;
  SpinEdit* seNorb;
  QLineEdit* edHeader;
  StringGrid* sgInputOverlap;
  QGroupBox* gbInAlfa;
  QGroupBox* gbInBeta;
  QGroupBox* gbInBetaGen;
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
  QMenu* PlotOrbMenu;
  QAction* miManual1;
  QAction* miAbout1;

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

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
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

  QWidget* client_ = nullptr;
  QStringList arguments_;
  bool firstPaintDone_ = false;
  int inputColWidth_ = 0;
  int eigenColWidth_ = 0;
  std::string headerBytes_;  // the header as read, kept when the text is not edited
  TUnitPomDlg* pom_ = nullptr;
  TBandDlg* bands_ = nullptr;
  TEigenDlg* eigen_ = nullptr;
  TAboutUBox* about_ = nullptr;
};

// Text from a file (UTF-8 when valid, else Latin-1) for display, and back.
QString FromModelText(const std::string& bytes);
std::string ToModelText(const QString& text, const std::string& original);
