// Folders, files and the clock through POSIX, with the XDG rule for the player's data folder.
#include "platform/linux/linux_host.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <vector>

#include "platform/linux/whole_file.h"

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '/' ? folder + name : folder + '/' + name;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// An absolute path written plainly: no doubled separators, no "." or ".." and no trailing
// separator ("/home/player/" and "//home/./player" are both "/home/player").
std::string CleanAbsolutePath(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const std::size_t slash = path.find('/');
    const std::string_view part = path.substr(0, slash);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string clean;
  for (const std::string_view part : parts) clean.append("/").append(part);
  return clean.empty() ? "/" : clean;
}

// mkdir -p: true when folder is a folder afterwards.
bool MakeFolders(const std::string& folder) {
  struct stat info {};
  if (stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  const std::string parent = FolderOf(folder);
  if (parent != folder && !MakeFolders(parent)) return false;
  return mkdir(folder.c_str(), 0777) == 0 || (errno == EEXIST && stat(folder.c_str(), &info) == 0 &&
                                              S_ISDIR(info.st_mode));
}

bool IsHiddenName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return path[slash == std::string::npos ? 0 : slash + 1] == '.';
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

std::string LinuxHost::ProgramFolder() {
  char program[PATH_MAX];
  if (!realpath("/proc/self/exe", program)) return {};
  return FolderOf(program);
}

void LinuxHost::SetWorkingDirectory(const std::string& folder) {
  // Nothing is read through the working folder (the files are always named in full), so a
  // folder that cannot be entered changes nothing.
  if (chdir(folder.c_str()) != 0) return;
}

bool LinuxHost::IsWritableFolder(const std::string& folder) {
  // Permission bits do not tell (a read-only mount, the administrator's rights): try it.
  std::string probe = Join(folder, ".tolvos-XXXXXX");
  const int fd = mkostemp(probe.data(), O_CLOEXEC);
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}

std::string LinuxHost::UserDataFolder() {
  const std::string home = Environment("HOME");
  const bool own_home = !home.empty() && home.front() == '/' && CleanAbsolutePath(home) != "/";
  const std::string data_home = Environment("XDG_DATA_HOME");
  // An XDG_DATA_HOME that is set counts even when it is relative: it is then no folder to use.
  std::string folder;
  if (!data_home.empty()) {
    folder = data_home + "/tolvos";
  } else if (own_home) {
    folder = CleanAbsolutePath(home) + "/.local/share/tolvos";
  }
  if (folder.empty() || folder.front() != '/' || !MakeFolders(folder)) return {};
  return folder;
}

double LinuxHost::SecondsSinceMidnight() {
  timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local {};
  localtime_r(&now.tv_sec, &local);
  // Whole milliseconds, as a clock of the window's would give them.
  const long milliseconds = now.tv_nsec / 1000000;
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + milliseconds / 1000.0;
}

bool LinuxHost::FileExists(const std::string& path) {
  return IsRegularFile(path) && !IsHiddenName(path);
}

std::optional<std::string> LinuxHost::FindFileIgnoringCase(const std::string& folder,
                                                           const std::string& name) {
  DIR* listing = opendir(folder.c_str());
  if (!listing) return std::nullopt;
  std::vector<std::string> matches;
  while (const dirent* entry = readdir(listing)) {
    const std::string file = entry->d_name;
    if (file.front() == '.' || !SameIgnoringCase(file, name)) continue;
    if (IsRegularFile(Join(folder, file))) matches.push_back(file);
  }
  closedir(listing);
  // The exact spelling wins over another one that differs only in case; of those, the first
  // in the order of their bytes, whatever order the folder lists them in.
  if (std::find(matches.begin(), matches.end(), name) != matches.end()) return name;
  if (matches.empty()) return std::nullopt;
  return *std::min_element(matches.begin(), matches.end());
}

std::optional<std::string> LinuxHost::ReadFirstLine(const std::string& path,
                                                    std::size_t max_bytes) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  // A line of max_bytes and its CR LF at most; a huge or endless file is never read whole.
  std::string head(max_bytes + 2, '\0');
  std::size_t filled = 0;
  bool failed = false;
  while (filled < head.size()) {
    const ssize_t got = read(fd, head.data() + filled, head.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failed = true;
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  close(fd);
  if (failed && filled == 0) return std::nullopt;  // a folder, or a file that cannot be read
  head.resize(filled);
  return head.substr(0, std::min(head.find_first_of("\r\n"), max_bytes));
}

SaveResult LinuxHost::WriteFileAtomically(const std::string& path, const std::string& bytes) {
  return ReplaceWholeFile(path, bytes);
}

std::unique_ptr<FileLock> LinuxHost::LockFile(const std::string& path) {
  class Held : public FileLock {
   public:
    explicit Held(int fd) : fd_(fd) {}
    ~Held() override { close(fd_); }  // closing the last descriptor releases the lock

   private:
    int fd_;
  };
  const std::size_t slash = path.rfind('/');
  const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
  const std::string lock = Join(FolderOf(path), "." + name + kLockSuffix);
  const int fd = open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  while (flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      close(fd);
      return nullptr;
    }
  }
  return std::make_unique<Held>(fd);
}
