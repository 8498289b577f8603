// The groups of a board: blocks of one colour joined through left, right, upper and lower
// neighbours, as a marking finds them.
#pragma once

#include <vector>

#include "game/grid.h"

struct BlockGroup {
  int first;  // the button of its first block in reading order (row by row)
  int size;
};

// Every group on board, a single block included, in the reading order of their first blocks.
std::vector<BlockGroup> GroupsOf(const Grid& board);
