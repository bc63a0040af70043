// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Jacobi workbench: the matrix A, the rotation or rotated matrix, the eigenvector matrix and
// the results listing of the solver, with the commands that step it by hand.

#include <QWidget>

#include "numeric/jacobi_solver.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class SpinEdit;
class StringGrid;

class ModelDocument;

namespace quarnel {
struct MatrixGrid;
}

// Shows the document's solver: it registers itself as the solver's display while it exists,
// except during a DOS run, which hides the k-point displays.
class TEigenDlg : public QWidget, public quarnel::JacobiDisplay {
  Q_OBJECT
 public:
  explicit TEigenDlg(ModelDocument& document, QWidget* parent = nullptr);
  ~TEigenDlg() override;

  static constexpr const char* kOpenFilter = "Quarnel matrix (*.qmx)|*.qmx|All Files (*.*)|*.*";
  static constexpr const char* kSaveFilter = "Quarnel matrix (*.qmx)|*.qmx";
  static constexpr const char* kDefaultExt = "qmx";

  static constexpr int kPanelAHeight = 62;
  static constexpr int kPanelRHeight = 35;
  static constexpr int kMemoHeight = 150;
  static constexpr int kGridColWidth = 80;
  static constexpr int kGridRowHeight = 18;

  QFrame* PanelJacobiA;
  QGroupBox* GroupBox1;  // iterations
  QPushButton* btnIteration;
  SpinEdit* seIter;
  QPushButton* btnIterReset;
  QLabel* LabelA;        // rotation count
  QGroupBox* GroupBox2;  // single steps
  QPushButton* btnVypRotMat;
  QPushButton* btnRotace;
  QGroupBox* GroupBox3;  // matrix file
  QPushButton* btnOpenA;
  QPushButton* btnSaveA;
  QPushButton* CancelBtn;

  StringGrid* sgJacobiA;
  QFrame* PanelJacobiR;
  QLabel* LabelR1;  // rotation description
  QPushButton* btnCheck;
  QCheckBox* cbColSizing;
  StringGrid* sgJacobiR1;
  StringGrid* sgJacobiR2;
  QPlainTextEdit* Memo1;  // results listing

  // Column widths last given to all columns of each grid.
  int ColWidthA;
  int ColWidthR1;
  int ColWidthR2;

  void btnIterationClick();
  void btnIterResetClick();
  void btnVypRotMatClick();
  void btnRotaceClick();
  void btnOpenAClick();
  void btnSaveAClick();
  void btnCheckClick();
  void sgJacobiAMouseUp();
  void sgJacobiR1MouseUp();
  void sgJacobiR2MouseUp();
  void CancelBtnClick();
  void FormResize();
  // An orbital was renamed: the rows of R2 follow while they show a k-point matrix.
  void OrbitalNamesChanged();

  // quarnel::JacobiDisplay
  void ShowState(const quarnel::JacobiSolver& solver) override;
  void ShowRotation(const quarnel::JacobiSolver& solver, int p, int q, double theta) override;
  void ShowInput(const quarnel::JacobiSolver& solver) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildPanelA();
  void BuildPanelR();
  StringGrid* MakeGrid();
  void SyncColWidths(StringGrid* grid, int& stored);
  void ConnectCommands();
  void SizeGrid(StringGrid* grid, int n);
  void LabelR2Rows();
  void ShowMatrixGrid(const quarnel::MatrixGrid& matrix);
  quarnel::MatrixGrid GridTexts() const;

  ModelDocument& doc_;
  // The matrix shown came from Open, not from a k-point calculation.
  bool matrixFromFile_ = false;
};
