// The engine and the real Qt window together on the worst redraw: a board of one colour
// removed at once, which closes all 15 columns in 16 nested redraws of 150 buttons each.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "fakes/form_rig.h"
#include "frontend/qt/main_window.h"

namespace {

void BM_WorstRedrawWithQtWindow(benchmark::State& state) {
  MainWindow window;
  FormFakes fakes;
  fakes.random.SetCodes({4});
  Form1 form(fakes.PortsWith(window, window));
  form.Form_Load();
  window.show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    state.PauseTiming();
    form.MnuJueNue_Click();
    form.Command1_Click(0);
    fakes.dialogs.typed = {"Bench"};
    state.ResumeTiming();
    form.Command1_Click(0);
    QCoreApplication::processEvents();  // the window paints what the redraws left
  }
}
BENCHMARK(BM_WorstRedrawWithQtWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
