#include "maps/frm_ltext_ed.h"
#include "ui/window_ids.h"

namespace maps {

namespace {

const MapTextListKind LongTextList{ui::window::MapLongTexts,     "Map Long Text Editor",    10, 60,
                                   ui::window::MapLongTextEntry, &core::MapRecord::LongText};

}  // namespace

frmLTextEd::frmLTextEd(core::ModDefinitions& defs, ui::FormsRegistry& registry, QWidget* parent)
    : MapTextListForm(LongTextList, defs, registry, parent) {}

}  // namespace maps
