// SPDX-License-Identifier: GPL-3.0-or-later
// The workbench's matrix files: Open shows the file's matrix and resets the solver on it, Save
// writes the texts of sgJacobiA as they stand.

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QString>

#include "document/model_document.h"
#include "widgets/dialogs.h"
#include "widgets/string_grid.h"
#include "workbench/eigen_window.h"
#include "workbench/hermitian_check.h"
#include "workbench/matrix_file.h"

void TEigenDlg::ShowMatrixGrid(const quarnel::MatrixGrid& matrix) {
  const int rows = matrix.RowCount(), cols = matrix.ColCount();
  sgJacobiA->SetColCount(cols);
  sgJacobiA->SetRowCount(rows);
  {
    // One repaint instead of one per cell: k-point runs show every matrix here.
    const QSignalBlocker quiet(sgJacobiA->model());
    for (int r = 1; r < rows; ++r)
      for (int c = 1; c < cols; ++c)
        sgJacobiA->SetCell(c, r, QString::fromStdString(matrix.Cells[r][c]));
  }
  sgJacobiA->viewport()->update();
  // Labels outside the block: the header and the fixed column repaint by their own signals.
  for (int r = 0; r < rows; ++r)
    sgJacobiA->SetCell(0, r, QString::fromStdString(matrix.Cells[r][0]));
  for (int c = 1; c < cols; ++c)
    sgJacobiA->SetCell(c, 0, QString::fromStdString(matrix.Cells[0][c]));
}

quarnel::MatrixGrid TEigenDlg::GridTexts() const {
  quarnel::MatrixGrid matrix;
  const int rows = sgJacobiA->RowCount(), cols = sgJacobiA->ColCount();
  matrix.Cells.assign(rows, std::vector<std::string>(cols));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) matrix.Cells[r][c] = sgJacobiA->Cell(c, r).toStdString();
  return matrix;
}

void TEigenDlg::btnOpenAClick() {
  const QString name = CurrentDialogs().OpenFileName(this, kOpenFilter, kDefaultExt);
  if (name.isEmpty()) return;
  quarnel::MatrixGrid matrix;
  quarnel::PendingMessages& messages = doc_.Messages();
  if (quarnel::LoadMatrixFile(name.toStdString(), matrix, doc_.Solver(), messages) == 0) {
    // The grid first: the reset's display copies its labels.
    matrixFromFile_ = true;
    ShowMatrixGrid(matrix);
    // The rotation and the listing of the previous matrix no longer describe what is shown.
    LabelR1->clear();
    Memo1->clear();
    doc_.Solver().Reset();
    // Read as it is, but a matrix that is not Hermitian has no real eigenvalues to find.
    quarnel::CheckHermitianMatrix(name.toStdString(), doc_.Solver(), messages);
  }
  // A file that could not be read is reported now, not with some later file's warnings.
  quarnel::ShowPendingMessages(messages);
}

void TEigenDlg::btnSaveAClick() {
  const quarnel::JacobiSolver& solver = doc_.Solver();
  if (solver.JacN == 0) return;
  const QString name = CurrentDialogs().SaveFileName(this, kSaveFilter, kDefaultExt, QString());
  if (name.isEmpty()) return;
  // A failed save is reported at once: nothing else would tell that the file was not written.
  if (quarnel::WriteMatrixFile(name.toStdString(), GridTexts(), solver, doc_.Messages()) != 0)
    quarnel::ShowPendingMessages(doc_.Messages());
}
