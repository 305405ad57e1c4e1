#include "maps/frm_map_browser.h"

#include "core/map_summaries.h"
#include "core/numbers.h"
#include "maps/frm_map_ed.h"
#include "ui/controls.h"
#include "ui/window_ids.h"

namespace maps {

frmMapBrowser::frmMapBrowser(core::ModDefinitions& defs, ui::Dialogs& dialogs,
                             ui::FormsRegistry& registry, QWidget* parent)
    : ui::CatalogueList(ui::window::MapBrowser, "Browse Maps",
                        {{"No", "No.", 700},
                         {"Graphics", "Graphic Set", 1100},
                         {"Specials", "Specials", 900},
                         {"Encounters", "Encounters", 1100},
                         {"Text", "First Text", 4000}},
                        parent),
      defs_(defs),
      dialogs_(dialogs),
      registry_(registry) {
  addFilterAndOrder();
}

std::vector<ui::ListRow> frmMapBrowser::entryRows() {
  std::vector<ui::ListRow> rows;
  auto maps = defs_.OpenMapsForReading("list the maps");
  auto summaries = maps.ok() ? core::ReadMapSummaries(*maps)
                             : core::Result<std::vector<core::MapSummary>>(maps.status());
  if (!summaries.ok()) {
    dialogs_.messageBox(this, QString::fromStdString(summaries.status().message()), caption());
    return rows;
  }
  rows.reserve(summaries->size());
  for (const core::MapSummary& map : *summaries) {
    const QString number = QString::fromStdString(core::NumberWithLeadingBlank(map.number));
    rows.push_back({RowKey(number),
                    number,
                    {{"Graphics", QString::number(map.graphicSet)},
                     {"Specials", QString::number(map.specials)},
                     {"Encounters", QString::number(map.encounters)},
                     {"Text", ui::ToShownText(map.text)}}});
  }
  return rows;
}

void frmMapBrowser::Form_Paint() {
  list()->setRows(entryRows());
}

bool frmMapBrowser::pickEntry(long entry) {
  auto* main = registry_.find<frmMapEd>(ui::window::MainWindow);
  return main && main->openMap(static_cast<std::int16_t>(entry));
}

}  // namespace maps
