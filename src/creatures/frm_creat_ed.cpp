#include "creatures/frm_creat_ed.h"

#include "ui/catalogue_names.h"

#include "core/numbers.h"
#include "core/text.h"
#include "core/vocabularies.h"
#include "creatures/frm_creat_list2.h"
#include "ui/catalogue_undo.h"
#include "ui/window_ids.h"

#include <utility>

namespace creatures {

namespace {

template <std::size_t N>
void fillList(ui::ComboBox* list, const std::array<std::string_view, N>& texts) {
  list->clear();
  for (std::string_view text : texts) list->addItem(ui::ToQString(text));
}

QString plain(std::int16_t value) {
  return QString::fromStdString(core::PlainNumber(value));
}

// Equal in everything but the special slots.
bool sameButSpecials(core::CreatureRecord a, const core::CreatureRecord& b) {
  a.CreatureSpecials = b.CreatureSpecials;
  return a == b;
}

}  // namespace

frmCreatEd::frmCreatEd(core::ModDefinitions& defs, ui::Dialogs& dialogs,
                       ui::FormsRegistry& registry, QWidget* parent)
    : ui::Form(ui::window::CreatureEditor, parent),
      defs_(defs),
      dialogs_(dialogs),
      registry_(registry) {
  setCaption("Creature Editor");
  buildControls();
  pager_ = std::make_unique<ui::EntryPager>(this, dialogs_, pagerHooks());
  pager_->nameInTitle([this] { return defs_.Creature.CreatureName; });
  paging_->connectTo(*pager_);
  new ui::CatalogueUndo(this, defs_, core::CatalogueFile::Creatures, dialogs_,
                        {[this] { return pager_->mayLeave(); },
                         [this] {
                           pager_->showEntry();
                           creaturesChanged();
                         }});
  connect(Command2_, &QPushButton::clicked, this, [this] { pager_->append(); });
  connect(Command3_, &QPushButton::clicked, this, [this] { pager_->save(); });
  connect(Command5_, &QPushButton::clicked, this, &frmCreatEd::Command5_Click);
  connect(Command6_, &QPushButton::clicked, this, &frmCreatEd::Command6_Click);
  connect(Command9_, &QPushButton::clicked, this, &frmCreatEd::Command9_Click);
}

frmCreatEd::~frmCreatEd() = default;

ui::EntryPager::Hooks frmCreatEd::pagerHooks() {
  ui::EntryPager::Hooks hooks;
  hooks.noun = "creature";
  hooks.newCaption = "New Creature";
  hooks.savedMessage = "Creature Saved";
  hooks.count = [this] { return defs_.CreatureCount; };
  hooks.shown = [this] { return defs_.CreatureEntry; };
  hooks.read = [this](long entry, ui::PageMove) {
    const core::Status status = defs_.ReadCreaturePair(entry);
    if (status.ok()) creaturesChanged();
    return status;
  };
  hooks.takeScreen = [this] { return move_screen_to_mon(defs_.Creature); };
  hooks.unsaved = [this] { return hasUnsavedChanges(); };
  hooks.write = [this](bool overwrite) {
    const core::Status status = defs_.WriteCreature(overwrite);
    if (status.ok()) creaturesChanged();
    return status;
  };
  hooks.append = [this] {
    core::Status status = defs_.AppendCreature();
    // The new entry goes into the scratch record as well, as every entry read does.
    if (status.ok()) status = defs_.ReadCreaturePair(defs_.CreatureCount);
    if (status.ok()) creaturesChanged();
    return status;
  };
  hooks.show = [this] { move_mon_to_screen(); };
  hooks.name = [this](long n) { return ui::ShownName(defs_, ui::NameSource::Creatures, n); };
  return hooks;
}

// What other windows show of the creatures follows at once: the picture, the special slots,
// and the rows of an open creature list.
void frmCreatEd::creaturesChanged() {
  defs_.NotifyChanged(core::CreaturesChanged, changeOrigin());
  if (auto* list = registry_.find<frmCreatList2>(ui::window::CreatureList)) list->reloadRows();
}

QString frmCreatEd::SaveCaption(int category) {
  const std::string_view label = core::SaveLabels[static_cast<std::size_t>(category)];
  // The first saving throw has no label on screen; the spell editor calls its category None.
  const QString name =
      category == 0 ? QStringLiteral("None") : ui::ToQString(label.substr(0, label.size() - 1));
  return "Save vs. " + name;
}

std::vector<frmCreatEd::NumberBox> frmCreatEd::numberBoxes(core::CreatureRecord& c) const {
  std::vector<NumberBox> boxes = {
      {Text19_, "Bitmap", &c.Bitmap},
      {Text6_, "Intelligence", &c.Intelligence},
      {Text14_, "Speed", &c.Speed},
      {Text7_, "Karma", &c.Karma},
      {Text8_, "Damage (dice)", &c.DamageDice},
      {Text9_, "Damage (sides)", &c.DamageSides},
      {Text10_, "Damage (bonus)", &c.DamageBonus},
      {Text15_, "Attack", &c.Attack},
      {Text3_, "Hit Points (dice)", &c.HitDice},
      {Text4_, "Hit Points (sides)", &c.HitSides},
      {Text5_, "Hit Points (bonus)", &c.HitBonus},
      {Text16_, "Defence", &c.Defence},
      {Text22_, "Magic Points", &c.MagicPoints},
      {Text17_, "Experience", &c.Experience},
      {Text18_, "Experience (per hit point)", &c.ExperiencePerHit},
      {Text11_, "Gold (dice)", &c.GoldDice},
      {Text12_, "Gold (sides)", &c.GoldSides},
      {Text13_, "Gold (bonus)", &c.GoldBonus},
      {Text21_, "Level", &c.Level},
  };
  for (int i = 0; i < core::SaveCategoryCount; ++i)
    boxes.push_back({Text20_[static_cast<std::size_t>(i)], SaveCaption(i),
                     &c.Saves[static_cast<std::size_t>(i)]});
  return boxes;
}

void frmCreatEd::move_mon_to_screen() {
  const core::CreatureRecord& c = defs_.Creature;
  MainLabel_->setText(pager_->recordLine());
  Text1_->setBytes(c.CreatureName);
  Text2_->setBytes(c.PluralName);
  core::CreatureRecord shown = c;
  for (const NumberBox& number : numberBoxes(shown)) number.box->setText(plain(*number.field));
  fillList(Combo1_, core::CreatureTypeNames);
  ui::ShowCode(Combo1_, c.CreatureType, 0);
  fillList(Combo2_, core::HitPointScalingNames);
  ui::ShowCode(Combo2_, c.HitPointScaling, 0);
  fillList(Combo3_, core::SexNames);
  ui::ShowCode(Combo3_, c.Sex, 0);
  Check1_->setValue(core::HasSpecialEffects(c) ? 1 : 0);
  shownRecord_ = c;
  shownCount_ = defs_.CreatureCount;
  shownEntry_ = defs_.CreatureEntry;
}

QString frmCreatEd::move_screen_to_mon(core::CreatureRecord& creature) const {
  std::vector<ui::NumberField> fields;
  for (const NumberBox& number : numberBoxes(creature))
    fields.push_back({number.box, number.caption, number.field});
  const QString refused = ui::TakeWholeNumbers(fields);
  if (!refused.isEmpty()) return refused;
  creature.CreatureName = Text1_->bytes();
  creature.PluralName = Text2_->bytes();
  creature.CreatureType = ui::CodeFromList(Combo1_, 0, creature.CreatureType);
  creature.HitPointScaling = ui::CodeFromList(Combo2_, 0, creature.HitPointScaling);
  creature.Sex = ui::CodeFromList(Combo3_, 0, creature.Sex);
  return {};
}

// The screen, with the special slots as the special editor left them, differs from the entry
// as stored. A box that cannot be stored counts as a change.
bool frmCreatEd::hasUnsavedChanges() const {
  core::CreatureRecord screen = defs_.Creature;
  if (!move_screen_to_mon(screen).isEmpty()) return true;
  return ui::DiffersFromStored(defs_.Creatures(), defs_.CreatureEntry, screen);
}

// A repaint re-shows the working record when it holds another creature or changed values; when
// only the special slots changed (the special editor), "Special Effects" follows and the
// designer's typing stays.
void frmCreatEd::Form_Paint() {
  if (shownRecord_ && shownCount_ == defs_.CreatureCount && shownEntry_ == defs_.CreatureEntry &&
      sameButSpecials(*shownRecord_, defs_.Creature)) {
    showSpecialEffects();
    shownRecord_->CreatureSpecials = defs_.Creature.CreatureSpecials;
    return;
  }
  move_mon_to_screen();
}

void frmCreatEd::showSpecialEffects() {
  Check1_->setValue(core::HasSpecialEffects(defs_.Creature) ? 1 : 0);
}

bool frmCreatEd::Form_QueryUnload() {
  return pager_->mayLeave();
}

// The special windows serve this editor's working record: they go with it.
void frmCreatEd::Form_Unload() {
  registry_.close(ui::window::CreatureSpecialEditor);
  registry_.close(ui::window::CreatureSpecials);
}

void frmCreatEd::Command5_Click() {
  registry_.show(ui::window::CreatureList);
}

void frmCreatEd::Command6_Click() {
  ui::Form* picture = registry_.show(ui::window::CreaturePicture);
  // The name as stored, trailing blanks kept.
  if (picture) picture->setWindowTitle(ui::ToShownText(defs_.Creature.CreatureName));
}

void frmCreatEd::Command9_Click() {
  registry_.show(ui::window::CreatureSpecials);
}

}  // namespace creatures
