#pragma once

#include "core/shop_record.h"

#include <array>
#include <cstdint>
#include <vector>

namespace shops {

using Stock = std::array<std::int16_t, core::ShopStockSize>;

// The stock positions the list shows, top to bottom: one row per position holding an item
// number above 0. A packed stock gives row p for position p - 1; a stock read unpacked from a
// file gives each row the position it really shows.
std::vector<int> StockRows(const Stock& stock);

// The stock operations on the rows (1-based) selected in the list, in ascending order. Each acts
// on the stock positions its rows show; the caller packs afterwards.
void DeleteRows(Stock& stock, const std::vector<int>& rows, const std::vector<int>& selected);
// Taken top to bottom, each exchange on the stock as the one before left it: two neighbouring
// rows both move up a place.
void MoveRowsUp(Stock& stock, const std::vector<int>& rows, const std::vector<int>& selected);
// Taken top to bottom as well: of two neighbouring rows, the upper ends two places lower and the
// lower one a place higher. The last row changes places with the empty position behind it.
void MoveRowsDown(Stock& stock, const std::vector<int>& rows, const std::vector<int>& selected);

// The lowest empty stock position, or -1 when all are stocked.
int FirstEmptyPosition(const Stock& stock);

}  // namespace shops
