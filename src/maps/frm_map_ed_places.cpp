// Going to a place of Maps.dat from a list of places ("Where Used", the game data check).
#include "maps/frm_map_ed.h"

namespace maps {

bool frmMapEd::ShowPlace(const core::Place& place) {
  if (place.file != core::GameFile::Maps) return false;
  if (place.entry >= 1 && place.entry != defs_.CurrentMap) {
    if (place.entry > 32767 || !offerToSave()) return false;
    const core::Status status = defs_.LoadMap(place.entry);
    if (!status.ok()) {
      showMessage(QString::fromStdString(status.message()));
      return false;
    }
  }
  if (place.x >= 0 && place.y >= 0) selectSquare(place.x, place.y);
  if (place.slotKind == core::SlotKind::Special) {
    // The special's line at the top of the square's list.
    int before = 0;
    for (int i = 0; i < place.slot; ++i) {
      const core::MapSpecial s = document().Map().GetSpecial(i);
      if (s.inUse() && s.SquareX == place.x && s.SquareY == place.y) ++before;
    }
    defs_.SpecialsOffset = static_cast<std::int16_t>(before);
    RefreshMainWindow();
    defs_.CurrentSpecial = static_cast<std::int16_t>(place.slot);
    defs_.SpecialReload = 1;
    showWindow("frmMapSpe");
  } else if (place.slotKind == core::SlotKind::Encounter) {
    defs_.EncounterSlot = static_cast<std::int16_t>(place.slot);
    showWindow("frmMapEnc");
  }
  return true;
}

}  // namespace maps
