// The end of a game: the board is frozen once, whoever asks and however often.
#include "game/engine.h"

void Engine::EndGame() {
  // Set before anything is shown: a tick during one of the boxes below may ask again.
  if (GameEnded != kVbFalse) return;
  GameEnded = kVbTrue;
  for (int k = 0; k < window_.ButtonCount(); ++k) window_.SetButtonEnabled(k, false);
}
