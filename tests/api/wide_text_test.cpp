// UTF-8 script texts as wide characters for the fonts.
#include "api/wide_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tk {
namespace {

std::wstring decode(const std::string& text, size_t capacity = kWideTextMax + 1) {
  std::wstring out(capacity, L'?');
  out.resize(utf8ToWide(text.data(), text.size(), &out[0], capacity));
  return out;
}

TEST(WideTextTest, DecodesWellFormedTextAndLetsStrayBytesStandForThemselves) {
  struct Case {
    std::string utf8;
    std::wstring wide;
  };
  const Case cases[] = {
      {"Hello", L"Hello"},
      {"caf\xC3\xA9", L"caf\u00E9"},
      {"\xE2\x82\xAC 5", L"\u20AC 5"},
      {"\xF0\x9F\x98\x80", std::wstring(1, static_cast<wchar_t>(0x1F600))},
      {"a\xFF" "b", L"a\u00FF" L"b"},            // never a first byte
      {"\x80x", L"\u0080x"},                    // a continuation alone
      {"\xC0\x80", L"\u00C0\u0080"},            // overlong NUL
      {"\xED\xA0\x80", L"\u00ED\u00A0\u0080"},  // a surrogate
      {"\xE2\x82", L"\u00E2\u0082"},            // cut short
      {std::string("ab\0cd", 5), L"ab"},        // a NUL ends the text
  };
  for (const Case& c : cases) EXPECT_EQ(decode(c.utf8), c.wide) << c.utf8;
}

TEST(WideTextTest, LongTextsAreCutAtACharacterBoundary) {
  std::string accents;
  for (int i = 0; i < 600; ++i) accents += "\xC3\xA9";
  EXPECT_EQ(decode(accents), std::wstring(kWideTextMax, L'\u00E9'));
  // Room for two characters and the end mark.
  EXPECT_EQ(decode("ab\xF0\x9F\x98\x80", 3), L"ab");
  EXPECT_EQ(decode("abc", 0), L"");
}

}  // namespace
}  // namespace tk
