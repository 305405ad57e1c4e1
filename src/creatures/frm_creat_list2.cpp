#include "creatures/frm_creat_list2.h"

#include "core/numbers.h"
#include "core/vocabularies.h"
#include "creatures/frm_creat_ed.h"
#include "ui/window_ids.h"

namespace creatures {

namespace {

QString plain(long long value) {
  return QString::fromStdString(core::PlainNumber(value));
}

// The cells of one creature's row, in column order after "No.".
std::vector<ui::ListSubItem> CreatureCells(const core::CreatureRecord& creature) {
  const int type = creature.CreatureType;
  // A code the type list does not hold gets an empty cell, not the row above's text.
  const QString typeName =
      type >= 0 && type < static_cast<int>(core::CreatureTypeNames.size())
          ? ui::ToQString(core::CreatureTypeNames[static_cast<std::size_t>(type)])
          : QString();
  // Whole numbers of hit points make the average experience whole as well.
  return {{"Name", ui::ToShownText(creature.CreatureName)},
          {"Type", typeName},
          {"AverageHits", plain(core::AverageHits(creature))},
          {"AverageExp", plain(static_cast<long long>(core::AverageExp(creature)))}};
}

std::vector<ui::ListColumn> CreatureColumns() {
  using ui::FittedColumn;
  return {FittedColumn("No", "No.", 500), FittedColumn("Name", "Name", 2000),
          FittedColumn("Type", "Type", 1000, ui::Texts(core::CreatureTypeNames)),
          FittedColumn("AverageHits", "Average Hits", 800),
          FittedColumn("AverageExp", "Average Exp", 800)};
}

}  // namespace

frmCreatList2::frmCreatList2(core::ModDefinitions& defs, ui::Dialogs& dialogs,
                             ui::FormsRegistry& registry, QWidget* parent)
    : ui::EntryList(ui::window::CreatureList, "Creature List", CreatureColumns(), defs, dialogs,
                    {ui::EditorPager<frmCreatEd>(registry, ui::window::CreatureEditor),
                     &core::ModDefinitions::ReadCreaturePair, core::CreaturesChanged},
                    parent) {}

// Mon.dat is read a part at a time as rows are shown; the creature working and scratch records
// are not touched.
void frmCreatList2::fillRows(ui::ListView* list) {
  fillEntries(list, defs().Creatures(), defs().CreatureCount, CreatureCells);
}

void frmCreatList2::reloadRows() {
  if (isLoaded() && !isClosed()) fillRows(list());
}

}  // namespace creatures
