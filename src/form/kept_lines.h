// The window as the game writes to it, keeping the two lines' texts to be read out again.
#pragma once

#include <string>

#include "ports/window_ops.h"

// Passes every call on to the window; a line keeps the text in the language it was written in.
class KeptLines : public WindowOps {
 public:
  explicit KeptLines(WindowOps& window) : window_(window) {}

  std::string message_line;  // Label1
  std::string score_line;    // Label2

  void SetLabelCaption(LabelId label, const std::string& text) override {
    (label == LabelId::Label1 ? message_line : score_line) = text;
    window_.SetLabelCaption(label, text);
  }

  int ButtonCount() const override { return window_.ButtonCount(); }
  void CreateButton(int k) override { window_.CreateButton(k); }
  void SetButtonCaption(int k, const std::string& text) override {
    window_.SetButtonCaption(k, text);
  }
  void SetButtonBackColor(int k, std::uint32_t bgr) override { window_.SetButtonBackColor(k, bgr); }
  void SetButtonVisible(int k, bool visible) override { window_.SetButtonVisible(k, visible); }
  void SetButtonEnabled(int k, bool enabled) override { window_.SetButtonEnabled(k, enabled); }
  float ButtonTop(int k) const override { return window_.ButtonTop(k); }
  void SetButtonLeft(int k, float twips) override { window_.SetButtonLeft(k, twips); }
  void SetButtonTop(int k, float twips) override { window_.SetButtonTop(k, twips); }
  float ButtonWidth(int k) const override { return window_.ButtonWidth(k); }
  float ButtonHeight(int k) const override { return window_.ButtonHeight(k); }
  void SetButtonDescription(int k, const std::string& text) override {
    window_.SetButtonDescription(k, text);
  }
  void SetButtonMarked(int k, bool marked) override { window_.SetButtonMarked(k, marked); }
  void FocusButton(int k) override { window_.FocusButton(k); }
  void SetWindowCaption(const std::string& text) override { window_.SetWindowCaption(text); }
  void SetMenuCaption(MenuId item, const std::string& text) override {
    window_.SetMenuCaption(item, text);
  }
  void CloseWindow() override { window_.CloseWindow(); }

 private:
  WindowOps& window_;
};
