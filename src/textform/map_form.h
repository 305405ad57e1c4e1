#pragma once

#include "core/map_record.h"
#include "textform/field_form.h"

namespace textform {

// A map in the text form: its properties, encounter slots, the 33 rows of squares, the specials
// that hold anything (with their index), its texts and long texts.
void WriteMapFields(JsonOut& out, const core::MapRecord& map);
// Reads the members WriteMapFields writes into `map`; refusals go to `reader`.
void ReadMapFields(FieldReader& reader, core::MapRecord& map);

// A row of squares as text: each square its North, East, South and West wall codes and its
// high bits in hex ("1020:0"), squares separated by a blank.
std::string SquareRowText(const core::MapRecord& map, int y);

}  // namespace textform
