#pragma once

// The record types of the five catalogue files.
#include "core/creature_record.h"
#include "core/item_record.h"
#include "core/shop_record.h"
#include "core/spell_prog_record.h"
#include "core/spell_record.h"
