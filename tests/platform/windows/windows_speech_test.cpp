// Speech and braille through the stand-in screen reader libraries and JAWS's stand-in COM
// server, which write down what they are asked to say or show: who gets each text, in which code
// page and order, and that a screen reader that hangs holds neither Speak nor the end of the
// program.
#include "platform/windows/windows_speech.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
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

// The stand-in FreedomSci.JawsApi, registered while it lives: a server in the given threading
// model, in the given DLL. For the machine, in the tests' own Wine prefix: Wine 8's classes root
// holds the machine's classes only, not the user's.
class JawsApiRegistration {
 public:
  JawsApiRegistration(const std::string& server, const wchar_t* threading_model) {
    const std::wstring dll = FsPath(server).wstring();
    Set(kProgId + L"\\CLSID", nullptr, kClsid);
    Set(kServer, nullptr, dll);
    Set(kServer, L"ThreadingModel", threading_model);
  }
  ~JawsApiRegistration() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kProgId.c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\CLSID\\" + kClsid).c_str());
  }

 private:
  static void Set(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, value.c_str(),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
  }
  const std::wstring kProgId = L"Software\\Classes\\FreedomSci.JawsApi";
  const std::wstring kClsid = L"{2CA93ABD-4F20-4566-A362-A04D7984B1CE}";  // the stand-in's
  const std::wstring kServer = L"Software\\Classes\\CLSID\\" + kClsid + L"\\InprocServer32";
};

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

TEST_F(WindowsSpeechTest, EachTextGoesToBothSpeechesThenToBothBrailles) {
  // The expected bytes are those of the Western European code page, Wine's default.
  ASSERT_EQ(1252u, GetACP());
  const std::string welcome = "Bienvenido a TOLVOS. Utilice el cursor de Jaws para jugar.";
  // "¿Ñandú?" Sí \ 中, with a tab: the last has no likeness in the code page, and the quotes,
  // the backslash and the tab would break JAWS's script call.
  const std::string accents = "\"\xC2\xBF\xC3\x91" "and\xC3\xBA?\"\tS\xC3\xAD \\ \xE4\xB8\xAD";
  const std::string accents_1252 = "\"\xBF\xD1" "and\xFA?\"\tS\xED \\ ?";
  const std::string jaws_welcome = "jaws-run BrailleString(\"" + welcome + "\")";
  const std::string jaws_accents =
      "jaws-run BrailleString(\"'\xC2\xBF\xC3\x91" "and\xC3\xBA?' S\xC3\xAD / \xE4\xB8\xAD\")";
  const std::string jaws = BesideTests("jfwapi.dll");
  const std::string nvda = BesideTests("nvdaControllerClient64.dll");
  const std::string server = BesideTests("jawsapi.dll");
  const std::string missing = BesideTests("missing\\none.dll");
  struct Case {
    const char* what;
    std::string jaws, nvda;
    bool nvda_off;
    std::string server;  // JAWS's COM server, registered when not empty
    const wchar_t* threading_model;
    std::vector<std::string> said;
  };
  // As the window's thread, this one is the program's first single-threaded apartment, and
  // pumps no messages: a braille call that COM brought here would never be made.
  ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  const Case cases[] = {
      {"both, with JAWS's server apartment-threaded", jaws, nvda, false, server, L"Apartment",
       {"jaws " + welcome, "nvda " + welcome, jaws_welcome, "nvda-braille " + welcome,
        "jaws " + accents_1252, "nvda " + accents, jaws_accents, "nvda-braille " + accents}},
      {"NVDA not running", jaws, nvda, true, server, L"Apartment",
       {"jaws " + welcome, jaws_welcome, "jaws " + accents_1252, jaws_accents}},
      {"JAWS alone, its server in any apartment", jaws, missing, false, server, L"Both",
       {"jaws " + welcome, jaws_welcome, "jaws " + accents_1252, jaws_accents}},
      {"JAWS's server single-threaded", jaws, missing, false, server, L"Single",
       {"jaws " + welcome, "jaws " + accents_1252}},
      {"JAWS's speech library alone", jaws, missing, false, "", nullptr,
       {"jaws " + welcome, "jaws " + accents_1252}},
      {"JAWS's server registered but missing", missing, nvda, false, missing, L"Apartment",
       {"nvda " + welcome, "nvda-braille " + welcome, "nvda " + accents,
        "nvda-braille " + accents}},
      {"neither", missing, missing, false, "", nullptr, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFileW(FsPath(record).c_str());
    if (c.nvda_off) SetVariable(L"TOLVOS_STANDIN_NVDA_OFF", "1");
    std::optional<JawsApiRegistration> registration;
    if (!c.server.empty()) registration.emplace(c.server, c.threading_model);
    {
      WindowsSpeech speech(c.jaws, c.nvda);
      speech.Speak(welcome, 0);
      speech.Speak(accents, 1);
      EXPECT_EQ(c.said, Said(c.said.size()));
    }
    EXPECT_EQ(c.said, Said(c.said.size()));  // and nothing more
    SetEnvironmentVariableW(L"TOLVOS_STANDIN_NVDA_OFF", nullptr);
  }
  CoUninitialize();
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
  const std::vector<std::string> said = Said(4);
  EXPECT_EQ((std::vector<std::string>{"jaws-held", "jaws uno", "nvda uno", "nvda-braille uno"}),
            said);
  CloseHandle(release);
}

}  // namespace
