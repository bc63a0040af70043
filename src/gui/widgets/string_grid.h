// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A text grid addressed as (column, row) with a fixed header row 0 and a fixed column 0. Row 0 is
// the horizontal header, so columns are resized by dragging its borders; column 0 is an ordinary
// column painted like a header and not selectable. Cells are display only unless a window turns
// editing on.

#include <QTableWidget>

class QTableView;

class StringGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit StringGrid(QWidget* parent = nullptr);

  int RowCount() const { return rowCount() + 1; }
  int ColCount() const { return columnCount(); }
  void SetRowCount(int rows);  // rows includes the header row; at least 1
  void SetColCount(int cols);

  QString Cell(int col, int row) const;
  void SetCell(int col, int row, const QString& text);

  int DefaultColWidth() const { return defaultColWidth_; }
  // Every column gets this width, as do columns added later.
  void SetDefaultColWidth(int width);
  int ColWidth(int col) const { return columnWidth(col); }
  void SetColWidth(int col, int width) { setColumnWidth(col, width); }
  void SetDefaultRowHeight(int height);

  // Cells of row >= 1 and col >= 1 become empty; headers stay.
  void ClearCells();

 signals:
  void SelectCell(int col, int row);
  void MouseUp();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void updateGeometries() override;
  // Every click on a cell selects it, also on the cell that is current already.
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QTableWidgetItem* ItemAt(int col, int row);
  void StyleFixedColumn(int row);
  // Column 0 drawn again over the left edge, so that it stays in view when the grid scrolls.
  void PlaceFixedColumn();

  QTableView* fixedColumn_ = nullptr;

  int defaultColWidth_ = 64;
  // Set while rows or columns come and go: the current cell moves then, but nobody chose it.
  bool resizing_ = false;
};
