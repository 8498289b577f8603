// The leading number of stored texts, and half-even rounding.
#include "lang/leading_number.h"

#include <gtest/gtest.h>

namespace {

TEST(LeadingNumberTest, ReadsTheNumberAtTheStart) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"1=Idioma", 1},  {"0=Idioma", 0}, {"  1", 1},     {"\t7x", 7},  {"12abc", 12},
      {"2.5", 2.5},     {"-40\\", -40},  {"+3", 3},      {".5", 0.5},  {"1e3", 1000},
      {"1e", 1},        {"abc", 0},      {"", 0},        {"-", 0},     {".", 0},
      {"1 2", 1},       {"3,5", 3},      {"0x10", 0},    {"inf", 0},   {"nan", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<double> number = LeadingNumber(c.text);
    ASSERT_TRUE(number.has_value());
    EXPECT_EQ(c.value, *number);
  }
  EXPECT_FALSE(LeadingNumber("1e999").has_value());
}

TEST(LeadingNumberTest, HalvesRoundToEven) {
  const double cases[][2] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2},
                             {2.4999, 2}, {2.5001, 3}, {7, 7}};
  for (const auto& c : cases) EXPECT_EQ(c[1], RoundHalfEven(c[0])) << c[0];
}

}  // namespace
