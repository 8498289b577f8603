// A host whose files live in memory; a test can make its folder read-only or its writes fail.
// Its folders are the program's, the player's data folder, those in folders, and any that holds
// a file.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "ports/host_ops.h"

// A path written with '/' as the system's own host writes it (with '\\' on Windows).
inline std::string Native(std::string path) {
  std::replace(path.begin(), path.end(), '/', kPathSeparator);
  return path;
}

class MemHost : public HostOps {
 public:
  std::string ProgramFolder() override { return program_folder; }
  void SetWorkingDirectory(const std::string& folder) override { working_directory = folder; }
  bool IsWritableFolder(const std::string& folder) override {
    return writable && HasFolder(folder);
  }
  std::string UserDataFolder() override { return user_data_folder; }
  double SecondsSinceMidnight() override { return seconds; }

  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  std::optional<std::string> FindFileIgnoringCase(const std::string& folder,
                                                  const std::string& name) override {
    for (const auto& [path, bytes] : files) {
      if (path.size() != folder.size() + name.size() || path.compare(0, folder.size(), folder))
        continue;
      if (std::equal(name.begin(), name.end(), path.begin() + folder.size(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
          }))
        return path.substr(folder.size());
    }
    return std::nullopt;
  }
  std::optional<std::string> ReadFirstLine(const std::string& path,
                                           std::size_t max_bytes) override {
    ++reads;
    if (locked) ++locked_reads;
    auto it = files.find(path);
    if (it == files.end() || unreadable) return std::nullopt;
    const std::string& bytes = it->second;
    const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    return bytes.substr(0, std::min(end, max_bytes));
  }
  SaveResult WriteFileAtomically(const std::string& path, const std::string& bytes) override {
    ++writes;
    if (locked) ++locked_writes;
    if (!writable) return {false, "read-only folder"};
    if (folders.count(path + kPathSeparator)) return {false, "a folder"};
    if (!HasFolder(path.substr(0, path.rfind(kPathSeparator) + 1))) return {false, "no folder"};
    files[path] = bytes;
    return {};
  }

  // One lock for every path, which only threads of one process share.
  std::unique_ptr<FileLock> LockFile(const std::string& /*path*/) override {
    struct Held : FileLock {
      explicit Held(MemHost& host) : host_(host), hold_(*host.lock_) { host_.locked = true; }
      ~Held() override { host_.locked = false; }
      MemHost& host_;
      std::lock_guard<std::mutex> hold_;
    };
    return std::make_unique<Held>(*this);
  }

  // folder ends with the separator, or is the program's folder without it.
  bool HasFolder(const std::string& folder) const {
    if (folder == program_folder_with_separator() || folder == program_folder ||
        folder == user_data_folder || folders.count(folder))
      return true;
    return std::any_of(files.begin(), files.end(), [&](const auto& file) {
      return file.first.size() > folder.size() && file.first.compare(0, folder.size(), folder) == 0 &&
             file.first.find(kPathSeparator, folder.size()) == std::string::npos;
    });
  }

  std::string program_folder_with_separator() const {
    return program_folder.empty() || program_folder.back() != kPathSeparator
               ? program_folder + kPathSeparator
               : program_folder;
  }

  std::string program_folder = Native("/games/tolvos");
  std::string user_data_folder = Native("/home/player/.local/share/tolvos/");
  std::string working_directory;
  double seconds = 45296.25;  // 12:34:56.25
  bool writable = true;
  bool unreadable = false;
  std::map<std::string, std::string> files;
  std::set<std::string> folders;  // each ends with the separator
  int reads = 0, writes = 0;
  bool locked = false;                   // a lock is held now
  int locked_reads = 0, locked_writes = 0;  // the reads and writes made while it was

 private:
  std::shared_ptr<std::mutex> lock_ = std::make_shared<std::mutex>();  // copies share it
};
