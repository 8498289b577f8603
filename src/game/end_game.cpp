// The end of a game: the board is frozen once, whoever asks and however often; a score good
// enough enters the best-score table under the player's name.
#include <string>

#include "game/engine.h"

namespace {

constexpr const char* kGameOverTitle = "Game over";  // the same in both languages
constexpr Bilingual kGameOverLead{"La partida ha terminado. Ha conseguido ",
                                  "The game is over. You've got "};
constexpr Bilingual kGameOverTail{" puntos.", " points."};
constexpr Bilingual kAskNameTail{
    " Puntos. Introduzca su nombre para la tabla de mejores puntuaciones.",
    " points. Please insert your name for the best records table."};

}  // namespace

void Engine::EndGame() {
  // Set before anything is shown: a tick during one of the boxes below may ask again.
  if (GameEnded != kVbFalse) return;
  GameEnded = kVbTrue;
  for (int k = 0; k < window_.ButtonCount(); ++k) window_.SetButtonEnabled(k, false);

  // Nothing changes the score while a box is open, but the entry relies on it still earning
  // its place, so it is read once.
  const std::int32_t score = Score;
  const std::string lead = language_.Text(kGameOverLead) + std::to_string(score);
  if (!best_.Qualifies(score)) {
    dialogs_.MessageBox(lead + language_.Text(kGameOverTail), kGameOverTitle, BoxButtons::Ok);
    return;
  }
  const std::string typed = dialogs_.InputBox(lead + language_.Text(kAskNameTail), kGameOverTitle);
  if (typed.empty()) return;  // Cancel, or OK on nothing; spaces alone go on
  best_.SaveNewRecord(typed, score);
  best_.ShowBestScores();
}
