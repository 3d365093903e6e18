#include "platform/ctrl_grid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>

#include <algorithm>

#include "geometry/codepage.h"
#include "geometry/sjis_text.h"

namespace {

QString Q(const std::string& cp932) { return QString::fromStdString(Utf8FromCp932(cp932)); }
std::string S(const QString& text) { return Cp932FromUtf8(text.toStdString()); }

// The control's text passes through a buffer of 255 bytes, so at most 254
// come back; a double-byte character that would be cut in two is left out.
std::string CutToTextBuffer(std::string text) {
  constexpr std::size_t kLimit = 254;
  if (text.size() <= kLimit) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t step = IsSjisLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > kLimit) break;
    end += step;
  }
  text.resize(end);
  return text;
}

bool IsFixedCell(int col, int row) { return col == 0 || row == 0; }

}  // namespace

// The cell texts as Qt sees them: grid row r is model row r - 1 (row 0 is
// the header), grid column c is model column c.
class CtrlGridModel : public QAbstractTableModel {
 public:
  CtrlGridModel(TCtrlGrid* grid, GridCells& cells) : QAbstractTableModel(grid), grid_(grid), cells_(cells) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : std::max(cells_.RowCount() - 1, 0);
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : cells_.ColCount(); }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return Q(cells_.Cell(index.column(), index.row() + 1));
  }
  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (!index.isValid() || role != Qt::EditRole) return false;
    grid_->SetCell(index.column(), index.row() + 1, S(value.toString()));
    return true;
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return Q(cells_.Cell(section, 0));
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    // The title column can be neither current, selected nor edited.
    if (!index.isValid() || index.column() == 0) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }

  void Reset(const std::function<void()>& change) {
    beginResetModel();
    change();
    endResetModel();
  }
  void CellChanged(int col, int row) {
    if (row == 0) {
      emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
      const QModelIndex i = index(row - 1, col);
      emit dataChanged(i, i);
    }
  }
  void AllChanged() {
    if (cells_.ColCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, cells_.ColCount() - 1);
    if (rowCount({}) > 0 && cells_.ColCount() > 0) {
      emit dataChanged(index(0, 0), index(rowCount({}) - 1, cells_.ColCount() - 1));
    }
  }

 private:
  TCtrlGrid* grid_;
  GridCells& cells_;
};

// Paints every cell through the grid and gives the in-place editor the
// grid's Enter.
class CtrlGridDelegate : public QStyledItemDelegate {
 public:
  explicit CtrlGridDelegate(TCtrlGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    int state = 0;
    if (option.state & QStyle::State_Selected) state |= gdSelected;
    if (index == grid_->currentIndex()) state |= gdFocused;
    if (index.column() == 0) state |= gdFixed;
    painter->save();
    grid_->PaintCell(*painter, index.column(), index.row() + 1, option.rect, state);
    painter->restore();
  }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setFont(grid_->font());
    return editor;
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // The text goes into the cell first, then the grid handles Enter as
        // if the editor had never been there.
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        grid_->EditorEnter();
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  TCtrlGrid* grid_;
};

// The title row, painted like every other cell.
class CtrlGridHeader : public QHeaderView {
 public:
  explicit CtrlGridHeader(TCtrlGrid* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {}

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
    painter->save();
    grid_->PaintCell(*painter, logicalIndex, 0, rect, gdFixed);
    painter->restore();
  }

 private:
  TCtrlGrid* grid_;
};

// ---------------------------------------------------------------------------
// Registrations

int TCtrlGridCtrls::Add(int aCol, int aRow, QWidget* control, const std::string& defaultText) {
  auto item = std::make_unique<TCtrlGridItem>();
  item->Col = aCol;
  item->Row = aRow;
  item->Control = control;
  item->DefaultText = defaultText;
  if (control) {
    control->hide();
    grid_->WatchControl(control);
  }
  items_.push_back(std::move(item));
  if (OnChange) OnChange();
  return Count() - 1;
}

TCtrlGridCtrl TCtrlGridCtrls::Get(int index) const {
  if (index < 0 || index >= Count()) return {};
  const TCtrlGridItem& item = *items_[index];
  return {item.Col, item.Row, item.Control, item.DefaultText};
}

void TCtrlGridCtrls::Clear() {
  for (const auto& item : items_) {
    if (item->Control) item->Control->removeEventFilter(grid_);
  }
  items_.clear();
}

// ---------------------------------------------------------------------------
// The grid

TCtrlGrid::TCtrlGrid(QWidget* parent) : QTableView(parent), ctrls_(this) {
  model_ = new CtrlGridModel(this, cells_);
  setModel(model_);
  setItemDelegate(new CtrlGridDelegate(this));
  setHorizontalHeader(new CtrlGridHeader(this));
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(true);
  SetDefaultRowHeight(rowHeight_);
  SetOptions(options_);
  ctrls_.OnChange = [this] { RefreshCurrent(); };
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { RefreshCurrent(); });
  connect(verticalHeader(), &QHeaderView::sectionResized, this, [this] { RefreshCurrent(); });
  SetColCount(5);
  SetRowCount(5);
}

TCtrlGrid::~TCtrlGrid() {
  ctrls_.OnChange = nullptr;
  ctrls_.Clear();
}

void TCtrlGrid::SetColCount(int count) {
  const int rows = RowCount();
  model_->Reset([&] { cells_.Resize(std::max(count, 1), rows); });
  for (int c = 0; c < ColCount(); ++c) {
    if (horizontalHeader()->sectionSize(c) <= 0) horizontalHeader()->resizeSection(c, 64);
  }
  if (!currentIndex().isValid()) FocusCell(1, 1);
}

void TCtrlGrid::SetRowCount(int count) {
  const int cols = ColCount();
  model_->Reset([&] { cells_.Resize(cols, std::max(count, 1)); });
  if (!currentIndex().isValid()) FocusCell(1, 1);
}

void TCtrlGrid::SetColWidth(int col, int width) { horizontalHeader()->resizeSection(col, width); }

int TCtrlGrid::ColWidth(int col) const { return horizontalHeader()->sectionSize(col); }

void TCtrlGrid::SetDefaultRowHeight(int height) {
  rowHeight_ = height;
  verticalHeader()->setDefaultSectionSize(height);
  horizontalHeader()->setFixedHeight(height);
}

void TCtrlGrid::SetOptions(int options) {
  options_ = options;
  setSelectionMode((options & goRangeSelect) ? QAbstractItemView::ContiguousSelection
                                             : QAbstractItemView::SingleSelection);
  RefreshCurrent();
}

void TCtrlGrid::SetCell(int col, int row, const std::string& text) {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return;
  cells_.SetCell(col, row, text);
  model_->CellChanged(col, row);
  FollowRewrittenCell();
}

void TCtrlGrid::CellsChanged() {
  model_->AllChanged();
  viewport()->update();
  FollowRewrittenCell();
}

// A control still shows the text it was loaded with; when code has written
// another text into its cell since, the control takes that text, so that
// hiding it later cannot put the old one back.
void TCtrlGrid::FollowRewrittenCell() {
  if (!fControl_ || Cell(fControlCol_, fControlRow_) == shownCellText_) return;
  shownCellText_ = Cell(fControlCol_, fControlRow_);
  LoadControl(fControl_, shownCellText_);
}

void TCtrlGrid::EndEditing() {
  if (state() == QAbstractItemView::EditingState) {
    if (QWidget* editor = indexWidget(currentIndex())) {
      commitData(editor);
      closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
  }
  HideControl();
}

std::vector<std::string> TCtrlGrid::ColTitles() const {
  std::vector<std::string> titles;
  for (int c = 0; c < ColCount(); ++c) titles.push_back(Cell(c, 0));
  return titles;
}

void TCtrlGrid::SetColTitles(const std::vector<std::string>& titles) {
  for (int c = 0; c < ColCount(); ++c) SetCell(c, 0, c < static_cast<int>(titles.size()) ? titles[c] : "");
}

std::vector<std::string> TCtrlGrid::RowTitles() const {
  std::vector<std::string> titles;
  for (int r = 0; r < RowCount(); ++r) titles.push_back(Cell(0, r));
  return titles;
}

void TCtrlGrid::SetRowTitles(const std::vector<std::string>& titles) {
  for (int r = 0; r < RowCount(); ++r) SetCell(0, r, r < static_cast<int>(titles.size()) ? titles[r] : "");
}

int TCtrlGrid::Col() const {
  const QModelIndex i = currentIndex();
  return i.isValid() ? i.column() : 1;
}

int TCtrlGrid::Row() const {
  const QModelIndex i = currentIndex();
  return i.isValid() ? i.row() + 1 : 1;
}

void TCtrlGrid::FocusCell(int col, int row) {
  if (col < 1 || row < 1 || col >= ColCount() || row >= RowCount()) return;
  setCurrentIndex(model_->index(row - 1, col));
}

QRect TCtrlGrid::CellRect(int col, int row) const {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return {};
  QRect r;
  if (row == 0) {
    const QHeaderView* header = horizontalHeader();
    r = QRect(header->sectionViewportPosition(col), 0, header->sectionSize(col), header->height());
    if (!header->rect().intersects(r)) return {};
    r.translate(header->geometry().topLeft());
  } else {
    r = visualRect(model_->index(row - 1, col));
    if (r.isEmpty() || !viewport()->rect().intersects(r)) return {};
    r.translate(viewport()->geometry().topLeft());
  }
  // The grid line at the right and bottom belongs to no cell.
  if (showGrid()) r.adjust(0, 0, -1, -1);
  return r;
}

int TCtrlGrid::FindControl(int aCol, int aRow) const {
  for (int i = 0; i < ctrls_.Count(); ++i) {
    const TCtrlGridItem& item = *ctrls_.items_[i];
    const bool colMatches = item.Col == aCol || item.Col == aCol - ColCount() - 1 || item.Col == -1;
    const bool rowMatches = item.Row == aRow || item.Row == aRow - RowCount() - 1 || item.Row == -1;
    if (colMatches && rowMatches) return i;
  }
  return -1;
}

QWidget* TCtrlGrid::ControlAt(int aCol, int aRow) const {
  const int i = FindControl(aCol, aRow);
  return i < 0 ? nullptr : ctrls_.items_[i]->Control;
}

std::string TCtrlGrid::DefaultTextAt(int aCol, int aRow) const {
  const int i = FindControl(aCol, aRow);
  return i < 0 ? std::string() : ctrls_.items_[i]->DefaultText;
}

bool TCtrlGrid::CanShowControl(int aCol, int aRow) const {
  return ControlAt(aCol, aRow) != nullptr && (options_ & goEditing) && showControls_;
}

bool TCtrlGrid::CellVisible(const QRect& r) const {
  if (r.isNull() || r.isEmpty()) return false;
  // A cell cut by the top or left edge of the scrolled area shows no control.
  const QRect area = viewport()->geometry();
  return r.left() >= area.left() && r.top() >= area.top();
}

void TCtrlGrid::ShowControl(int aCol, int aRow) {
  const QRect r = CellRect(aCol, aRow);
  if (!CanShowControl(aCol, aRow) || !CellVisible(r)) return;
  if (state() == QAbstractItemView::EditingState) {
    if (QWidget* editor = indexWidget(currentIndex())) closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
  fControl_ = ControlAt(aCol, aRow);
  fControlCol_ = aCol;
  fControlRow_ = aRow;
  QWidget* control = fControl_;
  // The control is a sibling of the grid, so the cell goes into the
  // coordinates of the control's parent.
  QWidget* parent = control->parentWidget();
  const QPoint origin = parent ? parent->mapFromGlobal(mapToGlobal(QPoint(0, 0))) : mapToGlobal(QPoint(0, 0));
  control->setGeometry(origin.x() + r.left() + 1, origin.y() + r.top() + 1, r.width() + 2, r.height() + 2);
  if (KindOf(control) != ControlKind::Button) {
    control->show();
    control->raise();
  }
  shownCellText_ = Cell(aCol, aRow);
  LoadControl(control, shownCellText_);
  if (OnControlShow) OnControlShow(this, control, ControlText(control));
}

void TCtrlGrid::HideControl() {
  if (!fControl_) return;
  QWidget* control = fControl_;
  std::string text = CutToTextBuffer(ControlText(control));
  if (OnControlHide) OnControlHide(this, fControlCol_, fControlRow_, control, text);
  control->hide();
  fControl_ = nullptr;
  SetCell(fControlCol_, fControlRow_, text);
}

void TCtrlGrid::RefreshControl(int aCol, int aRow) {
  HideControl();
  ShowControl(aCol, aRow);
}

void TCtrlGrid::SetShowControls(bool show) {
  showControls_ = show;
  if (show) RefreshCurrent();
}

void TCtrlGrid::RefreshCurrent() {
  if (ColCount() > 1 && RowCount() > 1) RefreshControl(Col(), Row());
}

TCtrlGrid::ControlKind TCtrlGrid::KindOf(const QWidget* control) {
  if (qobject_cast<const QComboBox*>(control)) return ControlKind::ComboBox;
  if (qobject_cast<const QCheckBox*>(control)) return ControlKind::CheckBox;
  if (qobject_cast<const QAbstractButton*>(control)) return ControlKind::Button;
  return ControlKind::Edit;
}

std::string TCtrlGrid::ControlText(QWidget* control) const {
  if (auto* combo = qobject_cast<QComboBox*>(control)) {
    if (!combo->isEditable() && combo->currentIndex() < 0) return loadedText_;
    return S(combo->currentText());
  }
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return S(button->text());
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return S(edit->text());
  return S(control->property("text").toString());
}

void TCtrlGrid::SetControlText(QWidget* control, const std::string& text) {
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(Q(text));
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(Q(text));
  } else {
    control->setProperty("text", Q(text));
  }
}

void TCtrlGrid::LoadControl(QWidget* control, const std::string& text) {
  switch (KindOf(control)) {
    case ControlKind::ComboBox: {
      auto* combo = static_cast<QComboBox*>(control);
      loadedText_ = text;
      const int item = combo->findText(Q(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
      combo->setCurrentIndex(item);
      if (item < 0) {
        if (combo->isEditable()) {
          combo->setEditText(Q(text));
        } else {
          combo->setPlaceholderText(Q(text));
        }
      }
      // A long text shows from its start, like the cell.
      if (combo->lineEdit()) combo->lineEdit()->setCursorPosition(0);
      break;
    }
    case ControlKind::Button: break;
    case ControlKind::CheckBox:
    case ControlKind::Edit: SetControlText(control, CutToTextBuffer(text)); break;
  }
}

// The control's own pop-up (the list of a combo box) is a window of its own
// whose parent chain leads back to the control: focus there is still in the
// control.
bool TCtrlGrid::IsInShownControl(const QWidget* widget) const {
  for (const QWidget* w = widget; w && fControl_; w = w->parentWidget()) {
    if (w == fControl_) return true;
  }
  return false;
}

bool TCtrlGrid::ControlHasFocus() const { return IsInShownControl(QApplication::focusWidget()); }

void TCtrlGrid::WatchControl(QWidget* control) { control->installEventFilter(this); }

bool TCtrlGrid::eventFilter(QObject* watched, QEvent* event) {
  auto* control = qobject_cast<QWidget*>(watched);
  const bool registered = control && std::any_of(ctrls_.items_.begin(), ctrls_.items_.end(),
                                                 [control](const auto& item) { return item->Control == control; });
  if (registered) {
    if (event->type() == QEvent::KeyPress) {
      int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Enter) key = Qt::Key_Return;
      ControlKeyPress(control, key);
      if (key == 0) return true;
    } else if (event->type() == QEvent::FocusOut) {
      // Opening the combo box's list moves the focus into the list for a
      // moment; the control is not being left.
      if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) ControlExit(control);
    }
  }
  return QTableView::eventFilter(watched, event);
}

void TCtrlGrid::ControlKeyPress(QWidget* sender, int& key) {
  if (key == Qt::Key_Return) {
    key = 0;
    setFocus(Qt::OtherFocusReason);
  } else if (key == Qt::Key_Escape) {
    key = 0;
    if (sender == fControl_) LoadControl(sender, Cell(fControlCol_, fControlRow_));
    setFocus(Qt::OtherFocusReason);
  }
}

void TCtrlGrid::ControlExit(QWidget* /*sender*/) {
  if (fControl_ && !ControlHasFocus()) HideControl();
}

void TCtrlGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (!current.isValid()) return;
  RefreshControl(current.column(), current.row() + 1);
  if (OnClick) OnClick(this);
}

bool TCtrlGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (!index.isValid()) return QTableView::edit(index, trigger, event);
  if (!(options_ & goEditing)) return false;
  const int col = index.column();
  const int row = index.row() + 1;
  if (!CanShowControl(col, row)) return QTableView::edit(index, trigger, event);
  // A cell with a control never gets the in-place editor: the control is
  // its editor.
  switch (trigger) {
    case CurrentChanged:
      // Not an edit trigger of the grid, so the view opens nothing; but it
      // drops the delayed edit a click on the previous cell may have left
      // pending, which would otherwise land on this cell.
      return QTableView::edit(index, trigger, event);
    case AllEditTriggers:
      // An explicit request to edit the cell: its control is shown there.
      if (index == currentIndex() && !fControl_) ShowControl(col, row);
      return fControl_ && fControlCol_ == col && fControlRow_ == row;
    default: return false;
  }
}

void TCtrlGrid::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  RefreshCurrent();
}

void TCtrlGrid::focusOutEvent(QFocusEvent* event) {
  const Qt::FocusReason reason = event->reason();
  if (fControl_ && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
    QWidget* focus = QApplication::focusWidget();
    const bool intoControl = IsInShownControl(focus);
    if (!intoControl) {
      if (!(focus && isAncestorOf(focus))) HideControl();
    } else if (KindOf(fControl_) != ControlKind::CheckBox) {
      int key = Qt::Key_Return;
      KeyDown(key, Qt::NoModifier);
    }
  }
  QTableView::focusOutEvent(event);
}

void TCtrlGrid::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  RefreshCurrent();
}

void TCtrlGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  viewport()->update();
  RefreshCurrent();
}

void TCtrlGrid::KeyDown(int& key, Qt::KeyboardModifiers shift) {
  if (key == Qt::Key_Enter) key = Qt::Key_Return;
  if (HandleKeyDown(key, shift) || key == 0) {
    key = 0;
    return;
  }
  QKeyEvent event(QEvent::KeyPress, key, shift);
  QTableView::keyPressEvent(&event);
  if (event.isAccepted()) key = 0;
}

void TCtrlGrid::KeyUp(int& key, Qt::KeyboardModifiers shift) {
  if (HandleKeyUp(key)) {
    key = 0;
    return;
  }
  QKeyEvent event(QEvent::KeyRelease, key, shift);
  QTableView::keyReleaseEvent(&event);
}

void TCtrlGrid::EditorEnter() {
  int key = Qt::Key_Return;
  KeyDown(key, Qt::NoModifier);
}

void TCtrlGrid::keyPressEvent(QKeyEvent* event) {
  int key = event->key() == Qt::Key_Enter ? Qt::Key_Return : event->key();
  if (HandleKeyDown(key, event->modifiers()) || key == 0) {
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void TCtrlGrid::keyReleaseEvent(QKeyEvent* event) {
  if (HandleKeyUp(event->key())) {
    event->accept();
    return;
  }
  QTableView::keyReleaseEvent(event);
}

bool TCtrlGrid::HandleKeyDown(int& key, Qt::KeyboardModifiers shift) {
  if (fControl_) {
    QWidget* control = fControl_;
    if (key == Qt::Key_Return) {
      switch (KindOf(control)) {
        case ControlKind::ComboBox: {
          auto* combo = static_cast<QComboBox*>(control);
          if (Cell(fControlCol_, fControlRow_).empty()) {
            combo->setCurrentIndex(combo->findText(Q(DefaultTextAt(fControlCol_, fControlRow_)),
                                                   Qt::MatchExactly | Qt::MatchCaseSensitive));
          }
          control->setFocus(Qt::OtherFocusReason);
          break;
        }
        case ControlKind::CheckBox: {
          const std::string text = ControlText(control) == "1" ? "0" : "1";
          SetControlText(control, text);
          // The mark follows at once rather than when the cell is left.
          SetCell(fControlCol_, fControlRow_, text);
          break;
        }
        case ControlKind::Button:
          fPressed_ = true;
          viewport()->update();
          fPressed_ = false;
          viewport()->update();
          static_cast<QAbstractButton*>(control)->click();
          break;
        case ControlKind::Edit:
          if (Cell(fControlCol_, fControlRow_).empty()) {
            SetControlText(control, DefaultTextAt(fControlCol_, fControlRow_));
          }
          control->setFocus(Qt::OtherFocusReason);
          break;
      }
      return true;
    }
    if (key == Qt::Key_Space && KindOf(control) == ControlKind::Button) {
      fSpaceDown_ = true;
      fPressed_ = true;
      viewport()->update();
      return true;
    }
  }
  // The dialog's own handler sees the key first and may consume it.
  if (OnKeyDown) OnKeyDown(this, key, shift);
  return false;
}

bool TCtrlGrid::HandleKeyUp(int key) {
  if (key != Qt::Key_Space || !fSpaceDown_ || !fControl_) return false;
  fPressed_ = false;
  viewport()->update();
  fSpaceDown_ = false;
  if (auto* button = qobject_cast<QAbstractButton*>(fControl_.data())) button->click();
  return true;
}

void TCtrlGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex before = currentIndex();
  QTableView::mousePressEvent(event);
  const QModelIndex at = indexAt(event->position().toPoint());
  pressedIndex_ = event->button() == Qt::LeftButton ? QPersistentModelIndex(at) : QPersistentModelIndex();
  if (at.isValid() && at == before && currentIndex() == before && OnClick) OnClick(this);
  if (event->button() == Qt::LeftButton && at.isValid() && at == currentIndex() && fControl_ &&
      KindOf(fControl_) == ControlKind::Button) {
    fTracking_ = true;
    fPressed_ = true;
    viewport()->update();
  }
}

void TCtrlGrid::mouseMoveEvent(QMouseEvent* event) {
  QTableView::mouseMoveEvent(event);
  if (fTracking_) {
    const bool over = indexAt(event->position().toPoint()) == currentIndex();
    if (over != fPressed_) {
      fPressed_ = over;
      viewport()->update();
    }
  }
}

void TCtrlGrid::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  // One click on a list cell opens its list: the press made the cell current
  // and laid the combo box over it, the release drops the list down. A drag
  // that ends on another cell opens nothing.
  const QModelIndex at = indexAt(event->position().toPoint());
  const bool clicked = event->button() == Qt::LeftButton && at.isValid() && at == pressedIndex_;
  pressedIndex_ = QPersistentModelIndex();
  if (clicked && at == currentIndex() && fControl_ && fControlCol_ == at.column() && fControlRow_ == at.row() + 1) {
    if (auto* combo = qobject_cast<QComboBox*>(fControl_.data())) {
      combo->setFocus(Qt::MouseFocusReason);
      combo->showPopup();
    }
  }
  if (fTracking_) {
    const bool click = fPressed_;
    fTracking_ = false;
    fPressed_ = false;
    viewport()->update();
    if (click && fControl_) {
      if (auto* button = qobject_cast<QAbstractButton*>(fControl_.data())) button->click();
    }
  }
}

// ---------------------------------------------------------------------------
// Drawing

void TCtrlGrid::PaintCell(QPainter& painter, int aCol, int aRow, const QRect& rect, int state) {
  const QPalette& pal = palette();
  const bool fixed = IsFixedCell(aCol, aRow);
  if (fixed) state |= gdFixed;
  QColor background = pal.color(QPalette::Base);
  QColor foreground = pal.color(QPalette::Text);
  if (fixed) {
    background = pal.color(QPalette::Button);
    foreground = pal.color(QPalette::ButtonText);
  } else if ((state & gdSelected) && !(state & gdFocused)) {
    background = pal.color(QPalette::Highlight);
    foreground = pal.color(QPalette::HighlightedText);
  }
  painter.setFont(font());
  painter.setClipRect(rect);
  painter.setBrush(background);
  painter.setPen(Qt::NoPen);
  painter.fillRect(rect, background);

  QWidget* control = fixed ? nullptr : ControlAt(aCol, aRow);
  const bool controlsDrawn = control && (options_ & goEditing) && showControls_;
  if (controlsDrawn && KindOf(control) == ControlKind::CheckBox) {
    if (Cell(aCol, aRow) == "1") {
      const QColor mark = control->palette().color(QPalette::WindowText);
      painter.setPen(mark);
      painter.setBrush(mark);
      DrawCheckMark(painter, rect);
    }
  } else if (controlsDrawn && KindOf(control) == ControlKind::Button) {
    DrawButtonCell(painter, aCol, aRow, rect, IsCurrentCell(aCol, aRow) && fPressed_,
                   (state & gdFocused) && hasFocus());
  } else {
    painter.setPen(foreground);
    painter.drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Q(Cell(aCol, aRow)));
    if (OnDrawCell) {
      painter.setPen(Qt::black);
      painter.setBrush(background);
      OnDrawCell(this, painter, aCol, aRow, rect, state);
    }
  }
  if (fixed) {
    // The raised edge of a title cell.
    painter.setClipping(false);
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawLine(rect.right(), rect.top(), rect.right(), rect.bottom());
    painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
  }
}

void TCtrlGrid::DrawButtonCell(QPainter& painter, int aCol, int aRow, QRect r, bool pressed, bool focused) {
  QWidget* control = ControlAt(aCol, aRow);
  if (!control) return;
  if (focused) r.adjust(1, 1, -1, -1);
  QStyleOptionButton face;
  face.initFrom(control);
  face.rect = r;
  face.state = QStyle::State_Enabled | (pressed ? QStyle::State_Sunken : QStyle::State_Raised);
  face.features = QStyleOptionButton::None;
  style()->drawControl(QStyle::CE_PushButtonBevel, &face, &painter, control);
  const QRect inner = r.adjusted(1, 1, -1, -1);
  const QFont saved = painter.font();
  painter.setFont(control->font());
  painter.setPen(control->palette().color(QPalette::ButtonText));
  const QString text = Q(ControlText(control));
  const QFontMetrics metrics(control->font());
  const int x = inner.left() + (inner.width() - metrics.horizontalAdvance(text)) / 2;
  const int y = inner.top() + (inner.height() - metrics.height()) / 2;
  painter.drawText(QPoint(x, y + metrics.ascent()), text);
  painter.setFont(saved);
  if (focused) {
    const QColor shadow = palette().color(QPalette::Shadow);
    const QColor light = Qt::white;
    painter.setPen(pressed ? shadow : light);
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(pressed ? light : shadow);
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
  }
}

void DrawCheckMark(QPainter& canvas, const QRect& r) {
  const int cx = r.left() + r.width() / 2;
  const int cy = r.top() + r.height() / 2;
  const QPoint points[] = {{cx - 4, cy - 2}, {cx - 2, cy},     {cx + 2, cy - 4},
                           {cx + 3, cy - 3}, {cx - 2, cy + 2}, {cx - 4, cy}};
  canvas.drawPolygon(points, 6);
}
