#include "spells/frm_magic_list.h"

#include "core/vocabularies.h"
#include "spells/frm_magic_ed.h"
#include "ui/controls.h"
#include "ui/window_ids.h"

namespace spells {

namespace {

// The name of `code` in its table; empty for a code outside it, so the cell stays in its column.
template <std::size_t N>
QString CodeName(const std::array<std::string_view, N>& names, int code) {
  if (code < 0 || code >= static_cast<int>(N)) return {};
  const std::string_view name = names[static_cast<std::size_t>(code)];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

frmMagicList::frmMagicList(core::ModDefinitions& defs, ui::Dialogs& dialogs,
                           ui::FormsRegistry& registry, QWidget* parent)
    : ui::EntryList(ui::window::SpellList, "Magic List",
                    {{"No", "No.", 500},
                     {"Name", "Name", 2000},
                     ui::FittedColumn("Type", "Type", 1000, ui::Texts(core::SpellTypeNames)),
                     ui::FittedColumn("Target", "Target", 1000, ui::Texts(core::SpellTargetNames)),
                     {"Cost", "Cost", 800},
                     {"Description", "Description", 5000}},
                    defs, dialogs,
                    {ui::EditorPager<frmMagicEd>(registry, ui::window::SpellEditor),
                     &core::ModDefinitions::ReadSpellPair, core::SpellsChanged},
                    parent) {}

// Mag.dat is read a part at a time as rows are shown; the spell working record is not touched.
void frmMagicList::fillRows(ui::ListView* list) {
  fillEntries(list, defs().Spells(), defs().SpellCount, [](const core::SpellRecord& spell) {
    return std::vector<ui::ListSubItem>{{"Name", ui::ToShownText(spell.SpellName)},
                                        {"Type", CodeName(core::SpellTypeNames, spell.SpellType)},
                                        {"Target", CodeName(core::SpellTargetNames, spell.Target)},
                                        {"Cost", QString::number(spell.CastCost)},
                                        {"Description", ui::ToShownText(spell.Description)}};
  });
}

}  // namespace spells
