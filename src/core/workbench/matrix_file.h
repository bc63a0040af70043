// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Matrix files (.qmx): a title line, then one row of the complex n x n matrix per line, the n
// numbers of the real block followed by the n numbers of the imaginary block. Reading builds
// the real matrix of order 2n [[R, I], [-I, R]] and the grid texts the workbench shows.

#include <string>
#include <vector>

#include "numeric/jacobi_solver.h"
#include "support/pending_messages.h"

namespace quarnel {

constexpr int kMaxMatrixRows = kJacMax / 2;

// The texts of sgJacobiA: Cells[row][column], row 0 and column 0 the labels.
struct MatrixGrid {
  std::vector<std::vector<std::string>> Cells;

  int RowCount() const { return static_cast<int>(Cells.size()); }
  int ColCount() const { return Cells.empty() ? 0 : static_cast<int>(Cells[0].size()); }
};

// Reads name into grid, JacN and JacInput and resets the solver. Returns 0, or the code of
// OpenTextFile (-1 not found, else the error) with the message queued and nothing changed.
// Too many rows queue "Too big matrix (%d), maximum is %d - matrix is truncated".
int ReadMatrixFile(const std::string& name, MatrixGrid& grid, JacobiSolver& solver,
                   PendingMessages& messages);

// ReadMatrixFile without the reset and without showing the messages, for the workbench, which
// has to show the matrix before the reset displays the solver state. Rows beyond the limit are
// only counted; a failed read changes nothing.
int LoadMatrixFile(const std::string& name, MatrixGrid& grid, JacobiSolver& solver,
                   PendingMessages& messages);

// The same from the lines after the title (for texts that do not come from a file).
void LoadMatrixLines(const std::vector<std::string>& rows, MatrixGrid& grid, JacobiSolver& solver,
                     PendingMessages& messages);
void ReadMatrixLines(const std::vector<std::string>& rows, MatrixGrid& grid, JacobiSolver& solver,
                     PendingMessages& messages);

// The file text of a grid: an empty title line, then rows 1.. with columns 1.. joined by tabs,
// every line ended by CR LF.
std::string FormatMatrixFile(const MatrixGrid& grid);

// Creates name from the grid; nothing when JacN is 0. Returns 0 or the error code (queued).
int WriteMatrixFile(const std::string& name, const MatrixGrid& grid, const JacobiSolver& solver,
                    PendingMessages& messages);

// The grid of a k point's matrix: labels 1..n and again 1..n, cells in the compact form.
MatrixGrid KpointMatrixGrid(const JacobiSolver& solver);

}  // namespace quarnel
