#pragma once

#include "core/definitions.h"
#include "ui/catalogue_names.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"

#include <array>
#include <cstdint>

namespace equipment {

// The effect editor: one effect slot (SelectedEffectSlot) of the item working record. Every
// choice is stored in the record at once; "Save Item" in the equipment editor writes it.
class frmEquipEffEd : public ui::Form {
  Q_OBJECT

 public:
  frmEquipEffEd(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent = nullptr);

  // Another item shown in the editor: the slot is laid out again.
  unsigned watchedChanges() const override { return core::ItemsChanged; }

  // n = 1..5 for Combo1..Combo5 (Combo5: the stat of the stat-change kinds).
  void EffectComboChanged(int n);
  void StoreEffectCombo(int n);

 protected:
  void Form_Load() override;
  void Form_Paint() override;

 private:
  using Slot = std::array<std::int16_t, 3>;  // kind, what, power
  Slot slotValues() const;
  void layOutSlot();

  core::ModDefinitions& defs_;
  Slot laidOut_{};
  int laidOutSlot_ = -1;

  ui::Label *Label1_, *Label2_, *Label3_;
  ui::ComboBox *Combo1_, *Combo2_, *Combo3_, *Combo4_, *Combo5_;
  ui::Button* Command1_;
  ui::CatalogueNames* spells_;  // Combo2: position p is spell p + 1
};

}  // namespace equipment
