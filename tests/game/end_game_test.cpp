// The end of a game: the score reported, and a good one entered, saved and shown.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/engine_fixture.h"

namespace {

using Table = std::vector<std::pair<std::string, std::int32_t>>;

const Table kDefaults = {{"Olem", 1000},   {"Terova", 1500},    {"Bastiv", 2000}, {"Ismara", 2500},
                         {"Dorneu", 3000}, {"Velisanda", 3500}, {"Ulmer", 4000}};

class EndGameTest : public EngineTest {
 protected:
  void SetUp() override {
    random.SetCodes({1, 2, 3});
    engine.NewGame();
  }
  Table TableOf(const BestScores& s) const {
    Table t;
    for (int i = 1; i <= kBestEntries; ++i) t.emplace_back(s.BestNames(i), s.BestPoints(i));
    return t;
  }
  // Ends the game with score points; typed answers the input box, if one opens.
  void EndWith(std::int32_t score, const std::string& typed = "") {
    engine.Score = score;
    dialogs.typed = {typed};
    engine.EndGame();
  }
  // The table as the file holds it now.
  Table Reloaded() {
    BestScores fresh(host, dialogs, language, app_folder);
    fresh.LoadBestScores();
    return TableOf(fresh);
  }
};

TEST_F(EndGameTest, ScoreNotAboveTheLowestIsOnlyReported) {
  const struct {
    std::int16_t language;
    std::int32_t score;
    const char* text;
  } cases[] = {
      {1, 0, "The game is over. You've got 0 points."},
      {0, 1000, "La partida ha terminado. Ha conseguido 1000 puntos."},
      {1, -30, "The game is over. You've got -30 points."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    engine.NewGame();
    const Grid board = engine.Board;
    dialogs.shown.clear();
    language.LanguageIndex = c.language;
    EndWith(c.score);

    ASSERT_EQ(1u, dialogs.shown.size());
    EXPECT_FALSE(dialogs.shown[0].input);
    EXPECT_EQ(c.text, dialogs.shown[0].text);
    EXPECT_EQ("Game over", dialogs.shown[0].title);
    EXPECT_EQ(kVbTrue, engine.GameEnded);
    EXPECT_EQ(c.score, engine.Score);
    EXPECT_TRUE(board == engine.Board);
    for (int k = 0; k < kCells; ++k) {
      EXPECT_FALSE(window.at(k).enabled) << k;
      EXPECT_TRUE(window.at(k).visible) << k;
      ExpectButtonShowsCell(k);
    }
  }
  EXPECT_EQ(kDefaults, TableOf(scores));
  EXPECT_EQ(0, host.writes);
}

TEST_F(EndGameTest, AskingForTheNameInEitherLanguageAndCancelling) {
  EndWith(1001);
  engine.NewGame();
  language.LanguageIndex = 1;
  EndWith(550000);

  ASSERT_EQ(2u, dialogs.shown.size());  // Cancel: nothing saved, nothing shown
  EXPECT_EQ(
      "La partida ha terminado. Ha conseguido 1001 Puntos. Introduzca su nombre para la tabla "
      "de mejores puntuaciones.",
      dialogs.shown[0].text);
  EXPECT_EQ("The game is over. You've got 550000 points. Please insert your name for the best "
            "records table.",
            dialogs.shown[1].text);
  for (const ShownBox& box : dialogs.shown) {
    EXPECT_TRUE(box.input);
    EXPECT_EQ("Game over", box.title);
  }
  EXPECT_EQ(kDefaults, TableOf(scores));
  EXPECT_EQ(0, host.writes);
}

TEST_F(EndGameTest, NewScoreGoesBelowTheFirstEntryNotBelowIt) {
  // 2500 is the worked example: it ties with Ismara and goes just below her.
  for (std::int32_t score : {1001, 1500, 2000, 2500, 2501, 3000, 3500, 4000, 4001, 900000}) {
    SCOPED_TRACE(score);
    scores.FillDefaults();
    engine.NewGame();
    EndWith(score, "New");

    Table expected(kDefaults.begin() + 1, kDefaults.end());
    const auto below = std::count_if(expected.begin(), expected.end(),
                                     [&](const auto& entry) { return entry.second < score; });
    expected.insert(expected.begin() + below, {"New", score});
    EXPECT_EQ(expected, TableOf(scores));
    EXPECT_EQ(expected, Reloaded());
  }
}

TEST_F(EndGameTest, TableIsSavedThenShown) {
  language.LanguageIndex = 1;
  std::string file_while_shown;
  dialogs.while_open = [&] {  // during the input box: set up the look at the next box
    dialogs.while_open = [&] { file_while_shown = host.files[app_folder + "punt.dat"]; };
  };
  EndWith(2500, "Ana");

  ASSERT_EQ(2u, dialogs.shown.size());
  EXPECT_EQ("Best records", dialogs.shown[1].title);
  EXPECT_EQ(
      "Ulmer: 4000\r\nVelisanda: 3500\r\nDorneu: 3000\r\nIsmara: 2500\r\nAna: 2500\r\n"
      "Bastiv: 2000\r\nTerova: 1500\r\n",
      dialogs.shown[1].text);
  EXPECT_FALSE(file_while_shown.empty());
  EXPECT_EQ(host.files[app_folder + "punt.dat"], file_while_shown);
}

TEST_F(EndGameTest, TypedNameIsTrimmedAndMadeFitForTheFile) {
  const struct {
    std::string typed, stored;
  } cases[] = {
      {"  Ana Mar\xC3\xAD" "a  ", "Ana Mar\xC3\xAD" "a"},
      {"   ", ""},
      {"N\xC3\xBA\xC3\xB1" "ez", "N\xC3\xBA\xC3\xB1" "ez"},
      {"a\\b", "a/b"},
      {"Bob\r", "Bob"},
      {"\tTab", "Tab"},
      {"ok \xF0\x9F\x98\x80", "ok ?"},
  };
  std::int32_t score = 5000;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    engine.NewGame();
    dialogs.shown.clear();
    EndWith(++score, c.typed);

    EXPECT_EQ(c.stored, scores.BestNames(7));
    ASSERT_EQ(2u, dialogs.shown.size());
    EXPECT_EQ(0u, dialogs.shown[1].text.find(c.stored + ": " + std::to_string(score) + "\r\n"));
    EXPECT_EQ(TableOf(scores), Reloaded());
  }
}

TEST_F(EndGameTest, ReadOnlyFolderIsToldOnceAndTheGameGoesOn) {
  host.writable = false;
  EndWith(5000, "Ana");

  ASSERT_EQ(3u, dialogs.shown.size());
  EXPECT_TRUE(dialogs.shown[0].input);
  EXPECT_EQ("No se han podido guardar las mejores puntuaciones: read-only folder",
            dialogs.shown[1].text);
  EXPECT_EQ("Mejores puntuaciones", dialogs.shown[2].title);
  EXPECT_EQ(0u, dialogs.shown[2].text.find("Ana: 5000\r\n"));
  EXPECT_EQ("Ana", scores.BestNames(7));
  EXPECT_TRUE(host.files.empty());
}

TEST_F(EndGameTest, OnlyTheFirstRequestOfAGameActs) {
  // A tick while a box of the first request is open asks again; so may Escape afterwards.
  for (std::int32_t score : {0, 5000}) {
    SCOPED_TRACE(score);
    engine.NewGame();
    dialogs.shown.clear();
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
