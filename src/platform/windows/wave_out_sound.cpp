// The two players. For now they are silent.
#include "platform/windows/wave_out_sound.h"

struct WaveOutSound::Shared {};

WaveOutSound::WaveOutSound() : shared_(std::make_shared<Shared>()) {}

WaveOutSound::~WaveOutSound() = default;

void WaveOutSound::LoadSounds(const std::string& /*sound1_path*/,
                              const std::string& /*sound2_path*/) {}

void WaveOutSound::PlaySound1() {}

void WaveOutSound::PlaySound2() {}
