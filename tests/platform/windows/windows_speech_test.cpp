// Speech through the stand-in screen reader libraries, which write down what they are asked to
// say: who gets each text, in which code page and order, and that a screen reader that hangs
// holds neither Speak nor the end of the program.
#include "platform/windows/windows_speech.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/windows/scratch_folder.h"
#include "platform/windows/win_host.h"

namespace {

std::string BesideTests(const std::string& name) {
  return WinHost().ProgramFolder() + "\\" + name;
}

void SetVariable(const wchar_t* name, const std::string& value) {
  SetEnvironmentVariableW(name, FsPath(value).c_str());
}

class WindowsSpeechTest : public testing::Test {
 protected:
  void SetUp() override {
    SetVariable(L"TOLVOS_STANDIN_RECORD", record);
    SetEnvironmentVariableW(L"TOLVOS_STANDIN_NVDA_OFF", nullptr);
    SetEnvironmentVariableW(L"TOLVOS_STANDIN_HOLD", nullptr);
  }

  // The lines written down so far, once there are at least count of them or 10 s have passed.
  std::vector<std::string> Said(std::size_t count) const {
    std::vector<std::string> lines;
    for (int waited = 0; waited < 1000; ++waited) {
      lines.clear();
      std::istringstream text(ReadBytes(record));
      for (std::string line; std::getline(text, line);) lines.push_back(line);
      if (lines.size() >= count) break;
      Sleep(10);
    }
    return lines;
  }

  ScratchFolder scratch;
  const std::string record = scratch.path() + "\\said.txt";
};

TEST_F(WindowsSpeechTest, EachTextGoesToJawsInTheAnsiCodePageThenToNvdaWhenItRuns) {
  // The expected bytes are those of the Western European code page, Wine's default.
  ASSERT_EQ(1252u, GetACP());
  const std::string welcome = "Bienvenido a TOLVOS. Utilice el cursor de Jaws para jugar.";
  // "¿Ñandú? Sí 中": the last has no likeness in the code page.
  const std::string accents = "\xC2\xBF\xC3\x91" "and\xC3\xBA? S\xC3\xAD \xE4\xB8\xAD";
  const std::string accents_1252 = "\xBF\xD1" "and\xFA? S\xED ?";
  const std::string jaws = BesideTests("jfwapi.dll");
  const std::string nvda = BesideTests("nvdaControllerClient64.dll");
  const std::string missing = BesideTests("missing\\none.dll");
  struct Case {
    const char* what;
    std::string jaws, nvda;
    bool nvda_off;
    std::vector<std::string> said;
  };
  const Case cases[] = {
      {"both", jaws, nvda, false,
       {"jaws " + welcome, "nvda " + welcome, "jaws " + accents_1252, "nvda " + accents}},
      {"NVDA not running", jaws, nvda, true, {"jaws " + welcome, "jaws " + accents_1252}},
      {"JAWS alone", jaws, missing, false, {"jaws " + welcome, "jaws " + accents_1252}},
      {"NVDA alone", missing, nvda, false, {"nvda " + welcome, "nvda " + accents}},
      {"neither", missing, missing, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFileW(FsPath(record).c_str());
    if (c.nvda_off) SetVariable(L"TOLVOS_STANDIN_NVDA_OFF", "1");
    {
      WindowsSpeech speech(c.jaws, c.nvda);
      speech.Speak(welcome, 0);
      speech.Speak(accents, 1);
      EXPECT_EQ(c.said, Said(c.said.size()));
    }
    EXPECT_EQ(c.said, Said(c.said.size()));  // and nothing more
    SetEnvironmentVariableW(L"TOLVOS_STANDIN_NVDA_OFF", nullptr);
  }
}

// Should Speak or the destructor wait for the screen reader, the test never ends (and ctest
// ends it).
TEST_F(WindowsSpeechTest, AScreenReaderThatHangsHoldsNeitherSpeakNorTheExit) {
  const std::wstring name = L"tolvos-hold-" + std::to_wstring(GetCurrentProcessId());
  const HANDLE release = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
  ASSERT_NE(nullptr, release);
  SetEnvironmentVariableW(L"TOLVOS_STANDIN_HOLD", name.c_str());
  {
    WindowsSpeech speech(BesideTests("jfwapi.dll"), BesideTests("nvdaControllerClient64.dll"));
    for (const char* text : {"uno", "dos", "tres"}) speech.Speak(text, 0);
    ASSERT_EQ(std::vector<std::string>{"jaws-held"}, Said(1));
  }
  SetEvent(release);
  // The text in the screen reader's hands when the program ended is said; the others are not.
  const std::vector<std::string> said = Said(3);
  EXPECT_EQ((std::vector<std::string>{"jaws-held", "jaws uno", "nvda uno"}), said);
  CloseHandle(release);
}

}  // namespace
