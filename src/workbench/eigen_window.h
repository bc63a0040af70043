#pragma once
// The Jacobi workbench: the matrix A, the rotation or rotated matrix, the eigenvector matrix and
// the results listing of the solver, with the commands that step it by hand.

#include <QWidget>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class SpinEdit;
class StringGrid;

class TEigenDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TEigenDlg(QWidget* parent = nullptr);

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

  void sgJacobiAMouseUp();
  void sgJacobiR1MouseUp();
  void sgJacobiR2MouseUp();
  void CancelBtnClick();
  void FormResize();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildPanelA();
  void BuildPanelR();
  StringGrid* MakeGrid();
  void SyncColWidths(StringGrid* grid, int& stored);
};
