// The operating system as start-up and the game's two files need it, on Linux.
#pragma once

#include "ports/host_ops.h"

// Plain POSIX calls: paths cross as the bytes the file system holds (UTF-8 on any desktop of
// today), and a save replaces a file only through a complete copy written beside it.
class LinuxHost : public HostOps {
 public:
  // The folder of the running executable, its links resolved: a link to the program (as in
  // bin/) still leads to the folder that holds its sounds.
  std::string ProgramFolder() override;
  void SetWorkingDirectory(const std::string& folder) override;
  bool IsWritableFolder(const std::string& folder) override;
  // $XDG_DATA_HOME/tolvos, or ~/.local/share/tolvos when that is unset or empty; empty when
  // the one chosen is not absolute, when there is neither (no home of the player's own: HOME
  // unset, relative or the root) or when it cannot be made.
  std::string UserDataFolder() override;
  double SecondsSinceMidnight() override;
  // A file whose name starts with a dot is hidden, and does not count.
  bool FileExists(const std::string& path) override;
  std::optional<std::string> FindFileIgnoringCase(const std::string& folder,
                                                  const std::string& name) override;
  std::optional<std::string> ReadFirstLine(const std::string& path,
                                           std::size_t max_bytes) override;
  SaveResult WriteFileAtomically(const std::string& path, const std::string& bytes) override;
  // flock on the lock file: released by the system too when the program ends, however.
  std::unique_ptr<FileLock> LockFile(const std::string& path) override;
};
