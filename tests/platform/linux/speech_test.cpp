// Speech against a private speech server that records every text it is asked to say.
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <pwd.h>

#include "platform/linux/fake_speech_server.h"
#include "platform/linux/scratch_folder.h"
#include "platform/linux/speechd_speech.h"
#include "platform/linux/ssip_client.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(10);

const char kWelcomeEs[] = "Bienvenido a TOLVOS. Utilice el cursor de Jaws para jugar. Velmar.";
const char kWelcomeEn[] = "Welcome to Tolvos. Use the Jaws cursor to play. Velmar";
const char kQuestion[] = "¿Realmente desea dar la partida por terminada?";

std::string Shell(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
  }
  return output;
}

class SpeechTest : public testing::Test {
 protected:
  ~SpeechTest() override { StopServer(); }

  void StartServer() {
    const std::string said = Shell(std::string("bash ") + SPEECH_SERVER_SCRIPT + " start " +
                                   scratch_.path() + " " + std::to_string(getpid()));
    ASSERT_NE(std::string::npos, said.find("SPEECHD_ADDRESS=unix_socket:" + socket_ + "\n")) << said;
    ASSERT_NE(std::string::npos, said.find("RECORD=" + record_ + "\n")) << said;
  }
  void StopServer() {
    Shell(std::string("bash ") + SPEECH_SERVER_SCRIPT + " stop " + scratch_.path());
  }

  // The record once `done` holds of it, or as it stands when patience runs out.
  template <typename Condition>
  std::vector<std::string> WaitForRecord(Condition done) {
    const auto deadline = Clock::now() + kPatience;
    for (;;) {
      std::vector<std::string> lines;
      std::ifstream in(record_);
      for (std::string line; std::getline(in, line);) lines.push_back(line);
      if (done(lines) || Clock::now() > deadline) return lines;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  std::vector<std::string> WaitForLines(std::size_t count) {
    return WaitForRecord([&](const auto& lines) { return lines.size() >= count; });
  }
  // The record's last line once it is `line`, or as it stands when patience runs out.
  std::string WaitForLast(const std::string& line) {
    const std::vector<std::string> lines =
        WaitForRecord([&](const auto& all) { return !all.empty() && all.back() == line; });
    return lines.empty() ? "" : lines.back();
  }

  ScratchFolder scratch_;
  std::string socket_ = scratch_.path() + "/speechd.sock";
  std::string record_ = scratch_.path() + "/spoken.txt";
};

TEST_F(SpeechTest, TextsArriveWholeInOrderAndInTheirLanguage) {
  StartServer();
  // The program's own speech finds the server the way the desktop names it.
  setenv("SPEECHD_ADDRESS", ("unix_socket:" + socket_).c_str(), 1);
  auto speech = std::make_unique<SpeechdSpeech>();
  unsetenv("SPEECHD_ADDRESS");
  // Each text once the one before has been said: after the first, texts go at a priority
  // where a newer one replaces one still waiting, as a new count replaces an old one.
  const std::pair<const char*, std::int16_t> texts[] = {
      {kWelcomeEs, 0}, {kWelcomeEn, 1}, {kQuestion, 0}, {"Ha marcado 12 bloques", 0}};
  std::size_t said = 0;
  for (const auto& [text, language] : texts) {
    speech->Speak(text, language);
    WaitForLines(++said);
  }
  EXPECT_EQ((std::vector<std::string>{std::string("es ") + kWelcomeEs,
                                      std::string("en ") + kWelcomeEn,
                                      std::string("es ") + kQuestion, "es Ha marcado 12 bloques"}),
            WaitForLines(4));
}

TEST_F(SpeechTest, WithoutAServerTheGameGoesOnAndSpeechResumesWhenOneStarts) {
  SpeechdSpeech speech(socket_);
  for (int i = 0; i < 100; ++i) speech.Speak("Nadie escucha", 0);
  StartServer();
  speech.Speak(kWelcomeEn, 1);
  // How many of the first texts were lost depends on how fast the server came up; the
  // last one is never lost.
  EXPECT_EQ(std::string("en ") + kWelcomeEn, WaitForLast(std::string("en ") + kWelcomeEn));
}

TEST_F(SpeechTest, AServerThatGoesAwayAndComesBackIsSpokenToAgain) {
  StartServer();
  SpeechdSpeech speech(socket_);
  speech.Speak("Uno", 0);
  ASSERT_EQ(std::vector<std::string>{"es Uno"}, WaitForLines(1));
  // Restarted between two texts: the next one finds its connection dead, and still arrives.
  StopServer();
  StartServer();
  speech.Speak("Dos", 1);
  EXPECT_EQ("en Dos", WaitForLast("en Dos"));
  // Gone while texts are said: writing to the dead connection must not end the program.
  StopServer();
  speech.Speak("Tres", 0);
  speech.Speak("Cuatro", 0);
  StartServer();
  speech.Speak("Cinco", 0);
  EXPECT_EQ("es Cinco", WaitForLast("es Cinco"));
}

TEST_F(SpeechTest, AFrozenServerHoldsNeitherTheCallerNorTheExit) {
  // A server that takes the connection and never answers.
  const int frozen = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socket_.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(0, bind(frozen, reinterpret_cast<sockaddr*>(&address), sizeof address));
  ASSERT_EQ(0, listen(frozen, 4));

  const auto start = Clock::now();
  int connection = -1;
  {
    SpeechdSpeech speech(socket_);
    speech.Speak(kWelcomeEs, 0);
    pollfd waiting{frozen, POLLIN, 0};
    ASSERT_EQ(1, poll(&waiting, 1, 10000)) << "the speech never connected";
    connection = accept(frozen, nullptr, nullptr);
    // The speech's connection now waits for an answer that never comes.
    for (int i = 0; i < 200; ++i) speech.Speak(kQuestion, 0);
  }
  // Blocked, the first Speak or the end would never return; the bound only tells a blocked
  // caller from a free one.
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
  close(connection);  // lets the worker left behind finish
  close(frozen);
}

// No reply of a server may end, crash or freeze the game: the text it was given may be lost,
// and the next one goes to a server that answers as it should.
TEST_F(SpeechTest, NoReplyOfAServerHoldsOrEndsTheGame) {
  using Then = FakeSpeechServer::Then;
  const FakeSpeechServer::Misbehaviour cases[] = {
      {"a greeting", "", 1, "Welcome\r\n", Then::kServe},
      {"no reply line", "SET SELF CLIENT_NAME", 1, "Hello there\r\n", Then::kServe},
      {"a code below 100", "SET SELF LANGUAGE", 1, "099 OK\r\n", Then::kServe},
      {"an empty line", "SET SELF PRIORITY", 1, "\r\n", Then::kServe},
      {"another success", "SPEAK", 1, "225 OK MESSAGE QUEUED\r\n", Then::kServe},
      {"letters in the code", ".", 1, "2x5 OK\r\n", Then::kServe},
      {"an error later in the game", "SPEAK", 2, "ABC\r\n", Then::kServe},
      {"two replies", "SET SELF CLIENT_NAME", 1, "208 OK\r\n208 OK\r\n", Then::kServe},
      {"closed mid-line", "SET SELF CLIENT_NAME", 1, "208 OK CLI", Then::kClose},
      {"closed between lines", ".", 1, "225-1\r\n", Then::kClose},
      {"an endless line", "SET SELF LANGUAGE", 1, "201-", Then::kRepeat},
      {"endless lines", "SPEAK", 1, "230-more\r\n", Then::kRepeat},
      {"silence", "SET SELF CLIENT_NAME", 1, "", Then::kSilence},
      {"silence after the text", ".", 1, "", Then::kSilence},
  };
  passwd* user = getpwuid(getuid());
  const std::string name =
      std::string("SET SELF CLIENT_NAME \"") + (user ? user->pw_name : "") + ":tolvos:main\"";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSpeechServer server(socket_, c);
    auto speech = std::make_unique<SpeechdSpeech>(socket_);
    speech->Speak("Uno", 0);
    speech->Speak("Dos", 1);
    std::vector<std::string> said;
    for (const auto deadline = Clock::now() + kPatience;
         Clock::now() < deadline && (said.empty() || said.back() != "en Dos");
         std::this_thread::sleep_for(std::chrono::milliseconds(10)))
      said = server.Said();
    EXPECT_EQ("en Dos", said.empty() ? "" : said.back());
    const auto start = Clock::now();
    speech.reset();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
    // It names itself as speech-dispatcher's own library named it.
    const std::vector<std::string> commands = server.Commands();
    EXPECT_NE(commands.end(), std::find(commands.begin(), commands.end(), name));
  }
}

TEST(SpeechServerAddressTest, FoundAsTheServersOwnLibraryFindsIt) {
  struct Case {
    const char* speechd_address;  // nullptr: unset
    const char* found;            // the socket, or host:port; "" for none
  };
  const Case cases[] = {
      {nullptr, "/run/user/7/speech-dispatcher/speechd.sock"},
      {"unix_socket", "/run/user/7/speech-dispatcher/speechd.sock"},
      {"unix_socket:/tmp/a:b.sock", "/tmp/a:b.sock"},
      {"inet_socket", "127.0.0.1:6560"},
      {"inet_socket:speech.example", "speech.example:6560"},
      {"inet_socket:10.0.0.2:7000", "10.0.0.2:7000"},
      {"inet_socket:10.0.0.2:seven", ""},
      {"dbus", ""},
  };
  setenv("XDG_RUNTIME_DIR", "/run/user/7", 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.speechd_address ? c.speechd_address : "(unset)");
    c.speechd_address ? setenv("SPEECHD_ADDRESS", c.speechd_address, 1)
                      : unsetenv("SPEECHD_ADDRESS");
    const std::optional<SpeechServerAddress> address = SessionSpeechServer();
    EXPECT_EQ(c.found, !address                        ? ""
                       : address->socket_path.empty() ? address->host + ":" +
                                                            std::to_string(address->port)
                                                      : address->socket_path);
  }
  // Without a runtime folder, the cache folder stands in for it.
  unsetenv("SPEECHD_ADDRESS");
  unsetenv("XDG_RUNTIME_DIR");
  setenv("XDG_CACHE_HOME", "/home/p/.cache", 1);
  EXPECT_EQ("/home/p/.cache/speech-dispatcher/speechd.sock", SessionSpeechServer()->socket_path);
  unsetenv("XDG_CACHE_HOME");

  // A server on TCP is spoken to as well.
  FakeSpeechServer server("", {"none", "NEVER", 1, "", FakeSpeechServer::Then::kServe});
  setenv("SPEECHD_ADDRESS", ("inet_socket:127.0.0.1:" + std::to_string(server.port())).c_str(), 1);
  auto speech = std::make_unique<SpeechdSpeech>();
  unsetenv("SPEECHD_ADDRESS");
  speech->Speak(kWelcomeEn, 1);
  std::vector<std::string> said;
  for (const auto deadline = Clock::now() + kPatience; said.empty() && Clock::now() < deadline;
       std::this_thread::sleep_for(std::chrono::milliseconds(10)))
    said = server.Said();
  EXPECT_EQ(std::vector<std::string>{std::string("en ") + kWelcomeEn}, said);
  speech.reset();
}

}  // namespace
