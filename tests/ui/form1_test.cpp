// Start-up of the main window against fakes.
#include "ui/form1.h"

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
  EXPECT_EQ("/games/tolvos", host.working_directory);
  ASSERT_EQ(1u, random.seeds.size());
  EXPECT_FLOAT_EQ(45296.25f, random.seeds[0]);
  ASSERT_EQ(1u, speech.spoken.size());
  EXPECT_EQ("Bienvenido a TOLVOS. Utilice el cursor de Jaws para jugar. Velmar.", speech.spoken[0]);
  EXPECT_EQ(0, sound.sound1_plays + sound.sound2_plays);
  EXPECT_EQ("/games/tolvos/snd.wav", sound.sound1);
  EXPECT_EQ("/games/tolvos/snd2.wav", sound.sound2);
  EXPECT_EQ(kCells, window.ButtonCount());
  EXPECT_EQ(-1, form.engine.SelectedIndex);
  EXPECT_EQ("", window.label1);
  EXPECT_EQ("0 puntos", window.label2);
  EXPECT_FALSE(clock.AnyRunning());
}

TEST_F(Form1Test, AppFolderEndsInOneSeparator) {
  for (std::string folder : {"/games/tolvos", "/games/tolvos/", "/"}) {
    SCOPED_TRACE(folder);
    host.program_folder = folder;
    form.Form_Load();
    EXPECT_EQ(host.program_folder_with_separator(), form.AppFolder);
  }
}

TEST_F(Form1Test, StartUpLoadsTheBestScoresAndTheMenuShowsThem) {
  form.Form_Load();
  EXPECT_EQ(1u, host.files.count("/games/tolvos/punt.dat"));  // the default table, new

  // "Zoe\\12\\" and six empty entries, each character 17 codes lower.
  host.files = {{"/games/tolvos/Punt.dat", "I^TK !K" + std::string(12, 'K') + "\r\n"}};
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
