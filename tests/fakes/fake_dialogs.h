// Boxes answered from a script. While a box is "open" the test may act (fire timer ticks,
// click) through while_open, as a real window does during a modal box's event loop.
#pragma once

#include <cassert>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "fakes/journal.h"
#include "ports/dialog_ops.h"

struct ShownBox {
  bool input = false;  // an input box rather than a message box
  std::string text, title;
  BoxButtons buttons = BoxButtons::Ok;
};

class FakeDialogs : public DialogOps {
 public:
  explicit FakeDialogs(Journal* journal = nullptr) : journal_(journal) {}

  BoxAnswer MessageBox(const std::string& text, const std::string& title,
                       BoxButtons buttons) override {
    shown.push_back({false, text, title, buttons});
    if (journal_) journal_->Add("MessageBox=" + title);
    WhileOpen();
    if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
    assert(!answers.empty() && "a Yes/No box needs a scripted answer");
    const BoxAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::string InputBox(const std::string& prompt, const std::string& title) override {
    shown.push_back({true, prompt, title, BoxButtons::Ok});
    if (journal_) journal_->Add("InputBox=" + title);
    WhileOpen();
    assert(!typed.empty() && "an input box needs a scripted text");
    std::string t = typed.front();
    typed.pop_front();
    return t;
  }

  std::deque<BoxAnswer> answers;  // for Yes/No boxes
  std::deque<std::string> typed;  // for input boxes; "" is Cancel
  std::function<void()> while_open;
  std::vector<ShownBox> shown;

 private:
  void WhileOpen() {
    if (!while_open) return;
    auto action = std::move(while_open);  // once, and not again from a nested box
    while_open = nullptr;
    action();
  }
  Journal* journal_;
};
