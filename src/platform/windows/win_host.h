// The operating system as start-up and the game's two files need it, on Windows.
#pragma once

#include "ports/host_ops.h"

// Paths cross in UTF-8 and reach the system as UTF-16. Letter case in file names is the file
// system's own business (Windows ignores it), and a save replaces a file only through a
// complete copy written beside it.
class WinHost : public HostOps {
 public:
  std::string ProgramFolder() override;
  void SetWorkingDirectory(const std::string& folder) override;
  bool IsWritableFolder(const std::string& folder) override;
  // %APPDATA%\Tolvos; empty when the system has no such folder for this user.
  std::string UserDataFolder() override;
  double SecondsSinceMidnight() override;
  bool FileExists(const std::string& path) override;
  std::optional<std::string> FindFileIgnoringCase(const std::string& folder,
                                                  const std::string& name) override;
  std::optional<std::string> ReadFirstLine(const std::string& path,
                                           std::size_t max_bytes) override;
  SaveResult WriteFileAtomically(const std::string& path, const std::string& bytes) override;
  // LockFileEx on the hidden lock file: released by the system too when the program ends.
  std::unique_ptr<FileLock> LockFile(const std::string& path) override;
};
