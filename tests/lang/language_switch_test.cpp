// Applying a language: the captions, the score line, and the language file both ways.
#include "lang/language_switch.h"

#include <gtest/gtest.h>


#include "fakes/fake_window.h"
#include "fakes/journal.h"
#include "fakes/mem_host.h"

namespace {

class LanguageSwitchTest : public testing::Test {
 protected:
  const std::string kFile = Native("/games/tolvos/Idioma.dat");
  Journal journal;
  FakeWindow window{&journal};
  MemHost host;
  Language language;
  std::int32_t score = 550;
  std::string app_folder = Native("/games/tolvos/");
  LanguageSwitch lang{language, window, host, score, app_folder};
};

TEST_F(LanguageSwitchTest, CaptionsOfEachLanguageInTheirOrder) {
  window.label1 = "3 Tolvos marcados, vuelva a pulsar para eliminarlos";
  lang.MnuJueIdiList_Click(1);
  EXPECT_EQ(1, language.LanguageIndex);
  EXPECT_EQ((std::vector<std::string>{"Caption=Tolvos", "Label2=550 points", "Menu=&Game",
                                      "Menu=&Language", "Menu=&Instructions...",
                                      "Menu=&Best records", "Menu=&New game",
                                      "Menu=&Exit  Alt - F4"}),
            journal.entries());
  EXPECT_EQ("3 Tolvos marcados, vuelva a pulsar para eliminarlos", window.label1);
  EXPECT_EQ("1=Idioma\r\n", host.files[kFile]);

  journal.Clear();
  score = 90;
  lang.MnuJueIdiList_Click(0);
  EXPECT_EQ((std::vector<std::string>{"Caption=TOLVOS", "Label2=90 puntos", "Menu=&Juego",
                                      "Menu=I&dioma", "Menu=&Instrucciones...",
                                      "Menu=&Mejores puntuaciones", "Menu=&Nuevo juego",
                                      "Menu=&Salir Alt - F4"}),
            journal.entries());
  EXPECT_EQ("0=Idioma\r\n", host.files[kFile]);
  EXPECT_EQ(10u, host.files[kFile].size());
}

TEST_F(LanguageSwitchTest, ChoosingTheSameLanguageWritesTheFileAgain) {
  lang.MnuJueIdiList_Click(0);
  lang.MnuJueIdiList_Click(0);
  EXPECT_EQ(2, host.writes);
}

TEST_F(LanguageSwitchTest, NoFileMeansSpanishWithDesignCaptionsAndNoFileMade) {
  lang.LoadLanguage();
  EXPECT_EQ(0, language.LanguageIndex);
  EXPECT_TRUE(journal.entries().empty());
  EXPECT_TRUE(host.files.empty());
}

TEST_F(LanguageSwitchTest, StartUpReadsTheLeadingNumberAndRewritesTheStandardLine) {
  struct Case {
    const char* content;
    std::int16_t language;
  } cases[] = {
      {"1=Idioma\r\n", 1},      {"1", 1},          {"  1", 1},      {"1\r\n0=Idioma\r\n", 1},
      {"0=Idioma\r\n", 0},      {"no digits", 0},  {"7=Idioma", 0}, {"", 0},
      {"0.5", 0},               {"1.5", 0},        {"-1", 0},       {"1.4", 1},
      {"99999999999999999", 0}, {"\n1=Idioma", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.content);
    language.LanguageIndex = 0;
    host.files = {{kFile, c.content}};
    lang.LoadLanguage();
    EXPECT_EQ(c.language, language.LanguageIndex);
    EXPECT_EQ(std::to_string(c.language) + "=Idioma\r\n", host.files[kFile]);
  }
}

TEST_F(LanguageSwitchTest, UnreadableFileMeansSpanish) {
  host.files = {{kFile, "1=Idioma\r\n"}};
  host.unreadable = true;
  language.LanguageIndex = 1;
  lang.LoadLanguage();
  EXPECT_EQ(0, language.LanguageIndex);
  EXPECT_EQ("Caption=TOLVOS", journal.entries()[0]);
}

TEST_F(LanguageSwitchTest, ReadOnlyFolderStillChangesTheLanguage) {
  host.writable = false;
  lang.MnuJueIdiList_Click(1);
  EXPECT_EQ(1, language.LanguageIndex);
  EXPECT_EQ("Tolvos", window.caption);
  EXPECT_TRUE(host.files.empty());
}

}  // namespace
