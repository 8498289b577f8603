// A window that keeps the state of every button and caption, and checks the callers' indexes.
#pragma once

#include <cassert>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fakes/journal.h"
#include "ports/window_ops.h"

struct FakeButton {
  std::string caption = "A";
  std::uint32_t back_color = 0x8000000F;  // the system's button face until told otherwise
  bool visible = true;
  bool enabled = true;
  bool marked = false;
  std::string description;
  float left = 0, top = 1000, width = 500, height = 500;
  int left_sets = 0;
};

class FakeWindow : public WindowOps {
 public:
  explicit FakeWindow(Journal* journal = nullptr) : buttons(1), journal_(journal) {}

  int ButtonCount() const override { return static_cast<int>(buttons.size()); }
  void CreateButton([[maybe_unused]] int k) override {
    assert(k == ButtonCount());
    FakeButton copy = buttons[0];
    copy.visible = copy.enabled = false;
    buttons.push_back(copy);
    ++buttons_created;
  }
  void SetButtonCaption(int k, const std::string& text) override { at(k).caption = text; }
  void SetButtonBackColor(int k, std::uint32_t bgr) override { at(k).back_color = bgr; }
  void SetButtonVisible(int k, bool visible) override { at(k).visible = visible; }
  void SetButtonEnabled(int k, bool enabled) override { at(k).enabled = enabled; }
  float ButtonTop(int k) const override { return at(k).top; }
  void SetButtonLeft(int k, float twips) override {
    at(k).left = twips;
    ++at(k).left_sets;
  }
  void SetButtonTop(int k, float twips) override { at(k).top = twips; }
  float ButtonWidth(int k) const override { return at(k).width; }
  float ButtonHeight(int k) const override { return at(k).height; }
  void SetButtonDescription(int k, const std::string& text) override { at(k).description = text; }
  void SetButtonMarked(int k, bool marked) override { at(k).marked = marked; }
  void FocusButton(int k) override { focused = at(k).visible && at(k).enabled ? k : focused; }

  void SetLabelCaption(LabelId label, const std::string& text) override {
    (label == LabelId::Label1 ? label1 : label2) = text;
    if (journal_) journal_->Add((label == LabelId::Label1 ? "Label1=" : "Label2=") + text);
  }
  void SetWindowCaption(const std::string& text) override {
    caption = text;
    if (journal_) journal_->Add("Caption=" + text);
  }
  void SetMenuCaption(MenuId item, const std::string& text) override {
    menus[item] = text;
    if (journal_) journal_->Add("Menu=" + text);
  }
  void CloseWindow() override { closed = true; }

  FakeButton& at(int k) {
    assert(k >= 0 && k < ButtonCount());
    return buttons[k];
  }
  const FakeButton& at(int k) const {
    assert(k >= 0 && k < ButtonCount());
    return buttons[k];
  }

  std::vector<FakeButton> buttons;
  int buttons_created = 0;
  int focused = -1;  // the block that last took the focus
  std::string label1, label2 = "0 puntos", caption = "TOLVOS";
  std::map<MenuId, std::string> menus;
  bool closed = false;

 private:
  Journal* journal_;
};
