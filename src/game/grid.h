// The 15 x 10 grid of cells and its button numbering.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

inline constexpr int kColumns = 15;
inline constexpr int kRows = 10;
inline constexpr int kCells = kColumns * kRows;

inline constexpr bool InGrid(int c, int r) { return c >= 0 && c < kColumns && r >= 0 && r < kRows; }
// The button of cell (c, r); row by row from the top-left corner.
inline constexpr int ButtonOf(int c, int r) { return r * kColumns + c; }
inline constexpr int ColumnOf(int button) { return button % kColumns; }
inline constexpr int RowOf(int button) { return button / kColumns; }

// 16-bit cells indexed (column, row), cell (c, r) stored at c + 15 * r: its button number.
class Grid {
 public:
  std::int16_t& operator()(int c, int r) {
    assert(InGrid(c, r));
    return cells_[ButtonOf(c, r)];
  }
  std::int16_t operator()(int c, int r) const {
    assert(InGrid(c, r));
    return cells_[ButtonOf(c, r)];
  }
  void Fill(std::int16_t value) { cells_.fill(value); }
  bool operator==(const Grid&) const = default;

 private:
  std::array<std::int16_t, kCells> cells_{};
};
