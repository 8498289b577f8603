// The cost of a deal and of the deepest marking, with a window that only records.
#include <benchmark/benchmark.h>

#include "bench_rig.h"

namespace {

void BM_NewGame(benchmark::State& state) {
  BenchRig rig(1.5f);
  for (auto _ : state) {
    rig.engine.NewGame();
    benchmark::DoNotOptimize(rig.engine.Board);
  }
}
BENCHMARK(BM_NewGame);

// All 150 blocks of one colour: the recursion goes 150 calls deep.
void BM_MarkOneColourBoard(benchmark::State& state) {
  EngineRig rig;
  rig.journal.recording = false;
  rig.random.SetCodes({3});
  rig.engine.NewGame();
  std::int16_t k = 0;
  for (auto _ : state) {
    rig.engine.Command1_Click(k);  // a re-marking after the first: repaint, mark 150, announce
    k = static_cast<std::int16_t>((k + 1) % kCells);
    rig.speech.spoken.clear();
    benchmark::DoNotOptimize(rig.engine.MarkedCount);
  }
}
BENCHMARK(BM_MarkOneColourBoard);

}  // namespace
