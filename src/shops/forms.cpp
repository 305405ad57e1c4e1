#include "shops/forms.h"

#include "shops/frm_shop_ed.h"
#include "shops/frm_shop_item_add.h"
#include "ui/catalogue_list.h"
#include "ui/window_ids.h"

#include <memory>

namespace shops {

void AddForms(ui::FormsRegistry& registry, core::ModDefinitions& defs, ui::Dialogs& dialogs) {
  registry.add(
      ui::window::ShopEditor,
      [&defs, &dialogs, &registry] { return std::make_unique<frmShopEd>(defs, dialogs, registry); },
      // After start-up the shop working record is the header, whose number is the shop count:
      // the editor opens on the last shop.
      [&defs] { return defs.ReadShopPair(defs.ShopEntry > 0 ? defs.ShopEntry : defs.ShopCount); });
  registry.add(ui::window::ShopItemAdd,
               [&defs, &dialogs] { return std::make_unique<frmShopItemAdd>(defs, dialogs); });
  registry.addPlaceHandler(core::GameFile::Shops, [&registry](const core::Place& place) {
    return ui::ShowEntryInEditor(registry, ui::window::ShopEditor,
                                 ui::EditorPager<frmShopEd>(registry, ui::window::ShopEditor),
                                 place.entry);
  });
  // These stay above the window they serve and open beside it.
  registry.setOwner(ui::window::ShopItemAdd, ui::window::ShopEditor);
}

}  // namespace shops
