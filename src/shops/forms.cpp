#include "shops/forms.h"

#include "shops/frm_shop_ed.h"
#include "shops/frm_shop_item_add.h"
#include "ui/catalogue_list.h"

#include <memory>

namespace shops {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add(frmShopEd::FormName, [&defs, &dialogs, &registry] {
    return std::make_unique<frmShopEd>(defs, dialogs, registry);
  });
  registry.add(frmShopItemAdd::FormName,
               [&defs, &dialogs] { return std::make_unique<frmShopItemAdd>(defs, dialogs); });
  registry.addPlaceHandler(core::GameFile::Shops, [&registry](const core::Place& place) {
    return ui::ShowEntryInEditor(registry, frmShopEd::FormName,
                                 ui::EditorPager<frmShopEd>(registry, frmShopEd::FormName),
                                 place.entry);
  });
}

}  // namespace shops
