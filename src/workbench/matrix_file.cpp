#include "workbench/matrix_file.h"

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

}  // namespace

void ReadMatrixLines(const std::vector<std::string>& rows, MatrixGrid& grid, JacobiSolver& solver,
                     PendingMessages& messages) {
  grid.Cells.assign(2, std::vector<std::string>(2));
  int r = 0;
  for (std::string line : rows) {
    NormalizeSpaces(line);
    ++r;
    EnsureSize(grid, r + 1, 0);
    int c = 0;
    while (!line.empty()) {
      std::string word;
      CutToken(line, word, ' ');
      double x;
      if (!ReadNumber(word, x)) continue;
      ++c;
      EnsureSize(grid, 0, c + 1);
      grid.Cells[r][c] = word;
    }
  }
  int n = grid.RowCount() - 1;
  if (n > kMaxMatrixRows) {
    AddPendingMessage(messages, "Too big matrix (" + std::to_string(n) + "), maximum is " +
                                    std::to_string(kMaxMatrixRows) + " - matrix is truncated");
    n = kMaxMatrixRows;
  }
  grid.Cells.resize(n + 1);
  for (auto& row : grid.Cells) row.resize(2 * n + 1);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= 2 * n; ++j)
      if (grid.Cells[i][j].empty()) grid.Cells[i][j] = "0";
  for (int i = 1; i <= n; ++i) {
    std::vector<std::string> lower(2 * n + 1);
    for (int j = 1; j <= n; ++j) {
      lower[j] = NegatedText(grid.Cells[i][j + n]);
      lower[j + n] = grid.Cells[i][j];
    }
    grid.Cells.push_back(lower);
  }
  for (int i = 1; i <= n; ++i) {
    const std::string k = std::to_string(i);
    grid.Cells[i][0] = k + " R/I";
    grid.Cells[i + n][0] = k + " -I/R";
    grid.Cells[0][i] = k + " R/-I";
    grid.Cells[0][i + n] = k + " I/R";
  }
  solver.JacN = 2 * n;
  for (int i = 1; i <= 2 * n; ++i)
    for (int j = 1; j <= 2 * n; ++j) {
      double x = 0;
      ReadNumber(grid.Cells[i][j], x);
      solver.JacInput[i][j] = x;
    }
  solver.Reset();
  ShowPendingMessages(messages);
}

int ReadMatrixFile(const std::string& name, MatrixGrid& grid, JacobiSolver& solver,
                   PendingMessages& messages) {
  TextFile f;
  const int status = OpenTextFile(f, name, kReadText, 1, messages);
  if (status != 0) return status;
  std::vector<std::string> rows;
  std::string line;
  f.ReadLine(line);  // the title
  while (f.ReadLine(line)) rows.push_back(line);
  f.Close();
  ReadMatrixLines(rows, grid, solver, messages);
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
