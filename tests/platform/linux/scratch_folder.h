// A fresh folder for one test under the tests' temporary folder, removed with everything in it
// afterwards.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string name = testing::TempDir() + "tolvos-XXXXXX";
    // Without it a test would write wherever its paths then lead.
    if (!mkdtemp(name.data())) {
      std::perror(name.c_str());
      std::abort();
    }
    path_ = name;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Without a trailing separator.
  const std::string& path() const { return path_; }

  // The names in the folder, sorted, hidden ones included: what a save or a probe left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_;
};
