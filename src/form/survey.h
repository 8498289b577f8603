// The survey keys, to take in the board by ear: a row or a column read out, a jump to the next
// block of a colour or to the largest group, a count of what is left, the two lines again.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "game/engine.h"
#include "game/grid.h"

// What a survey key gives: the text to speak (empty when the screen reader, saying the block
// the focus reaches, says enough) and the block to take the keyboard focus, if it moves.
struct SurveyAnswer {
  std::string text;
  std::optional<int> focus;
};

// What the keys read: the board at rest, the blocks' captions, and the two lines as shown.
struct SurveyView {
  const Grid& board;
  const std::array<std::string, kColourCodes>& captions;
  std::int16_t language_index;
  const std::string& message_line;
  const std::string& score_line;
};

// The letter keys R, C, A, E, I, O, U, G, S and P (key codes 'A' to 'Z') with no modifier.
bool IsSurveyKey(std::int16_t KeyCode, std::int16_t Shift);

// The answer to survey key KeyCode pressed on block focused (0 to 149):
//  R, C   the focused block's row, left to right, or its column, top to bottom, in runs;
//  A..U   the next block of that vowel's colour after the focused one in reading order,
//         wrapping round; the focus stays when there is none;
//  G      the first block of the largest group (of equal ones, the group met first);
//  S      the blocks of each colour and the groups left;
//  P      the message line, then the score line.
SurveyAnswer AnswerSurveyKey(std::int16_t KeyCode, int focused, const SurveyView& view);
