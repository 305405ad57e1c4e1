#pragma once

#include "core/definitions.h"
#include "ui/catalogue_list.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

namespace equipment {

// The equipment list: every item of Item.dat in one table; a double-click loads that item for
// the equipment editor and closes the list.
class frmEquipList2 : public ui::EntryList {
  Q_OBJECT

 public:
  frmEquipList2(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
                QWidget* parent = nullptr);

 protected:
  void fillRows(ui::ListView* list) override;
};

}  // namespace equipment
