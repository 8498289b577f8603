// The operating system as start-up and the game's two files need it, through Qt.
#pragma once

#include "ports/host_ops.h"

class QtHost : public HostOps {
 public:
  std::string ProgramFolder() override;
  void SetWorkingDirectory(const std::string& folder) override;
  bool IsWritableFolder(const std::string& folder) override;
  std::string UserDataFolder() override;
  double SecondsSinceMidnight() override;
  bool FileExists(const std::string& path) override;
  std::optional<std::string> FindFileIgnoringCase(const std::string& folder,
                                                  const std::string& name) override;
  std::optional<std::string> ReadFirstLine(const std::string& path,
                                           std::size_t max_bytes) override;
  SaveResult WriteFileAtomically(const std::string& path, const std::string& bytes) override;
};
