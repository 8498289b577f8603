// The speech and sound of the platform the game is built for.
#include "speech/backends.h"

#include "speech/sdl_sound.h"

#ifdef _WIN32
#include "speech/win/jfw_speech.h"
#else
#include "speech/speechd_speech.h"
#endif

std::unique_ptr<SpeechOps> MakeSystemSpeech() {
#ifdef _WIN32
  return std::make_unique<JfwSpeech>();
#else
  return std::make_unique<SpeechdSpeech>();
#endif
}

std::unique_ptr<SoundOps> MakeSystemSound() { return std::make_unique<SdlSound>(); }
