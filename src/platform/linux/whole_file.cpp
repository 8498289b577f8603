// Saving a file whole: a new file beside the target, written, synced and renamed over it.
#include "platform/linux/whole_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>

#include "ports/save_target.h"

namespace {

SaveResult failure(int error) {
  char buffer[256];
  return {false, strerror_r(error, buffer, sizeof buffer)};
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

struct Destination {
  std::string path;
  SaveTarget target;
  mode_t mode;  // a regular file's permissions
};

// Where a save to path writes: path itself, or where its chain of links ends. nullopt, with
// errno set, when the chain cannot be followed.
std::optional<Destination> destinationOf(std::string path) {
  for (int links = 0; links <= kMaxLinksFollowed; ++links) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
      if (errno == ENOENT) return Destination{path, SaveTarget::kNothing, 0};
      return std::nullopt;
    }
    if (!S_ISLNK(info.st_mode)) {
      if (!S_ISREG(info.st_mode)) return Destination{path, SaveTarget::kOther, 0};
      return Destination{path, SaveTarget::kRegularFile, info.st_mode & 07777};
    }
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target);
    if (length < 0) return std::nullopt;
    if (static_cast<std::size_t>(length) == sizeof target) {
      errno = ENAMETOOLONG;
      return std::nullopt;
    }
    const std::string next(target, static_cast<std::size_t>(length));
    path = next.front() == '/' ? next : folderOf(path) + '/' + next;
  }
  errno = ELOOP;
  return std::nullopt;
}

// A new, empty file beside path, open for writing, whose name no other file has; -1 with
// errno set when none can be made.
int createBeside(const std::string& path, mode_t mode, std::string& name) {
  static std::atomic<unsigned> made{0};
  const std::string stem = folderOf(path) + "/." + path.substr(path.rfind('/') + 1) + ".new-" +
                           std::to_string(getpid()) + '-';
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = stem + std::to_string(made++);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno != EINTR) return false;
    if (written > 0) done += static_cast<std::size_t>(written);
  }
  return true;
}

// Once the rename is done the new file is in place whatever follows; syncing its folder only
// makes the rename itself survive a power cut, so a failure there is no failed save.
void syncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

SaveResult ReplaceWholeFile(const std::string& path, const std::string& bytes) {
  errno = 0;
  const std::optional<Destination> destination = destinationOf(path);
  if (!destination) return failure(errno);
  if (!MayReplace(destination->target)) return {false, kNotARegularFile};

  // A new file gets the permissions the umask allows; a replaced one keeps its own.
  const bool replacing = destination->target == SaveTarget::kRegularFile;
  std::string temporary;
  int fd = createBeside(destination->path, replacing ? 0600 : 0666, temporary);
  if (fd < 0) return failure(errno);
  if (replacing) fchmod(fd, destination->mode);  // a mode it cannot keep is no failed save

  // Every step must succeed: a full disk may only show at the sync, or even at the close.
  bool written = writeAll(fd, bytes) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && rename(temporary.c_str(), destination->path.c_str()) == 0) {
    syncFolder(folderOf(destination->path));
    return {};
  }
  if (written) error = errno;
  unlink(temporary.c_str());
  return failure(error);
}
