// The file's character shift and the names' code page conversion.
#include "scores/shift_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ShiftTextTest, MovesEveryCodeAndKeepsTheLength) {
  // 'O' 79 -> 62 '>', '\' 92 -> 75 'K', '1' 49 -> 32 ' ', ' ' 32 -> 15, 0xF1 'ñ' -> 0xE0.
  EXPECT_EQ(std::string(">K \x0F\xE0"), ShiftText("O\\1 \xF1", -FileShift));
  EXPECT_EQ(std::string("O\\1 \xF1"), ShiftText(">K \x0F\xE0", FileShift));
  EXPECT_EQ("", ShiftText("", 5));
  std::string all;
  for (int code = 17; code <= 255; ++code) all += static_cast<char>(code);
  const std::string down = ShiftText(all, -FileShift);
  ASSERT_EQ(all.size(), down.size());
  EXPECT_EQ(all, ShiftText(down, FileShift));
}

TEST(ShiftTextTest, ShiftablePrefixStopsAtTheFirstCodeOutOfRange) {
  EXPECT_EQ(2u, ShiftablePrefix("a\xEE\xEF", FileShift));  // 238 + 17 = 255 fits, 239 does not
  EXPECT_EQ(1u, ShiftablePrefix("\x11\x10", -FileShift));  // 17 - 17 = 0 fits, 16 does not
  EXPECT_EQ(3u, ShiftablePrefix("abc", FileShift));
}

TEST(ShiftTextTest, EveryByteComesBackFromUtf8) {
  std::string all;
  for (int code = 0; code <= 255; ++code) all += static_cast<char>(code);
  const std::string utf8 = Windows1252ToUtf8(all);
  EXPECT_EQ(all, Utf8ToWindows1252(utf8));
  // Spot checks of the code page itself.
  EXPECT_EQ("N\xC3\xBA\xC3\xB1" "ez", Windows1252ToUtf8("N\xFA\xF1" "ez"));  // Núñez
  EXPECT_EQ("\xE2\x82\xAC", Windows1252ToUtf8("\x80"));                     // €
  EXPECT_EQ("\xC5\xB8", Windows1252ToUtf8("\x9F"));                         // Ÿ
  EXPECT_EQ("\xC2\x81", Windows1252ToUtf8("\x81"));                         // undefined byte
}

TEST(ShiftTextTest, WhatTheCodePageLacksBecomesAQuestionMark) {
  const struct {
    const char* utf8;
    const char* bytes;
  } cases[] = {
      {"Bego\xC3\xB1" "a", "Bego\xF1" "a"},
      {"\xC5\x91", "?"},                    // ő, Latin-2 only
      {"a\xF0\x9F\x98\x80" "b", "a?b"},     // an emoji is one character
      {"\xC3", "?"},                        // cut short
      {"\xC0\xAF", "??"},                   // overlong '/'
      {"\xED\xA0\x80", "???"},              // a surrogate
      {"\xF4\x90\x80\x80", "????"},         // beyond Unicode
      {"\xE2\x80\x9C\xE2\x84\xA2", "\x93\x99"},  // “™
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(c.bytes, Utf8ToWindows1252(c.utf8));
  }
}

TEST(ShiftTextTest, FileSafeNameKeepsOnlyWhatTheFileCanHold) {
  const std::string sixty_four(64, 'x');
  const struct {
    std::string typed, stored;
  } cases[] = {
      {"Ana Mar\xC3\xAD" "a", "Ana Mar\xC3\xAD" "a"},
      {"a\\b", "a/b"},
      {"a\rb\tc\nd", "abcd"},
      {"\xF0\x9F\x98\x80", "?"},
      {sixty_four + "yz", sixty_four},
      // Accented letters count as one character each, not by their UTF-8 bytes.
      {std::string(63, 'x') + "\xC3\xB1\xC3\xB1", std::string(63, 'x') + "\xC3\xB1"},
      {"\x1F" "\x7F", "\x7F"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(c.stored, FileSafeName(c.typed));
  }
}

}  // namespace
