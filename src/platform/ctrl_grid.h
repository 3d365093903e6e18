#pragma once
// The input grid: a string grid with a fixed title row and title column,
// in-place text editing, and cell controls. A cell control is a widget of
// the dialog (a combo box, a check box, a button, or an edit field)
// registered for a column and/or a row; when the current cell is such a
// cell the control is laid exactly over it instead of the in-place editor,
// loaded from the cell's text, and its text goes back into the cell when it
// is left. The cell texts (code page 932) stay the data of record.
//
// Row 0 (the column titles) is the grid's header; column 0 (the row titles)
// is an ordinary column that cannot be selected or edited.

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/grid_cells.h"

class QComboBox;
class QPainter;
class TCtrlGrid;
class CtrlGridModel;

// Where a registration applies: a column or row number, -1 every one, -2
// the last, -3 the one before it, and so on from the end.
struct TCtrlGridCtrl {
  int Col = -1;
  int Row = -1;
  QWidget* Control = nullptr;
  std::string DefaultText;  // offered when Enter is pressed on an empty cell
};

class TCtrlGridItem {
 public:
  int Col = -1;
  int Row = -1;
  QPointer<QWidget> Control;  // not owned
  std::string DefaultText;
};

// The registered cell controls of one grid, in registration order.
class TCtrlGridCtrls {
 public:
  explicit TCtrlGridCtrls(TCtrlGrid* grid) : grid_(grid) {}

  // Hides the control and routes its keys and focus loss through the grid;
  // the control's own handlers keep running before the grid's. Returns the
  // index of the new entry.
  int Add(int aCol, int aRow, QWidget* control, const std::string& defaultText);
  int Count() const { return static_cast<int>(items_.size()); }
  TCtrlGridCtrl Get(int index) const;  // an index outside the list gives an empty record
  void Clear();

  std::function<void()> OnChange;

 private:
  friend class TCtrlGrid;
  TCtrlGrid* grid_;
  std::vector<std::unique_ptr<TCtrlGridItem>> items_;
};

// Cell drawing states.
enum TGridDrawStateFlag : int { gdSelected = 1, gdFocused = 2, gdFixed = 4 };

// Grid options that change behaviour.
enum TGridOptionFlag : int { goRangeSelect = 1, goEditing = 2 };

using TCtrlGridShowEvent = std::function<void(TCtrlGrid* sender, QWidget* ctrl, const std::string& text)>;
using TCtrlGridHideEvent = std::function<void(TCtrlGrid* sender, int aCol, int aRow, QWidget* ctrl, std::string& text)>;
// The dialog's own cell drawing. The painter has the grid's font, a black
// pen and the brush the grid chose for the cell.
using TDrawCellEvent =
    std::function<void(TCtrlGrid* sender, QPainter& canvas, int aCol, int aRow, const QRect& rect, int state)>;
// Key is a Qt key code (Enter always arrives as Qt::Key_Return); setting it
// to 0 consumes the key.
using TKeyEvent = std::function<void(TCtrlGrid* sender, int& key, Qt::KeyboardModifiers shift)>;

class TCtrlGrid : public QTableView {
  Q_OBJECT

 public:
  explicit TCtrlGrid(QWidget* parent = nullptr);
  ~TCtrlGrid() override;
  using QTableView::edit;  // opens the in-place editor on a cell

  // The string grid.
  int ColCount() const { return cells_.ColCount(); }
  int RowCount() const { return cells_.RowCount(); }
  void SetColCount(int count);
  void SetRowCount(int count);
  void SetColWidth(int col, int width);
  int ColWidth(int col) const;
  void SetDefaultRowHeight(int height);
  int DefaultRowHeight() const { return rowHeight_; }
  int Options() const { return options_; }
  void SetOptions(int options);

  const std::string& Cell(int col, int row) const { return cells_.Cell(col, row); }
  void SetCell(int col, int row, const std::string& text);
  const GridCells& Table() const { return cells_; }
  // For code that rewrites many cells at once (parsers, clear buttons,
  // files); call CellsChanged afterwards so the screen follows.
  GridCells& MutableTable() { return cells_; }
  void CellsChanged();

  std::vector<std::string> ColTitles() const;
  void SetColTitles(const std::vector<std::string>& titles);
  std::vector<std::string> RowTitles() const;
  void SetRowTitles(const std::vector<std::string>& titles);

  // The current cell; column 0 and row 0 are never current.
  int Col() const;
  int Row() const;
  void FocusCell(int col, int row);
  // The cell rectangle in the grid's own coordinates (row 0 is the title
  // row); all zero for a cell that is scrolled out of view.
  QRect CellRect(int col, int row) const;

  // Cell controls.
  TCtrlGridCtrls& Ctrls() { return ctrls_; }
  bool ShowControls() const { return showControls_; }
  void SetShowControls(bool show);
  int FindControl(int aCol, int aRow) const;
  QWidget* ControlAt(int aCol, int aRow) const;
  std::string DefaultTextAt(int aCol, int aRow) const;
  bool CanShowControl(int aCol, int aRow) const;
  bool CellVisible(const QRect& r) const;
  void ShowControl(int aCol, int aRow);
  void HideControl();
  void RefreshControl(int aCol, int aRow);
  // Ends whatever editing is open over the grid: the text of the in-place
  // editor and of the shown cell control goes into its cell and both close.
  // Whoever reads or rewrites the whole table (parsers, New, Open, Save,
  // the stock import) calls it first.
  void EndEditing();
  QWidget* ShownControl() const { return fControl_; }

  // Key handling as the grid does it (also reached from the in-place editor
  // and from tests).
  void KeyDown(int& key, Qt::KeyboardModifiers shift);
  void KeyUp(int& key, Qt::KeyboardModifiers shift);

  TCtrlGridShowEvent OnControlShow;
  TCtrlGridHideEvent OnControlHide;
  TDrawCellEvent OnDrawCell;
  TKeyEvent OnKeyDown;
  std::function<void(TCtrlGrid* sender)> OnClick;

  // Paints one cell as the grid does, into any painter (also used by the
  // title row).
  void PaintCell(QPainter& painter, int aCol, int aRow, const QRect& rect, int state);
  void DrawButtonCell(QPainter& painter, int aCol, int aRow, QRect r, bool pressed, bool focused);

  // The routing of a registered control's keys and focus loss.
  void ControlKeyPress(QWidget* sender, int& key);
  void ControlExit(QWidget* sender);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TCtrlGridCtrls;
  friend class CtrlGridDelegate;
  enum class ControlKind { ComboBox, Button, CheckBox, Edit };
  static ControlKind KindOf(const QWidget* control);
  std::string ControlText(QWidget* control) const;
  void SetControlText(QWidget* control, const std::string& text);
  void LoadControl(QWidget* control, const std::string& text);
  bool ControlHasFocus() const;
  bool IsInShownControl(const QWidget* widget) const;
  void FollowRewrittenCell();
  void WatchControl(QWidget* control);
  void RefreshCurrent();
  void EditorEnter();
  // True when the grid used the key; the dialog's handler may also set it to 0.
  bool HandleKeyDown(int& key, Qt::KeyboardModifiers shift);
  bool HandleKeyUp(int key);
  bool IsCurrentCell(int aCol, int aRow) const { return aCol == Col() && aRow == Row(); }

  GridCells cells_;
  CtrlGridModel* model_ = nullptr;
  int rowHeight_ = 24;
  int options_ = goEditing;

  QPointer<QWidget> fControl_;
  int fControlCol_ = 0;
  int fControlRow_ = 0;
  bool fTracking_ = false;
  bool fPressed_ = false;
  bool fSpaceDown_ = false;
  TCtrlGridCtrls ctrls_;
  bool showControls_ = true;
  // A non-editable combo box cannot show a text that is none of its items;
  // the cell text it was loaded with is kept here, so leaving the box
  // without a choice gives the cell its text back instead of emptying it.
  std::string loadedText_;
  // The cell text the shown control was loaded with.
  std::string shownCellText_;
  // The cell a left press went down on, so that its release can tell a click.
  QPersistentModelIndex pressedIndex_;
};

// The check mark of a check-box cell, centred in r.
void DrawCheckMark(QPainter& canvas, const QRect& r);
