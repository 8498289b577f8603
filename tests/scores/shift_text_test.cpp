// The file's character shift and the names' code page conversion.
#include "scores/shift_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ShiftTextTest, MovesEveryCodeWithinOneByte) {
  // 'O' 79 -> 62 '>', '\' 92 -> 75 'K', '1' 49 -> 32 ' ', ' ' 32 -> 15, 'ñ' 0xF1 -> 0xE0.
  EXPECT_EQ(std::string(">K \x0F\xE0"), ShiftText("O\\1 \xF1", -FileShift));
  EXPECT_EQ(std::string("O\\1 \xF1"), ShiftText(">K \x0F\xE0", FileShift));
  EXPECT_EQ(2u, ShiftablePrefix("a\xEE\xEF", FileShift));  // 238 + 17 = 255 fits, 239 does not
  EXPECT_EQ(1u, ShiftablePrefix("\x11\x10", -FileShift));  // 17 - 17 = 0 fits, 16 does not
}

TEST(ShiftTextTest, EveryByteComesBackThroughUtf8AndTheRestIsAQuestionMark) {
  std::string all;
  for (int code = 0; code <= 255; ++code) all += static_cast<char>(code);
  EXPECT_EQ(all, Utf8ToWindows1252(Windows1252ToUtf8(all)));

  const struct {
    const char* utf8;
    const char* bytes;
  } cases[] = {
      {"N\xC3\xBA\xC3\xB1" "ez", "N\xFA\xF1" "ez"},  // Núñez
      {"\xE2\x82\xAC\xC5\xB8\xE2\x84\xA2", "\x80\x9F\x99"},  // €Ÿ™
      {"\xC5\x91", "?"},                 // ő is not in the code page
      {"a\xF0\x9F\x98\x80" "b", "a?b"},  // an emoji is one character
      {"\xC3", "?"},                     // cut short
      {"\xC0\xAF", "??"},                // overlong '/'
      {"\xED\xA0\x80", "???"},           // a surrogate
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(c.bytes, Utf8ToWindows1252(c.utf8));
  }
}

TEST(ShiftTextTest, FileSafeNameCutsAtSixtyFourCharactersNotBytes) {
  const std::string x63(63, 'x');
  EXPECT_EQ(x63 + "\xC3\xB1", FileSafeName(x63 + "\xC3\xB1\xC3\xB1"));
  EXPECT_EQ(x63 + "/", FileSafeName(x63 + "\x1F\\z"));  // dropped first, then cut
}

}  // namespace
