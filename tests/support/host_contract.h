// What every HostOps keeps, run against each of them: the in-memory one and each system's.
// A system's test file gives a setup for its host and instantiates the suite:
//   struct Setup {  // the suite holds one, named on
//     Host host;
//     std::string Folder();  // a fresh, empty, writable folder of the test's, with its separator
//     void Write(const std::string& path, const std::string& bytes);  // outside the host
//     std::string Read(const std::string& path);
//     void MakeFolder(const std::string& path);
//     std::vector<std::string> Names();  // in Folder(), sorted, hidden ones included
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(System, HostContract, Setup);
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ports/host_ops.h"

template <typename SystemSetup>
class HostContract : public testing::Test {
 protected:
  std::string At(const std::string& name) { return on.Folder() + name; }
  SystemSetup on;
};

TYPED_TEST_SUITE_P(HostContract);

TYPED_TEST_P(HostContract, ProgramFolderIsNamedWithoutItsSeparator) {
  const std::string folder = this->on.host.ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(kPathSeparator, folder.back());
}

TYPED_TEST_P(HostContract, OrdinaryFilesExistFoldersDoNot) {
  this->on.Write(this->At("punt.dat"), "x");
  this->on.MakeFolder(this->At("folder.dat"));
  EXPECT_TRUE(this->on.host.FileExists(this->At("punt.dat")));
  EXPECT_FALSE(this->on.host.FileExists(this->At("folder.dat")));
  EXPECT_FALSE(this->on.host.FileExists(this->At("missing.dat")));
}

TYPED_TEST_P(HostContract, FindsFilesWhateverTheirCase) {
  HostOps& host = this->on.host;
  const std::string folder = this->on.Folder();
  EXPECT_EQ(std::nullopt, host.FindFileIgnoringCase(folder, "Idioma.dat"));
  this->on.MakeFolder(this->At("PUNT.dat"));  // a folder is no match
  EXPECT_EQ(std::nullopt, host.FindFileIgnoringCase(folder, "punt.dat"));
  this->on.Write(this->At("IDIOMA.DAT"), "1");
  EXPECT_EQ(std::optional<std::string>("IDIOMA.DAT"), host.FindFileIgnoringCase(folder, "Idioma.dat"));
}

TYPED_TEST_P(HostContract, ReadsOnlyTheFirstLineWithinItsBound) {
  using Line = std::optional<std::string>;
  struct Case {
    std::string bytes;
    std::size_t max;
    std::string line;
  };
  const Case cases[] = {{"1\r\n", 10, "1"},          {"abc\r\ndef\r\n", 10, "abc"},
                        {"abc", 10, "abc"},          {"", 10, ""},
                        {"\nabc", 10, ""},           {std::string(5000, 'z'), 8, "zzzzzzzz"},
                        {"abcdefgh\r\n", 8, "abcdefgh"}, {"a\rb\n", 10, "a"},
                        {std::string("\xBF\xF1\0x", 4), 10, std::string("\xBF\xF1\0x", 4)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 20));
    this->on.Write(this->At("line.dat"), c.bytes);
    EXPECT_EQ(Line(c.line), this->on.host.ReadFirstLine(this->At("line.dat"), c.max));
  }
  EXPECT_EQ(std::nullopt, this->on.host.ReadFirstLine(this->At("missing.dat"), 10));
  this->on.MakeFolder(this->At("folder.dat"));
  EXPECT_EQ(std::nullopt, this->on.host.ReadFirstLine(this->At("folder.dat"), 10));
}

TYPED_TEST_P(HostContract, SavesReplaceTheWholeFileAndLeaveNothingElse) {
  const std::string file = this->At("punt.dat");
  ASSERT_TRUE(this->on.host.WriteFileAtomically(file, "first line\r\n").ok);
  ASSERT_TRUE(this->on.host.WriteFileAtomically(file, "2\r\n").ok);
  EXPECT_EQ("2\r\n", this->on.Read(file));
  EXPECT_EQ(std::vector<std::string>{"punt.dat"}, this->on.Names());
}

TYPED_TEST_P(HostContract, FailedSavesLeaveEverythingAsItWas) {
  const std::string file = this->At("punt.dat");
  this->on.Write(file, "Olem\\1000\\\r\n");
  this->on.MakeFolder(this->At("folder.dat"));
  const std::string missing = "no" + std::string(1, kPathSeparator) + "punt.dat";
  for (const std::string& path : {this->At("folder.dat"), this->At(missing)}) {
    SCOPED_TRACE(path);
    const SaveResult saved = this->on.host.WriteFileAtomically(path, "new table\r\n");
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.error.empty());
  }
  EXPECT_EQ("Olem\\1000\\\r\n", this->on.Read(file));
  EXPECT_FALSE(this->on.host.FileExists(this->At("folder.dat")));
  EXPECT_EQ((std::vector<std::string>{"folder.dat", "punt.dat"}), this->on.Names());
}

TYPED_TEST_P(HostContract, WritableFolderIsTriedAndLeftAsItWas) {
  EXPECT_TRUE(this->on.host.IsWritableFolder(this->on.Folder()));
  EXPECT_TRUE(this->on.Names().empty());
  EXPECT_FALSE(this->on.host.IsWritableFolder(this->At("missing") + kPathSeparator));
}

TYPED_TEST_P(HostContract, UserDataFolderIsAFolderToWriteIn) {
  const std::string folder = this->on.host.UserDataFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(this->on.host.IsWritableFolder(folder));
}

TYPED_TEST_P(HostContract, ClockTellsTheTimeOfDay) {
  const double seconds = this->on.host.SecondsSinceMidnight();
  EXPECT_GE(seconds, 0.0);
  EXPECT_LT(seconds, 24 * 3600.0);
}

// One holder at a time: a second one waits until the first lets go. The pause only gives the
// second holder time to go wrong; a host whose lock does not hold fails with any.
TYPED_TEST_P(HostContract, ALockIsHeldByOneAtATime) {
  HostOps& host = this->on.host;
  const std::string file = this->At("punt.dat");
  this->on.Write(file, "old\r\n");
  std::unique_ptr<FileLock> first = host.LockFile(file);
  ASSERT_TRUE(first);
  std::atomic<bool> released{false};
  bool waited = false;
  std::thread second([&] {
    const std::unique_ptr<FileLock> lock = host.LockFile(file);
    waited = lock && released;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  // The file itself stays open to all: read and saved while the lock is held.
  EXPECT_EQ(std::optional<std::string>("old"), host.ReadFirstLine(file, 10));
  EXPECT_TRUE(host.WriteFileAtomically(file, "new\r\n").ok);
  released = true;
  first.reset();
  second.join();
  EXPECT_TRUE(waited);
  EXPECT_EQ("new\r\n", this->on.Read(file));
}

REGISTER_TYPED_TEST_SUITE_P(HostContract, ProgramFolderIsNamedWithoutItsSeparator,
                            OrdinaryFilesExistFoldersDoNot, FindsFilesWhateverTheirCase,
                            ReadsOnlyTheFirstLineWithinItsBound,
                            SavesReplaceTheWholeFileAndLeaveNothingElse,
                            FailedSavesLeaveEverythingAsItWas,
                            WritableFolderIsTriedAndLeftAsItWas,
                            UserDataFolderIsAFolderToWriteIn, ClockTellsTheTimeOfDay,
                            ALockIsHeldByOneAtATime);
