// Table cells, captions, row labels and selections. Cells of numeric columns
// take whole numbers 0..65535 when the user edits them.
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "ui/registry.h"

namespace ui {

namespace {

QColor Rgb(int rgb) {
  return QColor(QRgb(0xFF000000u | (static_cast<unsigned>(rgb) & 0xFFFFFF)));
}
int ToRgb(const QColor& c) {
  return static_cast<int>(c.rgb() & 0xFFFFFF);
}

QTableWidget* TableOf(int panel, int ctrl) {
  Control* c = FindControl(panel, ctrl);
  return c && c->kind == Kind::Table ? static_cast<QTableWidget*>(c->widget.data()) : nullptr;
}

struct Quiet {
  Quiet() { ++gQuiet; }
  ~Quiet() { --gQuiet; }
};

bool TextColumn(const QTableWidget* t, int col) {
  for (const QString& c : t->property("textColumns").toString().split(',', Qt::SkipEmptyParts))
    if (c.trimmed().toInt() == col) return true;
  return false;
}

// The cell at (col, row) counted from 1, created when it does not exist yet.
QTableWidgetItem* Cell(QTableWidget* t, int col, int row) {
  if (!t || col < 1 || row < 1 || col > t->columnCount() || row > t->rowCount()) return nullptr;
  QTableWidgetItem* item = t->item(row - 1, col - 1);
  if (!item) {
    Quiet q;
    item = new QTableWidgetItem;
    // Text reads from the left, numbers line up on the right.
    item->setTextAlignment((TextColumn(t, col) ? Qt::AlignLeft : Qt::AlignRight) |
                           Qt::AlignVCenter);
    t->setItem(row - 1, col - 1, item);
  }
  return item;
}

// Editing numeric cells with a spin box keeps their values to 16-bit words.
class WordDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    auto* t = static_cast<const QTableWidget*>(this->parent());
    if (TextColumn(t, index.column() + 1)) {
      QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
      int most = t->property("textMaxLength").toInt();
      if (auto* line = qobject_cast<QLineEdit*>(editor); line && most > 0) line->setMaxLength(most);
      return editor;
    }
    auto* box = new QSpinBox(parent);
    box->setRange(0, 65535);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignRight);
    box->setFrame(false);
    return box;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* box = qobject_cast<QSpinBox*>(editor))
      box->setValue(index.data(Qt::DisplayRole).toString().toInt());
    else
      QStyledItemDelegate::setEditorData(editor, index);
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    if (auto* box = qobject_cast<QSpinBox*>(editor)) {
      box->interpretText();
      model->setData(index, QString::number(box->value()), Qt::EditRole);
    } else {
      QStyledItemDelegate::setModelData(editor, model, index);
    }
  }
};

}  // namespace

void PrepareTable(Control& c) {
  auto* t = static_cast<QTableWidget*>(c.widget.data());
  t->setItemDelegate(new WordDelegate(t));
  QStringList widths = t->property("columnWidths").toString().split(',', Qt::SkipEmptyParts);
  for (int i = 0; i < widths.size() && i < t->columnCount(); ++i)
    t->setColumnWidth(i, widths[i].trimmed().toInt());
  int panel = c.panel, id = c.id;
  QObject::connect(t, &QTableWidget::cellChanged, t, [panel, id](int row, int col) {
    if (gQuiet) return;
    FireCtrlEvent(panel, id, EVENT_VAL_CHANGED, row + 1, col + 1);
    FireCtrlEvent(panel, id, EVENT_COMMIT, row + 1, col + 1);
  });
}

int SetTableCellVal(int panel, int ctrl, int col, int row, int value) {
  return SetTableCellVal(panel, ctrl, col, row, std::to_string(value));
}

int SetTableCellVal(int panel, int ctrl, int col, int row, const std::string& value) {
  QTableWidgetItem* item = Cell(TableOf(panel, ctrl), col, row);
  if (!item) return -1;
  Quiet q;
  item->setText(QString::fromUtf8(value.data(), static_cast<int>(value.size())));
  return 0;
}

int GetTableCellInt(int panel, int ctrl, int col, int row) {
  QTableWidget* t = TableOf(panel, ctrl);
  if (!t || col < 1 || row < 1 || col > t->columnCount() || row > t->rowCount()) return 0;
  QTableWidgetItem* item = t->item(row - 1, col - 1);
  return item ? item->text().trimmed().toInt() : 0;
}

std::string GetTableCellString(int panel, int ctrl, int col, int row) {
  QTableWidget* t = TableOf(panel, ctrl);
  if (!t || col < 1 || row < 1 || col > t->columnCount() || row > t->rowCount()) return {};
  QTableWidgetItem* item = t->item(row - 1, col - 1);
  return item ? item->text().toStdString() : std::string();
}

int SetTableCellColor(int panel, int ctrl, int col, int row, int rgb) {
  QTableWidgetItem* item = Cell(TableOf(panel, ctrl), col, row);
  if (!item) return -1;
  Quiet q;
  item->setBackground(Rgb(rgb));
  return 0;
}

int GetTableCellColor(int panel, int ctrl, int col, int row) {
  QTableWidgetItem* item = Cell(TableOf(panel, ctrl), col, row);
  if (!item) return -1;
  QBrush b = item->background();
  return b.style() == Qt::NoBrush ? 0xFFFFFF : ToRgb(b.color());
}

int SetTableRowLabelColor(int panel, int ctrl, int row, int rgb) {
  QTableWidget* t = TableOf(panel, ctrl);
  if (!t || row < 1 || row > t->rowCount()) return -1;
  QTableWidgetItem* h = t->verticalHeaderItem(row - 1);
  if (!h) {
    h = new QTableWidgetItem(QString::number(row));
    t->setVerticalHeaderItem(row - 1, h);
  }
  h->setForeground(Rgb(rgb));
  return 0;
}

int GetTableRowLabelColor(int panel, int ctrl, int row) {
  QTableWidget* t = TableOf(panel, ctrl);
  if (!t || row < 1 || row > t->rowCount()) return -1;
  QTableWidgetItem* h = t->verticalHeaderItem(row - 1);
  if (!h || h->foreground().style() == Qt::NoBrush) return 0;
  return ToRgb(h->foreground().color());
}

int SetTableColumnCaption(int panel, int ctrl, int col, const std::string& caption) {
  QTableWidget* t = TableOf(panel, ctrl);
  if (!t || col < 1 || col > t->columnCount()) return -1;
  QTableWidgetItem* h = t->horizontalHeaderItem(col - 1);
  if (!h) {
    h = new QTableWidgetItem;
    t->setHorizontalHeaderItem(col - 1, h);
  }
  h->setText(QString::fromStdString(caption));
  return 0;
}

std::string GetTableColumnCaption(int panel, int ctrl, int col) {
  QTableWidget* t = TableOf(panel, ctrl);
  if (!t || col < 1 || col > t->columnCount()) return {};
  QTableWidgetItem* h = t->horizontalHeaderItem(col - 1);
  return h ? h->text().toStdString() : std::string();
}

int SetTableColumnVisible(int panel, int ctrl, int col, bool visible) {
  QTableWidget* t = TableOf(panel, ctrl);
  if (!t || col < 1 || col > t->columnCount()) return -1;
  t->setColumnHidden(col - 1, !visible);
  return 0;
}

bool IsTableColumnVisible(int panel, int ctrl, int col) {
  QTableWidget* t = TableOf(panel, ctrl);
  return t && col >= 1 && col <= t->columnCount() && !t->isColumnHidden(col - 1);
}

int GetNumTableRows(int panel, int ctrl) {
  QTableWidget* t = TableOf(panel, ctrl);
  return t ? t->rowCount() : -1;
}

int GetNumTableColumns(int panel, int ctrl) {
  QTableWidget* t = TableOf(panel, ctrl);
  return t ? t->columnCount() : -1;
}

int SetActiveTableCell(int panel, int ctrl, int col, int row) {
  QTableWidget* t = TableOf(panel, ctrl);
  if (!t || col < 1 || row < 1 || col > t->columnCount() || row > t->rowCount()) return -1;
  Quiet q;
  t->setCurrentCell(row - 1, col - 1);
  t->scrollToItem(Cell(t, col, row));
  return 0;
}

int GetActiveTableCell(int panel, int ctrl, int& col, int& row) {
  QTableWidget* t = TableOf(panel, ctrl);
  col = row = 0;
  if (!t) return -1;
  if (t->currentRow() >= 0 && t->currentColumn() >= 0) {
    col = t->currentColumn() + 1;
    row = t->currentRow() + 1;
  }
  return 0;
}

int GetTableSelection(int panel, int ctrl, CellRange& range) {
  QTableWidget* t = TableOf(panel, ctrl);
  range = CellRange{};
  if (!t) return -1;
  QList<QTableWidgetSelectionRange> ranges = t->selectedRanges();
  if (ranges.isEmpty()) return 0;
  const QTableWidgetSelectionRange& r = ranges.first();
  range = {r.leftColumn() + 1, r.topRow() + 1, r.columnCount(), r.rowCount()};
  return 0;
}

bool IsTableCellEditable(int panel, int ctrl, int col, int row) {
  QTableWidget* t = TableOf(panel, ctrl);
  if (!t || col < 1 || row < 1 || col > t->columnCount() || row > t->rowCount()) return false;
  if (t->editTriggers() == QAbstractItemView::NoEditTriggers) return false;
  // A cell without an item is created editable on first use.
  QTableWidgetItem* item = t->item(row - 1, col - 1);
  return !item || (item->flags() & Qt::ItemIsEditable);
}

int SetTableSelection(int panel, int ctrl, const CellRange& range) {
  QTableWidget* t = TableOf(panel, ctrl);
  if (!t) return -1;
  Quiet q;
  t->clearSelection();
  if (range.width > 0 && range.height > 0)
    t->setRangeSelected(
        QTableWidgetSelectionRange(range.top - 1, range.left - 1, range.top + range.height - 2,
                                   range.left + range.width - 2),
        true);
  return 0;
}

}  // namespace ui
