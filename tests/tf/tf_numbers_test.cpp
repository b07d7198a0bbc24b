#include "tf/tf_numbers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace tk {
namespace {

uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  return bits;
}

uint32_t parse(const std::string& text) { return parseTfFloatBits(text.data(), text.data() + text.size()); }

// The C library's correctly rounded conversion is the reference.
uint32_t reference(const std::string& text) { return bitsOf(std::strtof(text.c_str(), nullptr)); }

TEST(TfNumbers, DecimalsRoundLikeTheCLibrary) {
  std::mt19937_64 random(42);
  for (int i = 0; i < 20000; ++i) {
    // Mantissas of 1 to 21 digits with the point anywhere and exponents far out.
    std::string digits = std::to_string(random() % 9 + 1);
    int length = static_cast<int>(random() % 21);
    for (int d = 0; d < length; ++d) digits += static_cast<char>('0' + random() % 10);
    size_t point = random() % (digits.size() + 1);
    std::string text = digits.substr(0, point) + "." + digits.substr(point);
    if (random() % 2) text += "e" + std::to_string(static_cast<int>(random() % 90) - 45);
    ASSERT_EQ(parse(text), reference(text)) << text;
  }
  // Exactly halfway between two floats, and a hair off it either way.
  for (const char* text : {"1.000000059604644775390625", "1.0000000596046447", "1.0000000596046448",
                           "16777217", "16777219", "3.4028235677973366e38", "1.1754943508222875e-38",
                           "7.006492321624085e-46", "1e-45", "123456789012345678901234567890"})
    EXPECT_EQ(parse(text), reference(text)) << text;
}

TEST(TfNumbers, ShortestTextOfEveryKindOfFloatReadsBackBitForBit) {
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    uint32_t bits = static_cast<uint32_t>(random());
    char text[kTfFloatTextMax + 1];
    char* end = formatTfFloat(text, bits);
    ASSERT_EQ(parseTfFloatBits(text, end), bits) << std::string(text, end);
  }
  for (uint32_t bits : {0x00000000u, 0x80000000u, 0x7F800000u, 0xFF800000u, 0x7FC00000u, 0xFFC00000u, 0x7F800001u,
                        0xFFBFFFFFu, 0x00000001u, 0x007FFFFFu, 0x7F7FFFFFu}) {
    char text[kTfFloatTextMax + 1];
    char* end = formatTfFloat(text, bits);
    EXPECT_EQ(parseTfFloatBits(text, end), bits) << std::string(text, end);
  }
}

TEST(TfNumbers, TokensReadAsFarAsTheyAreNumbers) {
  struct Case {
    const char* text;
    float value;
    size_t used;
  } cases[] = {{"1.5abc", 1.5f, 3}, {"x", 0, 0}, {"-", 0, 0}, {"+-1", 0, 0}, {".", 0, 0},
               {"1e", 1, 1},        {"2e+", 2, 1}, {"-.25", -0.25f, 4}, {"+7", 7, 2}, {"1e3x", 1000, 3}};
  for (const Case& c : cases) {
    uint32_t bits;
    const char* stop = readTfFloat(c.text, c.text + std::strlen(c.text), &bits);
    EXPECT_EQ(bits, bitsOf(c.value)) << c.text;
    EXPECT_EQ(static_cast<size_t>(stop - c.text), c.used) << c.text;
  }
}

}  // namespace
}  // namespace tk
