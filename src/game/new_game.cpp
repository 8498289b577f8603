// The colour tables, the deal of a new board and the score line it starts with.
#include <algorithm>
#include <cmath>

#include "game/engine.h"
#include "lang/texts.h"

Engine::Engine(EnginePorts ports, const Language& language, BestScores& best_scores)
    : window_(ports.window),
      timers_(ports.timers),
      dialogs_(ports.dialogs),
      speech_(ports.speech),
      sound_(ports.sound),
      random_(ports.random),
      language_(language),
      best_(best_scores) {}

void Engine::FillColourTables() {
  ColourValues = {0xFFFFFF, 0xFFFF00, 0xFF00, 0xFFFF, 0xFF, 0x8CFF};
  // A lower-case "i": the screen reader says each vowel as its own sound.
  ColourLetters = {"", "A", "E", "i", "O", "U"};
}

void Engine::ShowScore() {
  window_.SetLabelCaption(LabelId::Label2, ScoreText(Score, language_.LanguageIndex));
}

void Engine::NewGame() {
  // A fall of the old board must not go on over the new one.
  StopMotion();
  GameEnded = kVbFalse;
  ColumnsInUse = kColumns;
  SelectedIndex = -1;
  MarkedCount = 0;
  Score = 0;
  window_.SetLabelCaption(LabelId::Label1, "");
  ShowScore();

  for (int k = window_.ButtonCount(); k < kCells; ++k) {
    window_.CreateButton(k);
    window_.SetButtonVisible(k, true);
    window_.SetButtonEnabled(k, true);
  }

  for (int i = 0; i < kCells; ++i) {
    window_.SetButtonVisible(i, true);
    window_.SetButtonEnabled(i, true);
    // Every block has button 0's size: a column is as wide as block 0, and each block moves
    // down by its own height; the window gives all of them one place size.
    window_.SetButtonLeft(i, static_cast<float>(ColumnOf(i)) * window_.ButtonWidth(0));
    window_.SetButtonTop(i, static_cast<float>(RowOf(i)) * window_.ButtonHeight(i));
    // One draw per button, in index order. The clamp only guards a generator that
    // breaks its [0, 1) promise.
    const int code = std::min(5, static_cast<int>(std::floor(5.0f * random_.Rnd())) + 1);
    Board(ColumnOf(i), RowOf(i)) = static_cast<std::int16_t>(code);
    window_.SetButtonMarked(i, false);
    window_.SetButtonCaption(i, ColourLetters[code]);
    window_.SetButtonBackColor(i, ColourValues[code]);
  }
}
