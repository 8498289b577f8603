// The survey keys against fakes: what each says and where it sends the focus.
#include "form/survey.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <random>
#include <vector>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_speech.h"
#include "fakes/fake_window.h"
#include "fakes/mem_host.h"
#include "fakes/scripted_random.h"
#include "fakes/virtual_clock.h"
#include "form/form1.h"

namespace {

std::size_t CodePoints(const std::string& text) {
  std::size_t n = 0;
  for (const unsigned char byte : text) n += (byte & 0xC0) != 0x80;
  return n;
}

class SurveyTest : public testing::Test {
 protected:
  void SetUp() override { form.Form_Load(); }
  // Rows from the top, cells "AEiOU" or "." for empty; rows and cells left out are empty.
  void Deal(const std::vector<std::string>& rows) {
    form.engine.Board.Fill(0);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
      for (int c = 0; c < static_cast<int>(rows[r].size()); ++c)
        form.engine.Board(c, r) = static_cast<std::int16_t>(std::string(".AEiOU").find(rows[r][c]));
  }
  FakeWindow window;
  VirtualClock clock;
  FakeDialogs dialogs;
  MemHost host;
  FakeSpeech speech;
  FakeSound sound;
  ScriptedRandom random;
  Form1 form{{window, clock, dialogs, host, speech, sound, random}};
};

TEST_F(SurveyTest, KeysReadAndJumpOnTheBoardAtRest) {
  const std::vector<std::string> mixed = {"AAE...OOOOiUUUA", "E.............A", "",
                                          "..A", "", "", "", "", "", "OO............i"};
  struct Case {
    std::vector<std::string> board;
    std::int16_t language, key, shift, on;
    const char* said;  // nullptr: the key is not the survey's
    int focus;         // -1: the focus stays
    std::function<void(Form1&)> before = nullptr;
  } const cases[] = {
      {mixed, 0, 'R', 0, 5, "fila 1: 2 A, E, 3 vacíos, 4 O, i, 3 U, A", -1},
      {mixed, 1, 'R', 0, 20, "row 2: E, 13 empty, A", -1},
      {mixed, 1, 'C', 0, 14, "column 15: 2 A, 7 empty, i", -1},
      {mixed, 0, 'C', 0, 1, "columna 2: A, 8 vacíos, O", -1},
      {mixed, 0, 'A', 0, 1, "", 14},
      {mixed, 0, 'A', 0, 47, "", 0},  // from the last A round to the first
      {mixed, 0, 'E', 0, 2, "", 15},
      {mixed, 1, 'I', 0, 10, "", 149},
      {{"..U"}, 0, 'U', 0, 2, "", 2},  // the only one: the focus comes to it again
      {mixed, 0, 'U', 0, 149, "", 11},
      {{"AE"}, 0, 'O', 0, 0, "ningún O", -1},
      {{"AE"}, 1, 'I', 0, 0, "no i left", -1},
      {{"..EE", "..E.U", ".AAAU"}, 0, 'G', 0, 0, "grupo de 3", 2},  // ties: met first wins
      {{"E", "E", "AAAA"}, 1, 'G', 0, 5, "group of 4", 30},
      {mixed, 0, 'S', 0, 0,
       "quedan 18 tolvos: 5 A, 2 E, 2 i, 6 O, 3 U; 10 grupos, el mayor de 4", -1},
      {{}, 0, 'S', 0, 7,
       "quedan 0 tolvos: 0 A, 0 E, 0 i, 0 O, 0 U; 0 grupos, el mayor de 0", -1},
      {{}, 1, 'G', 0, 7, "no group left", -1},
      {{}, 1, 'R', 0, 149, "row 10: 15 empty", -1},
      {mixed, 0, 'P', 0, 3, "0 puntos", -1},
      {{"AA"}, 1, 'P', 0, 3, "2 tolvos marked. Click again to remove them. 0 points", -1,
       [](Form1& f) { f.Command1_Click(0); }},
      {{"AAE"}, 1, 'S', 0, 3,
       "1 blocks left: 0 A, 1 E, 0 i, 0 O, 0 U; 1 groups, the largest of 1", -1,
       [](Form1& f) { f.Command1_Click(0), f.Command1_Click(0); }},
      // Two cells fall free under a stack: Board holds one step, the keys read the rest.
      {{"", "", "", "", "", "", "E", "A", "O", "O"}, 0, 'R', 0, 135, "fila 10: A, 14 vacíos", -1,
       [](Form1& f) { f.Command1_Click(135), f.Command1_Click(135); }},
      {{"AEE"}, 1, 'C', 0, 1, "column 2: E, 9 empty", -1,
       [](Form1& f) { f.engine.EndGame(); }},
      {mixed, 0, 'R', 1, 5, nullptr, -1},
      {mixed, 0, 'A', 2, 5, nullptr, -1},
      {mixed, 0, 'B', 0, 5, nullptr, -1},
      {mixed, 0, 'r', 0, 5, nullptr, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<char>(c.key) << " on " << c.on);
    form.MnuJueIdiList_Click(c.language);
    form.engine.NewGame();
    Deal(c.board);
    if (c.before) c.before(form);
    window.focused = -1;
    speech.spoken.clear();
    EXPECT_EQ(c.said != nullptr, form.SurveyKey(c.key, c.shift, c.on));
    EXPECT_EQ(c.focus, window.focused);
    EXPECT_EQ(c.said && *c.said ? std::vector<std::string>{c.said} : std::vector<std::string>{},
              speech.spoken);
  }
}

// What a screen reader says to walk a fresh board with the arrows, against ten rows read whole.
TEST_F(SurveyTest, TenRowsTakeATenthOfTheSpeechOfAWalk) {
  std::mt19937 deal(19);
  for (int board = 0; board < 20; ++board) {
    for (int k = 0; k < kCells; ++k)
      form.engine.Board(ColumnOf(k), RowOf(k)) = static_cast<std::int16_t>(deal() % 5 + 1);
    std::size_t walk = 0, rows = 0;
    for (int k = 0; k < kCells; ++k) {
      const std::string read = form.engine.ColourLetters[form.engine.Board(ColumnOf(k), RowOf(k))] +
                               " botón de pulsación. " + window.at(k).description + ".";
      walk += CodePoints(read);
    }
    for (int r = 0; r < kRows; ++r) {
      speech.spoken.clear();
      form.SurveyKey('R', 0, static_cast<std::int16_t>(r * kColumns));
      rows += CodePoints(speech.spoken.at(0));
    }
    if (board == 0) std::cout << "rows " << rows << " against a walk of " << walk << "\n";
    EXPECT_GE(walk, 10 * rows);
  }
}

}  // namespace
