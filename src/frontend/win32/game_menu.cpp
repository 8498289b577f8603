// The menu tree and its shortcut keys, built from the design.
#include "frontend/win32/game_menu.h"

#include <iterator>
#include <vector>

#include "frontend/win32/win_units.h"

namespace {

// The commands of the items that are no menus, in the tree's order from this one on.
constexpr WORD kFirstCommand = 101;

const MenuDesign& DesignOf(MenuId item) {
  for (const MenuDesign& design : kMenuTree)
    if (design.item == item) return design;
  return kMenuTree[0];
}

// The text an item shows: its caption, then its shortcut after a tab, as the system's menus
// align it.
std::wstring ItemText(MenuId item, const std::string& caption) {
  const std::string shortcut = ShortcutText(DesignOf(item).shortcut);
  return Widen(shortcut.empty() ? caption : caption + "\t" + shortcut);
}

}  // namespace

GameMenu::GameMenu() : bar_(CreateMenu()) {
  std::array<HMENU, 4> menus{bar_.get()};  // the last menu made at each level
  std::array<UINT, 4> counts{};
  std::vector<ACCEL> keys;
  WORD command = kFirstCommand;
  for (int i = 0; i < kMenuItems; ++i) {
    const MenuDesign& design = kMenuTree[i];
    HMENU parent = menus[static_cast<std::size_t>(design.level - 1)];
    const std::wstring text = ItemText(design.item, design.caption);
    if (HoldsItems(i)) {
      HMENU menu = CreatePopupMenu();
      menus[static_cast<std::size_t>(design.level)] = menu;
      AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), text.c_str());
    } else {
      AppendMenuW(parent, MF_STRING, command++, text.c_str());
    }
    places_[static_cast<std::size_t>(design.item)] = {
        parent, counts[static_cast<std::size_t>(design.level - 1)]++};
    if (design.shortcut.key_code != 0) {
      const BYTE ctrl = (design.shortcut.shift & kCtrl) ? FCONTROL : 0;
      keys.push_back({static_cast<BYTE>(FVIRTKEY | ctrl),
                      static_cast<WORD>(design.shortcut.key_code),
                      static_cast<WORD>(command - 1)});
    }
  }
  accelerators_.reset(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

std::optional<MenuId> GameMenu::ItemOf(WORD command) {
  int leaf = kFirstCommand;
  for (int i = 0; i < kMenuItems; ++i)
    if (!HoldsItems(i) && leaf++ == command) return kMenuTree[i].item;
  return std::nullopt;
}

void GameMenu::SetCaption(MenuId item, const std::string& utf8) {
  const std::wstring text = ItemText(item, utf8);
  const auto [menu, position] = places_[static_cast<std::size_t>(item)];
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  SetMenuItemInfoW(menu, position, TRUE, &info);
}

std::wstring GameMenu::Text(MenuId item) const {
  const auto [menu, position] = places_[static_cast<std::size_t>(item)];
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
  return text;
}
