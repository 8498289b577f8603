// Start-up of the main window against fakes.
#include "form/form1.h"

#include <gtest/gtest.h>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_speech.h"
#include "fakes/fake_window.h"
#include "fakes/mem_host.h"
#include "fakes/scripted_random.h"
#include "fakes/virtual_clock.h"

namespace {

class Form1Test : public testing::Test {
 protected:
  FakeWindow window;
  VirtualClock clock;
  FakeDialogs dialogs;
  MemHost host;
  FakeSpeech speech;
  FakeSound sound;
  ScriptedRandom random;
  Form1 form{{window, clock, dialogs, host, speech, sound, random}};
};

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

}  // namespace

TEST_F(Form1Test, LanguageFileAppliesBeforeTheWelcome) {
  host.files[Native("/games/tolvos/Idioma.dat")] = "1=Idioma\r\n";
  form.Form_Load();
  EXPECT_EQ("Welcome to Tolvos. Use the Jaws cursor to play. Velmar", speech.spoken.at(0));
  EXPECT_EQ(1, speech.languages.at(0));
  EXPECT_EQ("Tolvos", window.caption);
  EXPECT_EQ("0 points", window.label2);
  EXPECT_EQ("Game", window.menus[MenuId::MnuJuego]);
  EXPECT_EQ("row 10, column 15", window.at(149).description);
}

TEST_F(Form1Test, NoLanguageFileKeepsDesignCaptions) {
  form.Form_Load();
  EXPECT_TRUE(window.menus.empty());
  EXPECT_EQ("TOLVOS", window.caption);
  EXPECT_EQ(0u, host.files.count(Native("/games/tolvos/Idioma.dat")));
}
