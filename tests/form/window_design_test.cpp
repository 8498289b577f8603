// The menu tree: one access key per item, unique within its menu, in the design's captions
// and in those of each language.
#include "form/window_design.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>

#include "fakes/fake_window.h"
#include "fakes/mem_host.h"
#include "lang/language_switch.h"

namespace {

TEST(WindowDesign, AccessKeysAreUniqueWithinEachMenuInEveryLanguage) {
  for (int set : {-1, 0, 1}) {  // the design's captions, then those of Spanish and English
    SCOPED_TRACE(set);
    FakeWindow window;
    MemHost host;
    Language language;
    const std::int32_t score = 0;
    const std::string folder;
    if (set >= 0)
      LanguageSwitch(language, window, host, score, folder)
          .MnuJueIdiList_Click(static_cast<std::int16_t>(set));
    std::map<MenuId, std::set<char>> keys;  // of each menu, the bar's under MnuJueIdiList0
    std::map<int, MenuId> holder;           // the menu each level's items go into
    for (const MenuDesign& design : kMenuTree) {
      const std::string caption =
          window.menus.count(design.item) ? window.menus[design.item] : design.caption;
      SCOPED_TRACE(caption);
      const std::size_t amp = caption.find('&');
      holder[design.level + 1] = design.item;
      // The language items have their shortcut keys and keep their design's captions.
      if (design.level == 3) {
        EXPECT_EQ(std::string::npos, amp);
        continue;
      }
      ASSERT_LT(amp + 1, caption.size());
      EXPECT_EQ(std::string::npos, caption.find('&', amp + 1));
      const MenuId menu = design.level == 1 ? MenuId::MnuJueIdiList0 : holder[design.level];
      EXPECT_TRUE(keys[menu].insert(static_cast<char>(std::tolower(caption[amp + 1]))).second);
    }
    EXPECT_EQ(5u, keys[MenuId::MnuJuego].size());
  }
}

TEST(WindowDesign, ShortcutTexts) {
  EXPECT_EQ("F2", ShortcutText({113, 0}));
  EXPECT_EQ("Ctrl+P", ShortcutText({'P', kCtrl}));
  EXPECT_EQ("", ShortcutText({}));
}

}  // namespace
