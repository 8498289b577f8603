// The main window as designed, for both systems' windows to build: the client area and the
// places of the controls in twips, their first captions, and the menu tree with its access
// keys and shortcut keys.
#pragma once

#include <cstdint>
#include <iterator>
#include <string>

#include "lang/bilingual.h"
#include "ports/window_ops.h"

struct TwipsPlace {
  float left, top, width, height;
};

inline constexpr float kClientWidth = 7875, kClientHeight = 6090;
// The band that holds every place the game gives a block; black where no block stands.
inline constexpr TwipsPlace kGridPlace{0, 0, 7500, 5000};
// Button 0, the one of the control array that the design holds; CreateButton copies it.
inline constexpr TwipsPlace kButton0Place{0, 1000, 500, 500};
// The two lines below the grid, side by side: the message, then the score.
inline constexpr TwipsPlace kLinesPlace{0, 5000, 7500, 500};
inline constexpr TwipsPlace kLabel1Place{0, 5000, 4000, 500};
inline constexpr TwipsPlace kLabel2Place{4000, 5000, 3500, 500};
// An empty picture in the lower left corner.
inline constexpr TwipsPlace kPicture1Place{0, 5500, 500, 500};
// The blocks' letters: Courier New, 9.75 points.
inline constexpr double kBlockFontPoints = 9.75;

// 1440 twips to the inch: 15 twips make a pixel at 96 dots per inch, the desktop's
// device-independent pixel.
inline constexpr double kTwipsPerInch = 1440.0, kStandardDpi = 96.0;
int TwipsToPixels(double twips, double dots_per_inch);

// A place in pixels; right and bottom are the first pixels outside it.
struct PixelBox {
  int left, top, right, bottom;
};
// Each edge is rounded on its own, so two places that share an edge in twips share it in
// pixels too: the 500-twip cells come out 33 or 34 pixels wide at 96 dots per inch and lie
// edge to edge at every DPI, with no gap and no overlap.
PixelBox PixelsOf(const TwipsPlace& place, double dots_per_inch);

inline constexpr char kFirstWindowCaption[] = "TOLVOS";
inline constexpr char kFirstButtonCaption[] = "A";
inline constexpr char kFirstScoreCaption[] = "0 puntos";
// What a screen reader calls a block's click when it offers it as the block's action.
inline constexpr Bilingual kBlockAction{"Pulsar", "Press"};

// A shortcut key in Form_KeyDown's codes: the key code (112 F1, 65 A) and the shift state
// (2 Ctrl); key code 0 for none.
struct Shortcut {
  std::int16_t key_code = 0;
  std::int16_t shift = 0;
};

struct MenuDesign {
  int level;  // 1 on the menu bar, 2 in the game menu, 3 in the language submenu
  MenuId item;
  const char* caption;  // an "&" marks the access key of the letter after it
  Shortcut shortcut;
};

inline constexpr std::int16_t kCtrl = 2;

// In their order on screen, each item after the menu that holds it. The shortcuts act
// anywhere in the window, a focused block included.
inline constexpr MenuDesign kMenuTree[] = {
    {1, MenuId::MnuJuego, "&Juego", {}},
    {2, MenuId::MnuJueNue, "&Nuevo juego", {113, 0}},
    {2, MenuId::MnuJueMej, "&Mejores puntuaciones...", {'P', kCtrl}},
    {2, MenuId::MnuJueIns, "&Instrucciones", {112, 0}},
    // "I" belongs to the instructions; the language submenu takes the next letter of its word.
    {2, MenuId::MnuJueIdi, "I&dioma", {}},
    {3, MenuId::MnuJueIdiList0, "Espa\xC3\xB1ol", {'E', kCtrl}},
    {3, MenuId::MnuJueIdiList1, "English", {'N', kCtrl}},
    // Its caption names the window system's own key for closing; the item needs none.
    {2, MenuId::MnuJueSal, "&Salir Alt-F4", {}},
};
inline constexpr int kMenuItems = static_cast<int>(std::size(kMenuTree));

// Whether item i of the tree is a menu: the item after it is one level below. Each item goes
// into the last menu made one level up.
constexpr bool HoldsItems(int i) {
  return i + 1 < kMenuItems && kMenuTree[i + 1].level > kMenuTree[i].level;
}

// As a menu shows it beside its item: "F2", "Ctrl+P"; empty for none.
std::string ShortcutText(Shortcut shortcut);
