#include "equipment/frm_equip_eff_ed.h"

#include "core/numbers.h"
#include "core/vocabularies.h"
#include "equipment/effect_display.h"
#include "ui/entry_pager.h"

#include <QGridLayout>

namespace equipment {

namespace {

enum class KindGroup { None, Spell, UseEffect, StatChange };

KindGroup GroupOf(int kind) {
  if (kind >= 1 && kind <= 4) return KindGroup::Spell;
  if (kind >= 5 && kind <= 8) return KindGroup::UseEffect;
  if (kind == 9 || kind == 10) return KindGroup::StatChange;
  return KindGroup::None;
}

template <std::size_t N>
void Fill(ui::ComboBox* list, const std::array<std::string_view, N>& texts) {
  for (const std::string_view text : texts) list->addItem(ui::ToQString(text));
}

}  // namespace

frmEquipEffEd::frmEquipEffEd(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent)
    : ui::Form("frmEquipEffEd", parent),
      defs_(defs),
      Label1_(new ui::Label(body(), "Label1")),
      Label2_(new ui::Label(body(), "Label2")),
      Label3_(new ui::Label(body(), "Label3")),
      Combo1_(new ui::ComboBox(body(), "Combo1")),
      Combo2_(new ui::ComboBox(body(), "Combo2")),
      Combo3_(new ui::ComboBox(body(), "Combo3")),
      Combo4_(new ui::ComboBox(body(), "Combo4")),
      Combo5_(new ui::ComboBox(body(), "Combo5")),
      Command1_(new ui::Button(body(), "Command1")),
      spells_(new ui::CatalogueNames(defs, ui::NameSource::Spells, dialogs, this)) {
  ui::ShowNames(Combo2_, spells_);
  Label1_->setText("Type");
  Label3_->setText("Power");
  Command1_->setText("OK");
  Command1_->setDefault(true);
  closeOnEscape();  // every choice is stored as it is made
  Combo2_->setMaxVisibleItems(20);

  // Spell, use effect and stat share the place under Label2.
  auto* layout = new QGridLayout(body());
  layout->addWidget(Label1_, 0, 0);
  layout->addWidget(Combo1_, 1, 0);
  layout->addWidget(Label2_, 2, 0);
  for (ui::ComboBox* what : {Combo2_, Combo3_, Combo5_}) layout->addWidget(what, 3, 0);
  layout->addWidget(Label3_, 4, 0);
  layout->addWidget(Combo4_, 5, 0);
  layout->setRowStretch(6, 1);
  layout->addWidget(Command1_, 7, 0, Qt::AlignRight);
  Combo1_->setMinimumWidth(220);

  int n = 1;
  for (ui::ComboBox* list : {Combo1_, Combo2_, Combo3_, Combo4_, Combo5_}) {
    connect(list, &ui::ComboBox::clicked, this, [this, n] { EffectComboChanged(n); });
    ++n;
  }
  connect(Command1_, &ui::Button::clicked, this, [this] { closeForm(); });
}

void frmEquipEffEd::Form_Load() {
  Fill(Combo1_, core::EffectKindTexts);
  Fill(Combo3_, core::UseEffectEditorTexts);
  for (int power = 1; power <= 10; ++power) Combo4_->addItem(QString::number(power));
  Fill(Combo5_, core::StatTexts);
  defs_.EffectRefillPending = 1;
}

frmEquipEffEd::Slot frmEquipEffEd::slotValues() const {
  const int slot = defs_.SelectedEffectSlot;
  return {defs_.Item.Effect(slot, core::EffectField::Kind),
          defs_.Item.Effect(slot, core::EffectField::What),
          defs_.Item.Effect(slot, core::EffectField::Power)};
}

// Lays out the controls for the slot when asked to (EffectRefillPending), and also when the slot
// shown is no longer what the record holds (another item was paged to, or another slot picked).
void frmEquipEffEd::Form_Paint() {
  if (defs_.EffectRefillPending == 0 && laidOutSlot_ == defs_.SelectedEffectSlot &&
      laidOut_ == slotValues())
    return;
  defs_.EffectRefillPending = 1;
  layOutSlot();
  defs_.EffectRefillPending = 0;
}

// The selections made here raise the lists' clicks; EffectRefillPending keeps them out of the
// record.
void frmEquipEffEd::layOutSlot() {
  const int slot = defs_.SelectedEffectSlot;
  setWindowTitle("Choose Special" + QString::fromStdString(core::NumberWithLeadingBlank(slot + 1)));
  const auto [kind, what, power] = slotValues();
  ui::ShowCode(Combo1_, kind, 0);
  // Per kind: the list under Label2 (none for "Nothing"), its caption, and whether the power
  // list goes with it.
  struct Choice {
    ui::ComboBox* what;
    const char* caption;
    int firstCode;
    bool power;
  };
  Choice choice{nullptr, "", 0, false};
  switch (GroupOf(kind)) {
    case KindGroup::Spell:
      choice = {Combo2_, "Spell", EffectSpellBase - 1, false};
      break;
    case KindGroup::UseEffect:
      choice = {Combo3_, "Effect", 0, true};
      break;
    case KindGroup::StatChange:
      choice = {Combo5_, "Stat", 0, true};
      break;
    case KindGroup::None:
      break;
  }
  for (ui::ComboBox* list : {Combo2_, Combo3_, Combo5_}) list->setVisible(list == choice.what);
  Label2_->setVisible(choice.what != nullptr);
  Label3_->setVisible(choice.power);
  Combo4_->setVisible(choice.power);
  if (choice.what) {
    Label2_->setText(choice.caption);
    ui::ShowCode(choice.what, what, choice.firstCode);
  }
  if (choice.power) ui::ShowCode(Combo4_, power, 0);
  laidOut_ = {kind, what, power};
  laidOutSlot_ = slot;
}

void frmEquipEffEd::EffectComboChanged(int n) {
  if (defs_.EffectRefillPending != 0) return;  // the window's own selection
  const Slot before = slotValues();
  StoreEffectCombo(n);
  defs_.EffectRefillPending = 1;
  refresh();
  // The equipment editor's "Has Effects" and the effects list follow.
  if (slotValues() != before) defs_.NotifyChanged(core::ItemsChanged, changeOrigin());
}

void frmEquipEffEd::StoreEffectCombo(int n) {
  const int slot = defs_.SelectedEffectSlot;
  const auto set = [this, slot](core::EffectField field, int value) {
    defs_.Item.SetEffect(slot, field, static_cast<std::int16_t>(value));
  };
  const std::array<const ui::ComboBox*, 5> lists = {Combo1_, Combo2_, Combo3_, Combo4_, Combo5_};
  if (n < 1 || n > static_cast<int>(lists.size())) return;
  const int position = lists[static_cast<std::size_t>(n - 1)]->position();
  if (position < 0) return;  // nothing chosen: the stored value stays
  switch (n) {
    case 1:  // a new kind starts empty
      set(core::EffectField::Kind, position);
      set(core::EffectField::What, 0);
      set(core::EffectField::Power, 0);
      break;
    case 2:  // line p is spell p + 1, stored as p
      set(core::EffectField::What, position + EffectSpellBase - 1);
      break;
    case 3:
      set(core::EffectField::What, position);
      set(core::EffectField::Power, 0);
      break;
    case 4:
      set(core::EffectField::Power, position);
      break;
    case 5:
      set(core::EffectField::What, position);
      break;
  }
}

}  // namespace equipment
