// The cost of the worst redraw (every column closed by one removal, 16 nested redraws) and of
// a whole game played by removing the largest group each time, with a window that only records.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "bench_rig.h"
#include "game/groups.h"

namespace {

void BM_RemoveWholeBoardOfOneColour(benchmark::State& state) {
  EngineRig rig;
  rig.journal.recording = false;
  rig.random.SetCodes({4});
  for (auto _ : state) {
    state.PauseTiming();
    rig.engine.NewGame();
    rig.engine.Command1_Click(0);
    rig.dialogs.typed = {"Bench"};
    rig.dialogs.shown.clear();
    state.ResumeTiming();
    rig.engine.Command1_Click(0);  // 15 columns close, nested
    benchmark::DoNotOptimize(rig.engine.ColumnsInUse);
  }
}
BENCHMARK(BM_RemoveWholeBoardOfOneColour)->Unit(benchmark::kMicrosecond);

// The first block of the largest group on the board (of equal ones, the first met), or -1 when
// the board is empty.
int LargestGroup(const Grid& board) {
  const std::vector<BlockGroup> groups = GroupsOf(board);
  const auto largest = std::max_element(
      groups.begin(), groups.end(), [](const auto& a, const auto& b) { return a.size < b.size; });
  return largest == groups.end() ? -1 : largest->first;
}

void BM_WholeGame(benchmark::State& state) {
  BenchRig rig(0.5f);
  for (auto _ : state) {
    rig.engine.NewGame();
    rig.dialogs.typed = {"Bench"};  // a name for the table, should the score earn a place
    rig.dialogs.shown.clear();
    for (int k; (k = LargestGroup(rig.engine.Board)) >= 0;) {
      rig.engine.SelectedIndex = -1;
      rig.engine.Command1_Click(static_cast<std::int16_t>(k));
      rig.engine.Command1_Click(static_cast<std::int16_t>(k));
      rig.clock.RunUntilIdle();
      rig.speech.spoken.clear();
    }
    benchmark::DoNotOptimize(rig.engine.Score);
  }
}
BENCHMARK(BM_WholeGame)->Unit(benchmark::kMillisecond);

}  // namespace
