// The best-score table against an in-memory folder: its file, byte for byte, and its box.
#include "scores/best_scores.h"

#include <gtest/gtest.h>

#include <limits>

#include "fakes/fake_dialogs.h"
#include "fakes/mem_host.h"
#include "scores/shift_text.h"
#include "scores/table_testing.h"

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

class BestScoresTest : public testing::Test {
 protected:
  void LoadFile(const std::string& bytes, const std::string& name = "punt.dat") {
    host.files = {{folder + name, bytes}};
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
  EXPECT_EQ(kDefaultTable, TableOf(scores));
  ASSERT_EQ(1u, host.files.size());
  EXPECT_EQ(FileOf(RecordOf(kDefaultTable)), host.files[folder + "punt.dat"]);
}

TEST_F(BestScoresTest, ExistingFileIsTakenAsItStandsWhateverTheCaseOfItsName) {
  const Table unsorted = {{"Zoe", 900}, {"Al", 50}, {"Bea", 7000}, {"Cid", 1},
                          {"Dan", 2000}, {"Eva", 100}, {"Fer", 3}};
  for (const std::string name : {"punt.dat", "Punt.dat", "PUNT.DAT"}) {
    SCOPED_TRACE(name);
    LoadFile(FileOf(RecordOf(unsorted)), name);
    EXPECT_EQ(unsorted, TableOf(scores));
    EXPECT_EQ(0, host.writes);
    scores.SaveBestScores();  // into the same file: one folder never holds two tables
    EXPECT_EQ(1u, host.files.size());
    EXPECT_EQ(FileOf(RecordOf(unsorted)), host.files[folder + name]);
    host.writes = 0;
  }
}

TEST_F(BestScoresTest, TableComesBackFromItsFile) {
  const Table table = {{"", kMin},          {"Ana Mar\xC3\xAD" "a  O", -5},
                       {"N\xC3\xBA\xC3\xB1" "ez", 0}, {"Bego\xC3\xB1" "a", 7},
                       {"", 7},             {"\xE2\x82\xAC \xC5\x92", 123456},
                       {"~!@#$%^&*()", kMax}};
  for (int i = 1; i <= kBestEntries; ++i) {
    scores.BestNames(i) = table[i - 1].first;
    scores.BestPoints(i) = table[i - 1].second;
  }
  scores.SaveBestScores();
  // One byte per character; entry 1's empty name leaves its backslash first on the line.
  EXPECT_EQ(FileOf(Utf8ToWindows1252(RecordOf(table))), host.files[folder + "punt.dat"]);
  BestScores again(host, dialogs, language, folder);
  again.LoadBestScores();
  EXPECT_EQ(table, TableOf(again));
}

TEST_F(BestScoresTest, GarbledFilesTakeWhatReadsWholeAndKeepDefaultsForTheRest) {
  const std::string full = RecordOf(kDefaultTable);
  Table ann = kDefaultTable, ann_bob = kDefaultTable, gus = kDefaultTable;
  ann[0] = ann_bob[0] = {"Ann", 10};
  ann_bob[1].first = "Bob";
  gus[6].first = "Gus";
  const std::string gus_record = RecordOf(gus);
  const struct {
    const char* what;
    std::string bytes;
    const Table& table;
  } cases[] = {
      {"empty", "", kDefaultTable},
      {"no backslash", FileOf("garbage"), kDefaultTable},
      {"cut inside a points field", FileOf("Ann\\10\\Bob\\2"), ann_bob},
      // The last points field never closes: not read as 0, the default stays.
      {"thirteen fields", FileOf(gus_record.substr(0, gus_record.rfind("4000"))), gus},
      {"a second line", FileOf(full) + FileOf("Zed\\9\\"), kDefaultTable},
      {"text after the last field", FileOf(full + "Zed\\9\\junk"), kDefaultTable},
      {"a line feed alone", FileOf(full).substr(0, full.size()) + "\n", kDefaultTable},
      {"a byte past 255", FileOf("Ann\\10\\").substr(0, 7) + "\xEF" + FileOf("Bob\\2\\"), ann},
      {"a huge first line", FileOf(full + std::string(1 << 20, 'x')), kDefaultTable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadFile(c.bytes);
    EXPECT_EQ(c.table, TableOf(scores));
  }
  host.unreadable = true;
  LoadFile(FileOf("Ann\\10\\"));
  EXPECT_EQ(kDefaultTable, TableOf(scores));
  EXPECT_EQ(0, host.writes);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BestScoresTest, PointsAreTheLeadingNumberRoundedHalfToEven) {
  const std::int32_t kKept = 1000;  // entry 1's default
  const struct {
    const char* field;
    std::int32_t points;
  } cases[] = {
      {"12abc", 12}, {"2.5", 2},   {"3.5", 4},      {"-2.5", -2},     {"abc", 0},
      {"", 0},       {"  42", 42}, {"+8", 8},       {"1e3", 1000},    {".5", 0},
      {"inf", 0},    {"0x1A", 0},  {"007", 7},      {"1e999", kKept}, {"99999999999", kKept},
      {"2147483647", kMax},        {"2147483647.5", kKept},           {"-2147483648.5", kMin},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    LoadFile(FileOf("Ann\\" + std::string(c.field) + "\\Bob\\2\\"));
    EXPECT_EQ(c.points, scores.BestPoints(1));
    EXPECT_EQ(2, scores.BestPoints(2));  // the fields after it still read
  }
}

// Two copies of the game on one file: each enters its record into the table as the file holds
// it at the save, while holding the lock, so neither wipes the other's.
TEST_F(BestScoresTest, ARecordGoesIntoTheTableTheFileHoldsNow) {
  BestScores other(host, dialogs, language, folder);
  scores.LoadBestScores();
  other.LoadBestScores();
  other.SaveNewRecord("Otra", 5000);
  host.locked_reads = host.locked_writes = 0;
  scores.SaveNewRecord(" Ana ", 1600);
  Table expected = {{"Ana", 1600}, {"Bastiv", 2000}, {"Ismara", 2500}, {"Dorneu", 3000},
                    {"Velisanda", 3500}, {"Ulmer", 4000}, {"Otra", 5000}};
  EXPECT_EQ(expected, TableOf(scores));
  EXPECT_EQ(FileOf(RecordOf(expected)), host.files[folder + "punt.dat"]);
  EXPECT_EQ(1, host.locked_reads);
  EXPECT_EQ(1, host.locked_writes);
  EXPECT_FALSE(host.locked);

  // A record the file's table no longer has room for is left out; the file still is saved.
  for (std::int32_t points = 6000; points < 6007; ++points) other.SaveNewRecord("Alta", points);
  scores.SaveNewRecord("Baja", 1300);
  EXPECT_EQ(TableOf(other), TableOf(scores));
  EXPECT_EQ(6000, scores.BestPoints(1));

  // A file that cannot be read leaves the table in memory to enter the record into.
  host.unreadable = true;
  scores.SaveNewRecord("Ana", 7000);
  EXPECT_EQ("Ana", scores.BestNames(7));
  EXPECT_EQ(6001, scores.BestPoints(1));
}

TEST_F(BestScoresTest, AsksForABoundedLine) {
  struct RecordingHost : MemHost {
    std::optional<std::string> ReadFirstLine(const std::string& path, std::size_t max) override {
      asked = max;
      return MemHost::ReadFirstLine(path, max);
    }
    std::size_t asked = 0;
  } bounded;
  bounded.files[folder + "punt.dat"] = FileOf(RecordOf(kDefaultTable));
  BestScores table(bounded, dialogs, language, folder);
  table.LoadBestScores();
  // Room for seven longest names with the widest points, and far less than a huge file.
  EXPECT_GE(bounded.asked, kBestEntries * (kMaxNameLength + 13));
  EXPECT_LE(bounded.asked, 1u << 20);
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
  for (const ShownBox& box : dialogs.shown) EXPECT_FALSE(box.input || box.buttons != BoxButtons::Ok);
  EXPECT_EQ(0, host.writes);
}

TEST_F(BestScoresTest, AFailedSaveIsToldInTheCurrentLanguageAndKeepsTheTable) {
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
}

}  // namespace
