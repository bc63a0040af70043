// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbench/matrix_file.h"

#include <algorithm>
#include <utility>

#include "support/number_text.h"
#include "support/text_file.h"
#include "support/text_utils.h"

namespace quarnel {
namespace {

void EnsureSize(MatrixGrid& grid, int rows, int cols) {
  if (grid.RowCount() < rows) grid.Cells.resize(rows, std::vector<std::string>(grid.ColCount()));
  if (grid.ColCount() < cols)
    for (auto& row : grid.Cells) row.resize(cols);
}

std::string NegatedText(const std::string& text) {
  double x = 0;
  ReadNumber(text, x);
  return FormatGeneral(-x);
}

// Builds the matrix one line at a time. Only rows and columns that can survive the size limit
// are stored, so a huge file costs no more memory than one of 20 rows.
class MatrixBuilder {
 public:
  MatrixBuilder() { grid_.Cells.assign(2, std::vector<std::string>(2)); }

  void AddRow(std::string line) {
    ++rows_;
    if (rows_ > kMaxMatrixRows) return;  // counted for the message only
    const int r = rows_;
    EnsureSize(grid_, r + 1, 0);
    NormalizeSpaces(line);
    int c = 0;
    // Numbers beyond the 2n-th of a row are dropped, and n never exceeds kMaxMatrixRows. The
    // words are taken by position: cutting each off the front would copy the rest of the line
    // every time, which a long row of words that are no numbers makes quadratic.
    for (std::size_t at = 0; at < line.size() && c < 2 * kMaxMatrixRows;) {
      std::size_t end = line.find(' ', at);
      if (end == std::string::npos) end = line.size();
      const std::string word = line.substr(at, end - at);
      at = end + 1;
      double x;
      if (!ReadNumber(word, x)) continue;
      ++c;
      EnsureSize(grid_, 0, c + 1);
      grid_.Cells[r][c] = word;
    }
  }

  void Finish(MatrixGrid& grid, JacobiSolver& solver, PendingMessages& messages) {
    int n = std::max(rows_, 1);
    if (n > kMaxMatrixRows) {
      AddPendingMessage(messages, "Too big matrix (" + std::to_string(n) + "), maximum is " +
                                      std::to_string(kMaxMatrixRows) + " - matrix is truncated");
      n = kMaxMatrixRows;
    }
    auto& cells = grid_.Cells;
    cells.resize(n + 1);
    for (auto& row : cells) row.resize(2 * n + 1);
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= 2 * n; ++j)
        if (cells[i][j].empty()) cells[i][j] = "0";
    for (int i = 1; i <= n; ++i) {
      std::vector<std::string> lower(2 * n + 1);
      for (int j = 1; j <= n; ++j) {
        lower[j] = NegatedText(cells[i][j + n]);
        lower[j + n] = cells[i][j];
      }
      cells.push_back(std::move(lower));
    }
    for (int i = 1; i <= n; ++i) {
      const std::string k = std::to_string(i);
      cells[i][0] = k + " R/I";
      cells[i + n][0] = k + " -I/R";
      cells[0][i] = k + " R/-I";
      cells[0][i + n] = k + " I/R";
    }
    solver.JacN = 2 * n;
    for (int i = 1; i <= 2 * n; ++i)
      for (int j = 1; j <= 2 * n; ++j) {
        double x = 0;
        ReadNumber(cells[i][j], x);
        solver.JacInput[i][j] = x;
      }
    grid = std::move(grid_);
  }

 private:
  MatrixGrid grid_;
  int rows_ = 0;
};

}  // namespace

void LoadMatrixLines(const std::vector<std::string>& rows, MatrixGrid& grid, JacobiSolver& solver,
                     PendingMessages& messages) {
  MatrixBuilder builder;
  for (const std::string& line : rows) builder.AddRow(line);
  builder.Finish(grid, solver, messages);
}

void ReadMatrixLines(const std::vector<std::string>& rows, MatrixGrid& grid, JacobiSolver& solver,
                     PendingMessages& messages) {
  LoadMatrixLines(rows, grid, solver, messages);
  solver.Reset();
  ShowPendingMessages(messages);
}

int LoadMatrixFile(const std::string& name, MatrixGrid& grid, JacobiSolver& solver,
                   PendingMessages& messages) {
  TextFile f;
  const int status = OpenTextFile(f, name, kReadText, 1, messages);
  if (status != 0) return status;
  MatrixBuilder builder;
  std::string line;
  f.ReadLine(line);  // the title
  while (f.ReadLine(line)) builder.AddRow(line);
  // A read that failed half way must not pass for a shorter matrix.
  if (const int error = f.ReadError()) {
    AddPendingMessage(messages, FileAccessErrorMessage(name, error));
    return error;
  }
  f.Close();
  builder.Finish(grid, solver, messages);
  return 0;
}

int ReadMatrixFile(const std::string& name, MatrixGrid& grid, JacobiSolver& solver,
                   PendingMessages& messages) {
  const int status = LoadMatrixFile(name, grid, solver, messages);
  if (status != 0) return status;
  solver.Reset();
  ShowPendingMessages(messages);
  return 0;
}

std::string FormatMatrixFile(const MatrixGrid& grid) {
  std::string text = "\r\n";
  for (int r = 1; r < grid.RowCount(); ++r) {
    for (int c = 1; c < grid.ColCount(); ++c) {
      if (c > 1) text += '\t';
      text += grid.Cells[r][c];
    }
    text += "\r\n";
  }
  return text;
}

int WriteMatrixFile(const std::string& name, const MatrixGrid& grid, const JacobiSolver& solver,
                    PendingMessages& messages) {
  if (solver.JacN == 0) return 0;
  TextFile f;
  const int status = OpenTextFile(f, name, kCreateText, 1, messages);
  if (status != 0) return status;
  f.Write(FormatMatrixFile(grid));
  return CloseTextFile(f, 1, messages);
}

MatrixGrid KpointMatrixGrid(const JacobiSolver& solver) {
  MatrixGrid grid;
  const int n = solver.JacN, h = n / 2;
  grid.Cells.assign(n + 1, std::vector<std::string>(n + 1));
  for (int i = 1; i <= n; ++i) {
    const std::string label = std::to_string(i <= h ? i : i - h);
    grid.Cells[i][0] = grid.Cells[0][i] = label;
    for (int j = 1; j <= n; ++j) grid.Cells[i][j] = CompactNumberText(6, solver.JacInput[i][j]);
  }
  return grid;
}

}  // namespace quarnel
