#include "creatures/frm_creat_spe.h"

#include "core/numbers.h"
#include "core/text.h"
#include "creatures/creature_specials.h"
#include "creatures/frm_creat_spe_ed.h"
#include "ui/window_ids.h"

namespace creatures {

frmCreatSpe::frmCreatSpe(core::ModDefinitions& defs, ui::FormsRegistry& registry, QWidget* parent)
    : ui::CatalogueList(ui::window::CreatureSpecials, QString(),
                        {{"No", "No.", 500},
                         {"Chance", "Chance", 800},
                         {"Type", "Type", 2000},
                         {"Power", "Spell/Power", 2000}},
                        parent),
      defs_(defs),
      registry_(registry) {}

std::vector<ui::ListRow> frmCreatSpe::entryRows() {
  using Field = core::SpecialSlotField;
  const core::CreatureRecord& creature = defs_.Creature;
  std::vector<ui::ListRow> rows;
  for (int slot = 0; slot < ShownSpecialSlots; ++slot) {
    const std::int16_t effect = creature.CreatureSpecial(slot, Field::Effect);
    const QString number = QString::fromStdString(core::NumberWithLeadingBlank(slot + 1));
    rows.push_back(
        {RowKey(number),
         number,
         {{"Chance", ChanceCell(creature.CreatureSpecial(slot, Field::Chance))},
          {"Type", EffectCell(effect)},
          {"Power", PowerCell(defs_, effect, creature.CreatureSpecial(slot, Field::Power))}}});
  }
  return rows;
}

void frmCreatSpe::Form_Paint() {
  // Named after the creature whose slots it shows, which the editor may have paged to.
  setWindowTitle("Special Effects: " +
                 ui::ToShownText(core::TrimTrailingBlanks(defs_.Creature.CreatureName)));
  list()->setRows(entryRows());
}

// Row k is slot k - 1. An open special editor moves to the new slot.
bool frmCreatSpe::pickEntry(long entry) {
  if (entry < 1 || entry > ShownSpecialSlots) return false;
  defs_.CurrentCreatureSpecial = static_cast<std::int16_t>(entry - 1);
  if (auto* editor = registry_.find<frmCreatSpeEd>(ui::window::CreatureSpecialEditor)) {
    editor->loadSlot();
    editor->showForm();
  } else {
    registry_.show(ui::window::CreatureSpecialEditor);
  }
  return true;
}

}  // namespace creatures
