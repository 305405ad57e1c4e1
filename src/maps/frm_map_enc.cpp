#include "maps/frm_map_enc.h"

#include "core/numbers.h"
#include "ui/undo_keys.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace maps {

namespace {

// The number boxes in the order of the slot's fields after the creature, with the names a
// refusal gives them.
struct NumberBox {
  const char* name;
  core::EncounterField field;
  const char* called;
};

constexpr std::array<NumberBox, 4> NumberBoxes{{
    {"Text1", core::EncounterField::DiceCount, "\"Number Appearing\" dice"},
    {"Text2", core::EncounterField::DiceSides, "\"Number Appearing\" sides"},
    {"Text3", core::EncounterField::DiceBonus, "\"Number Appearing\" bonus"},
    {"Text4", core::EncounterField::OthersChance, "\"% Others\""},
}};

constexpr int NameWidth = 20;  // characters of a stored creature name

ui::Label* caption(QWidget* parent, const char* name, const char* text) {
  auto* label = new ui::Label(parent, name);
  label->setText(text);
  return label;
}

}  // namespace

frmMapEnc::frmMapEnc(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent)
    : ui::Form("frmMapEnc", parent),
      defs_(defs),
      dialogs_(dialogs),
      creatures_(new ui::CatalogueNames(defs, ui::NameSource::Creatures, dialogs, this)),
      Combo1_(new ui::ComboBox(body(), "Combo1")) {
  ui::AddMapUndoKeys(this, defs_);
  setWindowTitle("Map Encounter");
  ui::ShowNames(Combo1_, creatures_, NameWidth);
  const int boxWidth = fontMetrics().horizontalAdvance("-000000") + 12;
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    boxes_[i] = new ui::TextBox(body(), NumberBoxes[i].name);
    boxes_[i]->setFixedWidth(boxWidth);
  }

  auto* table = new QGridLayout;
  ui::Label* creature = caption(body(), "Label1", "Creature");
  creature->setBuddy(Combo1_);
  table->addWidget(creature, 0, 0);
  table->addWidget(Combo1_, 0, 1);
  auto* dice = new QHBoxLayout;
  dice->addWidget(boxes_[0]);
  dice->addWidget(caption(body(), "lblDice", "D"));
  dice->addWidget(boxes_[1]);
  dice->addWidget(caption(body(), "lblPlus", "+"));
  dice->addWidget(boxes_[2]);
  dice->addStretch();
  table->addWidget(caption(body(), "Label2", "Number Appearing"), 1, 0);
  table->addLayout(dice, 1, 1);
  auto* others = new QHBoxLayout;
  others->addWidget(boxes_[3]);
  others->addStretch();
  table->addWidget(caption(body(), "Label3", "% Others"), 2, 0);
  table->addLayout(others, 2, 1);

  auto* ok = new ui::Button(body(), "Command1");
  ok->setText("OK");
  ok->setToolTip("Enter");
  auto* cancel = new ui::Button(body(), "Command2");
  cancel->setText("Cancel");
  cancel->setToolTip("Esc");
  connect(ok, &QAbstractButton::clicked, this, &frmMapEnc::Command1_Click);
  connect(cancel, &QAbstractButton::clicked, this, &frmMapEnc::Command2_Click);
  auto* enter = new QShortcut(this);
  enter->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
  connect(enter, &QShortcut::activated, this, &frmMapEnc::Command1_Click);
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &frmMapEnc::Command2_Click);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(body());
  layout->addLayout(table);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

frmMapEnc::SlotFields frmMapEnc::storedSlot(int slot) const {
  SlotFields fields{};
  for (int f = 0; f < core::EncounterFieldCount; ++f)
    fields[f] = defs_.Document().Map().Encounter(slot, static_cast<core::EncounterField>(f));
  return fields;
}

void frmMapEnc::Form_Paint() {
  const int position = Combo1_->position();
  const int slot = defs_.EncounterSlot;
  const bool onMap = slot >= 0 && slot < core::EncounterSlotCount;
  if (onMap && slot == shownSlot_ && storedSlot(slot) == shownFields_) {
    // Nothing the window shows was stored anew: the designer's choices stay.
    Combo1_->setPosition(position);
    return;
  }
  shownSlot_ = onMap ? slot : -1;
  shownFields_ = onMap ? storedSlot(slot) : SlotFields{};
  const int creature = shownFields_[0];
  Combo1_->setPosition(creature >= 1 && creature <= Combo1_->count() ? creature - 1 : -1);
  for (std::size_t i = 0; i < boxes_.size(); ++i)
    boxes_[i]->setText(QString::number(shownFields_[static_cast<int>(NumberBoxes[i].field)]));
  for (QWidget* control :
       std::initializer_list<QWidget*>{Combo1_, boxes_[0], boxes_[1], boxes_[2], boxes_[3]})
    control->setEnabled(onMap);
}

// Every box is read before anything is stored: one box that cannot be stored keeps the whole
// slot as it was and the window open on the typing.
void frmMapEnc::Command1_Click() {
  if (shownSlot_ < 0) return;
  std::array<std::int16_t, 4> values{};
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    const QString typed = boxes_[i]->text();
    const core::NumberReading reading = core::ReadWholeNumber(ui::ToBytes(typed));
    if (!reading.ok()) {
      dialogs_.messageBox(
          this,
          QString("%1 must be a whole number from -32768 to 32767; \"%2\" cannot be stored. "
                  "Nothing was stored.")
              .arg(NumberBoxes[i].called, typed),
          windowTitle());
      boxes_[i]->setFocus();
      boxes_[i]->selectAll();
      return;
    }
    values[i] = reading.value;
  }
  // A creature beyond the catalogue has no place in the list; left unchosen, the slot keeps it.
  const int position = Combo1_->position();
  const std::int16_t filled = shownFields_[0];
  const bool beyond = filled < 0 || filled > Combo1_->count();
  std::int16_t creature = beyond ? filled : 0;
  if (position >= 0) creature = static_cast<std::int16_t>(position + 1);
  const int slot = shownSlot_;
  // Numbered as the main window's encounter rows are.
  defs_.Document().Apply(
      "Encounter " + std::to_string(slot + 1),
      [&](core::MapRecord& map) {
        map.SetEncounter(slot, core::EncounterField::Creature, creature);
        for (std::size_t i = 0; i < boxes_.size(); ++i)
          map.SetEncounter(slot, NumberBoxes[i].field, values[i]);
      },
      changeOrigin());
  closeForm();
}

void frmMapEnc::Command2_Click() {
  closeForm();
}

}  // namespace maps
