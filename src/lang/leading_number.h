// Reading the number a stored text begins with, as the game's files have always been read.
#pragma once

#include <optional>
#include <string_view>

// The decimal number at the start of text: blanks before it are skipped, an optional sign,
// digits with an optional fraction and exponent; it ends at the first character that cannot
// continue it ("1=Idioma" gives 1, "12abc" 12). Text that does not begin with a number gives 0.
// nullopt when the number is out of a double's range.
std::optional<double> LeadingNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);
