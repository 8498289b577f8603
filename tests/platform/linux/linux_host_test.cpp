// The Linux host: the contract of every host, then what only a POSIX system has (hidden dot
// files, names that differ only in case, endless files, permissions, file-size limits, links
// and special files, the XDG data folder, two processes saving best scores at once).
#include "platform/linux/linux_host.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "fakes/fake_dialogs.h"
#include "platform/linux/scratch_folder.h"
#include "scores/best_scores.h"
#include "scores/table_testing.h"
#include "support/host_contract.h"

namespace {

namespace fs = std::filesystem;

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "(unreadable)";
}

struct LinuxSetup {
  LinuxHost host;
  ScratchFolder scratch;
  std::string Folder() { return scratch.path() + "/"; }
  void Write(const std::string& path, const std::string& bytes) { WriteBytes(path, bytes); }
  std::string Read(const std::string& path) { return ReadBytes(path); }
  void MakeFolder(const std::string& path) { fs::create_directory(path); }
  std::vector<std::string> Names() { return scratch.Names(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Linux, HostContract, LinuxSetup);

// Runs work in a child process, which exits with its result.
pid_t Spawn(const std::function<int()>& work) {
  const pid_t child = fork();
  if (child == 0) _exit(work());
  return child;
}

// The exit status of the child; -1 when it did not exit by itself.
int ExitStatus(pid_t child) {
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

int InChild(const std::function<int()>& set_up) { return ExitStatus(Spawn(set_up)); }

// What stands at path, without following a link.
char KindAt(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return '-';
  if (S_ISLNK(info.st_mode)) return 'l';
  if (S_ISREG(info.st_mode)) return 'f';
  if (S_ISDIR(info.st_mode)) return 'd';
  if (S_ISFIFO(info.st_mode)) return 'p';
  if (S_ISSOCK(info.st_mode)) return 's';
  if (S_ISCHR(info.st_mode)) return 'c';
  return '?';
}

// Puts the variables back as they were when it goes.
class EnvironmentKept {
 public:
  EnvironmentKept(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      const char* value = getenv(name);
      saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
    }
  }
  ~EnvironmentKept() {
    for (const auto& [name, value] : saved_)
      value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

class LinuxHostTest : public testing::Test {
 protected:
  std::string At(const std::string& name) const { return scratch.path() + "/" + name; }
  LinuxHost host;
  ScratchFolder scratch;
};

TEST_F(LinuxHostTest, ProgramFolderHoldsTheProgram) {
  EXPECT_TRUE(host.FileExists(host.ProgramFolder() + "/linux_host_test"));
}

TEST_F(LinuxHostTest, DotFilesAreHiddenAndTheExactSpellingWins) {
  WriteBytes(At(".hidden.dat"), "x");
  EXPECT_FALSE(host.FileExists(At(".hidden.dat")));
  EXPECT_EQ(std::nullopt, host.FindFileIgnoringCase(scratch.path() + "/", ".HIDDEN.dat"));
  WriteBytes(At("IDIOMA.DAT"), "1");
  WriteBytes(At("Idioma.dat"), "0");
  WriteBytes(At("idioma.DAT"), "0");
  using Found = std::optional<std::string>;
  EXPECT_EQ(Found("Idioma.dat"), host.FindFileIgnoringCase(scratch.path() + "/", "Idioma.dat"));
  EXPECT_EQ(Found("IDIOMA.DAT"), host.FindFileIgnoringCase(scratch.path() + "/", "idioma.dat"));
}

TEST_F(LinuxHostTest, AnEndlessFileIsReadOnlyToItsBound) {
  EXPECT_EQ(std::optional<std::string>(std::string(16, '\0')), host.ReadFirstLine("/dev/zero", 16));
}

TEST_F(LinuxHostTest, AReplacedFileKeepsItsPermissions) {
  const std::string file = At("punt.dat");
  WriteBytes(file, "old\r\n");
  ASSERT_EQ(0, chmod(file.c_str(), 0640));
  ASSERT_TRUE(host.WriteFileAtomically(file, "2\r\n").ok);
  struct stat info {};
  ASSERT_EQ(0, stat(file.c_str(), &info));
  EXPECT_EQ(0640u, info.st_mode & 07777);
}

// A file-size limit makes every write past it fail, as a full disk does.
TEST_F(LinuxHostTest, ASaveThatRunsOutOfRoomLeavesTheOldFile) {
  const std::string file = At("punt.dat");
  WriteBytes(file, "old table\r\n");
  const int status = InChild([&] {
    const rlimit limit{1024, RLIM_INFINITY};
    signal(SIGXFSZ, SIG_IGN);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
    const SaveResult saved = host.WriteFileAtomically(file, std::string(4096, 'x'));
    return saved.ok ? 0 : saved.error.empty() ? 2 : 1;
  });
  EXPECT_EQ(1, status);
  EXPECT_EQ("old table\r\n", ReadBytes(file));
  EXPECT_EQ(std::vector<std::string>{"punt.dat"}, scratch.Names());
}

TEST_F(LinuxHostTest, ASaveOnAFullDiskLeavesTheOldFile) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs the administrator";
  if (mount("tmpfs", scratch.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
    GTEST_SKIP() << "no tmpfs could be mounted here";
  const std::unique_ptr<const char, void (*)(const char*)> unmount(
      scratch.path().c_str(), [](const char* folder) { umount2(folder, MNT_DETACH); });
  const std::string file = At("Idioma.dat");
  WriteBytes(file, "1=Idioma\r\n");
  {
    const int filler = open(At("filler").c_str(), O_WRONLY | O_CREAT, 0600);
    const std::string block(4096, 'f');
    while (write(filler, block.data(), block.size()) > 0) {
    }
    close(filler);
  }
  const SaveResult saved = host.WriteFileAtomically(file, "0=Idioma\r\n");
  EXPECT_FALSE(saved.ok);
  EXPECT_FALSE(saved.error.empty());
  EXPECT_EQ("1=Idioma\r\n", ReadBytes(file));
  EXPECT_EQ((std::vector<std::string>{"Idioma.dat", "filler"}), scratch.Names());
}

// Players link their files elsewhere: a save goes on through the link to the file it leads
// to, and the link stays. What is not a regular file is never replaced: the save fails.
TEST_F(LinuxHostTest, SavesGoThroughLinksToFilesAndReplaceNothingElse) {
  ScratchFolder elsewhere;
  const std::string other = elsewhere.path();
  WriteBytes(other + "/table.dat", "old");
  fs::create_directory(other + "/folder");
  ASSERT_EQ(0, mkfifo((other + "/fifo").c_str(), 0600));
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, (other + "/socket").c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(0, bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address));
  // A device node of the administrator's own, the same device as /dev/null.
  const bool device = mknod((other + "/null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;

  struct Case {
    const char* name;
    std::string target;  // where the link leads
    bool saved;
    char kind;  // what the target is afterwards
  };
  const Case cases[] = {
      {"a regular file", other + "/table.dat", true, 'f'},
      {"a link to a regular file", At("chain"), true, 'l'},
      {"a file not made yet", other + "/new.dat", true, 'f'},
      {"a relative link", "../" + fs::path(other).filename().string() + "/table.dat", true, 'f'},
      {"a folder", other + "/folder", false, 'd'},
      {"a FIFO", other + "/fifo", false, 'p'},
      {"a socket", other + "/socket", false, 's'},
      {"a device", device ? other + "/null" : "", false, 'c'},
      {"itself", At("punt.dat"), false, 'l'},
  };
  ASSERT_EQ(0, symlink((other + "/table.dat").c_str(), At("chain").c_str()));
  for (const Case& c : cases) {
    if (c.target.empty()) continue;  // no device node without the administrator
    SCOPED_TRACE(c.name);
    const std::string link = At("punt.dat");
    unlink(link.c_str());
    ASSERT_EQ(0, symlink(c.target.c_str(), link.c_str()));
    const SaveResult saved = host.WriteFileAtomically(link, "new table\r\n");
    EXPECT_EQ(c.saved, saved.ok);
    EXPECT_TRUE(saved.ok || !saved.error.empty());
    EXPECT_EQ('l', KindAt(link));
    const std::string target = c.target.front() == '/' ? c.target : scratch.path() + "/" + c.target;
    EXPECT_EQ(c.kind, KindAt(target));
    if (c.saved) EXPECT_EQ("new table\r\n", ReadBytes(link));
    WriteBytes(other + "/table.dat", "old");
  }
  // Nothing was left beside the targets either.
  std::vector<std::string> expected{"fifo", "folder", "new.dat", "socket", "table.dat"};
  if (device) expected.insert(expected.begin() + 3, "null");
  EXPECT_EQ(expected, elsewhere.Names());
  EXPECT_EQ((std::vector<std::string>{"chain", "punt.dat"}), scratch.Names());
  // A folder, FIFO or socket at the file's own place is no more replaced than through a link.
  for (const char* name : {"folder", "fifo", "socket"})
    EXPECT_FALSE(host.WriteFileAtomically(other + "/" + name, "x").ok) << name;
  EXPECT_EQ(expected, elsewhere.Names());
  close(listener);
}

// Two games in two processes save records into one table at once (kTwoGames): none is lost.
// A lost record needs a read and a save of the two to cross, so the race is run a few times.
TEST_F(LinuxHostTest, TwoGamesSavingAtOnceLoseNoRecord) {
  const std::string folder = scratch.path() + "/";
  FakeDialogs dialogs;
  Language language;
  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    fs::remove(folder + "punt.dat");
    BestScores(host, dialogs, language, folder).LoadBestScores();  // the default table
    int start[2];
    ASSERT_EQ(0, pipe(start));
    std::vector<pid_t> children;
    for (const GameRecords& game : kTwoGames) {
      children.push_back(Spawn([&] {
        close(start[1]);
        LinuxHost own_host;
        FakeDialogs own_dialogs;
        BestScores scores(own_host, own_dialogs, language, folder);
        scores.LoadBestScores();
        char go;
        if (read(start[0], &go, 1) != 0) return 2;  // until the parent lets both go
        SaveRecords(scores, game);
        return own_dialogs.shown.empty() ? 0 : 1;
      }));
    }
    close(start[0]);
    close(start[1]);
    for (pid_t child : children) EXPECT_EQ(0, ExitStatus(child));
    BestScores saved(host, dialogs, language, folder);
    saved.LoadBestScores();
    ASSERT_EQ(kTwoGamesTable, TableOf(saved));
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(LinuxHostTest, ASystemFolderIsNotWritableEvenForTheAdministrator) {
  EXPECT_FALSE(host.IsWritableFolder("/proc/"));
}

// $XDG_DATA_HOME when it is set, else the home's .local/share; no folder at all rather than
// one on the file system's root or on a relative path.
TEST_F(LinuxHostTest, UserDataFolderFollowsTheXdgRule) {
  const EnvironmentKept kept{"HOME", "XDG_DATA_HOME"};
  const std::string data = scratch.path() + "/data";
  const std::string home = scratch.path() + "/home";
  const std::string home_slashes = home + "//";
  struct Case {
    const char* home;  // nullptr: unset
    const char* data_home;
    std::string folder;
  };
  const Case cases[] = {
      {home.c_str(), nullptr, home + "/.local/share/tolvos"},
      {home_slashes.c_str(), "", home + "/.local/share/tolvos"},
      {home.c_str(), data.c_str(), data + "/tolvos"},
      {nullptr, data.c_str(), data + "/tolvos"},
      {"relative", data.c_str(), data + "/tolvos"},
      {home.c_str(), "relative", ""},
      {nullptr, nullptr, ""},
      {"", nullptr, ""},
      {"/", nullptr, ""},
      {"//", nullptr, ""},
      {"relative", nullptr, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.home ? c.home : "(unset)") + ", " +
                 (c.data_home ? c.data_home : "(unset)"));
    c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
    c.data_home ? setenv("XDG_DATA_HOME", c.data_home, 1) : unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(c.folder, host.UserDataFolder());
    if (!c.folder.empty()) EXPECT_TRUE(fs::is_directory(c.folder));
  }
}

}  // namespace
