#pragma once

#include "core/definitions.h"
#include "ui/catalogue_list.h"
#include "ui/forms_registry.h"

namespace creatures {

// The special effects of the creature in the working record, slots 0..9 as rows 1..10; a
// double-click opens the special editor on that slot.
class frmCreatSpe : public ui::CatalogueList {
  Q_OBJECT

 public:
  frmCreatSpe(core::ModDefinitions& defs, ui::FormsRegistry& registry, QWidget* parent = nullptr);

  unsigned watchedChanges() const override { return core::CreaturesChanged | core::SpellsChanged; }

 protected:
  std::vector<ui::ListRow> entryRows() override;
  bool pickEntry(long entry) override;
  // Follows the special editor and the creature editor while open.
  void Form_Paint() override;

 private:
  core::ModDefinitions& defs_;
  ui::FormsRegistry& registry_;
};

}  // namespace creatures
