// Regions of squares in the main window: cut, copy, paste and clear through the clipboard.
#include "maps/frm_map_ed.h"
#include "maps/region_clipboard.h"

#include <QAction>

namespace maps {

void frmMapEd::updateRegionEntries() {
  const bool region = !document().Region().empty();
  for (QAction* entry : regionEntries_) {
    if (entry) entry->setEnabled(region);
  }
}

void frmMapEd::mnuCopy_Click() {
  if (document().Region().empty()) return;
  PutRegionOnClipboard(core::CopyRegion(document().Map(), document().Region()));
}

void frmMapEd::mnuCut_Click() {
  if (document().Region().empty()) return;
  PutRegionOnClipboard(core::CutRegion(document(), changeOrigin()));
}

void frmMapEd::mnuClear_Click() {
  core::ClearRegion(document(), changeOrigin());
}

// The top-left of the squares goes on the selected square, in whatever map is open now.
void frmMapEd::mnuPaste_Click() {
  const core::Result<core::MapRegion> region = RegionFromClipboard();
  const core::Status status =
      region.ok() ? core::PasteRegion(document(), *region, changeOrigin()) : region.status();
  if (!status.ok()) showMessage(QString::fromStdString(status.message()));
}

}  // namespace maps
