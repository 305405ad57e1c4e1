#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace core {

inline constexpr std::size_t ShopNameWidth = 25;
inline constexpr int ShopStockSize = 16;

// One entry of Shop.dat (slot 86 bytes, 61 packed).
struct ShopRecord {
  static constexpr std::size_t PackedSize = 61;
  static constexpr std::size_t SlotLength = 86;

  std::int16_t ShopNo = 0;
  std::int16_t ShopType = 0;  // 0 "Equipment Shop", 1 "Misc. Shop"
  std::string ShopName = std::string(ShopNameWidth, ' ');
  std::array<std::int16_t, ShopStockSize> Stock{};  // item numbers; 0 = empty position

  std::int16_t& entryNumber() { return ShopNo; }
  std::int16_t entryNumber() const { return ShopNo; }

  void pack(std::span<std::uint8_t> out) const;
  static ShopRecord unpack(std::span<const std::uint8_t> in);
  // The same into a record read before, whose text buffers are used again.
  static void unpack(std::span<const std::uint8_t> in, ShopRecord& into);

  friend bool operator==(const ShopRecord&, const ShopRecord&) = default;
};

// Tidies a stock list: each item number once, in the order of first occurrence, at the front,
// zeros behind. A later copy of an item is the one cleared.
void pack_shop_stock(std::array<std::int16_t, ShopStockSize>& stock);

}  // namespace core
