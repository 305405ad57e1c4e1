#pragma once

#include "core/definitions.h"
#include "ui/catalogue_list.h"
#include "ui/forms_registry.h"

namespace equipment {

// The effects list: slots 0..9 of the item working record, one row each; a double-click opens
// the effect editor on that slot and closes the list.
class frmEquipEffect : public ui::CatalogueList {
  Q_OBJECT

 public:
  static constexpr int EditableSlots = 10;  // slot 10 counts only for "Has Effects"

  frmEquipEffect(core::ModDefinitions& defs, ui::FormsRegistry& registry,
                 QWidget* parent = nullptr);

  // Another item paged to in the editor, or an effect edited: the rows follow.
  unsigned watchedChanges() const override { return core::ItemsChanged; }

 protected:
  std::vector<ui::ListRow> entryRows() override;
  bool pickEntry(long row) override;
  void Form_Paint() override;

 private:
  core::ModDefinitions& defs_;
  ui::FormsRegistry& registry_;
};

}  // namespace equipment
