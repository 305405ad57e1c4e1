#include "core/shop_record.h"

#include "core/packing.h"

#include <cassert>

namespace core {

namespace {

// The fields in file order: the one list that packing and unpacking share.
template <class Packer, class Record>
void PackedFields(Packer& packer, Record& shop) {
  packer.Field(shop.ShopNo);
  packer.Field(shop.ShopType);
  packer.Field(shop.ShopName, ShopNameWidth);
  packer.Field(shop.Stock);
}

}  // namespace

void ShopRecord::pack(std::span<std::uint8_t> out) const {
  assert(out.size() >= PackedSize);
  PackWriter writer(out);
  PackedFields(writer, *this);
  assert(writer.offset() == PackedSize);
}

ShopRecord ShopRecord::unpack(std::span<const std::uint8_t> in) {
  ShopRecord shop;
  unpack(in, shop);
  return shop;
}

void ShopRecord::unpack(std::span<const std::uint8_t> in, ShopRecord& into) {
  assert(in.size() >= PackedSize);
  PackReader reader(in);
  PackedFields(reader, into);
  assert(reader.offset() == PackedSize);
}

void pack_shop_stock(std::array<std::int16_t, ShopStockSize>& stock) {
  constexpr std::size_t last = ShopStockSize - 1;
  // Remove repeats: the first occurrence of an item stays where it is.
  for (std::size_t i = 0; i < last; ++i) {
    for (std::size_t j = i + 1; j <= last; ++j) {
      if (stock[i] == stock[j]) {
        stock[j] = 0;
      }
    }
  }
  // Close the gaps, as many passes as there are positions.
  for (int pass = 0; pass < ShopStockSize; ++pass) {
    for (std::size_t j = 0; j < last; ++j) {
      if (stock[j] == 0) {
        for (std::size_t k = j; k < last; ++k) {
          stock[k] = stock[k + 1];
        }
        stock[last] = 0;
      }
    }
  }
}

}  // namespace core
