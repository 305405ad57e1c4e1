#include "shops/frm_shop_ed.h"

#include "ui/catalogue_names.h"

#include "core/text.h"
#include "core/vocabularies.h"
#include "shops/frm_shop_item_add.h"
#include "shops/stock_rows.h"
#include "ui/catalogue_undo.h"
#include "ui/where_used_button.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace shops {

namespace {

constexpr int CtrlD = 4;
constexpr int CtrlI = 9;
constexpr int ItemColumnTwips = 2000;

}  // namespace

frmShopEd::frmShopEd(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
                     QWidget* parent)
    : ui::Form(ui::window::ShopEditor, parent),
      defs_(defs),
      dialogs_(dialogs),
      registry_(registry) {
  setCaption("Shop Editor");
  buildControls();
  layOutControls();
  pager_ = std::make_unique<ui::EntryPager>(this, dialogs_, pagerHooks());
  pager_->nameInTitle([this] { return defs_.Shop.ShopName; });
  paging_->connectTo(*pager_);
  // The add dialog belongs to the shop on screen, which the step replaces.
  new ui::CatalogueUndo(this, defs_, core::CatalogueFile::Shops, dialogs_,
                        {[this] {
                           if (!pager_->mayLeave()) return false;
                           closeAddDialog();
                           return true;
                         },
                         [this] { pager_->showEntry(); }});
}

frmShopEd::~frmShopEd() = default;

void frmShopEd::buildControls() {
  QWidget* parent = body();
  Label1_ = new ui::Label(parent, "Label1");
  Label1_->setAlignment(Qt::AlignCenter);
  Label2_ = new ui::Label(parent, "Label2");
  Label2_->setText("Name:");
  Text1_ = new ui::TextBox(parent, "Text1");
  Text1_->setMaxLength(static_cast<int>(core::ShopNameWidth));
  Text1_->setField({core::ShopNameWidth});
  Label3_ = new ui::Label(parent, "Label3");
  Label3_->setText("Type:");
  Combo1_ = new ui::ComboBox(parent, "Combo1");
  for (std::string_view type : core::ShopTypeNames) Combo1_->addItem(ui::ToQString(type));
  Label4_ = new ui::Label(parent, "Label4");
  Label4_->setText("For Sale:");
  ListView1_ = new ui::ListView(parent, "ListView1");
  ListView1_->addColumn("Item", "Item", ItemColumnTwips);
  // Tab leaves the list; only Ctrl-I (the same character code) adds an item.
  ListView1_->setTabKeyNavigation(false);
  lblStockKeys_ = new ui::Label(parent, "lblStockKeys");
  lblStockKeys_->setText("Ctrl-D to Delete     Ctrl-I to Insert");
  for (ui::Label* label : {Label1_, Label2_, Label3_, Label4_, lblStockKeys_})
    label->setTextFormat(Qt::PlainText);

  const auto button = [parent](const char* name, const char* caption, const char* tip) {
    auto* made = new ui::Button(parent, name);
    made->setText(caption);
    if (*tip) made->setToolTip(tip);
    return made;
  };
  paging_ = new ui::PagingButtons(parent, {"Command6", "Command4", "Command5", "Command7"}, "shop",
                                  Label1_);
  Command6_ = paging_->first();
  Command4_ = paging_->previous();
  Command5_ = paging_->next();
  Command7_ = paging_->last();
  Command8_ = button("Command8", "^", "Move the selected items up");
  Command9_ = button("Command9", "v", "Move the selected items down");
  Command3_ = button("Command3", "New Shop", "Add a copy of this shop as the last shop");
  Command1_ = button("Command1", "Save", "");
  Command2_ = button("Command2", "Cancel", "");
  cmdWhereUsed_ = ui::AddWhereUsedButton(this, registry_, defs_, core::RefTarget::Shop,
                                         [this] { return defs_.ShopEntry; });

  connect(Command8_, &QPushButton::clicked, this, [this] { changeStock(MoveRowsUp, true); });
  connect(Command9_, &QPushButton::clicked, this, [this] { changeStock(MoveRowsDown, true); });
  connect(Command1_, &QPushButton::clicked, this, &frmShopEd::Command1_Click);
  connect(Command2_, &QPushButton::clicked, this, &frmShopEd::Command2_Click);
  connect(Command3_, &QPushButton::clicked, this, &frmShopEd::Command3_Click);
  connect(ListView1_, &ui::ListView::keyPressed, this, &frmShopEd::ListView1_KeyPress);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &frmShopEd::Command2_Click);
}

void frmShopEd::layOutControls() {
  auto* outer = new QVBoxLayout(body());

  outer->addWidget(paging_);

  auto* fields = new QGridLayout;
  fields->addWidget(Label2_, 0, 0);
  fields->addWidget(Text1_, 0, 1);
  fields->addWidget(Label3_, 1, 0);
  fields->addWidget(Combo1_, 1, 1);
  fields->setColumnStretch(1, 1);
  outer->addLayout(fields);

  outer->addWidget(Label4_);
  auto* stock = new QHBoxLayout;
  stock->addWidget(ListView1_, 1);
  auto* moves = new QVBoxLayout;
  for (ui::Button* move : {Command8_, Command9_}) {
    move->setFixedWidth(move->fontMetrics().horizontalAdvance("^") + 24);
    moves->addWidget(move);
  }
  moves->addStretch(1);
  stock->addLayout(moves);
  outer->addLayout(stock, 1);
  outer->addWidget(lblStockKeys_);

  auto* commands = new QHBoxLayout;
  commands->addWidget(cmdWhereUsed_);
  commands->addStretch(1);
  commands->addWidget(Command3_);
  commands->addWidget(Command1_);
  commands->addWidget(Command2_);
  outer->addLayout(commands);

  // Room for the 16 rows a stock can hold, and the widest of the names.
  ListView1_->setMinimumHeight(ListView1_->verticalHeader()->defaultSectionSize() * 8);
  resize(360, 440);
}

ui::EntryPager::Hooks frmShopEd::pagerHooks() {
  ui::EntryPager::Hooks hooks;
  hooks.noun = "shop";
  hooks.newCaption = "New Shop";
  hooks.count = [this] { return defs_.ShopCount; };
  hooks.shown = [this] { return defs_.ShopEntry; };
  hooks.read = [this](long entry, ui::PageMove) {
    closeAddDialog();
    const core::Status status = defs_.ReadShopPair(entry);
    if (status.ok()) notifyShopChanged();
    return status;
  };
  hooks.takeScreen = [this] {
    move_screen_to_shop(defs_.Shop);
    return QString();
  };
  hooks.unsaved = [this] {
    core::ShopRecord screen = defs_.Shop;
    move_screen_to_shop(screen);
    return ui::DiffersFromStored(defs_.Shops(), defs_.ShopEntry, screen);
  };
  hooks.write = [this](bool overwrite) {
    const core::Status status = defs_.WriteShop(overwrite);
    if (status.ok()) notifyShopChanged();
    return status;
  };
  hooks.append = [this] {
    closeAddDialog();
    core::Status status = defs_.AppendShop();
    // The new shop becomes both the working and the scratch record.
    if (status.ok()) status = defs_.ReadShopPair(defs_.ShopCount);
    if (status.ok()) notifyShopChanged();
    return status;
  };
  hooks.show = [this] { refresh(); };
  hooks.name = [this](long n) { return ui::ShownName(defs_, ui::NameSource::Shops, n); };
  return hooks;
}

void frmShopEd::Form_Load() {
  // With no shops the working record is the header: show an empty shop instead, which only
  // "New Shop" can store.
  const long shown = defs_.ShopEntry;
  if (shown < 1 || shown > defs_.ShopCount) {
    defs_.Shop = core::ShopRecord{};
    defs_.ShopEntry = 0;
  }
}

void frmShopEd::Form_Paint() {
  Label1_->setText(pager_->recordLine());
  move_shop_to_screen();
}

bool frmShopEd::Form_QueryUnload() {
  return pager_->mayLeave();
}

void frmShopEd::Form_Unload() {
  closeAddDialog();
}

// --- Screen and record ---

void frmShopEd::move_shop_to_screen() {
  const core::ShopRecord& shop = defs_.Shop;
  const bool otherShop = defs_.ShopEntry != filledShop_;
  if (otherShop || shop.ShopName != filledName_) {
    Text1_->setBytes(shop.ShopName);
    filledName_ = shop.ShopName;
  }
  if (otherShop || shop.ShopType != filledType_) {
    ui::ShowCode(Combo1_, shop.ShopType, 0);
    filledType_ = shop.ShopType;
  }
  filledShop_ = defs_.ShopEntry;

  std::vector<std::int16_t> selectedItems;
  if (!otherShop) {
    for (int row : ListView1_->selectedPositions())
      selectedItems.push_back(shop.Stock[static_cast<std::size_t>(rowPositions_[row - 1])]);
  }
  fillStockList(selectedItems);
}

void frmShopEd::move_screen_to_shop(core::ShopRecord& shop) const {
  shop.ShopName = Text1_->bytes();
  shop.ShopType = ui::CodeFromList(Combo1_, 0, shop.ShopType);
}

void frmShopEd::fillStockList(const std::vector<std::int16_t>& keepSelected) {
  const Stock& stock = defs_.Shop.Stock;
  rowPositions_ = StockRows(stock);
  std::vector<ui::ListRow> rows;
  rows.reserve(rowPositions_.size());
  for (int position : rowPositions_) {
    const std::int16_t item = stock[static_cast<std::size_t>(position)];
    rows.push_back({QString::number(position), stockRowText(item), {}});
  }
  ListView1_->setRows(std::move(rows));
  for (std::size_t row = 0; row < rowPositions_.size(); ++row) {
    const std::int16_t item = stock[static_cast<std::size_t>(rowPositions_[row])];
    if (std::find(keepSelected.begin(), keepSelected.end(), item) != keepSelected.end())
      ListView1_->setSelected(static_cast<int>(row) + 1, true);
  }
}

QString frmShopEd::stockRowText(std::int16_t item) const {
  // A number the item file does not hold (a file from elsewhere) is listed, so it can be deleted.
  if (item > defs_.ItemCount) return QString("Item %1 (not in Item.dat)").arg(item);
  return ui::ToShownText(defs_.ItemPluralName(item));
}

// --- The stock ---

template <class Operation>
void frmShopEd::changeStock(Operation operation, bool keepSelection) {
  const std::vector<int> selected = ListView1_->selectedPositions();
  std::vector<std::int16_t> movedItems;
  if (keepSelection) {
    for (int row : selected)
      movedItems.push_back(defs_.Shop.Stock[static_cast<std::size_t>(rowPositions_[row - 1])]);
  }
  operation(defs_.Shop.Stock, rowPositions_, selected);
  defs_.pack_shop_stock();
  fillStockList(movedItems);
  notifyShopChanged();
}

void frmShopEd::ListView1_KeyPress(int charCode) {
  if (charCode == CtrlD) changeStock(DeleteRows, false);
  if (charCode == CtrlI) openAddDialog();
}

void frmShopEd::openAddDialog() {
  const int position = FirstEmptyPosition(defs_.Shop.Stock);
  if (position < 0) return;  // all 16 positions hold items
  defs_.ShopInsertSlot = static_cast<std::int16_t>(position);
  registry_.show(ui::window::ShopItemAdd);
}

void frmShopEd::closeAddDialog() {
  registry_.close(ui::window::ShopItemAdd);
  defs_.ShopInsertSlot = -1;
}

void frmShopEd::notifyShopChanged() {
  defs_.NotifyChanged(core::ShopsChanged, changeOrigin());
}

// --- Commands ---

void frmShopEd::Command1_Click() {
  if (pager_->save()) closeForm();
}

void frmShopEd::Command2_Click() {
  closeForm();  // asks about unsaved changes first
}

void frmShopEd::Command3_Click() {
  pager_->append();
}

}  // namespace shops
