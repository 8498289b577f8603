// The cost of the worst redraw (every column closed by one removal, 16 nested redraws) and of
// a whole game played by removing the largest group each time, with a window that only records.
#include <benchmark/benchmark.h>

#include "fakes/engine_rig.h"
#include "platform/std_random.h"

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

// Index of a block of the largest group on the board, or -1 when the board is empty.
int LargestGroup(Engine& engine) {
  int best = -1, best_size = 0;
  for (int k = 0; k < kCells; ++k) {
    if (engine.Board(ColumnOf(k), RowOf(k)) == 0) continue;
    engine.Marked.Fill(0);
    engine.MarkedCount = 0;
    engine.MarkGroup(ColumnOf(k), RowOf(k), engine.Board(ColumnOf(k), RowOf(k)));
    if (engine.MarkedCount > best_size) best_size = engine.MarkedCount, best = k;
  }
  return best;
}

void BM_WholeGame(benchmark::State& state) {
  StdRandom random;
  random.Randomize(0.5f);
  EngineRig rig(&random);
  rig.journal.recording = false;
  for (auto _ : state) {
    rig.engine.NewGame();
    rig.dialogs.typed = {"Bench"};  // a name for the table, should the score earn a place
    rig.dialogs.shown.clear();
    for (int k; (k = LargestGroup(rig.engine)) >= 0;) {
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
