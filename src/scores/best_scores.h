// The table of the seven best scores: its default entries, its scrambled file and its display.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>

#include "lang/language.h"
#include "ports/dialog_ops.h"
#include "ports/host_ops.h"

inline constexpr int kBestEntries = 7;
// The most of the file's line that is read: a table of seven long names needs far less. (The
// language file, a digit, is read with a bound of its own.)
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;

// Seven values indexed 1 to 7, as the table is read everywhere.
template <typename T>
class BestColumn {
 public:
  T& operator()(int i) {
    assert(i >= 1 && i <= kBestEntries);
    return items_[i - 1];
  }
  const T& operator()(int i) const {
    assert(i >= 1 && i <= kBestEntries);
    return items_[i - 1];
  }
  bool operator==(const BestColumn&) const = default;

 private:
  std::array<T, kBestEntries> items_{};
};

class BestScores {
 public:
  // app_folder is the owner's AppFolder, read each time the file is named; empty, there is
  // no file: each save fails and is told. The table starts as the default one.
  BestScores(HostOps& host, DialogOps& dialogs, const Language& language,
             const std::string& app_folder);

  // Entry 1 is the lowest score, entry 7 the highest. A name is UTF-8 the file can hold:
  // one read from it, or one passed through FileSafeName.
  BestColumn<std::string> BestNames;
  BestColumn<std::int32_t> BestPoints;

  // Start-up: reads the file when there is one, whatever the case of its name; otherwise
  // takes the default table and writes it to a new file.
  void LoadBestScores();
  // Replaces the table by the file's. A file that cannot be read, or is short or garbled,
  // never fails: each field that reads whole is taken, every other one keeps its default.
  void ReadBestScores();
  // Writes the whole table. When that fails the player is told why in a box and the table in
  // memory stays as it is; the old file is never left half written.
  void SaveBestScores();
  // Shows the table in a box, best first; changes nothing.
  void ShowBestScores();
  void FillDefaults();

  // The two questions the end of a game asks. Does score earn a place (it beats the lowest
  // entry)? Enter it under the name typed: the name loses its surrounding spaces and is made
  // fit for the file, the lowest entry drops out, and the new one goes just below the first
  // entry that is not below it, so of equal scores the older ranks higher. Nothing is saved.
  bool Qualifies(std::int32_t score) const;
  void Enter(const std::string& typed_name, std::int32_t score);
  // Enters a record and saves it. Another copy of the game may have saved records of its own
  // since this table was read, so the record goes into the table as the file holds it now
  // (when it can be read; a record that no longer earns a place there is left out), and no
  // other copy saves between that read and the write. The table becomes the one saved.
  void SaveNewRecord(const std::string& typed_name, std::int32_t score);

 private:
  std::string Path() const { return app_folder_ + file_name_; }
  // Replaces the table by the one in line, as ReadBestScores does.
  void TakeLine(std::string line);

  HostOps& host_;
  DialogOps& dialogs_;
  const Language& language_;
  const std::string& app_folder_;
  std::string file_name_ = "punt.dat";
};
