#include "equipment/frm_equip_ed.h"

#include "core/numbers.h"
#include "core/text.h"
#include "equipment/item_fields.h"
#include "ui/catalogue_undo.h"
#include "ui/window_ids.h"

#include <utility>

namespace equipment {

namespace {

constexpr int ScrollType = 11;  // "Spell Scroll": UseCode holds a spell number

// Everything but the effect slots, which the effect windows edit in the working record.
bool SameButEffects(core::ItemRecord a, const core::ItemRecord& b) {
  a.Effects = b.Effects;
  return a == b;
}

}  // namespace

frmEquipEd::frmEquipEd(core::ModDefinitions& defs, ui::Dialogs& dialogs,
                       ui::FormsRegistry& registry, QWidget* parent)
    : ui::Form(ui::window::ItemEditor, parent),
      defs_(defs),
      dialogs_(dialogs),
      registry_(registry) {
  setCaption("Equipment Editor");
  buildControls();
  layOutControls();
  pager_ = std::make_unique<ui::EntryPager>(this, dialogs_, pagerHooks());
  pager_->nameInTitle([this] { return defs_.Item.ItemName; });
  paging_->connectTo(*pager_);
  new ui::CatalogueUndo(this, defs_, core::CatalogueFile::Items, dialogs_,
                        {[this] { return pager_->mayLeave(); }, [this] { pager_->showEntry(); }});
  spells_ = new ui::CatalogueNames(defs_, ui::NameSource::Spells, dialogs_, this);
  ui::ShowNames(Combo3_, spells_);

  connect(Combo1_, &ui::ComboBox::clicked, this, [this] { Combo1_Click(); });
  connect(Command3_, &ui::Button::clicked, this, [this] { pager_->save(); });
  connect(Command2_, &ui::Button::clicked, this, [this] { pager_->append(); });
  connect(Command5_, &ui::Button::clicked, this, [this] { registry_.show(ui::window::ItemList); });
  connect(Command6_, &ui::Button::clicked, this,
          [this] { registry_.show(ui::window::ItemEffects); });
}

ui::EntryPager::Hooks frmEquipEd::pagerHooks() {
  ui::EntryPager::Hooks hooks;
  hooks.noun = "item";
  hooks.newCaption = "New Item";
  hooks.count = [this] { return defs_.ItemCount; };
  hooks.shown = [this] { return defs_.ItemEntry; };
  hooks.read = [this](long entry, ui::PageMove) {
    const core::Status status = defs_.ReadItemPair(entry);
    if (status.ok()) notifyItemChanged();
    return status;
  };
  hooks.takeScreen = [this] { return move_screen_to_item(defs_.Item); };
  hooks.unsaved = [this] {
    core::ItemRecord screen = defs_.Item;
    return !move_screen_to_item(screen).isEmpty() ||
           ui::DiffersFromStored(defs_.Items(), defs_.ItemEntry, screen);
  };
  hooks.write = [this](bool overwrite) {
    const core::Status status = defs_.WriteItem(overwrite);
    if (status.ok()) notifyItemChanged();
    return status;
  };
  hooks.append = [this] {
    const core::Status status = defs_.AppendItem();
    if (status.ok()) notifyItemChanged();
    return status;
  };
  hooks.show = [this] { move_item_to_screen(); };
  hooks.name = [this](long n) { return ui::ShownName(defs_, ui::NameSource::Items, n); };
  return hooks;
}

void frmEquipEd::notifyItemChanged() {
  defs_.NotifyChanged(core::ItemsChanged, changeOrigin());
}

// Shown, refreshed, or told that another window changed the item working record.
void frmEquipEd::Form_Paint() {
  if (shown_ && defs_.Item.Effects != shownItem_.Effects &&
      SameButEffects(defs_.Item, shownItem_)) {
    // Only the effect slots changed (the effect editor): typing not saved yet stays.
    showHasEffects();
    return;
  }
  move_item_to_screen();
}

bool frmEquipEd::Form_QueryUnload() {
  return pager_->mayLeave();
}

// The effect windows edit this editor's working record: they go with it, after its question
// about unsaved changes has covered what was chosen in them.
void frmEquipEd::Form_Unload() {
  registry_.close(ui::window::EffectEditor);
  registry_.close(ui::window::ItemEffects);
}

void frmEquipEd::move_item_to_screen() {
  const core::ItemRecord& item = defs_.Item;
  MainLabel_->setText(pager_->recordLine());
  Text1_->setBytes(item.ItemName);
  Text2_->setBytes(item.PluralName);
  const auto& numbers = ItemNumberBoxes();
  for (std::size_t i = 0; i < numbers.size(); ++i)
    numberBoxes_[i]->setText(QString::fromStdString(core::PlainNumber(item.*numbers[i].field)));
  const bool scroll = item.ItemType == ScrollType;
  screenUse_ = item.UseCode;
  ui::ShowCode(Combo2_, scroll ? 0 : item.UseCode, 1);
  ui::ShowCode(Combo3_, scroll ? item.UseCode : 0, 1);
  // The type list's click switches the use lists, as the designer's choice does; the use lists
  // already show this item's use for it to carry over.
  ui::ShowCode(Combo1_, item.ItemType, 1);
  showUseList(scroll);
  for (std::size_t i = 0; i < Check1_.size(); ++i) Check1_[i]->setValue(item.UsableBy[i + 1]);
  shownItem_ = item;
  shown_ = true;
  showHasEffects();
}

QString frmEquipEd::move_screen_to_item(core::ItemRecord& item) const {
  std::vector<ui::NumberField> fields;
  const auto& numbers = ItemNumberBoxes();
  for (std::size_t i = 0; i < numbers.size(); ++i)
    fields.push_back({numberBoxes_[i], numbers[i].fieldName, &(item.*numbers[i].field)});
  const QString refused = ui::TakeWholeNumbers(fields);
  if (!refused.isEmpty()) return refused;
  item.ItemName = Text1_->bytes();
  item.PluralName = Text2_->bytes();
  item.ItemType = ui::CodeFromList(Combo1_, 1, item.ItemType);
  // The list of the type shown holds the use; the other list's selection means nothing.
  const ui::ComboBox* useList = item.ItemType == ScrollType ? Combo3_ : Combo2_;
  item.UseCode = ui::CodeFromList(useList, 1, item.UseCode);
  // A ticked box stores -1; one that was ticked already keeps the value it had.
  for (std::size_t i = 0; i < Check1_.size(); ++i) {
    std::int16_t& usable = item.UsableBy[i + 1];
    if (!Check1_[i]->value())
      usable = 0;
    else if (usable == 0)
      usable = -1;
  }
  return {};
}

// The type change: stored at once; the use on screen, saved or not, goes over to the list that
// shows it now.
void frmEquipEd::Combo1_Click() {
  const ui::ComboBox* before = defs_.Item.ItemType == ScrollType ? Combo3_ : Combo2_;
  // A use the list before could not show (a spell beyond the catalogue) stays as it was.
  if (before->position() >= 0) screenUse_ = ui::CodeFromList(before, 1, screenUse_);
  defs_.Item.ItemType = ui::CodeFromList(Combo1_, 1, defs_.Item.ItemType);
  shownItem_.ItemType = defs_.Item.ItemType;
  const bool scroll = defs_.Item.ItemType == ScrollType;
  ui::ShowCode(scroll ? Combo3_ : Combo2_, screenUse_, 1);
  showUseList(scroll);
}

void frmEquipEd::showUseList(bool spellScroll) {
  Label13_->setText(spellScroll ? "Spell" : "Use Item");
  Combo2_->setVisible(!spellScroll);
  Combo3_->setVisible(spellScroll);
}

void frmEquipEd::showHasEffects() {
  Check2_->setValue(defs_.Item.HasEffects() ? 1 : 0);
  shownItem_.Effects = defs_.Item.Effects;
}

}  // namespace equipment
