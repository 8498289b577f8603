// What a screen reader learns of a block beyond its caption, through the system's
// accessibility annotations: its place on the grid as its description, and its belonging to
// the selected group as the "expanded" state.
#pragma once

#include "frontend/win32/windows_api.h"

#include <optional>
#include <string>

struct IAccPropServices;
class MarkedStateServer;

// Needs COM on the calling thread. Where the annotation service is missing or refuses (older
// systems, Wine), every call quietly does nothing: the blocks keep their caption as name.
class BlockAnnotations {
 public:
  BlockAnnotations();
  ~BlockAnnotations();
  BlockAnnotations(const BlockAnnotations&) = delete;
  BlockAnnotations& operator=(const BlockAnnotations&) = delete;

  // A new block button; its state is read through the game from now on.
  void Attach(HWND button);
  // Before the button is destroyed.
  void Detach(HWND button);
  void Describe(HWND button, const std::wstring& text);
  // Tells a screen reader of the change as any change of state, for those that keep what they
  // have read.
  void SetMarked(HWND button, bool marked);
  static bool IsMarked(HWND button);
  // The state the annotation gives the button when a screen reader asks: the system's own with
  // expanded for a marked block; none for any other block, which keeps the system's state.
  static std::optional<LONG> AnnotatedState(HWND button);

 private:
  IAccPropServices* services_ = nullptr;
  MarkedStateServer* state_server_ = nullptr;
};
