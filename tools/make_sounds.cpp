// Synthesises the game's two sounds into the folder given: snd.wav, blocks landing (a short
// soft knock), and snd2.wav, a column closing (a short swoosh). The output is the same on
// every run: the noise comes from a fixed seed.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "wav_writer.h"

namespace {

constexpr int kRate = 22050;
constexpr double kPi = std::numbers::pi;

// White noise in [-1, 1) from a xorshift generator, the same on every platform.
class Noise {
 public:
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_ >> 8) * 0x1p-23 - 1.0;
  }

 private:
  std::uint32_t state_ = 0x2545F491u;
};

int Samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

// A wooden knock, 120 ms: a low tone falling in pitch with a brighter overtone and a short
// click of noise on the attack. It is 50 dB down by 75 ms, so the fast repeats of a landing
// (one every 75 ms) never pile up.
std::vector<double> Knock() {
  Noise noise;
  std::vector<double> wave(Samples(0.120));
  double phase = 0, click = 0;
  for (std::size_t i = 0; i < wave.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    phase += 2 * kPi * (150 + 90 * std::exp(-t / 0.015)) / kRate;
    const double attack = std::min(1.0, t / 0.001);
    click += 0.3 * (noise.Next() - click);  // a one-pole low-pass takes the hiss off
    wave[i] = attack * (std::sin(phase) * std::exp(-t / 0.012) +
                        0.35 * std::sin(2.7 * phase) * std::exp(-t / 0.004) +
                        0.8 * click * std::exp(-t / 0.0015));
  }
  return wave;
}

// A swoosh, 300 ms: noise through a band-pass whose centre glides down from 2400 to 500 Hz,
// swelling for the first 90 ms and fading out over the rest.
std::vector<double> Swoosh() {
  Noise noise;
  std::vector<double> wave(Samples(0.300));
  const double length = static_cast<double>(wave.size());
  double low = 0, band = 0;
  for (std::size_t i = 0; i < wave.size(); ++i) {
    const double x = static_cast<double>(i) / length;
    const double centre = 2400 * std::pow(500.0 / 2400.0, x);
    // A state-variable filter, Q about 2; stable while the centre stays below a sixth of
    // the sample rate.
    const double f = 2 * std::sin(kPi * centre / kRate);
    low += f * band;
    const double high = noise.Next() - low - 0.5 * band;
    band += f * high;
    const double swell = x < 0.3 ? std::sin(kPi / 2 * x / 0.3) : std::cos(kPi / 2 * (x - 0.3) / 0.7);
    wave[i] = band * swell * swell;
  }
  return wave;
}

// Scales the wave so its loudest sample is `peak` of full scale, and eases the last 10 ms to
// zero so the end never clicks.
std::vector<std::int16_t> ToPcm(std::vector<double> wave, double peak) {
  double loudest = 0;
  for (double v : wave) loudest = std::max(loudest, std::abs(v));
  const int fade = Samples(0.010);
  std::vector<std::int16_t> pcm(wave.size());
  for (std::size_t i = 0; i < wave.size(); ++i) {
    const std::size_t left = wave.size() - i;
    const double ease =
        left < static_cast<std::size_t>(fade) ? std::sin(kPi / 2 * left / fade) : 1.0;
    pcm[i] = static_cast<std::int16_t>(std::lround(wave[i] / loudest * peak * ease * 32767));
  }
  return pcm;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sounds OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  if (!WriteWav(folder + "snd.wav", kRate, ToPcm(Knock(), 0.5)) ||
      !WriteWav(folder + "snd2.wav", kRate, ToPcm(Swoosh(), 0.45))) {
    std::fprintf(stderr, "make_sounds: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
