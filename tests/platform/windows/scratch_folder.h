// A fresh folder for one test under the system's temporary folder, removed with everything in
// it afterwards. Its name is not ASCII, so every path a test hands over needs real UTF-8.
#pragma once

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The path of a UTF-8 name, for the standard library and the wide Win32 calls (c_str()).
inline std::filesystem::path FsPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(FsPath(path), std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream file(FsPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> count{0};
    folder_ = std::filesystem::temp_directory_path() /
              FsPath("tolvos-\u00f1and\u00fa-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(count++));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // In UTF-8, without a trailing separator.
  std::string path() const {
    const std::u8string utf8 = folder_.u8string();
    return std::string(utf8.begin(), utf8.end());
  }

  // The names in the folder, sorted: what a save or a probe left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      const std::u8string name = entry.path().filename().u8string();
      names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path folder_;
};
