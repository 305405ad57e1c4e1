#include "maps/forms.h"

#include "maps/frm_ltext_ed.h"
#include "maps/frm_ltext_enter.h"
#include "maps/frm_map_bit.h"
#include "maps/frm_map_browser.h"
#include "maps/frm_map_ed.h"
#include "maps/frm_map_enc.h"
#include "maps/frm_text_ed.h"
#include "maps/frm_text_enter.h"
#include "ui/window_ids.h"

#include <memory>

namespace maps {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add(ui::window::MainWindow, [&defs, &dialogs, &registry] {
    return std::make_unique<frmMapEd>(defs, dialogs, registry);
  });
  registry.add(ui::window::MapTexts,
               [&defs, &registry] { return std::make_unique<frmTextEd>(defs, registry); });
  registry.add(ui::window::MapTextEntry, [&defs] { return std::make_unique<frmTextEnter>(defs); });
  registry.add(ui::window::MapLongTexts,
               [&defs, &registry] { return std::make_unique<frmLTextEd>(defs, registry); });
  registry.add(ui::window::MapLongTextEntry,
               [&defs] { return std::make_unique<frmLTextEnter>(defs); });
  registry.add(ui::window::MapEncounter,
               [&defs, &dialogs] { return std::make_unique<frmMapEnc>(defs, dialogs); });
  registry.add(ui::window::MapPicture, [&defs] { return std::make_unique<frmMapBit>(defs); });
  registry.add(ui::window::MapBrowser, [&defs, &dialogs, &registry] {
    return std::make_unique<frmMapBrowser>(defs, dialogs, registry);
  });
  registry.addPlaceHandler(core::GameFile::Maps, [&registry](const core::Place& place) {
    auto* window = registry.show<frmMapEd>(ui::window::MainWindow);
    return window && window->ShowPlace(place);
  });
  // These stay above the window they serve and open beside it.
  registry.setOwner(ui::window::MapTextEntry, ui::window::MapTexts);
  registry.setOwner(ui::window::MapLongTextEntry, ui::window::MapLongTexts);
  registry.setOwner(ui::window::MapPicture, ui::window::MainWindow);
}

}  // namespace maps
