// The platform's speech and sound, as the program uses them.
#pragma once

#include <memory>

#include "speech/speech_ops.h"

// The screen reader's speech channel of this platform; silent where there is none.
std::unique_ptr<SpeechOps> MakeSystemSpeech();
// The two sound players; silent without an audio device.
std::unique_ptr<SoundOps> MakeSystemSound();
