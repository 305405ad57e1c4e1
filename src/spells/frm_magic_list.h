#pragma once

#include "core/definitions.h"
#include "ui/catalogue_list.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

namespace spells {

// Every spell of Mag.dat in one table; a double-click shows that spell in the spell editor.
class frmMagicList : public ui::EntryList {
  Q_OBJECT

 public:
  frmMagicList(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
               QWidget* parent = nullptr);

 protected:
  void fillRows(ui::ListView* list) override;
};

}  // namespace spells
