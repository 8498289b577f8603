// The end of a game: the score reported, and a good one entered, saved and shown.
#include <algorithm>

#include "game/engine_fixture.h"
#include "scores/table_testing.h"

namespace {

class EndGameTest : public EngineTest {
 protected:
  void SetUp() override {
    random.SetCodes({1, 2, 3});
    engine.NewGame();
  }
  // A new game ended with score; typed answers the input box, if one opens.
  void EndWith(std::int32_t score, const std::string& typed = "") {
    engine.NewGame();
    dialogs.shown.clear();
    engine.Score = score;
    dialogs.typed = {typed};
    engine.EndGame();
  }
  Table Reloaded() {
    BestScores fresh(host, dialogs, language, app_folder);
    fresh.LoadBestScores();
    return TableOf(fresh);
  }
};

TEST_F(EndGameTest, ReportsTheScoreAndAsksANameOnlyAboveTheLowestEntry) {
  const struct {
    std::int16_t language;
    std::int32_t score;
    bool asks;
    const char* text;
  } cases[] = {
      {1, 0, false, "The game is over. You've got 0 points."},
      {0, 1000, false, "La partida ha terminado. Ha conseguido 1000 puntos."},
      {0, 1001, true,
       "La partida ha terminado. Ha conseguido 1001 Puntos. Introduzca su nombre para la tabla "
       "de mejores puntuaciones."},
      {1, 550000, true,
       "The game is over. You've got 550000 points. Please insert your name for the best "
       "records table."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    language.LanguageIndex = c.language;
    EndWith(c.score);  // the input box, if any, is cancelled: nothing saved or shown after it

    ASSERT_EQ(1u, dialogs.shown.size());
    EXPECT_EQ(c.asks, dialogs.shown[0].input);
    EXPECT_EQ(c.text, dialogs.shown[0].text);
    EXPECT_EQ("Game over", dialogs.shown[0].title);
    EXPECT_EQ(kVbTrue, engine.GameEnded);
    for (int k = 0; k < kCells; ++k) {
      EXPECT_FALSE(window.at(k).enabled) << k;
      EXPECT_TRUE(window.at(k).visible) << k;
      ExpectButtonShowsCell(k);
    }
  }
  EXPECT_EQ(kDefaultTable, TableOf(scores));
  EXPECT_EQ(0, host.writes);
}

TEST_F(EndGameTest, NewScoreGoesJustBelowTheFirstEntryNotBelowIt) {
  // 2500 ties with Ismara and goes just below her, Olem dropping out.
  for (std::int32_t score : {1001, 1500, 2000, 2500, 2501, 3000, 3500, 4000, 4001}) {
    SCOPED_TRACE(score);
    scores.FillDefaults();
    host.files.clear();  // a save enters the record into the file's table
    EndWith(score, "New");

    Table expected(kDefaultTable.begin() + 1, kDefaultTable.end());
    const auto below = std::count_if(expected.begin(), expected.end(),
                                     [&](const auto& entry) { return entry.second < score; });
    expected.insert(expected.begin() + below, {"New", score});
    EXPECT_EQ(expected, TableOf(scores));
    EXPECT_EQ(expected, Reloaded());
  }
}

TEST_F(EndGameTest, TableIsSavedThenShown) {
  std::string file_while_shown;
  dialogs.while_open = [&] {  // during the input box: look at the file when the next opens
    dialogs.while_open = [&] { file_while_shown = host.files[app_folder + "punt.dat"]; };
  };
  language.LanguageIndex = 1;
  EndWith(2500, "Ana");

  ASSERT_EQ(2u, dialogs.shown.size());
  EXPECT_EQ("Best records", dialogs.shown[1].title);
  EXPECT_EQ(
      "Ulmer: 4000\r\nVelisanda: 3500\r\nDorneu: 3000\r\nIsmara: 2500\r\nAna: 2500\r\n"
      "Bastiv: 2000\r\nTerova: 1500\r\n",
      dialogs.shown[1].text);
  EXPECT_EQ(FileOf(RecordOf(TableOf(scores))), file_while_shown);
}

TEST_F(EndGameTest, TypedNameIsTrimmedAndMadeFitForTheFile) {
  const struct {
    std::string typed, stored;
  } cases[] = {
      {"  Ana Mar\xC3\xAD" "a  ", "Ana Mar\xC3\xAD" "a"},
      {"   ", ""},
      {"Bego\xC3\xB1" "a", "Bego\xC3\xB1" "a"},
      {"a\\b", "a/b"},
      {"Bob\r", "Bob"},
      {"\tTab", "Tab"},
      {"ok \xF0\x9F\x98\x80", "ok ?"},
  };
  std::int32_t score = 5000;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EndWith(++score, c.typed);

    EXPECT_EQ(c.stored, scores.BestNames(7));
    ASSERT_EQ(2u, dialogs.shown.size());
    EXPECT_EQ(0u, dialogs.shown[1].text.find(c.stored + ": " + std::to_string(score) + "\r\n"));
    EXPECT_EQ(TableOf(scores), Reloaded());
  }
}

TEST_F(EndGameTest, ReadOnlyFolderIsToldOnceAndTheTableIsStillShown) {
  host.writable = false;
  EndWith(5000, "Ana");

  ASSERT_EQ(3u, dialogs.shown.size());
  EXPECT_EQ("TOLVOS", dialogs.shown[1].title);  // the failure, between input and table
  EXPECT_EQ(0u, dialogs.shown[2].text.find("Ana: 5000\r\n"));
  EXPECT_EQ("Ana", scores.BestNames(7));
}

TEST_F(EndGameTest, OnlyTheFirstRequestOfAGameActs) {
  // A tick while a box of the first request is open asks again; so may Escape afterwards.
  for (std::int32_t score : {0, 5000}) {
    SCOPED_TRACE(score);
    dialogs.while_open = [&] { engine.EndGame(); };
    EndWith(score, "Ana");
    const std::size_t boxes = score > 0 ? 2 : 1;
    EXPECT_EQ(boxes, dialogs.shown.size());

    window.at(3).enabled = true;
    engine.Score = 900000;
    engine.EndGame();
    EXPECT_EQ(boxes, dialogs.shown.size());
    EXPECT_TRUE(window.at(3).enabled);
  }
  EXPECT_EQ(1, host.writes);
}

}  // namespace
