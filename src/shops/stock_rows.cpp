#include "shops/stock_rows.h"

#include <cstddef>
#include <utility>

namespace shops {

namespace {

// The stock position of row p (1-based); -1 when there is no such row.
int PositionOf(const std::vector<int>& rows, int row) {
  return row >= 1 && row <= static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row - 1)]
                                                          : -1;
}

void Exchange(Stock& stock, int a, int b) {
  std::swap(stock[static_cast<std::size_t>(a)], stock[static_cast<std::size_t>(b)]);
}

}  // namespace

std::vector<int> StockRows(const Stock& stock) {
  std::vector<int> rows;
  for (int position = 0; position < core::ShopStockSize; ++position) {
    if (stock[static_cast<std::size_t>(position)] > 0) rows.push_back(position);
  }
  return rows;
}

void DeleteRows(Stock& stock, const std::vector<int>& rows, const std::vector<int>& selected) {
  for (int row : selected) {
    const int position = PositionOf(rows, row);
    if (position >= 0) stock[static_cast<std::size_t>(position)] = 0;
  }
}

void MoveRowsUp(Stock& stock, const std::vector<int>& rows, const std::vector<int>& selected) {
  for (int row : selected) {
    const int position = PositionOf(rows, row);
    const int above = PositionOf(rows, row - 1);
    if (position >= 0 && above >= 0) Exchange(stock, above, position);
  }
}

void MoveRowsDown(Stock& stock, const std::vector<int>& rows, const std::vector<int>& selected) {
  for (int row : selected) {
    const int position = PositionOf(rows, row);
    if (position < 0) continue;
    int below = PositionOf(rows, row + 1);
    if (below < 0 && position + 1 < core::ShopStockSize) below = position + 1;
    if (below >= 0) Exchange(stock, position, below);
  }
}

int FirstEmptyPosition(const Stock& stock) {
  for (int position = 0; position < core::ShopStockSize; ++position) {
    if (stock[static_cast<std::size_t>(position)] == 0) return position;
  }
  return -1;
}

}  // namespace shops
