// The best-score table against an in-memory folder: its file, byte for byte, and its box.
#include "scores/best_scores.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_dialogs.h"
#include "fakes/mem_host.h"
#include "scores/shift_text.h"

namespace {

using Table = std::vector<std::pair<std::string, std::int32_t>>;

const Table kDefaults = {{"Olem", 1000},   {"Terova", 1500},    {"Bastiv", 2000}, {"Ismara", 2500},
                         {"Dorneu", 3000}, {"Velisanda", 3500}, {"Ulmer", 4000}};

// The record text of a table: name, backslash, points, backslash, lowest entry first.
std::string RecordOf(const Table& table) {
  std::string record;
  for (const auto& [name, points] : table) record += name + "\\" + std::to_string(points) + "\\";
  return record;
}

// A file's bytes for a record text in single-byte characters, scrambled here by hand.
std::string FileOf(const std::string& record) {
  std::string line;
  for (char ch : record) line += static_cast<char>(static_cast<unsigned char>(ch) - 17);
  return line + "\r\n";
}

class BestScoresTest : public testing::Test {
 protected:
  Table TableOf(const BestScores& s) const {
    Table t;
    for (int i = 1; i <= kBestEntries; ++i) t.emplace_back(s.BestNames(i), s.BestPoints(i));
    return t;
  }
  void LoadFile(const std::string& bytes, const std::string& name = "punt.dat") {
    host.files[folder + name] = bytes;
    scores.LoadBestScores();
  }

  MemHost host;
  FakeDialogs dialogs;
  Language language;
  std::string folder = host.program_folder_with_separator();
  BestScores scores{host, dialogs, language, folder};
};

TEST_F(BestScoresTest, FirstStartWritesTheDefaultTableByteForByte) {
  scores.LoadBestScores();
  EXPECT_EQ(kDefaults, TableOf(scores));
  ASSERT_EQ(1u, host.files.size());
  EXPECT_EQ(FileOf(RecordOf(kDefaults)), host.files[folder + "punt.dat"]);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BestScoresTest, ExistingFileIsTakenInFileOrderWhateverTheCaseOfItsName) {
  const Table unsorted = {{"Zoe", 900},  {"Al", 50},   {"Bea", 7000}, {"Cid", 1},
                          {"Dan", 2000}, {"Eva", 100}, {"Fer", 3}};
  for (const std::string name : {"punt.dat", "Punt.dat", "PUNT.DAT"}) {
    SCOPED_TRACE(name);
    host.files.clear();
    host.writes = 0;
    LoadFile(FileOf(RecordOf(unsorted)), name);
    EXPECT_EQ(unsorted, TableOf(scores));
    EXPECT_EQ(0, host.writes);
    scores.SaveBestScores();  // into the same file: one folder, one table
    EXPECT_EQ(1u, host.files.size());
    EXPECT_EQ(FileOf(RecordOf(unsorted)), host.files[folder + name]);
  }
}

TEST_F(BestScoresTest, TableComesBackFromItsFile) {
  const Table table = {{"", std::numeric_limits<std::int32_t>::min()},
                       {"Ana Mar\xC3\xAD" "a  de la O", -5},
                       {"N\xC3\xBA\xC3\xB1" "ez", 0},
                       {"Bego\xC3\xB1" "a", 7},
                       {"", 7},
                       {"\xE2\x82\xAC \xC5\x92", 123456},
                       {"~!@#$%^&*()", std::numeric_limits<std::int32_t>::max()}};
  for (int i = 1; i <= kBestEntries; ++i) {
    scores.BestNames(i) = table[i - 1].first;
    scores.BestPoints(i) = table[i - 1].second;
  }
  scores.SaveBestScores();
  // Names reach the file in the single-byte code page; an empty name is a bare backslash.
  EXPECT_EQ(FileOf(Utf8ToWindows1252(RecordOf(table))), host.files[folder + "punt.dat"]);
  EXPECT_EQ('\\' - 17, host.files[folder + "punt.dat"][0]);

  BestScores again(host, dialogs, language, folder);
  again.LoadBestScores();
  EXPECT_EQ(table, TableOf(again));
}

TEST_F(BestScoresTest, GarbledFilesTakeWhatReadsWholeAndKeepDefaultsForTheRest) {
  const std::string full = RecordOf(kDefaults);
  Table ann = kDefaults, ann_bob = kDefaults, gus = kDefaults;
  ann[0] = ann_bob[0] = {"Ann", 10};
  ann_bob[1].first = "Bob";
  gus[6].first = "Gus";
  const std::string gus_record = RecordOf(gus);
  const struct {
    const char* what;
    std::string bytes;
    const Table& table;
  } cases[] = {
      {"empty", "", kDefaults},
      {"a line end only", "\r\n", kDefaults},
      {"no backslash", FileOf("garbage"), kDefaults},
      {"cut inside a points field", FileOf("Ann\\10\\Bob\\2"), ann_bob},
      // Gus's points field never closes: the name is taken, the points are not read as 0.
      {"thirteen fields", FileOf(gus_record.substr(0, gus_record.rfind("4000"))), gus},
      {"second line", FileOf(full) + FileOf("Zed\\9\\"), kDefaults},
      {"text after the fourteenth field", FileOf(full + "Zed\\9\\junk"), kDefaults},
      {"line feed alone", FileOf(full).substr(0, full.size()) + "\n", kDefaults},
      {"byte that shifts past 255", FileOf("Ann\\10\\").substr(0, 7) + "\xEF" + FileOf("Bob\\2\\"),
       ann},
      {"huge first line", FileOf(full + std::string(1 << 20, 'x')), kDefaults},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadFile(c.bytes);
    EXPECT_EQ(c.table, TableOf(scores));
  }
  EXPECT_EQ(0, host.writes);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BestScoresTest, PointsAreTheLeadingNumberRoundedHalfToEven) {
  const std::int32_t kKept = 1000;  // entry 1's default
  const struct {
    const char* field;
    std::int32_t points;
  } cases[] = {
      {"12abc", 12},        {"2.5", 2},           {"3.5", 4},        {"1.5", 2},
      {"-2.5", -2},         {"abc", 0},           {"", 0},           {"  42", 42},
      {"-7", -7},           {"+8", 8},            {"1e3", 1000},     {".5", 0},
      {"inf", 0},           {"0x1A", 0},          {"007", 7},
      {"99999999999", kKept},   {"2147483647", 2147483647},    {"2147483647.5", kKept},
      {"-2147483648.5", std::numeric_limits<std::int32_t>::min()}, {"1e999", kKept},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    LoadFile(FileOf("Ann\\" + std::string(c.field) + "\\Bob\\2\\"));
    EXPECT_EQ(c.points, scores.BestPoints(1));
    EXPECT_EQ("Bob", scores.BestNames(2));  // the fields after it still read
    EXPECT_EQ(2, scores.BestPoints(2));
  }
}

class RecordingHost : public MemHost {
 public:
  std::optional<std::string> ReadFirstLine(const std::string& path,
                                           std::size_t max_bytes) override {
    asked = max_bytes;
    return MemHost::ReadFirstLine(path, max_bytes);
  }
  std::size_t asked = 0;
};

TEST_F(BestScoresTest, ReadsABoundedLineAndSurvivesAnUnreadableFile) {
  RecordingHost bounded;
  bounded.files[folder + "punt.dat"] = FileOf(RecordOf(kDefaults));
  BestScores table(bounded, dialogs, language, folder);
  table.LoadBestScores();
  // Room for seven longest names with the widest points, and far less than the whole file.
  EXPECT_GE(bounded.asked, kBestEntries * (kMaxNameLength + 13));
  EXPECT_LE(bounded.asked, 1u << 20);

  host.unreadable = true;
  LoadFile(FileOf("Ann\\10\\"));
  EXPECT_EQ(kDefaults, TableOf(scores));
  EXPECT_EQ(0, host.writes);
}

TEST_F(BestScoresTest, ShowsBestFirstOneLineEachInEitherLanguage) {
  scores.ShowBestScores();
  scores.BestNames(6) = "";
  scores.BestPoints(6) = 4000;  // ties with entry 7, which came first
  language.LanguageIndex = 1;
  scores.ShowBestScores();

  ASSERT_EQ(2u, dialogs.shown.size());
  EXPECT_EQ(
      "Ulmer: 4000\r\nVelisanda: 3500\r\nDorneu: 3000\r\nIsmara: 2500\r\nBastiv: 2000\r\n"
      "Terova: 1500\r\nOlem: 1000\r\n",
      dialogs.shown[0].text);
  EXPECT_EQ("Mejores puntuaciones", dialogs.shown[0].title);
  EXPECT_EQ(0u, dialogs.shown[1].text.find("Ulmer: 4000\r\n: 4000\r\nDorneu: 3000\r\n"));
  EXPECT_EQ("Best records", dialogs.shown[1].title);
  for (const ShownBox& box : dialogs.shown) EXPECT_TRUE(!box.input && box.buttons == BoxButtons::Ok);
  EXPECT_EQ(0, host.writes);
}

TEST_F(BestScoresTest, AFailedSaveIsToldOnceAndKeepsTheTable) {
  host.writable = false;
  scores.LoadBestScores();
  language.LanguageIndex = 1;
  scores.BestNames(7) = "Ana";
  scores.SaveBestScores();

  ASSERT_EQ(2u, dialogs.shown.size());
  EXPECT_EQ("No se han podido guardar las mejores puntuaciones: read-only folder",
            dialogs.shown[0].text);
  EXPECT_EQ("TOLVOS", dialogs.shown[0].title);
  EXPECT_EQ("The best records could not be saved: read-only folder", dialogs.shown[1].text);
  EXPECT_EQ("Tolvos", dialogs.shown[1].title);
  EXPECT_EQ("Ana", scores.BestNames(7));
  EXPECT_TRUE(host.files.empty());
}

}  // namespace
