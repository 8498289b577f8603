// Folders and files through Win32, on a scratch folder: what counts as a file, case-blind
// look-up, bounded reads that never wait on a device, and saves that either replace a file
// whole or leave it byte for byte as it was; two processes saving best scores at once.
#include "platform/windows/win_host.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes/fake_dialogs.h"
#include "platform/windows/scratch_folder.h"
#include "scores/best_scores.h"
#include "scores/table_testing.h"
#include "support/host_contract.h"

namespace {

class WinHostTest : public testing::Test {
 protected:
  WinHost host;
  ScratchFolder scratch;
  std::string path(const std::string& name) const { return scratch.path() + "\\" + name; }
};

TEST_F(WinHostTest, ProgramFolderHoldsTheProgram) {
  const std::string folder = host.ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE('\\', folder.back());
  EXPECT_TRUE(host.FileExists(folder + "\\windows_platform_tests.exe"));
}

TEST_F(WinHostTest, OrdinaryFilesExistFoldersAndDevicesDoNot) {
  WriteBytes(path("punt.dat"), "x");
  WriteBytes(path("hidden.dat"), "x");
  SetFileAttributesW(FsPath(path("hidden.dat")).c_str(), FILE_ATTRIBUTE_HIDDEN);
  std::filesystem::create_directory(FsPath(path("folder.dat")));
  EXPECT_TRUE(host.FileExists(path("punt.dat")));
  EXPECT_TRUE(host.FileExists(path("PUNT.DAT")));
  // Hiding is an attribute a player may give their own file; counted missing, it would be
  // replaced by the defaults.
  EXPECT_TRUE(host.FileExists(path("hidden.dat")));
  EXPECT_FALSE(host.FileExists(path("folder.dat")));
  EXPECT_FALSE(host.FileExists(path("missing.dat")));
}

// A device may never end or never answer: it is no file. Under Wine, Z: is the Unix root.
TEST_F(WinHostTest, DevicesAreReadAsNoFile) {
  for (const char* device : {"NUL", "CON", "Z:\\dev\\zero", "Z:\\dev\\urandom"}) {
    SCOPED_TRACE(device);
    EXPECT_EQ(std::nullopt, host.ReadFirstLine(device, 16));
  }
}

TEST_F(WinHostTest, SavesReplaceTheWholeFileAndLeaveNothingElse) {
  const std::string file = path("punt.dat");
  ASSERT_TRUE(host.WriteFileAtomically(file, "first line\r\n").ok);
  SetFileAttributesW(FsPath(file).c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(host.WriteFileAtomically(file, "2\r\n").ok);
  EXPECT_EQ("2\r\n", ReadBytes(file));
  EXPECT_EQ(std::vector<std::string>{"punt.dat"}, scratch.Names());
  EXPECT_TRUE(GetFileAttributesW(FsPath(file).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(WinHostTest, FailedSavesLeaveTheOldFileByteForByte) {
  const std::string old_bytes = "Olem\\1000\\\r\n";
  const std::string file = path("punt.dat");
  WriteBytes(file, old_bytes);
  struct Case {
    const char* what;
    std::string path;
    DWORD attributes = 0;     // given to the old file for the save
    DWORD share = 0;          // another program holds it open so, during the save
    bool folder = false;      // the path is a folder
  };
  const Case cases[] = {
      {"read-only file", file, FILE_ATTRIBUTE_READONLY},
      {"a folder in its place", path("folder.dat"), 0, 0, true},
      {"missing folder", path("no\\such\\folder\\punt.dat")},
      {"a device", "NUL"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.folder) std::filesystem::create_directory(FsPath(c.path));
    if (c.attributes) SetFileAttributesW(FsPath(file).c_str(), c.attributes);
    HANDLE holder = INVALID_HANDLE_VALUE;
    if (c.share) {
      holder = CreateFileW(FsPath(file).c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING,
                           0, nullptr);
      ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    }
    const SaveResult saved = host.WriteFileAtomically(c.path, "new table\r\n");
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    SetFileAttributesW(FsPath(file).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.error.empty());
    EXPECT_EQ(old_bytes, ReadBytes(file));
    if (c.folder) {
      EXPECT_TRUE(std::filesystem::is_directory(FsPath(c.path)));
      std::filesystem::remove(FsPath(c.path));
    }
    EXPECT_EQ(std::vector<std::string>{"punt.dat"}, scratch.Names());
  }
}

// Run by full_disk.sh, which lets this process write only a few blocks to any file: the copy
// of a long table cannot be written whole.
TEST_F(WinHostTest, FullDiskLeavesTheOldFileByteForByte) {
  const char* limit = std::getenv("TOLVOS_FILE_SIZE_LIMIT");
  if (!limit) GTEST_SKIP() << "runs only with a file size limit";
  const std::string old_bytes = "Olem\\1000\\\r\n";
  const std::string file = path("punt.dat");
  WriteBytes(file, old_bytes);
  const SaveResult saved =
      host.WriteFileAtomically(file, std::string(4 * std::atoi(limit), 'n') + "\r\n");
  EXPECT_FALSE(saved.ok);
  EXPECT_EQ(old_bytes, ReadBytes(file));
  EXPECT_EQ(std::vector<std::string>{"punt.dat"}, scratch.Names());
}

// Run by unix_links.sh, which makes the links and checks afterwards that they still are.
TEST_F(WinHostTest, SavesGoThroughLinksToFilesOnly) {
  const char* links = std::getenv("TOLVOS_LINK_FOLDER");
  if (!links) GTEST_SKIP() << "runs only with a folder of links";
  const std::string folder = links;
  EXPECT_TRUE(host.FileExists(folder + "\\punt.dat"));
  EXPECT_TRUE(host.WriteFileAtomically(folder + "\\punt.dat", "new\r\n").ok);
  EXPECT_EQ("new\r\n", ReadBytes(folder + "\\real.dat"));
  for (const char* name : {"device.dat", "folder.dat"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(host.FileExists(folder + "\\" + name));
    EXPECT_FALSE(host.WriteFileAtomically(folder + "\\" + name, "new\r\n").ok);
  }
}

TEST_F(WinHostTest, UserDataFolderIsCreatedAndWritable) {
  const std::string folder = host.UserDataFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(std::string::npos, folder.rfind("\\Tolvos"));
  EXPECT_TRUE(std::filesystem::is_directory(FsPath(folder)));
  EXPECT_TRUE(host.IsWritableFolder(folder));
}

// The value of an environment variable, in UTF-8; empty when it is not set.
std::string Variable(const wchar_t* name) {
  wchar_t value[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
  if (length == 0 || length >= MAX_PATH * 2) return "";
  const std::u8string utf8 = std::filesystem::path(std::wstring(value, length)).u8string();
  return std::string(utf8.begin(), utf8.end());
}

// One game of kTwoGames (TOLVOS_GAME) in a process of its own, started by the test below: it
// reads the table in TOLVOS_GAME_FOLDER, says it is ready and saves once told to go.
TEST(TwoGames, OneOfThemSaves) {
  const std::string game = Variable(L"TOLVOS_GAME");
  if (game.empty()) GTEST_SKIP() << "runs only as one of two games";
  const std::string folder = Variable(L"TOLVOS_GAME_FOLDER");
  WinHost host;
  FakeDialogs dialogs;
  Language language;
  BestScores scores(host, dialogs, language, folder);
  scores.LoadBestScores();
  const HANDLE ready = OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, L"tolvos-two-games-ready");
  const HANDLE start = OpenEventW(SYNCHRONIZE, FALSE, L"tolvos-two-games-start");
  ASSERT_TRUE(ready && start);
  ReleaseSemaphore(ready, 1, nullptr);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(start, 60'000));
  SaveRecords(scores, kTwoGames[std::stoi(game)]);
  EXPECT_TRUE(dialogs.shown.empty());
  CloseHandle(ready);
  CloseHandle(start);
}

// Two games in two processes save records into one table at once (kTwoGames): none is lost.
// A lost record needs a read and a save of the two to cross, so the race is run a few times.
TEST_F(WinHostTest, TwoGamesSavingAtOnceLoseNoRecord) {
  const std::string folder = scratch.path() + "\\";
  FakeDialogs dialogs;
  Language language;
  wchar_t self[MAX_PATH];
  ASSERT_LT(GetModuleFileNameW(nullptr, self, MAX_PATH), DWORD{MAX_PATH});
  const HANDLE ready = CreateSemaphoreW(nullptr, 0, 2, L"tolvos-two-games-ready");
  const HANDLE start = CreateEventW(nullptr, TRUE, FALSE, L"tolvos-two-games-start");
  ASSERT_TRUE(ready && start);
  SetEnvironmentVariableW(L"TOLVOS_GAME_FOLDER", FsPath(folder).c_str());
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    ResetEvent(start);
    std::filesystem::remove(FsPath(folder + "punt.dat"));
    BestScores(host, dialogs, language, folder).LoadBestScores();  // the default table
    std::vector<HANDLE> children;
    for (std::size_t game = 0; game < std::size(kTwoGames); ++game) {
      SetEnvironmentVariableW(L"TOLVOS_GAME", std::to_wstring(game).c_str());
      std::wstring command = L"\"" + std::wstring(self) +
                             L"\" --gtest_filter=TwoGames.OneOfThemSaves --gtest_brief=1";
      STARTUPINFOW startup{};
      startup.cb = sizeof startup;
      PROCESS_INFORMATION child{};
      ASSERT_TRUE(CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &child));
      CloseHandle(child.hThread);
      children.push_back(child.hProcess);
    }
    SetEnvironmentVariableW(L"TOLVOS_GAME", nullptr);
    for (std::size_t i = 0; i < children.size(); ++i)
      ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 60'000));
    SetEvent(start);
    for (const HANDLE child : children) {
      DWORD status = 1;
      EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child, 60'000));
      EXPECT_TRUE(GetExitCodeProcess(child, &status) && status == 0);
      CloseHandle(child);
    }
    BestScores saved(host, dialogs, language, folder);
    saved.LoadBestScores();
    ASSERT_EQ(kTwoGamesTable, TableOf(saved));
  }
  SetEnvironmentVariableW(L"TOLVOS_GAME_FOLDER", nullptr);
  EXPECT_TRUE(dialogs.shown.empty());
  CloseHandle(ready);
  CloseHandle(start);
}

// The cases every host keeps, on Windows' own files.
struct WindowsSetup {
  WinHost host;
  ScratchFolder scratch;
  std::string Folder() { return scratch.path() + "\\"; }
  void Write(const std::string& path, const std::string& bytes) { WriteBytes(path, bytes); }
  std::string Read(const std::string& path) { return ReadBytes(path); }
  void MakeFolder(const std::string& path) { std::filesystem::create_directory(FsPath(path)); }
  std::vector<std::string> Names() { return scratch.Names(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Windows, HostContract, WindowsSetup);

}  // namespace
