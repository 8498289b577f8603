// The menu tree and its shortcut keys, built in code; a window that is destroyed destroys the
// menu bar it shows, so the bar is handed over to it.
#include "frontend/win32/game_menu.h"

#include <iterator>

#include "frontend/win32/win_units.h"

namespace {

// Positions in the game menu; the language items are in their own submenu.
enum GamePosition : UINT { kNew, kBest, kInstructions, kLanguage, kExit };

// The shortcut shown beside each item, after a tab as the system's menus align it.
const wchar_t* ShortcutText(MenuId item) {
  switch (item) {
    case MenuId::MnuJueNue: return L"\tF2";
    case MenuId::MnuJueMej: return L"\tCtrl+P";
    case MenuId::MnuJueIns: return L"\tF1";
    default: return L"";
  }
}

UINT Id(MenuCommand command) { return static_cast<UINT>(command); }

}  // namespace

GameMenu::GameMenu() : bar_(CreateMenu()), game_(CreatePopupMenu()),
                       languages_(CreatePopupMenu()) {
  AppendMenuW(game_, MF_STRING, Id(MenuCommand::MnuJueNue), L"&Nuevo juego\tF2");
  AppendMenuW(game_, MF_STRING, Id(MenuCommand::MnuJueMej), L"&Mejores puntuaciones...\tCtrl+P");
  AppendMenuW(game_, MF_STRING, Id(MenuCommand::MnuJueIns), L"&Instrucciones\tF1");
  AppendMenuW(languages_, MF_STRING, Id(MenuCommand::Spanish), L"Espa\u00F1ol\tCtrl+E");
  AppendMenuW(languages_, MF_STRING, Id(MenuCommand::English), L"English\tCtrl+N");
  AppendMenuW(game_, MF_POPUP, reinterpret_cast<UINT_PTR>(languages_), L"&Idioma");
  // Its caption names the system's own key for closing a window; the item needs none.
  AppendMenuW(game_, MF_STRING, Id(MenuCommand::MnuJueSal), L"&Salir Alt-F4");
  AppendMenuW(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(game_), L"&Juego");

  ACCEL keys[] = {
      {FVIRTKEY, VK_F2, static_cast<WORD>(MenuCommand::MnuJueNue)},
      {FVIRTKEY | FCONTROL, 'P', static_cast<WORD>(MenuCommand::MnuJueMej)},
      {FVIRTKEY, VK_F1, static_cast<WORD>(MenuCommand::MnuJueIns)},
      {FVIRTKEY | FCONTROL, 'E', static_cast<WORD>(MenuCommand::Spanish)},
      {FVIRTKEY | FCONTROL, 'N', static_cast<WORD>(MenuCommand::English)},
  };
  accelerators_ = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
}

GameMenu::~GameMenu() {
  DestroyAcceleratorTable(accelerators_);
  // Still a menu when no window took it over.
  if (IsMenu(bar_)) DestroyMenu(bar_);
}

std::pair<HMENU, UINT> GameMenu::Place(MenuId item) const {
  switch (item) {
    case MenuId::MnuJuego: return {bar_, 0};
    case MenuId::MnuJueNue: return {game_, kNew};
    case MenuId::MnuJueMej: return {game_, kBest};
    case MenuId::MnuJueIns: return {game_, kInstructions};
    case MenuId::MnuJueIdi: return {game_, kLanguage};
    case MenuId::MnuJueSal: return {game_, kExit};
  }
  return {bar_, 0};
}

void GameMenu::SetCaption(MenuId item, const std::string& utf8) {
  const std::wstring text = Widen(utf8) + ShortcutText(item);
  const auto [menu, position] = Place(item);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  SetMenuItemInfoW(menu, position, TRUE, &info);
}

std::wstring GameMenu::Text(MenuId item) const {
  const auto [menu, position] = Place(item);
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
  return text;
}

std::wstring GameMenu::LanguageText(int index) const {
  wchar_t text[64] = {};
  GetMenuStringW(languages_, static_cast<UINT>(index), text, static_cast<int>(std::size(text)),
                 MF_BYPOSITION);
  return text;
}
