#pragma once

#include "core/definitions.h"
#include "core/spell_progression.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/list_view.h"

#include <memory>
#include <vector>

namespace ui {
class CatalogueNames;
}

namespace spells {

// The spell progression table of MagProg.dat: which spell each class gains at which level,
// sorted by class and level, filtered by class; entries are added and removed here.
class frmMagicProg : public ui::Form {
  Q_OBJECT

 public:
  frmMagicProg(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent = nullptr);

  unsigned watchedChanges() const override { return core::SpellProgChanged | core::SpellsChanged; }

  // The entry number of the row shown at `position` (1-based); 0 when there is none.
  long entryOfRow(int position) const;

 protected:
  void Form_Load() override;
  void Form_Paint() override;

 private:
  QString spellLabel(long spell) const;
  void rebuild();
  void tell(const core::Status& status);

  void Combo1_Click();
  void Command1_Click();
  void Command2_Click();

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::Label* Label4_;
  ui::ComboBox *Combo1_, *Combo2_, *Combo3_, *Combo4_;
  // The names behind the spell and "Replaces:" lists.
  ui::CatalogueNames* spells_ = nullptr;
  ui::CatalogueNames* replaces_ = nullptr;
  ui::Button *Command1_, *Command2_;
  ui::ListView* ListView1_;
  // The listed entries by row position - 1, each with its entry number.
  std::shared_ptr<const std::vector<core::ProgressionRow>> listed_;
};

}  // namespace spells
