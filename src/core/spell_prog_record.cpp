#include "core/spell_prog_record.h"

#include "core/packing.h"

#include <cassert>

namespace core {

namespace {

// The fields in file order: the one list that packing and unpacking share.
template <class Packer, class Record>
void PackedFields(Packer& packer, Record& prog) {
  packer.Field(prog.ProgNo);
  packer.Field(prog.ProgClass);
  packer.Field(prog.ProgLevel);
  packer.Field(prog.ProgSpell);
  packer.Field(prog.ProgReplaces);
}

}  // namespace

void SpellProgRecord::pack(std::span<std::uint8_t> out) const {
  assert(out.size() >= PackedSize);
  PackWriter writer(out);
  PackedFields(writer, *this);
  assert(writer.offset() == PackedSize);
}

SpellProgRecord SpellProgRecord::unpack(std::span<const std::uint8_t> in) {
  SpellProgRecord prog;
  unpack(in, prog);
  return prog;
}

void SpellProgRecord::unpack(std::span<const std::uint8_t> in, SpellProgRecord& into) {
  assert(in.size() >= PackedSize);
  PackReader reader(in);
  PackedFields(reader, into);
  assert(reader.offset() == PackedSize);
}

}  // namespace core
