#pragma once

#include "core/map_region.h"
#include "core/status.h"

namespace maps {

// Puts squares on the system clipboard twice over: whole, under the editor's own type, for
// this and any other running editor, and as readable text for everything else.
void PutRegionOnClipboard(const core::MapRegion& region);

// The squares on the clipboard: the editor's own type first, else a text in the readable form.
// Anything else, or anything malformed, is refused with the reason.
core::Result<core::MapRegion> RegionFromClipboard();

}  // namespace maps
