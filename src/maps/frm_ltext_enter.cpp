#include "maps/frm_ltext_enter.h"
#include "ui/window_ids.h"

namespace maps {

namespace {

// The escape pairs the game reads in its texts; the editor stores them as typed.
constexpr const char* LongTextReminder =
    "For carriage return use \\n for skip a line use \\N For clear screen use \\C.";

}  // namespace

const MapTextKind& frmLTextEnter::Kind() {
  static const MapTextKind kind{ui::window::MapLongTextEntry,
                                "Long String Contains",
                                core::MapLongTextWidth,
                                core::MapLongTextCount,
                                true,
                                LongTextReminder,
                                "Label3",
                                &core::MapRecord::LongText,
                                &core::MapRecord::SetLongText,
                                "Map Long Text"};
  return kind;
}

frmLTextEnter::frmLTextEnter(core::ModDefinitions& defs, QWidget* parent)
    : MapTextEntryForm(Kind(), defs, parent) {}

}  // namespace maps
