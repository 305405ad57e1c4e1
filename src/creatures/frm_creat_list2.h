#pragma once

#include "core/definitions.h"
#include "ui/catalogue_list.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

namespace creatures {

// The creature list: every entry of Mon.dat with its type and average hit points and
// experience; a double-click shows the entry in the creature editor.
class frmCreatList2 : public ui::EntryList {
  Q_OBJECT

 public:
  frmCreatList2(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
                QWidget* parent = nullptr);

  // Fills the rows again from Mon.dat (after the editor saved or added a creature).
  void reloadRows();

 protected:
  void fillRows(ui::ListView* list) override;
};

}  // namespace creatures
