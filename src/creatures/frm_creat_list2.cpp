#include "creatures/frm_creat_list2.h"

#include "core/catalogue_sweep.h"
#include "core/numbers.h"
#include "core/vocabularies.h"
#include "creatures/frm_creat_ed.h"

namespace creatures {

namespace {

QString plain(long long value) {
  return QString::fromStdString(core::PlainNumber(value));
}

}  // namespace

std::vector<ui::ListSubItem> CreatureCells(const core::CreatureRecord& creature) {
  const int type = creature.CreatureType;
  // A code the type list does not hold gets an empty cell, not the row above's text.
  const QString typeName =
      type >= 0 && type < static_cast<int>(core::CreatureTypeNames.size())
          ? ui::ToQString(core::CreatureTypeNames[static_cast<std::size_t>(type)])
          : QString();
  // Whole numbers of hit points make the average experience whole as well.
  return {{"Name", ui::ToQString(creature.CreatureName)},
          {"Type", typeName},
          {"AverageHits", plain(core::AverageHits(creature))},
          {"AverageExp", plain(static_cast<long long>(core::AverageExp(creature)))}};
}

frmCreatList2::frmCreatList2(core::ModDefinitions& defs, ui::Dialogs& dialogs,
                             ui::FormsRegistry& registry, QWidget* parent)
    : ui::CatalogueList("frmCreatList2", "Creature List",
                        {{"No", "No.", 500},
                         {"Name", "Name", 2000},
                         {"Type", "Type", 1000},
                         {"AverageHits", "Average Hits", 800},
                         {"AverageExp", "Average Exp", 800}},
                        parent),
      defs_(defs),
      dialogs_(dialogs),
      registry_(registry) {}

// One pass over Mon.dat; the creature working and scratch records are not touched.
std::vector<ui::ListRow> frmCreatList2::entryRows() {
  std::vector<ui::ListRow> rows;
  rows.reserve(static_cast<std::size_t>(std::max(0L, defs_.CreatureCount)));
  const core::Status status = core::SweepEntries(
      defs_.Creatures(), defs_.CreatureCount,
      [&rows](long entry, const core::CreatureRecord& creature) {
        const QString number = QString::fromStdString(core::NumberWithLeadingBlank(entry));
        rows.push_back({RowKey(number), number, CreatureCells(creature)});
      });
  if (!status.ok())
    dialogs_.messageBox(this, QString::fromStdString(status.message()), windowTitle());
  return rows;
}

void frmCreatList2::reloadRows() {
  if (isLoaded() && !isClosed()) list()->setRows(entryRows());
}

// With the editor open, its pager asks about unsaved changes first and shows the pick.
bool frmCreatList2::pickEntry(long entry) {
  if (auto* editor = registry_.find<frmCreatEd>("frmCreatEd")) return editor->pager().pick(entry);
  const core::Status status = defs_.ReadCreaturePair(entry);
  if (!status.ok()) {
    dialogs_.messageBox(this, QString::fromStdString(status.message()), windowTitle());
    return false;
  }
  defs_.NotifyChanged(core::CreaturesChanged, changeOrigin());
  return true;
}

}  // namespace creatures
