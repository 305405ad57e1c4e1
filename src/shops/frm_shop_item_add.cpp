#include "shops/frm_shop_item_add.h"

#include "shops/stock_rows.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace shops {

frmShopItemAdd::frmShopItemAdd(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent)
    : ui::Form(FormName, parent), defs_(defs), dialogs_(dialogs) {
  setWindowTitle("Add Item to Shop");
  QWidget* parentWidget = body();
  Label1_ = new ui::Label(parentWidget, "Label1");
  Label1_->setTextFormat(Qt::PlainText);
  Label1_->setText("Add which Item:");
  Combo1_ = new ui::ComboBox(parentWidget, "Combo1");
  names_ = new ui::CatalogueNames(defs_, ui::NameSource::ItemPlurals, dialogs_, this, "Nothing");
  ui::ShowNames(Combo1_, names_, static_cast<int>(core::ItemNameWidth));
  Command1_ = new ui::Button(parentWidget, "Command1");
  Command1_->setText("Save");
  Command2_ = new ui::Button(parentWidget, "Command2");
  Command2_->setText("Cancel");

  auto* outer = new QVBoxLayout(parentWidget);
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
  const int current = Combo1_->position();
  const bool picked = filled_ && current != filledPosition_;

  const int slot = defs_.ShopInsertSlot;
  const int stocked = slot >= 0 && slot < core::ShopStockSize
                          ? defs_.Shop.Stock[static_cast<std::size_t>(slot)]
                          : 0;
  filledPosition_ = stocked >= 0 && stocked < Combo1_->count() ? stocked : -1;
  const bool keepPick = picked && current >= 0 && current < Combo1_->count();
  Combo1_->setPosition(keepPick ? current : filledPosition_);
  filled_ = true;
}

void frmShopItemAdd::Command1_Click() {
  const int item = Combo1_->position();
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
