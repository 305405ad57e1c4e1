#include "creatures/frm_creat_spe_ed.h"

#include "core/numbers.h"
#include "core/vocabularies.h"
#include "creatures/creature_specials.h"

#include <QGridLayout>

namespace creatures {

namespace {

using Field = core::SpecialSlotField;

ui::Label* caption(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new ui::Label(parent, name);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  return label;
}

}  // namespace

frmCreatSpeEd::frmCreatSpeEd(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent)
    : ui::Form("frmCreatSpeEd", parent),
      defs_(defs),
      Label1_(caption(body(), "Label1", "Effect")),
      Label2_(caption(body(), "Label2", "Chance")),
      Label3_(caption(body(), "Label3", "Power")),
      Combo1_(new ui::ComboBox(body(), "Combo1")),
      Combo2_(new ui::ComboBox(body(), "Combo2")),
      Combo3_(new ui::ComboBox(body(), "Combo3")),
      Combo4_(new ui::ComboBox(body(), "Combo4")),
      Command1_(new ui::Button(body(), "Command1")),
      spells_(new ui::CatalogueNames(defs, ui::NameSource::Spells, dialogs, this)) {
  ui::ShowNames(Combo4_, spells_);
  Command1_->setText("OK");
  Command1_->setDefault(true);
  closeOnEscape();  // every choice is stored as it is made
  auto* layout = new QGridLayout(body());
  layout->addWidget(Label1_, 0, 0);
  layout->addWidget(Combo1_, 0, 1);
  layout->addWidget(Label2_, 1, 0);
  layout->addWidget(Combo2_, 1, 1);
  layout->addWidget(Label3_, 2, 0);
  // The spell list lies on the power list: one of the two shows, by effect.
  layout->addWidget(Combo3_, 2, 1);
  layout->addWidget(Combo4_, 2, 1);
  layout->addWidget(Command1_, 3, 1, Qt::AlignRight);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(4, 1);
  resize(320, 150);

  connect(Combo1_, &ui::ComboBox::clicked, this, [this] { CheckForSpecialChange(1); });
  connect(Combo2_, &ui::ComboBox::clicked, this, [this] { CheckForSpecialChange(2); });
  connect(Combo3_, &ui::ComboBox::clicked, this, [this] { CheckForSpecialChange(3); });
  connect(Combo4_, &ui::ComboBox::clicked, this, [this] { CheckForSpecialChange(4); });
  connect(Command1_, &QPushButton::clicked, this, [this] { closeForm(); });
}

void frmCreatSpeEd::Form_Load() {
  for (std::string_view text : core::CreatureEffectNames) Combo1_->addItem(ui::ToQString(text));
  for (const core::SpecialChance& chance : core::SpecialChances)
    Combo2_->addItem(ui::ToQString(chance.text));
  for (int power = 1; power <= 10; ++power) Combo3_->addItem(QString::number(power));
  loadSlot();
}

void frmCreatSpeEd::loadSlot() {
  setWindowTitle("Choose Special" + QString::fromStdString(core::NumberWithLeadingBlank(
                                        defs_.CurrentCreatureSpecial)));
  defs_.CreatureSpecialReload = 1;
  refresh();
}

frmCreatSpeEd::Slot frmCreatSpeEd::slotInRecord() const {
  const int k = defs_.CurrentCreatureSpecial;
  if (k < 0 || k >= ShownSpecialSlots) return {0, 0, 0};
  const core::CreatureRecord& c = defs_.Creature;
  return {c.CreatureSpecial(k, Field::Chance), c.CreatureSpecial(k, Field::Effect),
          c.CreatureSpecial(k, Field::Power)};
}

// The lists are set from the slot while the reload flag is up (their click events then store
// nothing), and when another window changed the slot or the spells.
void frmCreatSpeEd::Form_Paint() {
  // Spells added or taken away elsewhere: the slot's spell is shown again in the new list.
  if (Combo4_->count() != shownSpells_) defs_.CreatureSpecialReload = 1;
  if (defs_.CreatureSpecialReload == 0 && shownSlot_ == slotInRecord()) return;
  defs_.CreatureSpecialReload = 1;
  showSlot();
  defs_.CreatureSpecialReload = 0;
}

void frmCreatSpeEd::showSlot() {
  shownSpells_ = Combo4_->count();
  const Slot slot = slotInRecord();
  const auto [chance, effect, power] = slot;
  Combo1_->setPosition(effect >= 0 && effect < Combo1_->count() ? effect : -1);
  Combo2_->setPosition(ChancePosition(chance));
  Label2_->setVisible(true);
  Combo2_->setVisible(true);
  Label3_->setVisible(true);
  switch (effect) {
    case 0:
      Label2_->setVisible(false);
      Combo2_->setVisible(false);
      Label3_->setVisible(false);
      Combo3_->setVisible(false);
      Combo4_->setVisible(false);
      break;
    case 1:
      Label3_->setText("Power");
      Combo4_->setVisible(false);
      Combo3_->setVisible(true);
      Combo3_->setPosition(power >= 0 && power < Combo3_->count() ? power : -1);
      break;
    case 2:
      Label3_->setText("Spell");
      Combo3_->setVisible(false);
      Combo4_->setVisible(true);
      Combo4_->setPosition(power >= 0 && power < Combo4_->count() ? power : -1);
      break;
    default:
      // An effect the game does not know: its power means nothing that could be shown.
      Label3_->setVisible(false);
      Combo3_->setVisible(false);
      Combo4_->setVisible(false);
      break;
  }
  shownSlot_ = slot;
}

void frmCreatSpeEd::CheckForSpecialChange(int nField) {
  if (defs_.CreatureSpecialReload != 0) return;
  Update_Creature_Special(nField);
  defs_.CreatureSpecialReload = 1;
  refresh();
}

void frmCreatSpeEd::Update_Creature_Special(int nField) {
  const int k = defs_.CurrentCreatureSpecial;
  if (k < 0 || k >= ShownSpecialSlots) return;
  core::CreatureRecord& c = defs_.Creature;
  const Slot before = slotInRecord();
  switch (nField) {
    case 1:
      if (Combo1_->position() < 0) return;
      c.SetCreatureSpecial(k, Field::Chance, 0);
      c.SetCreatureSpecial(k, Field::Effect, static_cast<std::int16_t>(Combo1_->position()));
      c.SetCreatureSpecial(k, Field::Power, 0);
      break;
    case 2:
      if (auto code = core::SpecialChanceCode(Combo2_->position()))
        c.SetCreatureSpecial(k, Field::Chance, *code);
      break;
    case 3:
      if (Combo3_->position() >= 0)
        c.SetCreatureSpecial(k, Field::Power, static_cast<std::int16_t>(Combo3_->position()));
      break;
    case 4:
      if (Combo4_->position() >= 0)
        c.SetCreatureSpecial(k, Field::Power, PowerOfSpellPosition(Combo4_->position()));
      break;
    default:
      return;
  }
  if (slotInRecord() != before) defs_.NotifyChanged(core::CreaturesChanged, changeOrigin());
}

}  // namespace creatures
