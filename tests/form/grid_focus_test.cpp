// The grid's focus rules: each key's target, Tab, parking and its return, the rereads and the
// focus frame's ink.
#include "form/grid_focus.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr std::int16_t kNone = 0, kShift = 1, kCtrl = 2, kAlt = 4;
constexpr std::int16_t kTab = 9, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39,
                       kDown = 40, kSpace = 32, kEscape = 27;

struct Grid {
  std::set<int> gone;  // the blocks that cannot take the focus
  GridFocus focus{[this](int k) { return k >= 0 && k < 150 && !gone.count(k); }};
};

FocusStep To(int k) { return {FocusStep::Focus, k}; }
FocusStep Again(int k) { return {FocusStep::Reread, k, kRereadHoldMs}; }
constexpr FocusStep kPass{}, kStay{FocusStep::Stay};

TEST(GridFocus, EachKeysStepFromABlock) {
  struct Row {
    const char* what;
    std::set<int> gone;
    int from;
    std::int16_t key, shift;
    FocusStep step;
  };
  const Row rows[] = {
      {"left", {}, 17, kLeft, kNone, To(16)},
      {"right", {}, 17, kRight, kNone, To(18)},
      {"up", {}, 17, kUp, kNone, To(2)},
      {"down", {}, 17, kDown, kNone, To(32)},
      {"down from row 8 reaches row 9", {}, 127, kDown, kNone, To(142)},
      {"home", {}, 52, kHome, kNone, To(45)},
      {"end", {}, 52, kEnd, kNone, To(59)},
      {"ctrl+home", {}, 52, kHome, kCtrl, To(0)},
      {"ctrl+end", {}, 52, kEnd, kCtrl, To(149)},
      {"left edge: read again", {}, 15, kLeft, kNone, Again(15)},
      {"right edge, no wrap to the next row", {}, 14, kRight, kNone, Again(14)},
      {"top edge", {}, 7, kUp, kNone, Again(7)},
      {"bottom edge", {}, 142, kDown, kNone, Again(142)},
      {"home at the start of the row", {}, 30, kHome, kNone, Again(30)},
      {"ctrl+end on the last block", {}, 149, kEnd, kCtrl, Again(149)},
      {"a hidden cell stops the move", {18}, 17, kRight, kNone, Again(17)},
      {"shift+left is none of the grid's", {}, 17, kLeft, kShift, kPass},
      {"ctrl+left", {}, 17, kLeft, kCtrl, kPass},
      {"alt+home", {}, 17, kHome, kAlt, kPass},
      {"space", {}, 17, kSpace, kNone, kPass},
      {"escape", {}, 17, kEscape, kNone, kPass},
      {"tab", {}, 17, kTab, kNone, To(18)},
      {"shift+tab", {}, 17, kTab, kShift, To(16)},
      {"tab passes over hidden blocks", {18, 19}, 17, kTab, kNone, To(20)},
      {"shift+tab passes over them too", {16}, 17, kTab, kShift, To(15)},
      {"tab from the last block goes round to the first", {}, 149, kTab, kNone, To(0)},
      {"shift+tab from the first to the last", {0}, 1, kTab, kShift, To(149)},
      {"ctrl+tab is none of the grid's", {}, 17, kTab, kCtrl, kPass},
      {"alt+tab", {}, 17, kTab, kAlt, kPass},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    Grid g;
    g.gone = r.gone;
    g.focus.Focused(r.from);
    EXPECT_EQ(g.focus.Key(r.from, r.key, r.shift), r.step);
  }
}

TEST(GridFocus, ParkedWhileItsBlockIsGoneAndBackWhenTheGameTookIt) {
  Grid g;
  g.focus.Focused(40);
  EXPECT_TRUE(GridFocus::Parks(true));
  EXPECT_FALSE(GridFocus::Parks(false));
  g.gone = {40};
  // Keys on the parked grid go on from the waiting cell; Tab with no block left stays.
  EXPECT_EQ(g.focus.Key(40, kUp, kNone), To(25));
  EXPECT_EQ(g.focus.Key(40, kTab, kShift), To(39));
  EXPECT_EQ(g.focus.Return(true, false), kStay);
  EXPECT_FALSE(g.focus.ReturnsOnGridFocus());
  g.gone.clear();
  EXPECT_EQ(g.focus.Return(true, false), To(40));
  EXPECT_EQ(g.focus.Return(false, false), kStay);  // the player moved the focus meanwhile
  EXPECT_EQ(g.focus.Return(true, true), kStay);    // a menu has the keys
  EXPECT_TRUE(g.focus.ReturnsOnGridFocus());
  EXPECT_EQ(g.focus.Back(), To(40));
  g.gone = {40};
  EXPECT_EQ(g.focus.Back(), (FocusStep{FocusStep::Park, 40}));
  Grid fresh;  // before any block had the focus, the first one
  EXPECT_EQ(fresh.focus.Back(), To(0));
  for (int k = 0; k < 150; ++k) fresh.gone.insert(k);
  EXPECT_EQ(fresh.focus.Key(0, kTab, kNone), kStay);
}

TEST(GridFocus, ANewDealFocusesItsBlockOrReadsItAgain) {
  Grid g;
  g.focus.Focused(33);
  EXPECT_EQ(g.focus.Deal(0, false), To(0));
  EXPECT_EQ(g.focus.index(), 0);
  g.focus.Focused(0);
  EXPECT_EQ(g.focus.Deal(0, true), (FocusStep{FocusStep::Reread, 0, kRereadHoldAfterDealMs}));
  EXPECT_TRUE(g.focus.rereading());
  EXPECT_FALSE(g.focus.ReturnsOnGridFocus());  // the hold ends on its own
  g.focus.Focused(0);
  EXPECT_FALSE(g.focus.rereading());
  g.gone = {5};
  EXPECT_EQ(g.focus.Deal(5, false), (FocusStep{FocusStep::Park, 5}));
  EXPECT_EQ(g.focus.Reread(kRereadHoldMs), kStay);  // nothing to read while it is gone
  EXPECT_FALSE(g.focus.rereading());
}

TEST(GridFocus, FrameInkStandsOutOnEveryFace) {
  // The five colours, a marked group, an empty cell, the button face.
  const struct { std::uint32_t face, ink; } rows[] = {
      {0xFFFF00, 0x000000}, {0x00FF00, 0x000000}, {0x00FFFF, 0x000000}, {0x0000FF, 0x000000},
      {0x008CFF, 0x000000}, {0xFFFFFF, 0x000000}, {0x000000, 0xFFFFFF}, {0x800000, 0xFFFFFF},
      {0xF0F0F0, 0x000000}};
  for (const auto& r : rows) EXPECT_EQ(FocusFrameInk(r.face), r.ink) << std::hex << r.face;
}

}  // namespace
