#include "app/input_dialog_support.h"

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>

#include "geometry/codepage.h"
#include "geometry/number_format.h"
#include "platform/ctrl_grid.h"

QFont DialogFont() {
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(13);
  return font;
}

QString QText(const std::string& cp932) { return QString::fromStdString(Utf8FromCp932(cp932)); }

std::string Cp932Text(const QString& text) { return Cp932FromUtf8(text.toStdString()); }

TCtrlGrid* MakeInputGrid(QWidget* parent, const std::vector<int>& colWidths, int rowCount,
                         const std::vector<const char*>& colTitles) {
  auto* grid = new TCtrlGrid(parent);
  grid->setFont(DialogFont());
  grid->SetColCount(static_cast<int>(colWidths.size()));
  grid->SetRowCount(rowCount);
  grid->SetDefaultRowHeight(18);
  for (std::size_t c = 0; c < colWidths.size(); ++c) grid->SetColWidth(static_cast<int>(c), colWidths[c]);
  std::vector<std::string> titles;
  for (const char* t : colTitles) titles.push_back(J(t));
  grid->SetColTitles(titles);
  grid->SetOptions(goRangeSelect | goEditing);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return grid;
}

void WriteRowTitles(TCtrlGrid* grid, int lastRow, bool bracketed) {
  for (int r = 1; r <= lastRow; ++r) {
    grid->SetCell(0, r, Format(bracketed ? "[%d]" : "%d", {r}));
  }
}

void ClearGridColumns(TCtrlGrid* grid, int first, int last) {
  // Nothing left open over the grid may write an old text back into it.
  grid->EndEditing();
  for (int r = 1; r < grid->RowCount(); ++r) {
    for (int c = first; c <= last; ++c) grid->MutableTable().SetCell(c, r, "");
  }
  grid->CellsChanged();
}

QComboBox* MakeCellList(QWidget* parent, const std::vector<const char*>& items, bool editable, int dropDownCount) {
  auto* combo = new QComboBox(parent);
  combo->setFont(DialogFont());
  combo->setEditable(editable);
  combo->setMaxVisibleItems(dropDownCount);
  for (const char* item : items) combo->addItem(QString::fromUtf8(item));
  combo->setCurrentIndex(-1);
  combo->hide();
  return combo;
}

QPushButton* MakeButton(QWidget* parent, const char* caption, int x, int y, int w, int h) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setFont(DialogFont());
  button->setGeometry(x, y, w, h);
  return button;
}

QLabel* MakeNote(QWidget* parent, const char* text, int x, int y) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setFont(DialogFont());
  label->move(x, y);
  label->adjustSize();
  return label;
}

namespace {

void FillCell(TCtrlGrid* grid, QPainter& canvas, const QRect& rect, int state) {
  canvas.setFont(grid->font());
  if (state & gdFixed) {
    canvas.setBrush(grid->palette().color(QPalette::Button));
  } else if (state & gdFocused) {
    canvas.setBrush(grid->palette().color(QPalette::Base));
  }
  canvas.fillRect(rect, canvas.brush());
  canvas.setPen(Qt::black);
  canvas.setClipRect(rect);
}

}  // namespace

void DrawCellLeft(TCtrlGrid* grid, QPainter& canvas, int aCol, int aRow, const QRect& rect, int state) {
  FillCell(grid, canvas, rect, state);
  canvas.drawText(rect.adjusted(1, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                  QText(grid->Cell(aCol, aRow)));
}

void DrawCellRight(TCtrlGrid* grid, QPainter& canvas, int aCol, int aRow, const QRect& rect, int state) {
  // Every cell on the brush the grid chose, titles included.
  canvas.setFont(grid->font());
  canvas.fillRect(rect, canvas.brush());
  canvas.setPen(Qt::black);
  canvas.setClipRect(rect);
  canvas.drawText(rect.adjusted(0, 2, -1, 0), Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                  QText(grid->Cell(aCol, aRow)));
  (void)state;
}

void DrawCellCentred(TCtrlGrid* grid, QPainter& canvas, int aCol, int aRow, const QRect& rect, int state) {
  if (aCol < 1 || (state & gdFixed)) return;
  canvas.setFont(grid->font());
  canvas.fillRect(rect, canvas.brush());
  canvas.setPen(Qt::black);
  canvas.setClipRect(rect);
  canvas.drawText(rect.adjusted(0, 2, 0, 0), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                  QText(grid->Cell(aCol, aRow)));
}

void MoveOnAfterEnter(TCtrlGrid* grid, int& key) {
  if (key != Qt::Key_Return) return;
  key = 0;
  if (grid->Col() < grid->ColCount() - 1) {
    grid->FocusCell(grid->Col() + 1, grid->Row());
  } else if (grid->Row() < grid->RowCount() - 1) {
    grid->FocusCell(1, grid->Row() + 1);
  } else {
    grid->FocusCell(1, 1);
  }
}
