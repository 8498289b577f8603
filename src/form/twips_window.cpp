// Block places in twips.
#include "form/twips_window.h"

#include <cassert>

const TwipsPlace& TwipsWindow::Place(int k) const {
  assert(k >= 0 && k < ButtonCount());
  return places_[static_cast<std::size_t>(k)];
}

TwipsPlace& TwipsWindow::PlaceToSet(int k) {
  assert(k >= 0 && k < ButtonCount());
  return places_[static_cast<std::size_t>(k)];
}

void TwipsWindow::CreateButton(int k) {
  assert(k == ButtonCount());
  places_.push_back(places_[0]);
  CopyButton0(k);
  PlaceButton(k, places_.back());
}

void TwipsWindow::SetButtonLeft(int k, float twips) {
  TwipsPlace& place = PlaceToSet(k);
  place.left = twips;
  PlaceButton(k, place);
}

void TwipsWindow::SetButtonTop(int k, float twips) {
  TwipsPlace& place = PlaceToSet(k);
  place.top = twips;
  PlaceButton(k, place);
}
