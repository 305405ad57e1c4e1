#pragma once

#include "core/catalogue_records.h"

#include <vector>

// The demo catalogues, entry 1 first; every record's first Integer is already its entry number.
namespace demodata {

std::vector<core::ItemRecord> DemoItems();
std::vector<core::ShopRecord> DemoShops();
std::vector<core::CreatureRecord> DemoCreatures();
std::vector<core::SpellRecord> DemoSpells();
std::vector<core::SpellProgRecord> DemoSpellProgression();

}  // namespace demodata
