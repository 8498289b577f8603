// Finding every group of a board at once, without marking any.
#include "game/groups.h"

#include <array>

std::vector<BlockGroup> GroupsOf(const Grid& board) {
  std::vector<BlockGroup> groups;
  std::array<bool, kCells> seen{};
  std::vector<int> pending;
  // Scanned in reading order, a group is first met at its first block.
  for (int start = 0; start < kCells; ++start) {
    const std::int16_t colour = board(ColumnOf(start), RowOf(start));
    if (colour <= 0 || seen[start]) continue;
    BlockGroup group{start, 0};
    seen[start] = true;
    pending.assign(1, start);
    while (!pending.empty()) {
      const int k = pending.back();
      pending.pop_back();
      ++group.size;
      const int c = ColumnOf(k), r = RowOf(k);
      for (const auto& [dc, dr] : {std::pair{-1, 0}, {0, -1}, {1, 0}, {0, 1}}) {
        const int nc = c + dc, nr = r + dr;
        if (!InGrid(nc, nr) || board(nc, nr) != colour || seen[ButtonOf(nc, nr)]) continue;
        seen[ButtonOf(nc, nr)] = true;
        pending.push_back(ButtonOf(nc, nr));
      }
    }
    groups.push_back(group);
  }
  return groups;
}
