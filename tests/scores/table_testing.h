// The default best-score table, a table's file worked out by hand, and the records of two games
// saving at once, for tests.
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

// Two games started on the default table save their records into one folder at the same time,
// each as fast as it can: the records of each, two points apart, and the table both leave,
// whoever writes last. Seven in all, they outrank every default entry, so none may be missing.
struct GameRecords {
  const char* name;  // of its first record; the others follow with 1, 2, ...
  std::int32_t first_points;
  int count;
};
inline constexpr GameRecords kTwoGames[] = {{"Ana", 5000, 4}, {"Bea", 5001, 3}};
inline const Table kTwoGamesTable = {{"Ana0", 5000}, {"Bea0", 5001}, {"Ana1", 5002},
                                     {"Bea1", 5003}, {"Ana2", 5004}, {"Bea2", 5005},
                                     {"Ana3", 5006}};

inline void SaveRecords(BestScores& scores, const GameRecords& game) {
  for (int i = 0; i < game.count; ++i)
    scores.SaveNewRecord(game.name + std::to_string(i), game.first_points + 2 * i);
}
