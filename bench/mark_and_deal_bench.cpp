// The cost of a deal and of the deepest marking, with a window that only records.
#include <benchmark/benchmark.h>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_speech.h"
#include "fakes/fake_window.h"
#include "fakes/mem_host.h"
#include "fakes/scripted_random.h"
#include "fakes/virtual_clock.h"
#include "game/engine.h"
#include "game/std_random.h"

namespace {

void BM_NewGame(benchmark::State& state) {
  FakeWindow window;
  VirtualClock clock;
  FakeDialogs dialogs;
  FakeSpeech speech;
  FakeSound sound;
  StdRandom random;
  random.Randomize(1.5f);
  Language language;
  MemHost host;
  const std::string app_folder = host.program_folder_with_separator();
  BestScores scores(host, dialogs, language, app_folder);
  Engine engine({window, clock, dialogs, speech, sound, random}, language, scores);
  engine.FillColourTables();
  for (auto _ : state) {
    engine.NewGame();
    benchmark::DoNotOptimize(engine.Board);
  }
}
BENCHMARK(BM_NewGame);

// All 150 blocks of one colour: the recursion goes 150 calls deep.
void BM_MarkOneColourBoard(benchmark::State& state) {
  FakeWindow window;
  VirtualClock clock;
  FakeDialogs dialogs;
  FakeSpeech speech;
  FakeSound sound;
  ScriptedRandom random;
  random.SetCodes({3});
  Language language;
  MemHost host;
  const std::string app_folder = host.program_folder_with_separator();
  BestScores scores(host, dialogs, language, app_folder);
  Engine engine({window, clock, dialogs, speech, sound, random}, language, scores);
  engine.FillColourTables();
  engine.NewGame();
  std::int16_t k = 0;
  for (auto _ : state) {
    engine.Command1_Click(k);  // a re-marking after the first: repaint, mark 150, announce
    k = static_cast<std::int16_t>((k + 1) % kCells);
    speech.spoken.clear();
    benchmark::DoNotOptimize(engine.MarkedCount);
  }
}
BENCHMARK(BM_MarkOneColourBoard);

}  // namespace
