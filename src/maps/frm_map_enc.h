#pragma once

#include "core/definitions.h"
#include "ui/catalogue_names.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"

#include <array>
#include <cstdint>

namespace maps {

// The encounter slot EncounterSlot of the map: the creature, picked from the names of the whole
// creature catalogue, and the number appearing and the chance of others as four number boxes.
// "OK" stores the slot into the map record in memory and announces it; "Cancel" stores nothing.
//
// A repaint fills the controls again only when the slot it shows was changed or another slot
// was handed over; typing survives covering and activation.
class frmMapEnc : public ui::Form {
  Q_OBJECT

 public:
  frmMapEnc(core::ModDefinitions& defs, ui::Dialogs& dialogs, QWidget* parent = nullptr);

  unsigned watchedChanges() const override { return core::MapChanged | core::CreaturesChanged; }

 protected:
  void Form_Paint() override;
  void Command1_Click();
  void Command2_Click();

 private:
  using SlotFields = std::array<std::int16_t, 5>;  // in the order of EncounterField
  SlotFields storedSlot(int slot) const;

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::CatalogueNames* creatures_;
  ui::ComboBox* Combo1_;
  std::array<ui::TextBox*, 4> boxes_;  // Text1..Text4
  int shownSlot_ = -1;                 // the slot the controls were filled from
  SlotFields shownFields_{};           // ... as it was stored then
};

}  // namespace maps
