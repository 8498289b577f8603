// The blocks' places in twips, kept as the logic set them, for a window whose controls live in
// pixels: what the logic reads back is what it wrote, never a rounded pixel, and a window laid
// out anew (at another DPI) places every block again from them.
#pragma once

#include <vector>

#include "form/window_design.h"
#include "ports/window_ops.h"

class TwipsWindow : public WindowOps {
 public:
  int ButtonCount() const final { return static_cast<int>(places_.size()); }
  // Block k gets button 0's place, then its control.
  void CreateButton(int k) final;
  float ButtonTop(int k) const final { return Place(k).top; }
  void SetButtonLeft(int k, float twips) final;
  void SetButtonTop(int k, float twips) final;
  // Every block has button 0's size: the logic asks block 0 for the width of a column and each
  // block for the height it falls by, which come to the same.
  float ButtonWidth(int k) const final { return Place(k).width; }
  float ButtonHeight(int k) const final { return Place(k).height; }

 protected:
  // Block k's place as the logic set it; button 0's is its design place from the start (its
  // control is the window's to make).
  const TwipsPlace& Place(int k) const;
  // Makes block k's control as a copy of button 0's caption and colour, hidden and disabled.
  virtual void CopyButton0(int k) = 0;
  // Moves block k's control to its place.
  virtual void PlaceButton(int k, const TwipsPlace& place) = 0;

 private:
  TwipsPlace& PlaceToSet(int k);

  std::vector<TwipsPlace> places_{kButton0Place};
};
