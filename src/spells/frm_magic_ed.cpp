#include "spells/frm_magic_ed.h"

#include "ui/catalogue_names.h"

#include "core/numbers.h"
#include "core/vocabularies.h"
#include "spells/spell_texts.h"
#include "ui/catalogue_undo.h"
#include "ui/where_used_button.h"
#include "ui/window_ids.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <type_traits>
#include <utility>

namespace spells {

namespace {

// A number box, the caption a refusal names it by, and its field.
struct NumberBox {
  int text;
  const char* caption;
  std::int16_t core::SpellRecord::*field;
};

// In the order of the screen, so a refusal names the first bad box the designer sees.
constexpr std::array<NumberBox, 17> NumberBoxes = {{
    {13, "Cast Lvl", &core::SpellRecord::CastLevel},
    {17, "Speed", &core::SpellRecord::Speed},
    {12, "Cast Cost", &core::SpellRecord::CastCost},
    {4, "Damage dice", &core::SpellRecord::DamageDice},
    {5, "Damage sides", &core::SpellRecord::DamageSides},
    {6, "Damage bonus", &core::SpellRecord::DamageBonus},
    {2, "Cast Chance", &core::SpellRecord::CastChance},
    {3, "Cast Chance per level", &core::SpellRecord::ChancePerLevel},
    {7, "Level Damage dice", &core::SpellRecord::LevelDamageDice},
    {8, "Level Damage sides", &core::SpellRecord::LevelDamageSides},
    {9, "Level Damage bonus", &core::SpellRecord::LevelDamageBonus},
    {14, "Duration dice", &core::SpellRecord::DurationDice},
    {15, "Duration sides", &core::SpellRecord::DurationSides},
    {16, "Duration bonus", &core::SpellRecord::DurationBonus},
    {18, "Level Duration dice", &core::SpellRecord::LevelDurationDice},
    {19, "Level Duration sides", &core::SpellRecord::LevelDurationSides},
    {20, "Level Duration bonus", &core::SpellRecord::LevelDurationBonus},
}};

constexpr int UsableByBoxes = 25;  // class numbers 1..25, element s for class s + 1

QLabel* Caption(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

template <std::size_t N>
void Fill(ui::ComboBox* list, const std::array<std::string_view, N>& names) {
  for (std::string_view name : names) list->addItem(QString::fromUtf8(name.data(), name.size()));
}

}  // namespace

frmMagicEd::frmMagicEd(core::ModDefinitions& defs, ui::Dialogs& dialogs,
                       ui::FormsRegistry& registry, QWidget* parent)
    : ui::Form(ui::window::SpellEditor, parent),
      defs_(defs),
      dialogs_(dialogs),
      registry_(registry) {
  setCaption("Spell Editor");
  buildControls();
  pager_ = std::make_unique<ui::EntryPager>(this, dialogs_, pagerHooks());
  pager_->nameInTitle([this] { return defs_.Spell.SpellName; });

  paging_->connectTo(*pager_);
  new ui::CatalogueUndo(this, defs_, core::CatalogueFile::Spells, dialogs_,
                        {[this] { return pager_->mayLeave(); }, [this] { pager_->showEntry(); }});
  connect(Command5_, &QAbstractButton::clicked, this, &frmMagicEd::Command5_Click);
  connect(Command2_, &QAbstractButton::clicked, this, [this] { pager_->append(); });
  connect(Command3_, &QAbstractButton::clicked, this, [this] { pager_->save(); });
  connect(Combo2_, &ui::ComboBox::clicked, this, &frmMagicEd::Combo2_Click);
  connect(Text10_, &ui::TextBox::changed, this, &frmMagicEd::Text10_Change);
  connect(Text11_, &ui::TextArea::changed, this, &frmMagicEd::Text11_Change);
}

void frmMagicEd::buildControls() {
  QWidget* body = this->body();
  auto* main = new QVBoxLayout(body);

  // Row 1: paging and the record line.
  auto* paging = new QHBoxLayout;
  MainLabel_ = new ui::Label(body, "MainLabel");
  MainLabel_->setTextFormat(Qt::PlainText);
  MainLabel_->setAlignment(Qt::AlignCenter);
  MainLabel_->setMinimumWidth(140);
  paging_ = new ui::PagingButtons(body, {"Command7", "Command1", "Command4", "Command8"}, "spell",
                                  MainLabel_);
  Command7_ = paging_->first();
  Command1_ = paging_->previous();
  Command4_ = paging_->next();
  Command8_ = paging_->last();
  Command5_ = new ui::Button(body, "Command5");
  Command5_->setText("Show List");
  paging->addWidget(paging_, 1);
  paging->addWidget(Command5_);
  cmdWhereUsed_ = ui::AddWhereUsedButton(this, registry_, defs_, core::RefTarget::Spell,
                                         [this] { return defs_.SpellEntry; });
  paging->addWidget(cmdWhereUsed_);
  main->addLayout(paging);

  auto number = [this, body](int n) {
    auto* box = new ui::TextBox(body, "Text" + QString::number(n));
    box->setFixedWidth(64);
    number_[static_cast<std::size_t>(n)] = box;
    return box;
  };
  auto* grid = new QGridLayout;
  main->addLayout(grid);
  // Rows 2 to 8: a caption and its control on the left (column 0) and on the right (column 2).
  const auto place = [grid, body](int row, int column, const QString& caption, auto* control) {
    grid->addWidget(Caption(body, caption), row, column);
    if constexpr (std::is_base_of_v<QLayout, std::remove_pointer_t<decltype(control)>>)
      grid->addLayout(control, row, column + 1);
    else
      grid->addWidget(control, row, column + 1);
  };
  // Number boxes side by side, kept to the left of their cell.
  const auto numbers = [&number, body](std::initializer_list<std::pair<const char*, int>> boxes) {
    auto* row = new QHBoxLayout;
    for (const auto& [caption, n] : boxes) {
      if (*caption) row->addWidget(Caption(body, caption));
      row->addWidget(number(n));
    }
    row->addStretch(1);
    return row;
  };

  Text1_ = new ui::TextBox(body, "Text1");
  Text1_->setField({core::SpellNameWidth});
  place(0, 0, "Name:", Text1_);
  place(0, 2, "Cast Lvl:", numbers({{"", 13}, {"Speed:", 17}}));
  number_[13]->setToolTip("0=Inherent Power, Otherwise spell level");
  number_[17]->setToolTip("Speed to cast the lower the better.");

  Combo1_ = new ui::ComboBox(body, "Combo1");
  Fill(Combo1_, core::SpellTypeNames);
  Combo4_ = new ui::ComboBox(body, "Combo4");
  Fill(Combo4_, core::SpellTargetNames);
  place(1, 0, "Type:", Combo1_);
  place(1, 2, "Target:", Combo4_);

  place(2, 0, "Cast Cost:", numbers({{"", 12}}));
  place(2, 2, "Damage:", numbers({{"", 4}, {"D", 5}, {"+", 6}}));
  place(3, 0, "Cast Chance:", numbers({{"", 2}, {"+", 3}}));
  number_[3]->setToolTip("Increase in cast chance per cast level");
  place(3, 2, "Level Damage:", numbers({{"", 7}, {"D", 8}, {"+", 9}}));

  Text10_ = new ui::TextBox(body, "Text10");
  Text10_->setField({core::DamageDescWidth});
  place(4, 0, "Damage Desc:", Text10_);
  place(4, 2, "Duration:", numbers({{"", 14}, {"D", 15}, {"+", 16}}));

  Label17_ = new ui::Label(body, "Label17");
  Label17_->setText("Text Length:");
  Label18_ = new ui::Label(body, "Label18");
  Label18_->setTextFormat(Qt::PlainText);
  grid->addWidget(Label17_, 5, 0);
  grid->addWidget(Label18_, 5, 1);
  place(5, 2, "Level Duration:", numbers({{"", 18}, {"D", 19}, {"+", 20}}));

  Combo2_ = new ui::ComboBox(body, "Combo2");
  Fill(Combo2_, core::SaveNames);
  Combo3_ = new ui::ComboBox(body, "Combo3");
  Fill(Combo3_, core::SaveEffectNames);
  place(6, 0, "Save Vs:", Combo2_);
  grid->addWidget(Combo3_, 6, 3, Qt::AlignLeft);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);

  // Row 9: who may cast it, five columns of five.
  Frame2_ = new ui::Frame(body, "Frame2", "Usable By");
  auto* usable = new QGridLayout(Frame2_);
  Check1_ = ui::makeCheckBoxArray(Frame2_, "Check1", UsableByBoxes);
  for (int s = 0; s < UsableByBoxes; ++s) {
    const std::string_view name = core::ClassName(s + 1);
    Check1_[static_cast<std::size_t>(s)]->setText(
        name.empty() ? QString("?") : QString::fromUtf8(name.data(), name.size()));
    usable->addWidget(Check1_[static_cast<std::size_t>(s)], s % 5, s / 5);
  }
  main->addWidget(Frame2_);

  // Row 10: the spell's special table is carried unchanged; nothing here edits it.
  auto* specials = new QHBoxLayout;
  Check2_ = new ui::CheckBox(body, "Check2");
  Check2_->setText("Special Effects");
  Command9_ = new ui::Button(body, "Command9");
  Command9_->setText("Edit");
  for (QWidget* inert : std::initializer_list<QWidget*>{Check2_, Command9_}) {
    inert->setEnabled(false);
    inert->setToolTip("Spell special effects are kept as stored; they are not edited here.");
    specials->addWidget(inert);
  }
  specials->addStretch(1);
  main->addLayout(specials);

  // Row 11: the description and its counter.
  auto* descriptionHead = new QHBoxLayout;
  descriptionHead->addWidget(Caption(body, "Description:"));
  descriptionHead->addStretch(1);
  Label19_ = new ui::Label(body, "Label19");
  Label19_->setText("Text Length:");
  Label13_ = new ui::Label(body, "Label13");
  Label13_->setTextFormat(Qt::PlainText);
  descriptionHead->addWidget(Label19_);
  descriptionHead->addWidget(Label13_);
  main->addLayout(descriptionHead);
  Text11_ = new ui::TextArea(body, "Text11");
  Text11_->setField({core::DescriptionWidth, ui::LineBreaks::CrLf});
  Text11_->setMinimumHeight(90);
  main->addWidget(Text11_, 1);

  // Row 12.
  auto* commands = new QHBoxLayout;
  Command2_ = new ui::Button(body, "Command2");
  Command2_->setText("New Spell");
  Command3_ = new ui::Button(body, "Command3");
  Command3_->setText("Save Spell");
  commands->addStretch(1);
  commands->addWidget(Command2_);
  commands->addWidget(Command3_);
  main->addLayout(commands);
}

ui::EntryPager::Hooks frmMagicEd::pagerHooks() {
  ui::EntryPager::Hooks hooks;
  hooks.noun = "spell";
  hooks.newCaption = "New Spell";
  hooks.savedMessage = "Spell Saved";
  hooks.count = [this] { return defs_.SpellCount; };
  hooks.shown = [this] { return defs_.SpellEntry; };
  hooks.read = [this](long entry, ui::PageMove move) { return readEntry(entry, move); };
  hooks.takeScreen = [this] { return move_screen_to_mag(defs_.Spell); };
  hooks.unsaved = [this] { return unsaved(); };
  hooks.write = [this](bool overwrite) { return announced(defs_.WriteSpell(overwrite)); };
  hooks.append = [this] { return announced(defs_.AppendSpell()); };
  hooks.show = [this] { move_mag_to_screen(); };
  hooks.name = [this](long n) { return ui::ShownName(defs_, ui::NameSource::Spells, n); };
  return hooks;
}

core::Status frmMagicEd::readEntry(long entry, ui::PageMove move) {
  if (move != ui::PageMove::Previous) return defs_.ReadSpellPair(entry);
  // "<" reads the working record only: the scratch record keeps the spell it held.
  return defs_.ReadSpell(entry);
}

core::Status frmMagicEd::announced(const core::Status& status) {
  if (status.ok()) defs_.NotifyChanged(core::SpellsChanged, changeOrigin());
  return status;
}

bool frmMagicEd::unsaved() const {
  core::SpellRecord screen = defs_.Spell;
  // A box that cannot be stored is a change the designer has not saved.
  if (!move_screen_to_mag(screen).isEmpty()) return true;
  return ui::DiffersFromStored(defs_.Spells(), defs_.SpellEntry, screen);
}

void frmMagicEd::move_mag_to_screen() {
  const core::SpellRecord& spell = defs_.Spell;
  MainLabel_->setText(pager_->recordLine());
  Text1_->setBytes(spell.SpellName);
  ui::ShowCode(Combo1_, spell.SpellType, 0);
  ui::ShowCode(Combo4_, spell.Target, 0);
  for (const NumberBox& box : NumberBoxes)
    number_[static_cast<std::size_t>(box.text)]->setText(QString::number(spell.*box.field));
  ui::ShowCode(Combo3_, spell.SaveEffect, 0);
  ui::ShowCode(Combo2_, spell.SaveVs, 0);  // its click shows or hides Combo3
  for (int s = 0; s < UsableByBoxes; ++s)
    Check1_[static_cast<std::size_t>(s)]->setValue(spell.UsableBy[static_cast<std::size_t>(s + 1)]);
  Text10_->setBytes(spell.DamageDesc);
  Text11_->setBytes(spell.Description);
  Text11_Change();
  Text10_Change();
}

QString frmMagicEd::move_screen_to_mag(core::SpellRecord& spell) const {
  core::SpellRecord taken = spell;
  std::vector<ui::NumberField> fields;
  fields.reserve(NumberBoxes.size());
  for (const NumberBox& box : NumberBoxes)
    fields.push_back(
        {number_[static_cast<std::size_t>(box.text)], box.caption, &(taken.*box.field)});
  const QString refused = ui::TakeWholeNumbers(fields);
  if (!refused.isEmpty()) return refused;

  taken.SpellName = Text1_->bytes();
  taken.DamageDesc = Text10_->bytes();
  taken.Description = Text11_->bytes();
  taken.SpellType = ui::CodeFromList(Combo1_, 0, spell.SpellType);
  taken.Target = ui::CodeFromList(Combo4_, 0, spell.Target);
  taken.SaveVs = ui::CodeFromList(Combo2_, 0, spell.SaveVs);
  // Taken even while hidden: a spell with no saving throw keeps its save effect.
  taken.SaveEffect = ui::CodeFromList(Combo3_, 0, spell.SaveEffect);
  for (int s = 0; s < UsableByBoxes; ++s) {
    std::int16_t& flag = taken.UsableBy[static_cast<std::size_t>(s + 1)];
    // A ticked class keeps a stored non-zero flag (the game reads any of them as usable).
    if (Check1_[static_cast<std::size_t>(s)]->value() == 0)
      flag = 0;
    else if (flag == 0)
      flag = -1;
  }
  spell = std::move(taken);
  return {};
}

void frmMagicEd::Form_Load() {
  const core::Status status = defs_.ReadSpellPair(1);
  if (!status.ok()) dialogs_.messageBox(this, QString::fromStdString(status.message()), caption());
}

void frmMagicEd::Form_Paint() {
  move_mag_to_screen();
}

bool frmMagicEd::Form_QueryUnload() {
  return pager_->mayLeave();
}

void frmMagicEd::Combo2_Click(int position) {
  Combo3_->setVisible(position != 0);
}

void frmMagicEd::Text10_Change() {
  Label18_->setText(TextLengthCounter(Text10_->typedLength(), core::DamageDescWidth));
}

void frmMagicEd::Text11_Change() {
  Label13_->setText(TextLengthCounter(Text11_->typedLength(), core::DescriptionWidth));
}

void frmMagicEd::Command5_Click() {
  registry_.show(ui::window::SpellList);
}

}  // namespace spells
