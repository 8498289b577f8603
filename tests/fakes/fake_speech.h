// Speech and sound that record what they are asked to do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/journal.h"
#include "ports/sound_ops.h"
#include "ports/speech_ops.h"

class FakeSpeech : public SpeechOps {
 public:
  explicit FakeSpeech(Journal* journal = nullptr) : journal_(journal) {}
  void Speak(const std::string& text, std::int16_t language_index) override {
    spoken.push_back(text);
    languages.push_back(language_index);
    if (journal_) journal_->Add("Speak=" + text);
  }
  std::vector<std::string> spoken;
  std::vector<std::int16_t> languages;

 private:
  Journal* journal_;
};

class FakeSound : public SoundOps {
 public:
  explicit FakeSound(Journal* journal = nullptr) : journal_(journal) {}
  void LoadSounds(const std::string& sound1_path, const std::string& sound2_path) override {
    sound1 = sound1_path;
    sound2 = sound2_path;
  }
  void PlaySound1() override {
    ++sound1_plays;
    if (journal_) journal_->Add("Sound1");
  }
  void PlaySound2() override {
    ++sound2_plays;
    if (journal_) journal_->Add("Sound2");
  }
  std::string sound1, sound2;
  int sound1_plays = 0, sound2_plays = 0;

 private:
  Journal* journal_;
};
