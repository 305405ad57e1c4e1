#include "maps/frm_ltext_ed.h"

namespace maps {

namespace {

const MapTextListKind LongTextList{"frmLTextEd",    "Map Long Text Editor",    10, 60,
                                   "frmLTextEnter", &core::MapRecord::LongText};

}  // namespace

frmLTextEd::frmLTextEd(core::ModDefinitions& defs, ui::FormsRegistry& registry, QWidget* parent)
    : MapTextListForm(LongTextList, defs, registry, parent) {}

}  // namespace maps
