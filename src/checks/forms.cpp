#include "checks/forms.h"

#include "checks/frm_game_check.h"
#include "checks/frm_where_used.h"
#include "ui/where_used_button.h"

#include <memory>

namespace checks {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add(ui::WhereUsedForm, [&defs, &dialogs, &registry] {
    return std::make_unique<frmWhereUsed>(defs, dialogs, registry);
  });
  registry.add("frmGameCheck", [&defs, &dialogs, &registry] {
    return std::make_unique<frmGameCheck>(defs, dialogs, registry);
  });
}

}  // namespace checks
