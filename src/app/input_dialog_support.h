#pragma once
// Pieces shared by the four input dialogs: their font, grids, lists,
// buttons and notes, and the cell drawing styles of their grids.

#include <QFont>
#include <QString>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPainter;
class QPushButton;
class QRect;
class QWidget;
class TCtrlGrid;

// "ＭＳ Ｐゴシック" of 13 pixels.
QFont DialogFont();

// Code page 932 text for Qt, and back.
QString QText(const std::string& cp932);
std::string Cp932Text(const QString& text);

// A grid with one fixed row and column, rows of 18 pixels, editing and
// range selection; the titles are UTF-8 literals.
TCtrlGrid* MakeInputGrid(QWidget* parent, const std::vector<int>& colWidths, int rowCount,
                         const std::vector<const char*>& colTitles);
// "[1]".."[n]" or "1".."n" into column 0 of rows 1..n.
void WriteRowTitles(TCtrlGrid* grid, int lastRow, bool bracketed);
// Enter in a grid moves to the next cell of the row, then to the first
// input column of the next row, and from the last cell back to the first.
void MoveOnAfterEnter(TCtrlGrid* grid, int& key);
// Empties columns first..last of every row below the titles.
void ClearGridColumns(TCtrlGrid* grid, int first, int last);

// A combo box of fixed items (UTF-8 literals), hidden until a grid shows it.
QComboBox* MakeCellList(QWidget* parent, const std::vector<const char*>& items, bool editable, int dropDownCount);
QPushButton* MakeButton(QWidget* parent, const char* caption, int x, int y, int w, int h);
// The captions of the buttons the dialogs share.
inline constexpr char kCloseCaption[] = "閉じる";
inline constexpr char kClearAllCaption[] = "全ｸﾘｱ-";
QLabel* MakeNote(QWidget* parent, const char* text, int x, int y);

// Cell drawing: black text on the brush the grid chose; fixed cells on the
// button face, the anchor cell of the selection on the window colour.
// Left: 1 pixel from the left and 2 from the top. Right: right-aligned, 2
// from the top, every cell. Centred: the cells of columns 1 and up,
// centred, 2 from the top.
void DrawCellLeft(TCtrlGrid* grid, QPainter& canvas, int aCol, int aRow, const QRect& rect, int state);
void DrawCellRight(TCtrlGrid* grid, QPainter& canvas, int aCol, int aRow, const QRect& rect, int state);
void DrawCellCentred(TCtrlGrid* grid, QPainter& canvas, int aCol, int aRow, const QRect& rect, int state);
