#include "spells/frm_magic_list.h"

#include "core/catalogue_sweep.h"
#include "core/numbers.h"
#include "core/vocabularies.h"
#include "spells/frm_magic_ed.h"
#include "ui/controls.h"

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
    : ui::CatalogueList("frmMagicList", "Magic List",
                        {{"No", "No.", 500},
                         {"Name", "Name", 2000},
                         {"Type", "Type", 1000},
                         {"Target", "Target", 1000},
                         {"Cost", "Cost", 800},
                         {"Description", "Description", 5000}},
                        parent),
      defs_(defs),
      dialogs_(dialogs),
      registry_(registry) {}

std::vector<ui::ListRow> frmMagicList::entryRows() {
  // Texts that many rows repeat are made once and shared between them.
  static const QString NameKey("Name"), TypeKey("Type"), TargetKey("Target"), CostKey("Cost"),
      DescriptionKey("Description");
  std::array<QString, core::SpellTypeNames.size()> types;
  for (std::size_t c = 0; c < types.size(); ++c) types[c] = CodeName(core::SpellTypeNames, int(c));
  std::array<QString, core::SpellTargetNames.size()> targets;
  for (std::size_t c = 0; c < targets.size(); ++c)
    targets[c] = CodeName(core::SpellTargetNames, int(c));
  const auto nameOf = [](const auto& names, std::int16_t code) {
    return code >= 0 && static_cast<std::size_t>(code) < names.size()
               ? names[static_cast<std::size_t>(code)]
               : QString();
  };

  std::vector<ui::ListRow> rows;
  rows.reserve(static_cast<std::size_t>(std::max(0L, defs_.SpellCount)));
  // Each spell passes through the scratch record; the spell being edited stays untouched.
  const core::Status status = core::ForEachEntry(
      defs_.Spells(), 1, defs_.SpellCount, [&](long entry, core::SpellRecord spell) {
        defs_.SpellScratch = std::move(spell);
        const core::SpellRecord& s = defs_.SpellScratch;
        const QString number = QString::fromStdString(core::NumberWithLeadingBlank(entry));
        rows.push_back({RowKey(number),
                        number,
                        {{NameKey, ui::ToQString(s.SpellName)},
                         {TypeKey, nameOf(types, s.SpellType)},
                         {TargetKey, nameOf(targets, s.Target)},
                         {CostKey, QString::number(s.CastCost)},
                         {DescriptionKey, ui::ToQString(s.Description)}}});
      });
  if (!status.ok())
    dialogs_.messageBox(this, QString::fromStdString(status.message()), windowTitle());
  return rows;
}

bool frmMagicList::pickEntry(long entry) {
  if (auto* editor = registry_.find<frmMagicEd>("frmMagicEd")) return editor->pager().pick(entry);
  const core::Status status = defs_.ReadSpellPair(entry);
  if (!status.ok()) {
    dialogs_.messageBox(this, QString::fromStdString(status.message()), windowTitle());
    return false;
  }
  defs_.NotifyChanged(core::SpellsChanged, changeOrigin());
  return true;
}

}  // namespace spells
