#pragma once

// A main window on a folder with an empty map 1 and the two pictures, as the map benchmarks
// drive it.

#include "core/bitmap.h"
#include "core/definitions.h"
#include "core/tile_sheet.h"
#include "maps/forms.h"
#include "maps/frm_map_ed.h"
#include "ui/change_hub.h"
#include "ui/forms_registry.h"
#include "window_bench.h"

#include <QTemporaryDir>

#include <filesystem>
#include <memory>

namespace bench_support {

struct MapSession {
  QTemporaryDir dir;
  CountingDialogs dialogs;
  std::unique_ptr<core::ModDefinitions> defs;
  std::unique_ptr<ui::ChangeHub> hub;
  std::unique_ptr<ui::FormsRegistry> registry;
  maps::frmMapEd* window = nullptr;

  MapSession() {
    const std::filesystem::path root = dir.path().toStdString();
    std::filesystem::create_directories(root / "Dat");
    std::filesystem::create_directories(root / "Data");
    (void)core::WriteBmp(root / "Data" / "Back.bmp", core::MakeMapBackground());
    (void)core::WriteBmp(root / "Data" / "Tiles.bmp", core::MakeTileSheet());
    defs = std::make_unique<core::ModDefinitions>(root);
    hub = std::make_unique<ui::ChangeHub>(*defs);
    registry = std::make_unique<ui::FormsRegistry>(hub.get());
    maps::AddForms(*registry, *defs, dialogs);
    window = registry->show<maps::frmMapEd>("frmMapEd");
  }
};

}  // namespace bench_support
