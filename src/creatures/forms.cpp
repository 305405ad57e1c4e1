#include "creatures/forms.h"

#include "creatures/frm_creat_bit.h"
#include "creatures/frm_creat_ed.h"
#include "creatures/frm_creat_list2.h"
#include "creatures/frm_creat_spe.h"
#include "creatures/frm_creat_spe_ed.h"

#include <memory>

namespace creatures {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add("frmCreatEd", [&defs, &dialogs, &registry] {
    return std::make_unique<frmCreatEd>(defs, dialogs, registry);
  });
  registry.add("frmCreatList2", [&defs, &dialogs, &registry] {
    return std::make_unique<frmCreatList2>(defs, dialogs, registry);
  });
  registry.add("frmCreatBit", [&defs] { return std::make_unique<frmCreatBit>(defs); });
  registry.add("frmCreatSpe",
               [&defs, &registry] { return std::make_unique<frmCreatSpe>(defs, registry); });
  registry.add("frmCreatSpeEd",
               [&defs, &dialogs] { return std::make_unique<frmCreatSpeEd>(defs, dialogs); });
}

}  // namespace creatures
