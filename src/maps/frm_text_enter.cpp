#include "maps/frm_text_enter.h"
#include "ui/window_ids.h"

namespace maps {

const MapTextKind& frmTextEnter::Kind() {
  static const MapTextKind kind{ui::window::MapTextEntry,
                                "String Contains",
                                core::MapTextWidth,
                                core::MapTextCount,
                                false,
                                nullptr,
                                "Label2",
                                &core::MapRecord::Text,
                                &core::MapRecord::SetText,
                                "Map Text"};
  return kind;
}

frmTextEnter::frmTextEnter(core::ModDefinitions& defs, QWidget* parent)
    : MapTextEntryForm(Kind(), defs, parent) {}

}  // namespace maps
