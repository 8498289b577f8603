// The in-memory host keeps the contract of every host.
#include "fakes/mem_host.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/host_contract.h"

namespace {

struct MemSetup {
  MemHost host;
  std::string Folder() { return host.program_folder_with_separator(); }
  void Write(const std::string& path, const std::string& bytes) { host.files[path] = bytes; }
  std::string Read(const std::string& path) { return host.files.at(path); }
  void MakeFolder(const std::string& path) { host.folders.insert(path + kPathSeparator); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    const std::string folder = Folder();
    for (const auto& [path, bytes] : host.files)
      if (path.compare(0, folder.size(), folder) == 0) names.push_back(path.substr(folder.size()));
    for (const std::string& path : host.folders)
      if (path.compare(0, folder.size(), folder) == 0)
        names.push_back(path.substr(folder.size(), path.size() - folder.size() - 1));
    std::sort(names.begin(), names.end());
    return names;
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, HostContract, MemSetup);

}  // namespace
