// One ordered record of what several fakes were asked to do, for tests of call order.
#pragma once

#include <string>
#include <vector>

class Journal {
 public:
  void Add(std::string entry) {
    if (recording) entries_.push_back(std::move(entry));
  }
  const std::vector<std::string>& entries() const { return entries_; }
  void Clear() { entries_.clear(); }
  // Position of the first entry equal to entry, or -1.
  int IndexOf(const std::string& entry) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i] == entry) return static_cast<int>(i);
    return -1;
  }

  bool recording = true;  // a benchmark turns it off rather than keep every entry

 private:
  std::vector<std::string> entries_;
};
