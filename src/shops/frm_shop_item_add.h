#pragma once

#include "core/definitions.h"
#include "ui/catalogue_names.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/window_ids.h"

#include <QLabel>
#include <QLineEdit>

namespace shops {

// The add dialog of the shop editor: picks the item that goes into stock position
// ShopInsertSlot of the shop working record. "Nothing" adds nothing.
class ItemFilter;

class frmShopItemAdd : public ui::Form {
  Q_OBJECT

 public:
  frmShopItemAdd(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent = nullptr);

  unsigned watchedChanges() const override { return core::ItemsChanged | core::ShopsChanged; }

 protected:
  void Form_Paint() override;

 private:
  void Command1_Click();  // Save
  void Command2_Click();  // Cancel
  // The filter box: the list keeps "Nothing" and the items whose names hold the text.
  void filterChanged(const QString& text);
  void showCount();
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The item at a position of the list as shown, and back; 0 is "Nothing".
  long itemAt(int position) const;
  int positionOf(long item) const;

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::CatalogueNames* names_;  // "Nothing", then items 1..ItemCount
  ItemFilter* shown_;          // the names the filter box lets through
  // The item the last paint chose; a different one is the designer's pick and survives.
  long filledItem_ = -1;
  bool filled_ = false;

  QLineEdit* filter_;
  QLabel* count_;

  ui::Label* Label1_;
  ui::ComboBox* Combo1_;
  ui::Button* Command1_;
  ui::Button* Command2_;
};

}  // namespace shops
