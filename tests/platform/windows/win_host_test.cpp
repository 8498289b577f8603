// Folders and files through Win32, on a scratch folder: what counts as a file, case-blind
// look-up, bounded reads that never wait on a device, and saves that either replace a file
// whole or leave it byte for byte as it was.
#include "platform/windows/win_host.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/windows/scratch_folder.h"
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
