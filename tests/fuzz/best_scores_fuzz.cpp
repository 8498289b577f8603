// Any bytes as the best-score file, and the same bytes typed as a name: nothing faults, and
// whatever table results is saved to a file that reads back as the same table.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fakes/fake_dialogs.h"
#include "fakes/mem_host.h"
#include "scores/best_scores.h"
#include "scores/shift_text.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

// Saves table and checks that a fresh load of the file gives it back.
void CheckRoundTrip(BestScores& table, MemHost& host, DialogOps& dialogs,
                    const Language& language, const std::string& folder,
                    const std::string& path) {
  table.SaveBestScores();
  const std::string& saved = host.files[path];
  Check(saved.size() >= 2 && saved.compare(saved.size() - 2, 2, "\r\n") == 0);
  Check(saved.find_first_of("\r\n") == saved.size() - 2);
  // Points written wider than the file had them can push a line near the bound past it.
  if (saved.size() - 2 > kMaxLineBytes) return;
  BestScores again(host, dialogs, language, folder);
  again.LoadBestScores();
  Check(again.BestNames == table.BestNames && again.BestPoints == table.BestPoints);
}

// Inputs tried whose first line the reader cuts at its bound.
std::size_t past_bound = 0;

}  // namespace

// With BEST_SCORES_FUZZ_PAST_BOUND set, a run that never tried an input past the line bound
// fails at its end: lengths there are reached only when the fuzzer is let make them.
extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  if (std::getenv("BEST_SCORES_FUZZ_PAST_BOUND")) {
    std::atexit([] {
      if (past_bound > 0) return;
      std::fprintf(stderr, "best_scores_fuzz: no input went past the %zu-byte line bound\n",
                   kMaxLineBytes);
      std::_Exit(1);
    });
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (bytes.find_first_of("\r\n") > kMaxLineBytes && size > kMaxLineBytes) ++past_bound;
  MemHost host;
  FakeDialogs dialogs;
  Language language;
  const std::string folder = host.program_folder_with_separator();
  const std::string path = folder + "Punt.DAT";
  host.files[path] = bytes;

  BestScores table(host, dialogs, language, folder);
  table.LoadBestScores();
  Check(host.writes == 0 && dialogs.shown.empty() && host.files.size() == 1);
  CheckRoundTrip(table, host, dialogs, language, folder, path);

  const std::string name = FileSafeName(bytes);
  const std::string name_bytes = Utf8ToWindows1252(name);
  Check(name_bytes.size() <= kMaxNameLength && Windows1252ToUtf8(name_bytes) == name);
  for (char ch : name_bytes) Check(ch != '\\' && static_cast<unsigned char>(ch) >= 32);
  table.BestNames(4) = name;
  CheckRoundTrip(table, host, dialogs, language, folder, path);

  table.ShowBestScores();
  Check(dialogs.shown.size() == 1);
  return 0;
}
