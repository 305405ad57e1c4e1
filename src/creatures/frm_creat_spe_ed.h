#pragma once

#include "core/definitions.h"
#include "ui/catalogue_names.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"

#include <array>
#include <cstdint>
#include <optional>

namespace creatures {

// "Choose Special": one special slot (CurrentCreatureSpecial) of the creature working record.
// Every choice goes into the working record at once; the creature editor's save writes it.
class frmCreatSpeEd : public ui::Form {
  Q_OBJECT

 public:
  frmCreatSpeEd(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent = nullptr);

  unsigned watchedChanges() const override { return core::CreaturesChanged | core::SpellsChanged; }

  // Takes up slot CurrentCreatureSpecial afresh: caption, lists, and the slot's values on the
  // next paint.
  void loadSlot();

  void CheckForSpecialChange(int nField);
  void Update_Creature_Special(int nField);

 protected:
  void Form_Load() override;
  void Form_Paint() override;

 private:
  using Slot = std::array<std::int16_t, 3>;  // Chance, Effect, Power
  Slot slotInRecord() const;
  void showSlot();

  core::ModDefinitions& defs_;
  std::optional<Slot> shownSlot_;  // as the lists last showed it
  int shownSpells_ = -1;           // the spells the list held when the slot was shown

  ui::Label *Label1_, *Label2_, *Label3_;
  ui::ComboBox *Combo1_, *Combo2_, *Combo3_, *Combo4_;
  ui::Button* Command1_;
  ui::CatalogueNames* spells_;  // Combo4: position p is spell p + 1
};

}  // namespace creatures
