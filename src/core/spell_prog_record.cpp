#include "core/spell_prog_record.h"

#include "core/packing.h"

#include <cassert>

namespace core {

void SpellProgRecord::pack(std::span<std::uint8_t> out) const {
  assert(out.size() >= PackedSize);
  PackWriter writer(out);
  writer.Integer(ProgNo);
  writer.Integer(ProgClass);
  writer.Integer(ProgLevel);
  writer.Integer(ProgSpell);
  writer.Integer(ProgReplaces);
}

SpellProgRecord SpellProgRecord::unpack(std::span<const std::uint8_t> in) {
  assert(in.size() >= PackedSize);
  SpellProgRecord prog;
  PackReader reader(in);
  prog.ProgNo = reader.Integer();
  prog.ProgClass = reader.Integer();
  prog.ProgLevel = reader.Integer();
  prog.ProgSpell = reader.Integer();
  prog.ProgReplaces = reader.Integer();
  return prog;
}

}  // namespace core
