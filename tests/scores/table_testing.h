// The default best-score table, and a table's file worked out by hand, for tests.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "scores/best_scores.h"

using Table = std::vector<std::pair<std::string, std::int32_t>>;

inline const Table kDefaultTable = {{"Olem", 1000},      {"Terova", 1500}, {"Bastiv", 2000},
                                    {"Ismara", 2500},    {"Dorneu", 3000},
                                    {"Velisanda", 3500}, {"Ulmer", 4000}};

inline Table TableOf(const BestScores& scores) {
  Table table;
  for (int i = 1; i <= kBestEntries; ++i)
    table.emplace_back(scores.BestNames(i), scores.BestPoints(i));
  return table;
}

// Name, backslash, points, backslash, lowest entry first.
inline std::string RecordOf(const Table& table) {
  std::string record;
  for (const auto& [name, points] : table) record += name + "\\" + std::to_string(points) + "\\";
  return record;
}

// A file's bytes for a record text of single-byte characters: each 17 codes lower, CR LF.
inline std::string FileOf(const std::string& record) {
  std::string line;
  for (char ch : record) line += static_cast<char>(static_cast<unsigned char>(ch) - 17);
  return line + "\r\n";
}
