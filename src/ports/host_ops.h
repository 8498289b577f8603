// The operating system as start-up and the two stored files need it.
// Paths are UTF-8 and complete (AppFolder followed by the file name); file contents are bytes.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

struct SaveResult {
  bool ok = true;
  std::string error;  // why it failed, in words the player can be shown
};

// Held while it lives (HostOps::LockFile).
class FileLock {
 public:
  virtual ~FileLock() = default;
};

class HostOps {
 public:
  virtual ~HostOps() = default;

  // The folder holding the program, as the system writes it (no trailing separator needed).
  virtual std::string ProgramFolder() = 0;
  virtual void SetWorkingDirectory(const std::string& folder) = 0;
  // Whether a new file can be created in folder.
  virtual bool IsWritableFolder(const std::string& folder) = 0;
  // The user's own data folder for the game, created if needed; empty when the user has
  // none (no home folder) or it cannot be made.
  virtual std::string UserDataFolder() = 0;
  // Local time of day, with its fraction of a second.
  virtual double SecondsSinceMidnight() = 0;

  // Whether an ordinary file exists at path (not a folder, not hidden).
  virtual bool FileExists(const std::string& path) = 0;
  // The name of an ordinary file in folder whose name equals name ignoring letter case,
  // or nullopt when there is none.
  virtual std::optional<std::string> FindFileIgnoringCase(const std::string& folder,
                                                          const std::string& name) = 0;
  // The first line of the file (without its CR or LF), at most max_bytes of it;
  // nullopt when the file cannot be opened or read.
  virtual std::optional<std::string> ReadFirstLine(const std::string& path,
                                                   std::size_t max_bytes) = 0;
  // Replaces the whole file with bytes. A failure at any step (write, flush, sync, rename)
  // leaves the old file byte for byte and says why. A link is followed to the file it leads
  // to, and only a regular file is replaced (ports/save_target.h): a device, FIFO, socket or
  // folder makes the save fail.
  virtual SaveResult WriteFileAtomically(const std::string& path, const std::string& bytes) = 0;
  // Waits until no other process or thread holds the lock of path, then holds it until the
  // result is destroyed. A program that reads a file to change it holds the lock across the
  // read, the write and its rename, so a change another copy makes meanwhile is never lost.
  // The lock is advisory: the file stays open to all, only those who ask wait. It lives in a
  // hidden file beside path ("." + its name + kLockSuffix), made once and left there; nullptr
  // when that cannot be made (a read-only folder): the caller goes on without it.
  virtual std::unique_ptr<FileLock> LockFile(const std::string& path) = 0;
};

inline constexpr char kLockSuffix[] = ".lock";
