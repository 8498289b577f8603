// The end of a game: the board is frozen once, whoever asks and however often; a score good
// enough enters the best-score table under the player's name.
#include <string>

#include "game/engine.h"
#include "scores/shift_text.h"

namespace {

constexpr const char* kGameOverTitle = "Game over";  // the same in both languages
constexpr Bilingual kGameOverLead{"La partida ha terminado. Ha conseguido ",
                                  "The game is over. You've got "};
constexpr Bilingual kGameOverTail{" puntos.", " points."};
constexpr Bilingual kAskNameTail{
    " Puntos. Introduzca su nombre para la tabla de mejores puntuaciones.",
    " points. Please insert your name for the best records table."};

std::string TrimSpaces(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void Engine::EndGame() {
  // Set before anything is shown: a tick during one of the boxes below may ask again.
  if (GameEnded != kVbFalse) return;
  GameEnded = kVbTrue;
  for (int k = 0; k < window_.ButtonCount(); ++k) window_.SetButtonEnabled(k, false);

  // Nothing changes the score while a box is open, but the walk below relies on it staying
  // above entry 1, so it is read once.
  const std::int32_t score = Score;
  const std::string lead = language_.Text(kGameOverLead) + std::to_string(score);
  if (score <= best_.BestPoints(1)) {
    dialogs_.MessageBox(lead + language_.Text(kGameOverTail), kGameOverTitle, BoxButtons::Ok);
    return;
  }
  const std::string typed = dialogs_.InputBox(lead + language_.Text(kAskNameTail), kGameOverTitle);
  if (typed.empty()) return;  // Cancel, or OK on nothing; spaces alone go on

  // Entries below the new score move down one place, dropping entry 1; the new entry goes
  // just under the first entry that is not below it, so of equal scores the older ranks higher.
  int j = 1;
  while (j <= kBestEntries && best_.BestPoints(j) < score) {
    if (j >= 2) {
      best_.BestNames(j - 1) = best_.BestNames(j);
      best_.BestPoints(j - 1) = best_.BestPoints(j);
    }
    ++j;
  }
  best_.BestPoints(j - 1) = score;
  best_.BestNames(j - 1) = FileSafeName(TrimSpaces(typed));
  best_.SaveBestScores();
  best_.ShowBestScores();
}
