// The character shift that scrambles the best-score file, and the one boundary between the
// UTF-8 names the game keeps in memory and the single-byte Windows-1252 text of that file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// How far the file's characters are shifted: written minus, read plus.
inline constexpr std::int16_t FileShift = 17;
// The longest name the table keeps, in characters.
inline constexpr std::size_t kMaxNameLength = 64;

// A text of the same length whose every single-byte code is moved by amount. Every shifted
// code must stay within 0 to 255 (see ShiftablePrefix).
std::string ShiftText(std::string_view text, std::int16_t amount);
// How many leading characters of text ShiftText can move by amount without leaving 0 to 255.
std::size_t ShiftablePrefix(std::string_view text, std::int16_t amount);

// Windows-1252 bytes as UTF-8. Every byte has a character: the five bytes the code page
// leaves undefined stand for the control characters of the same number, so any byte string
// comes back unchanged from Utf8ToWindows1252.
std::string Windows1252ToUtf8(std::string_view bytes);
// UTF-8 as Windows-1252 bytes; a character the code page lacks, or a byte that is not valid
// UTF-8, becomes "?".
std::string Utf8ToWindows1252(std::string_view utf8);

// The name as the file can hold it, still UTF-8: a backslash (the file's field end) becomes
// "/", control characters are dropped, characters outside Windows-1252 become "?", and the
// result is cut to kMaxNameLength characters.
std::string FileSafeName(std::string_view utf8);
