// The file's character shift and the Windows-1252 <-> UTF-8 conversion of the names.
#include "scores/shift_text.h"

#include <array>
#include <cassert>

namespace {

// Bytes 0x80 to 0x9F; the rest of the code page is the same number in Unicode. The five
// bytes without a character map to the control character of their own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t UnicodeOf(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

// The byte for a code point, or -1 when the code page lacks it.
int ByteOf(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == code) return static_cast<int>(0x80 + i);
  return -1;
}

struct Decoded {
  char32_t code;
  std::size_t length;  // 0: text does not begin with a valid sequence
};

Decoded DecodeUtf8(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t code = 0, smallest = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1F;
    smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0F;
    smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07;
    smallest = 0x10000;
  } else {
    return {0, 0};
  }
  if (text.size() < length) return {0, 0};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {0, 0};
    code = code << 6 | (byte(i) & 0x3F);
  }
  // Overlong forms, surrogates and codes beyond Unicode are not characters.
  if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {0, 0};
  return {code, length};
}

// Every character of the code page lies below U+10000: three bytes at most.
void AppendUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    assert(code < 0x10000);
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string ShiftText(std::string_view text, std::int16_t amount) {
  std::string shifted;
  const std::size_t length = text.size();
  shifted.reserve(length);
  for (std::size_t i = 0; i < length; ++i) {
    const int code = static_cast<unsigned char>(text[i]) + amount;
    assert(code >= 0 && code <= 255);
    shifted += static_cast<char>(code);
  }
  return shifted;
}

std::size_t ShiftablePrefix(std::string_view text, std::int16_t amount) {
  std::size_t n = 0;
  while (n < text.size()) {
    const int code = static_cast<unsigned char>(text[n]) + amount;
    if (code < 0 || code > 255) break;
    ++n;
  }
  return n;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (char ch : bytes) AppendUtf8(UnicodeOf(static_cast<unsigned char>(ch)), utf8);
  return utf8;
}

std::string Utf8ToWindows1252(std::string_view utf8) {
  std::string bytes;
  while (!utf8.empty()) {
    const Decoded d = DecodeUtf8(utf8);
    const int byte = d.length == 0 ? -1 : ByteOf(d.code);
    bytes += byte < 0 ? '?' : static_cast<char>(byte);
    utf8.remove_prefix(d.length == 0 ? 1 : d.length);
  }
  return bytes;
}

std::string FileSafeName(std::string_view utf8) {
  std::string safe;
  for (char ch : Utf8ToWindows1252(utf8)) {
    if (safe.size() == kMaxNameLength) break;
    // Codes 32 to 255 shift down to 15 to 238 in the file: never the CR or LF that would end
    // its line early, never below 0. Dropping what lies below 32 settles both.
    if (static_cast<unsigned char>(ch) < 32) continue;
    safe += ch == '\\' ? '/' : ch;
  }
  return Windows1252ToUtf8(safe);
}
