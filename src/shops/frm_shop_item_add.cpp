#include "shops/frm_shop_item_add.h"

#include "shops/stock_rows.h"
#include "ui/list_filter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace shops {

// The names of the item list that hold the filter text, letter case ignored. "Nothing" always
// stays. The names are folded once, at the first letter typed, and again after a change of the
// item file.
class ItemFilter : public QSortFilterProxyModel {
 public:
  ItemFilter(ui::CatalogueNames* names, QObject* parent) : QSortFilterProxyModel(parent) {
    setSourceModel(names);
    connect(names, &QAbstractItemModel::modelReset, this, [this] { folded_.clear(); });
    connect(names, &QAbstractItemModel::dataChanged, this, [this] {
      folded_.clear();
      invalidateFilter();
    });
  }

  void setText(const QString& text) {
    needle_ = text.toCaseFolded();
    invalidateFilter();
  }

 protected:
  bool filterAcceptsRow(int row, const QModelIndex&) const override {
    if (row == 0 || needle_.isEmpty()) return true;
    const int rows = sourceModel()->rowCount();
    if (static_cast<int>(folded_.size()) != rows) {
      folded_.clear();
      folded_.reserve(static_cast<std::size_t>(rows));
      for (int r = 0; r < rows; ++r)
        folded_.push_back(sourceModel()->index(r, 0).data().toString().toCaseFolded());
    }
    return folded_[static_cast<std::size_t>(row)].contains(needle_);
  }

 private:
  QString needle_;
  mutable std::vector<QString> folded_;
};

frmShopItemAdd::frmShopItemAdd(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent)
    : ui::Form(ui::window::ShopItemAdd, parent), defs_(defs), dialogs_(dialogs) {
  setWindowTitle("Add Item to Shop");
  QWidget* parentWidget = body();
  Label1_ = new ui::Label(parentWidget, "Label1");
  Label1_->setTextFormat(Qt::PlainText);
  Label1_->setText("Add which Item:");
  Combo1_ = new ui::ComboBox(parentWidget, "Combo1");
  names_ = new ui::CatalogueNames(defs_, ui::NameSource::ItemPlurals, dialogs_, this, "Nothing");
  ui::ShowNames(Combo1_, names_, static_cast<int>(core::ItemNameWidth));
  shown_ = new ItemFilter(names_, this);
  {
    const QSignalBlocker quiet(Combo1_);
    Combo1_->setModel(shown_);
    Combo1_->setCurrentIndex(-1);
  }
  filter_ = new QLineEdit(parentWidget);
  filter_->setObjectName("txtFilter");
  filter_->setPlaceholderText("Filter (Ctrl+F)");
  filter_->setClearButtonEnabled(true);
  filter_->setToolTip("Lists the items whose names hold this text (Escape empties it)");
  filter_->installEventFilter(this);
  count_ = new QLabel(parentWidget);
  count_->setObjectName("lblFilterCount");
  count_->setTextFormat(Qt::PlainText);
  connect(filter_, &QLineEdit::textChanged, this, &frmShopItemAdd::filterChanged);
  connect(shown_, &QAbstractItemModel::modelReset, this, &frmShopItemAdd::showCount);
  connect(shown_, &QAbstractItemModel::layoutChanged, this, &frmShopItemAdd::showCount);
  connect(shown_, &QAbstractItemModel::rowsInserted, this, &frmShopItemAdd::showCount);
  connect(shown_, &QAbstractItemModel::rowsRemoved, this, &frmShopItemAdd::showCount);
  auto* find = new QShortcut(QKeySequence::Find, this);
  connect(find, &QShortcut::activated, filter_, [this] {
    filter_->setFocus(Qt::ShortcutFocusReason);
    filter_->selectAll();
  });
  showCount();
  Command1_ = new ui::Button(parentWidget, "Command1");
  Command1_->setText("Save");
  Command2_ = new ui::Button(parentWidget, "Command2");
  Command2_->setText("Cancel");

  auto* outer = new QVBoxLayout(parentWidget);
  auto* filtering = new QHBoxLayout;
  filtering->addWidget(filter_, 1);
  filtering->addWidget(count_);
  outer->addLayout(filtering);
  auto* choice = new QHBoxLayout;
  choice->addWidget(Label1_);
  choice->addWidget(Combo1_, 1);
  outer->addLayout(choice);
  auto* commands = new QHBoxLayout;
  commands->addStretch(1);
  commands->addWidget(Command1_);
  commands->addWidget(Command2_);
  outer->addLayout(commands);

  connect(Command1_, &QPushButton::clicked, this, &frmShopItemAdd::Command1_Click);
  connect(Command2_, &QPushButton::clicked, this, &frmShopItemAdd::Command2_Click);
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* save = new QShortcut(QKeySequence(key), this);
    connect(save, &QShortcut::activated, this, &frmShopItemAdd::Command1_Click);
  }
  auto* cancel = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(cancel, &QShortcut::activated, this, &frmShopItemAdd::Command2_Click);
}

void frmShopItemAdd::Form_Paint() {
  const long current = itemAt(Combo1_->position());
  const bool picked = filled_ && current != filledItem_;

  const int slot = defs_.ShopInsertSlot;
  const int stocked = slot >= 0 && slot < core::ShopStockSize
                          ? defs_.Shop.Stock[static_cast<std::size_t>(slot)]
                          : 0;
  filledItem_ = positionOf(stocked) >= 0 ? stocked : -1;
  const bool keepPick = picked && positionOf(current) >= 0;
  Combo1_->setPosition(positionOf(keepPick ? current : filledItem_));
  filled_ = true;
}

long frmShopItemAdd::itemAt(int position) const {
  if (position < 0 || position >= shown_->rowCount()) return -1;
  return names_->entryOf(shown_->mapToSource(shown_->index(position, 0)).row());
}

int frmShopItemAdd::positionOf(long item) const {
  const int row = names_->rowOf(item);
  if (row < 0) return -1;
  return shown_->mapFromSource(names_->index(row, 0)).row();
}

// Each letter shows the first item that holds the text, ready for Enter.
void frmShopItemAdd::filterChanged(const QString& text) {
  shown_->setText(text);
  showCount();
  if (!text.isEmpty()) Combo1_->setPosition(shown_->rowCount() > 1 ? 1 : 0);
}

void frmShopItemAdd::showCount() {
  count_->setText(ui::ListFilter::CountText(std::max(0, shown_->rowCount() - 1),
                                            std::max(0, names_->rowCount() - 1)));
}

// Escape empties a box that holds text before the window's own Escape (Cancel) can take it.
bool frmShopItemAdd::eventFilter(QObject* watched, QEvent* event) {
  if (watched == filter_ && !filter_->text().isEmpty() &&
      (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    event->accept();
    if (event->type() == QEvent::KeyPress) filter_->clear();
    return true;
  }
  return ui::Form::eventFilter(watched, event);
}

void frmShopItemAdd::Command1_Click() {
  const long item = itemAt(Combo1_->position());
  int slot = defs_.ShopInsertSlot;
  Stock& stock = defs_.Shop.Stock;
  if (item > 0 && slot >= 0 && slot < core::ShopStockSize) {
    // The position was empty when the dialog opened; never put the item over one stocked since.
    if (stock[static_cast<std::size_t>(slot)] != 0) slot = FirstEmptyPosition(stock);
    if (slot >= 0) {
      stock[static_cast<std::size_t>(slot)] = static_cast<std::int16_t>(item);
      defs_.pack_shop_stock();
      defs_.NotifyChanged(core::ShopsChanged, changeOrigin());
    }
  }
  closeForm();
}

void frmShopItemAdd::Command2_Click() {
  closeForm();
}

}  // namespace shops
