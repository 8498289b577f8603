// The best-score table in memory, in its file and in a box.
#include "scores/best_scores.h"

#include <limits>
#include <memory>
#include <optional>
#include <string_view>

#include "lang/bilingual.h"
#include "lang/leading_number.h"
#include "scores/shift_text.h"

namespace {

struct DefaultEntry {
  const char* name;
  std::int32_t points;
};
constexpr std::array<DefaultEntry, kBestEntries> kDefaultTable = {{{"Olem", 1000},
                                                                   {"Terova", 1500},
                                                                   {"Bastiv", 2000},
                                                                   {"Ismara", 2500},
                                                                   {"Dorneu", 3000},
                                                                   {"Velisanda", 3500},
                                                                   {"Ulmer", 4000}}};

constexpr Bilingual kBestTitle{"Mejores puntuaciones", "Best records"};
constexpr Bilingual kSaveFailedTitle{"TOLVOS", "Tolvos"};
constexpr Bilingual kSaveFailed{"No se han podido guardar las mejores puntuaciones: ",
                                "The best records could not be saved: "};
constexpr Bilingual kNoFolder{"no hay ninguna carpeta donde guardarlas",
                              "there is no folder to keep them in"};

// Takes the text up to the next backslash off the front of rest, and the backslash with it;
// nullopt when no backslash is left.
std::optional<std::string_view> NextField(std::string_view& rest) {
  const std::size_t end = rest.find('\\');
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view field = rest.substr(0, end);
  rest.remove_prefix(end + 1);
  return field;
}

// The leading number of text, rounded half to even; nullopt when it lies outside the
// 32-bit range.
std::optional<std::int32_t> LeadingPoints(std::string_view text) {
  const std::optional<double> number = LeadingNumber(text);
  if (!number) return std::nullopt;
  const double rounded = RoundHalfEven(*number);
  if (rounded < std::numeric_limits<std::int32_t>::min() ||
      rounded > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

std::string TrimSpaces(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

BestScores::BestScores(HostOps& host, DialogOps& dialogs, const Language& language,
                       const std::string& app_folder)
    : host_(host), dialogs_(dialogs), language_(language), app_folder_(app_folder) {
  FillDefaults();
}

void BestScores::FillDefaults() {
  for (int i = 1; i <= kBestEntries; ++i) {
    BestNames(i) = kDefaultTable[i - 1].name;
    BestPoints(i) = kDefaultTable[i - 1].points;
  }
}

void BestScores::LoadBestScores() {
  // Reading and writing keep the name as found, so one folder never holds two tables.
  std::optional<std::string> found;
  if (!app_folder_.empty()) found = host_.FindFileIgnoringCase(app_folder_, "Punt.dat");
  if (found) {
    file_name_ = *found;
    ReadBestScores();
    return;
  }
  file_name_ = "punt.dat";
  FillDefaults();
  SaveBestScores();
}

void BestScores::ReadBestScores() {
  const std::optional<std::string> line = host_.ReadFirstLine(Path(), kMaxLineBytes);
  TakeLine(line.value_or(""));
}

void BestScores::TakeLine(std::string line) {
  FillDefaults();
  // No saved table holds a byte that would shift past 255; the line counts as cut there.
  line.resize(ShiftablePrefix(line, FileShift));
  const std::string record = ShiftText(line, FileShift);

  std::string_view rest = record;
  for (int i = 1; i <= kBestEntries; ++i) {
    const std::optional<std::string_view> name = NextField(rest);
    if (!name) return;
    BestNames(i) = Windows1252ToUtf8(*name);
    const std::optional<std::string_view> points = NextField(rest);
    if (!points) return;
    // A number too large for the table leaves the default points of this entry.
    if (const std::optional<std::int32_t> value = LeadingPoints(*points)) BestPoints(i) = *value;
  }
}

void BestScores::SaveBestScores() {
  std::string record;
  for (int i = 1; i <= kBestEntries; ++i) {
    const std::string name = Utf8ToWindows1252(BestNames(i));
    assert(name.find('\\') == std::string::npos);
    record += name + '\\' + std::to_string(BestPoints(i)) + '\\';
  }
  const std::string line = ShiftText(record, static_cast<std::int16_t>(-FileShift)) + "\r\n";
  const SaveResult saved = app_folder_.empty() ? SaveResult{false, language_.Text(kNoFolder)}
                                               : host_.WriteFileAtomically(Path(), line);
  if (!saved.ok) {
    dialogs_.MessageBox(language_.Text(kSaveFailed) + saved.error,
                        language_.Text(kSaveFailedTitle), BoxButtons::Ok);
  }
}

void BestScores::ShowBestScores() {
  std::string text;
  for (int i = kBestEntries; i >= 1; --i)
    text += BestNames(i) + ": " + std::to_string(BestPoints(i)) + "\r\n";
  dialogs_.MessageBox(text, language_.Text(kBestTitle), BoxButtons::Ok);
}

bool BestScores::Qualifies(std::int32_t score) const { return score > BestPoints(1); }

void BestScores::Enter(const std::string& typed_name, std::int32_t score) {
  assert(Qualifies(score));
  // Entries below the new score move down one place, dropping entry 1.
  int j = 1;
  while (j <= kBestEntries && BestPoints(j) < score) {
    if (j >= 2) {
      BestNames(j - 1) = BestNames(j);
      BestPoints(j - 1) = BestPoints(j);
    }
    ++j;
  }
  BestPoints(j - 1) = score;
  BestNames(j - 1) = FileSafeName(TrimSpaces(typed_name));
}

void BestScores::SaveNewRecord(const std::string& typed_name, std::int32_t score) {
  // Without a folder there is no file to merge with, and the save only tells why it fails.
  std::unique_ptr<FileLock> lock;
  if (!app_folder_.empty()) {
    lock = host_.LockFile(Path());
    if (const std::optional<std::string> line = host_.ReadFirstLine(Path(), kMaxLineBytes))
      TakeLine(*line);
  }
  if (Qualifies(score)) Enter(typed_name, score);
  SaveBestScores();
}
