#pragma once

#include "core/definitions.h"
#include "ui/catalogue_list.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

namespace spells {

// Every spell of Mag.dat in one table; a double-click shows that spell in the spell editor.
class frmMagicList : public ui::CatalogueList {
  Q_OBJECT

 public:
  frmMagicList(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
               QWidget* parent = nullptr);

 protected:
  void fillRows(ui::ListView* list) override;
  bool pickEntry(long entry) override;

 private:
  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::FormsRegistry& registry_;
};

}  // namespace spells
