#pragma once

#include "core/definitions.h"
#include "ui/catalogue_names.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"

namespace shops {

// The add dialog of the shop editor: picks the item that goes into stock position
// ShopInsertSlot of the shop working record. "Nothing" adds nothing.
class frmShopItemAdd : public ui::Form {
  Q_OBJECT

 public:
  static constexpr const char* FormName = "frmShopItemAdd";

  frmShopItemAdd(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent = nullptr);

  unsigned watchedChanges() const override { return core::ItemsChanged | core::ShopsChanged; }

 protected:
  void Form_Paint() override;

 private:
  void Command1_Click();  // Save
  void Command2_Click();  // Cancel

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::CatalogueNames* names_;  // "Nothing", then items 1..ItemCount
  // The position the last paint chose; a different one is the designer's pick and survives.
  int filledPosition_ = -1;
  bool filled_ = false;

  ui::Label* Label1_;
  ui::ComboBox* Combo1_;
  ui::Button* Command1_;
  ui::Button* Command2_;
};

}  // namespace shops
