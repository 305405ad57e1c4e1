#include "maps/forms.h"

#include "maps/frm_ltext_ed.h"
#include "maps/frm_ltext_enter.h"
#include "maps/frm_map_bit.h"
#include "maps/frm_map_ed.h"
#include "maps/frm_map_enc.h"
#include "maps/frm_text_ed.h"
#include "maps/frm_text_enter.h"

#include <memory>

namespace maps {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add("frmMapEd", [&defs, &dialogs, &registry] {
    return std::make_unique<frmMapEd>(defs, dialogs, registry);
  });
  registry.add("frmTextEd",
               [&defs, &registry] { return std::make_unique<frmTextEd>(defs, registry); });
  registry.add("frmTextEnter", [&defs] { return std::make_unique<frmTextEnter>(defs); });
  registry.add("frmLTextEd",
               [&defs, &registry] { return std::make_unique<frmLTextEd>(defs, registry); });
  registry.add("frmLTextEnter", [&defs] { return std::make_unique<frmLTextEnter>(defs); });
  registry.add("frmMapEnc",
               [&defs, &dialogs] { return std::make_unique<frmMapEnc>(defs, dialogs); });
  registry.add("frmMapBit", [&defs] { return std::make_unique<frmMapBit>(defs); });
  registry.addPlaceHandler(core::GameFile::Maps, [&registry](const core::Place& place) {
    auto* window = registry.show<frmMapEd>("frmMapEd");
    return window && window->ShowPlace(place);
  });
}

}  // namespace maps
