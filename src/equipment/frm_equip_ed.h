#pragma once

#include "core/definitions.h"
#include "core/item_record.h"
#include "ui/catalogue_names.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/entry_pager.h"
#include "ui/form.h"
#include "ui/forms_registry.h"
#include "ui/paging_buttons.h"

#include <memory>
#include <vector>

namespace equipment {

// The equipment editor: pages through Item.dat, edits the item in the item working record,
// saves it in place or adds it as a new item, and opens the item list and the item effects.
class frmEquipEd : public ui::Form {
  Q_OBJECT

 public:
  frmEquipEd(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
             QWidget* parent = nullptr);

  unsigned watchedChanges() const override { return core::ItemsChanged; }

  // Paging, saving and the unsaved-changes question; the item list picks through it.
  ui::EntryPager& pager() { return *pager_; }

  // Record to controls and controls to record.
  void move_item_to_screen();
  // The caption of the first number box that cannot be stored (and then nothing is taken).
  QString move_screen_to_item(core::ItemRecord& item) const;

 protected:
  void Form_Paint() override;
  bool Form_QueryUnload() override;
  void Form_Unload() override;

 private:
  // frm_equip_ed_layout.cpp
  void buildControls();
  void layOutControls();

  ui::EntryPager::Hooks pagerHooks();
  void Combo1_Click();
  void showUseList(bool spellScroll);
  void showHasEffects();
  void notifyItemChanged();

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::FormsRegistry& registry_;
  std::unique_ptr<ui::EntryPager> pager_;
  ui::CatalogueNames* spells_ = nullptr;  // the "Spell" list of a scroll
  ui::PagingButtons* paging_ = nullptr;
  // The working record as the controls last showed it; a paint whose record differs only in
  // its effect slots updates "Has Effects" alone, so typing survives an effect edit.
  core::ItemRecord shownItem_;
  bool shown_ = false;
  // The use code the screen holds, carried between the "Use Item" and "Spell" lists when the
  // type changes.
  std::int16_t screenUse_ = 0;

  ui::Label* MainLabel_ = nullptr;
  ui::Label *Label1_ = nullptr, *Label2_ = nullptr, *Label3_ = nullptr, *Label13_ = nullptr;
  ui::TextBox *Text1_ = nullptr, *Text2_ = nullptr;
  ui::ComboBox *Combo1_ = nullptr, *Combo2_ = nullptr, *Combo3_ = nullptr;
  // Text3 .. Text11 in that order, with their labels Label4 .. Label12.
  std::vector<ui::TextBox*> numberBoxes_;
  std::vector<ui::Label*> numberLabels_;
  ui::Frame *Frame1_ = nullptr, *Attack_ = nullptr, *Frame2_ = nullptr, *Frame3_ = nullptr;
  std::vector<ui::CheckBox*> Check1_;
  ui::CheckBox* Check2_ = nullptr;
  ui::Button *Command1_ = nullptr, *Command2_ = nullptr, *Command3_ = nullptr, *Command4_ = nullptr,
             *Command5_ = nullptr, *Command6_ = nullptr, *Command7_ = nullptr, *Command8_ = nullptr;
  ui::Button* cmdWhereUsed_ = nullptr;
};

}  // namespace equipment
