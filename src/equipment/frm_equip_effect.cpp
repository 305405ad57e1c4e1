#include "equipment/frm_equip_effect.h"

#include "core/numbers.h"
#include "core/vocabularies.h"
#include "equipment/effect_display.h"
#include "ui/window_ids.h"

namespace equipment {

frmEquipEffect::frmEquipEffect(core::ModDefinitions& defs, ui::FormsRegistry& registry,
                               QWidget* parent)
    : ui::CatalogueList(
          ui::window::ItemEffects, "Item Effects",
          {{"No", "No.", 500},
           ui::FittedColumn("Type", "Type", 800, ui::Texts(core::EffectKindTexts)),
           ui::FittedColumn("Effect", "Effect", 2000,
                            ui::Texts(core::UseEffectListTexts) + ui::Texts(core::StatTexts)),
           {"Power", "Power", 800}},
          parent),
      defs_(defs),
      registry_(registry) {}

std::vector<ui::ListRow> frmEquipEffect::entryRows() {
  // Spell names for kinds 1..4 come from the name cache: five rows need no pass over Mag.dat.
  std::vector<ui::ListRow> rows;
  for (int slot = 0; slot < EditableSlots; ++slot) {
    const QString number = QString::fromStdString(core::NumberWithLeadingBlank(slot + 1));
    const int power = defs_.Item.Effect(slot, core::EffectField::Power);
    rows.push_back({RowKey(number),
                    number,
                    {{"Type", EffectKindDisplay(defs_.Item.Effect(slot, core::EffectField::Kind))},
                     {"Effect", EffectDisplay(defs_, slot)},
                     {"Power", QString::fromStdString(core::NumberWithLeadingBlank(power))}}});
  }
  return rows;
}

void frmEquipEffect::Form_Paint() {
  list()->setRows(entryRows());
}

bool frmEquipEffect::pickEntry(long row) {
  if (row < 1 || row > EditableSlots) return false;
  defs_.SelectedEffectSlot = static_cast<std::int16_t>(row - 1);
  defs_.EffectRefillPending = 1;
  // An editor already open on another slot turns to this one.
  return registry_.showOrRefresh(ui::window::EffectEditor) != nullptr;
}

}  // namespace equipment
