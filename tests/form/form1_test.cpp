// The main window's logic against fakes: start-up, the menu commands and the keys.
#include "form/form1.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <random>
#include <vector>

#include "fakes/form_rig.h"

namespace {

class Form1Test : public testing::Test, protected FormRig {};

TEST_F(Form1Test, StartUpDealsSpeaksWelcomeOnceAndPlaysNothing) {
  form.Form_Load();
  EXPECT_EQ(Native("/games/tolvos"), host.working_directory);
  ASSERT_EQ(1u, random.seeds.size());
  EXPECT_FLOAT_EQ(45296.25f, random.seeds[0]);
  ASSERT_EQ(1u, speech.spoken.size());
  EXPECT_EQ("Bienvenido a TOLVOS. Utilice el cursor de Jaws para jugar. Velmar.", speech.spoken[0]);
  EXPECT_EQ(0, sound.sound1_plays + sound.sound2_plays);
  EXPECT_EQ(Native("/games/tolvos/snd.wav"), sound.sound1);
  EXPECT_EQ(Native("/games/tolvos/snd2.wav"), sound.sound2);
  EXPECT_EQ(kCells, window.ButtonCount());
  EXPECT_EQ(-1, form.engine.SelectedIndex);
  EXPECT_EQ("", window.label1);
  EXPECT_EQ("0 puntos", window.label2);
  EXPECT_FALSE(clock.AnyRunning());
}

TEST_F(Form1Test, AppFolderEndsInOneSeparator) {
  for (std::string folder : {Native("/games/tolvos"), Native("/games/tolvos/"), Native("/")}) {
    SCOPED_TRACE(folder);
    host.program_folder = folder;
    form.Form_Load();
    EXPECT_EQ(host.program_folder_with_separator(), form.AppFolder);
  }
}

TEST_F(Form1Test, ReadOnlyProgramFolderKeepsFilesInUserDataButSoundsBesideProgram) {
  host.writable = false;
  for (std::string data : {Native("/home/player/.local/share/tolvos"),
                           Native("/home/player/.local/share/tolvos/")}) {
    SCOPED_TRACE(data);
    host.user_data_folder = data;
    form.Form_Load();
    EXPECT_EQ(Native("/home/player/.local/share/tolvos/"), form.AppFolder);
    EXPECT_EQ(Native("/games/tolvos"), host.working_directory);
    EXPECT_EQ(Native("/games/tolvos/snd.wav"), sound.sound1);
    EXPECT_EQ(Native("/games/tolvos/snd2.wav"), sound.sound2);
  }
}

TEST_F(Form1Test, WithoutAFolderOfItsOwnNothingIsWrittenAndTheSaveIsToldAsFailed) {
  host.writable = false;
  host.user_data_folder = "";  // no home folder
  host.files = {{Native("/Idioma.dat"), "1=Idioma\r\n"}, {Native("/punt.dat"), "x\r\n"}};
  form.Form_Load();
  EXPECT_EQ("", form.AppFolder);
  EXPECT_EQ(0, form.language.LanguageIndex) << "no file is read from the root either";
  ASSERT_EQ(1u, dialogs.shown.size());
  EXPECT_EQ("No se han podido guardar las mejores puntuaciones: no hay ninguna carpeta donde "
            "guardarlas",
            dialogs.shown[0].text);
  EXPECT_EQ("Ulmer", form.scores.BestNames(7));
  form.MnuJueIdiList_Click(1);
  form.scores.SaveBestScores();
  EXPECT_EQ("The best records could not be saved: there is no folder to keep them in",
            dialogs.shown.at(1).text);
  EXPECT_EQ(0, host.writes);
  EXPECT_EQ(0, host.reads);
}

TEST_F(Form1Test, StartUpLoadsTheBestScoresAndTheMenuShowsThem) {
  form.Form_Load();
  EXPECT_EQ(1u, host.files.count(Native("/games/tolvos/punt.dat")));  // the default table, new

  // "Zoe\\12\\" and six empty entries, each character 17 codes lower.
  host.files = {{Native("/games/tolvos/Punt.dat"), "I^TK !K" + std::string(12, 'K') + "\r\n"}};
  form.Form_Load();
  form.Command1_Click(40);
  const Grid marked = form.engine.Marked;
  form.MnuJueMej_Click();

  ASSERT_EQ(1u, dialogs.shown.size());
  EXPECT_EQ("Mejores puntuaciones", dialogs.shown[0].title);
  std::string table;
  for (int i = 0; i < 6; ++i) table += ": 0\r\n";
  EXPECT_EQ(table + "Zoe: 12\r\n", dialogs.shown[0].text);
  EXPECT_TRUE(marked == form.engine.Marked);
  EXPECT_EQ(40, form.engine.SelectedIndex);
  EXPECT_EQ(1, host.writes);
}

}  // namespace

namespace {

// Rows from the top, cells "AEiOU" or "." for empty; rows and cells left out are empty.
void Deal(Engine& engine, const std::vector<std::string>& rows) {
  engine.Board.Fill(0);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int c = 0; c < static_cast<int>(rows[r].size()); ++c)
      engine.Board(c, r) = static_cast<std::int16_t>(std::string(".AEiOU").find(rows[r][c]));
}

std::size_t CodePoints(const std::string& text) {
  std::size_t n = 0;
  for (const unsigned char byte : text) n += (byte & 0xC0) != 0x80;
  return n;
}

class Form1InputTest : public Form1Test {
 protected:
  void SetUp() override { form.Form_Load(); }
};

TEST_F(Form1InputTest, EscapeAsksAndOnlyYesEndsTheGame) {
  form.Command1_Click(10);
  const std::string message = window.label1;
  dialogs.answers = {BoxAnswer::No};
  form.Form_KeyDown(kKeyEscape, 0);
  ASSERT_EQ(1u, dialogs.shown.size());
  EXPECT_EQ("¿Realmente desea dar la partida por terminada?", dialogs.shown[0].text);
  EXPECT_EQ("Terminar juego", dialogs.shown[0].title);
  EXPECT_EQ(BoxButtons::YesNo, dialogs.shown[0].buttons);
  EXPECT_EQ(kVbFalse, form.engine.GameEnded);
  EXPECT_EQ(10, form.engine.SelectedIndex);
  EXPECT_EQ(message, window.label1);

  form.MnuJueIdiList_Click(1);
  dialogs.answers = {BoxAnswer::Yes};
  form.Form_KeyDown(kKeyEscape, /*Shift=*/1);
  EXPECT_EQ("Do you really wish to terminate the game?", dialogs.shown[1].text);
  EXPECT_EQ("Terminate game", dialogs.shown[1].title);
  EXPECT_EQ(kVbTrue, form.engine.GameEnded);
  EXPECT_FALSE(window.at(0).enabled);
}

TEST_F(Form1InputTest, OtherKeysAskNothing) {
  for (std::int16_t key : {13, 32, 65, 112, 113}) form.Form_KeyDown(key, 0);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Form1InputTest, YesAfterTheGameEndedMeanwhileChangesNothing) {
  // A tick during the question ends the game; the Yes that follows finds it ended.
  dialogs.answers = {BoxAnswer::Yes};
  dialogs.while_open = [&] { form.engine.EndGame(); };
  form.Form_KeyDown(kKeyEscape, 0);
  EXPECT_EQ(kVbTrue, form.engine.GameEnded);
  ASSERT_EQ(2u, dialogs.shown.size());  // the question, and the end reported once
  EXPECT_EQ("Game over", dialogs.shown[1].title);
}

TEST_F(Form1InputTest, NewGameDropsTheScoreAtOnceAndStartsAtTheFirstBlock) {
  form.engine.Score = 4200;
  form.MnuJueNue_Click();
  EXPECT_EQ(0, form.engine.Score);
  EXPECT_EQ("0 puntos", window.label2);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(0, window.focused);
}

TEST_F(Form1InputTest, EveryBlockTellsItsPlaceInTheCurrentLanguage) {
  struct Case {
    int button;
    const char* es;
    const char* en;
  } const cases[] = {{0, "fila 1, columna 1", "row 1, column 1"},
                     {14, "fila 1, columna 15", "row 1, column 15"},
                     {15, "fila 2, columna 1", "row 2, column 1"},
                     {149, "fila 10, columna 15", "row 10, column 15"}};
  for (std::int16_t language : {1, 0}) {
    form.MnuJueIdiList_Click(language);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.button);
      EXPECT_EQ(language ? c.en : c.es, window.at(c.button).description);
    }
  }
  for (int k = 0; k < kCells; ++k) EXPECT_FALSE(window.at(k).description.empty()) << k;
}

TEST_F(Form1InputTest, InstructionsFollowTheLanguageAndChangeNothing) {
  form.Command1_Click(3);
  form.MnuJueIns_Click();
  form.MnuJueIdiList_Click(1);
  form.MnuJueIns_Click();
  ASSERT_EQ(2u, dialogs.shown.size());
  EXPECT_EQ("Instrucciones para Tolvos", dialogs.shown[0].title);
  EXPECT_EQ("Instructions for Tolvos", dialogs.shown[1].title);
  EXPECT_EQ(BoxButtons::Ok, dialogs.shown[1].buttons);
  EXPECT_EQ(3, form.engine.SelectedIndex);
}

TEST_F(Form1InputTest, ExitClosesTheWindowWithoutWriting) {
  const int writes = host.writes;
  form.MnuJueSal_Click();
  EXPECT_TRUE(window.closed);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(writes, host.writes);
}

TEST_F(Form1InputTest, KeysReadAndJumpOnTheBoardAtRest) {
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
      {mixed, 0, 'A', 0, 1, "", 14},
      {mixed, 0, 'A', 0, 47, "", 0},  // from the last A round to the first
      {mixed, 1, 'I', 0, 10, "", 149},
      {{"..U"}, 0, 'U', 0, 2, "", 2},  // the only one: the focus comes to it again
      {{"AE"}, 0, 'O', 0, 0, "ningún O", -1},
      {{"AE"}, 1, 'I', 0, 0, "no i left", -1},
      {{"..EE", "..E.U", ".AAAU"}, 0, 'G', 0, 0, "grupo de 3", 2},  // ties: met first wins
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
      {mixed, 0, 'R', 1, 5, nullptr, -1},  // with Shift
      {mixed, 0, 'B', 0, 5, nullptr, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<char>(c.key) << " on " << c.on);
    form.MnuJueIdiList_Click(c.language);
    form.engine.NewGame();
    Deal(form.engine, c.board);
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
TEST_F(Form1InputTest, TenRowsTakeATenthOfTheSpeechOfAWalk) {
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

TEST_F(Form1Test, LanguageFileAppliesBeforeTheWelcome) {
  host.files[Native("/games/tolvos/Idioma.dat")] = "1=Idioma\r\n";
  form.Form_Load();
  EXPECT_EQ("Welcome to Tolvos. Use the Jaws cursor to play. Velmar", speech.spoken.at(0));
  EXPECT_EQ(1, speech.languages.at(0));
  EXPECT_EQ("Tolvos", window.caption);
  EXPECT_EQ("0 points", window.label2);
  EXPECT_EQ("&Game", window.menus[MenuId::MnuJuego]);
  EXPECT_EQ("row 10, column 15", window.at(149).description);
}

TEST_F(Form1Test, NoLanguageFileKeepsDesignCaptions) {
  form.Form_Load();
  EXPECT_TRUE(window.menus.empty());
  EXPECT_EQ("TOLVOS", window.caption);
  EXPECT_EQ(0u, host.files.count(Native("/games/tolvos/Idioma.dat")));
}
