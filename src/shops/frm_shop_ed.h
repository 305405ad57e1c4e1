#pragma once

#include "core/definitions.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/entry_pager.h"
#include "ui/form.h"
#include "ui/forms_registry.h"
#include "ui/list_view.h"
#include "ui/paging_buttons.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace shops {

// The shop editor: one shop of Shop.dat at a time (the shop working record), paged through,
// saved and appended, with its name, its type and its stock of up to 16 items. The stock is
// edited in the list (Ctrl-D deletes, Ctrl-I adds through frmShopItemAdd, "^" and "v" move);
// name and type are taken from the screen at "Save" and "New Shop".
class frmShopEd : public ui::Form {
  Q_OBJECT

 public:
  static constexpr const char* FormName = "frmShopEd";

  frmShopEd(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
            QWidget* parent = nullptr);
  ~frmShopEd() override;

  // Paging, saving and the unsaved-changes question; places named elsewhere are shown through it.
  ui::EntryPager& pager() { return *pager_; }

  unsigned watchedChanges() const override { return core::ShopsChanged | core::ItemsChanged; }

 protected:
  void Form_Load() override;
  void Form_Paint() override;
  bool Form_QueryUnload() override;
  void Form_Unload() override;

 private:
  void buildControls();
  void layOutControls();
  ui::EntryPager::Hooks pagerHooks();

  // move_shop_to_screen: what changed in the working record since the last fill, so typing
  // survives a repaint that another window's stock change caused.
  void move_shop_to_screen();
  // move_screen_to_shop: name (cut or blank-padded to 25) and type into `shop`.
  void move_screen_to_shop(core::ShopRecord& shop) const;
  // One row per stocked item, keyed by its stock position; `keepSelected` rows are reselected
  // by item number.
  void fillStockList(const std::vector<std::int16_t>& keepSelected = {});
  QString stockRowText(std::int16_t item) const;

  // A change of the stock on the selected rows, then packing and the list at once.
  template <class Operation>
  void changeStock(Operation operation, bool keepSelection);
  void ListView1_KeyPress(int charCode);
  void openAddDialog();
  // The add dialog belongs to the shop on screen: it goes when the shop does.
  void closeAddDialog();
  void notifyShopChanged();

  void Command1_Click();  // Save
  void Command2_Click();  // Cancel
  void Command3_Click();  // New Shop

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::FormsRegistry& registry_;
  std::unique_ptr<ui::EntryPager> pager_;

  // What the last fill put into the name and type boxes, and for which shop.
  long filledShop_ = -1;
  std::string filledName_;
  std::int16_t filledType_ = 0;
  std::vector<int> rowPositions_;  // the stock position of each list row

  ui::Label* Label1_;
  ui::Label* Label2_;
  ui::TextBox* Text1_;
  ui::Label* Label3_;
  ui::ComboBox* Combo1_;
  ui::Label* Label4_;
  ui::ListView* ListView1_;
  ui::Label* lblStockKeys_;
  ui::PagingButtons* paging_;
  ui::Button* Command1_;
  ui::Button* Command2_;
  ui::Button* Command3_;
  ui::Button* Command4_;
  ui::Button* Command5_;
  ui::Button* Command6_;
  ui::Button* Command7_;
  ui::Button* Command8_;
  ui::Button* Command9_;
  ui::Button* cmdWhereUsed_ = nullptr;
};

}  // namespace shops
