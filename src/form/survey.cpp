// The survey keys' answers, worked out on the board without changing anything.
#include "form/survey.h"

#include <algorithm>
#include <cassert>
#include <string_view>
#include <vector>

#include "game/groups.h"
#include "lang/bilingual.h"

namespace {

constexpr Bilingual kRowLead{"fila ", "row "};
constexpr Bilingual kColumnLead{"columna ", "column "};
constexpr Bilingual kOneEmpty{"vacío", "empty"};
constexpr Bilingual kManyEmpty{" vacíos", " empty"};
constexpr Bilingual kNoneLead{"ningún ", "no "};
constexpr Bilingual kNoneTail{"", " left"};
constexpr Bilingual kGroupLead{"grupo de ", "group of "};
constexpr Bilingual kNoGroup{"ningún grupo", "no group left"};
constexpr Bilingual kCensusLead{"quedan ", ""};
constexpr Bilingual kCensusBlocks{" tolvos: ", " blocks left: "};
constexpr Bilingual kCensusGroups{" grupos, el mayor de ", " groups, the largest of "};
constexpr std::string_view kSurveyLetters = "RCAEIOUGSP";
constexpr std::string_view kVowels = "AEIOU";  // the keys of cell codes 1 to 5

class Reader {
 public:
  explicit Reader(const SurveyView& view) : view_(view) {}

  const char* Text(const Bilingual& text) const { return text.In(view_.language_index); }
  std::int16_t Code(int button) const { return view_.board(ColumnOf(button), RowOf(button)); }

  // Cells in the given order, each run of one code said once with its count: "2 A, E, vacío".
  template <typename ButtonOfStep>
  std::string Runs(int cells, ButtonOfStep button_of) const {
    std::string text;
    for (int i = 0; i < cells;) {
      const std::int16_t code = Code(button_of(i));
      int run = 1;
      while (i + run < cells && Code(button_of(i + run)) == code) ++run;
      if (!text.empty()) text += ", ";
      if (code <= 0) {
        text += run == 1 ? Text(kOneEmpty) : std::to_string(run) + Text(kManyEmpty);
      } else {
        text += run == 1 ? view_.captions[code] : std::to_string(run) + " " + view_.captions[code];
      }
      i += run;
    }
    return text;
  }

  SurveyAnswer NextOfColour(std::int16_t code, int focused) const {
    // The focused block comes last: when it is the only one, the focus goes to it again.
    for (int step = 1; step <= kCells; ++step) {
      const int k = (focused + step) % kCells;
      if (Code(k) == code) return {"", k};
    }
    return {Text(kNoneLead) + view_.captions[code] + Text(kNoneTail), std::nullopt};
  }

  SurveyAnswer LargestGroup() const {
    std::optional<BlockGroup> largest;
    for (const BlockGroup& group : GroupsOf(view_.board))
      if (!largest || group.size > largest->size) largest = group;
    if (!largest) return {Text(kNoGroup), std::nullopt};
    return {Text(kGroupLead) + std::to_string(largest->size), largest->first};
  }

  std::string Census() const {
    std::array<int, kColourCodes> blocks{};
    int total = 0;
    for (int k = 0; k < kCells; ++k) {
      if (Code(k) <= 0) continue;
      ++blocks[Code(k)];
      ++total;
    }
    std::string text = Text(kCensusLead) + std::to_string(total) + Text(kCensusBlocks);
    for (int code = 1; code < kColourCodes; ++code) {
      if (code > 1) text += ", ";
      text += std::to_string(blocks[code]) + " " + view_.captions[code];
    }
    const std::vector<BlockGroup> groups = GroupsOf(view_.board);
    int largest = 0;
    for (const BlockGroup& group : groups) largest = std::max(largest, group.size);
    return text + "; " + std::to_string(groups.size()) + Text(kCensusGroups) +
           std::to_string(largest);
  }

  std::string Lines() const {
    if (view_.message_line.empty()) return view_.score_line;
    return view_.message_line + ". " + view_.score_line;
  }

 private:
  const SurveyView& view_;
};

}  // namespace

bool IsSurveyKey(std::int16_t KeyCode, std::int16_t Shift) {
  return Shift == 0 && KeyCode >= 'A' && KeyCode <= 'Z' &&
         kSurveyLetters.find(static_cast<char>(KeyCode)) != std::string_view::npos;
}

SurveyAnswer AnswerSurveyKey(std::int16_t KeyCode, int focused, const SurveyView& view) {
  assert(focused >= 0 && focused < kCells);
  const Reader reader(view);
  const int c = ColumnOf(focused), r = RowOf(focused);
  switch (KeyCode) {
    case 'R':
      return {reader.Text(kRowLead) + std::to_string(r + 1) + ": " +
                  reader.Runs(kColumns, [r](int i) { return ButtonOf(i, r); }),
              std::nullopt};
    case 'C':
      return {reader.Text(kColumnLead) + std::to_string(c + 1) + ": " +
                  reader.Runs(kRows, [c](int i) { return ButtonOf(c, i); }),
              std::nullopt};
    case 'G':
      return reader.LargestGroup();
    case 'S':
      return {reader.Census(), std::nullopt};
    case 'P':
      return {reader.Lines(), std::nullopt};
    default: {
      const std::size_t vowel = kVowels.find(static_cast<char>(KeyCode));
      assert(vowel != std::string_view::npos);
      return reader.NextOfColour(static_cast<std::int16_t>(vowel + 1), focused);
    }
  }
}
