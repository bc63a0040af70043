// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/string_grid.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>

StringGrid::StringGrid(QWidget* parent) : QTableWidget(parent) {
  setRowCount(0);
  setColumnCount(1);
  setHorizontalHeaderItem(0, new QTableWidgetItem);
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setMinimumSectionSize(8);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setWordWrap(false);
  // Numbers are clipped at the cell border rather than shortened with an ellipsis.
  setTextElideMode(Qt::ElideNone);
  connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
    if (!resizing_ && row >= 0 && col >= 1) emit SelectCell(col, row + 1);
  });
  viewport()->installEventFilter(this);
  horizontalHeader()->viewport()->installEventFilter(this);

  fixedColumn_ = new QTableView(this);
  fixedColumn_->setModel(model());
  fixedColumn_->setSelectionModel(selectionModel());
  fixedColumn_->setFocusPolicy(Qt::NoFocus);
  // Clicks reach the grid below, which treats the fixed column as a header.
  fixedColumn_->setAttribute(Qt::WA_TransparentForMouseEvents);
  fixedColumn_->verticalHeader()->hide();
  fixedColumn_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  fixedColumn_->horizontalHeader()->setHighlightSections(false);
  fixedColumn_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fixedColumn_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fixedColumn_->setTextElideMode(Qt::ElideNone);
  fixedColumn_->setWordWrap(false);
  fixedColumn_->setFrameShape(QFrame::NoFrame);
  fixedColumn_->setStyleSheet("QTableView { border-right: 1px solid palette(mid); }");
  viewport()->stackUnder(fixedColumn_);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, fixedColumn_->verticalScrollBar(),
          &QScrollBar::setValue);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int) {
    if (col == 0) PlaceFixedColumn();
  });
  connect(verticalHeader(), &QHeaderView::sectionResized, this,
          [this](int row, int, int height) { fixedColumn_->setRowHeight(row, height); });
  SetDefaultRowHeight(20);
  PlaceFixedColumn();
}

void StringGrid::PlaceFixedColumn() {
  if (!fixedColumn_) return;
  for (int c = 1; c < columnCount(); ++c) fixedColumn_->setColumnHidden(c, true);
  fixedColumn_->setColumnHidden(0, false);
  fixedColumn_->setColumnWidth(0, columnWidth(0));
  fixedColumn_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
  fixedColumn_->setGeometry(frameWidth(), frameWidth(), columnWidth(0),
                            viewport()->height() + horizontalHeader()->height());
  fixedColumn_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void StringGrid::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  PlaceFixedColumn();
}

void StringGrid::updateGeometries() {
  QTableWidget::updateGeometries();
  PlaceFixedColumn();
}

void StringGrid::SetRowCount(int rows) {
  const int old = rowCount();
  resizing_ = true;
  setRowCount(std::max(0, rows - 1));
  resizing_ = false;
  for (int r = old; r < rowCount(); ++r) StyleFixedColumn(r + 1);
}

void StringGrid::SetColCount(int cols) {
  const int old = columnCount();
  resizing_ = true;
  setColumnCount(std::max(1, cols));
  resizing_ = false;
  PlaceFixedColumn();
  for (int c = old; c < columnCount(); ++c) {
    setColumnWidth(c, defaultColWidth_);
    // An empty label, not the view's default column number.
    if (!horizontalHeaderItem(c)) setHorizontalHeaderItem(c, new QTableWidgetItem);
  }
}

QString StringGrid::Cell(int col, int row) const {
  if (col < 0 || col >= columnCount() || row < 0 || row > rowCount()) return {};
  const QTableWidgetItem* it = row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
  return it ? it->text() : QString();
}

QTableWidgetItem* StringGrid::ItemAt(int col, int row) {
  if (row == 0) {
    QTableWidgetItem* it = horizontalHeaderItem(col);
    if (!it) {
      it = new QTableWidgetItem;
      setHorizontalHeaderItem(col, it);
    }
    return it;
  }
  QTableWidgetItem* it = item(row - 1, col);
  if (!it) {
    it = new QTableWidgetItem;
    setItem(row - 1, col, it);
    if (col == 0) StyleFixedColumn(row);
  }
  return it;
}

void StringGrid::SetCell(int col, int row, const QString& text) {
  if (col < 0 || col >= columnCount() || row < 0 || row > rowCount()) return;
  QTableWidgetItem* it = ItemAt(col, row);
  if (it->text() != text) it->setText(text);
}

void StringGrid::StyleFixedColumn(int row) {
  if (row < 1 || row > rowCount()) return;
  QTableWidgetItem* it = item(row - 1, 0);
  if (!it) {
    it = new QTableWidgetItem;
    setItem(row - 1, 0, it);
  }
  it->setFlags(Qt::ItemIsEnabled);
  it->setBackground(palette().color(QPalette::Button));
}

void StringGrid::SetDefaultColWidth(int width) {
  defaultColWidth_ = width;
  horizontalHeader()->setDefaultSectionSize(width);
  for (int c = 0; c < columnCount(); ++c) setColumnWidth(c, width);
}

void StringGrid::SetDefaultRowHeight(int height) {
  verticalHeader()->setMinimumSectionSize(std::min(height, 12));
  verticalHeader()->setDefaultSectionSize(height);
  if (fixedColumn_) {
    fixedColumn_->verticalHeader()->setMinimumSectionSize(std::min(height, 12));
    fixedColumn_->verticalHeader()->setDefaultSectionSize(height);
  }
}

void StringGrid::ClearCells() {
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 1; c < columnCount(); ++c)
      if (QTableWidgetItem* it = item(r, c)) it->setText(QString());
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex at = indexAt(event->position().toPoint());
  // The fixed column is a header: a click on it selects nothing.
  if (at.isValid() && at.column() == 0) return;
  const QModelIndex before = currentIndex();
  QTableWidget::mousePressEvent(event);
  // A changed current cell has reported itself; a click on the current one must too.
  if (event->button() == Qt::LeftButton && at.isValid() && at == before && at == currentIndex())
    emit SelectCell(at.column(), at.row() + 1);
}

bool StringGrid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) emit MouseUp();
  return QTableWidget::eventFilter(watched, event);
}
