// File names as text and back: a name's bytes come back exactly, those that
// are not UTF-8 included, and messages show those bytes as \xHH.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "savefile/PathEncoding.h"
#include "savefile/SaveFileReport.h"

namespace zovek {
namespace {

TEST(PathEncoding, BytesToTextToBytesIsExact) {
  struct Case {
    const char* what;
    std::string bytes;
    std::u16string text;
    std::string shown;  // PathText
  };
  std::vector<Case> cases = {
      {"ASCII", "card 1.mcr", u"card 1.mcr", "card 1.mcr"},
      {"UTF-8 of 2, 3 and 4 bytes", "\xC3\xA9\xE3\x82\xAB\xF0\x9F\x80\x80.mcr", u"\u00E9\u30AB\U0001F000.mcr",
       "\xC3\xA9\xE3\x82\xAB\xF0\x9F\x80\x80.mcr"},
      {"Shift-JIS", "\x83\x5A\x81\x5B\x83\x75.mcr", u"\xDC83Z\xDC81[\xDC83u.mcr", "\\x83Z\\x81[\\x83u.mcr"},
      {"overlong forms", "\xC0\xAF\xE0\x80\xAF\xF0\x80\x80\xAF",
       u"\xDCC0\xDCAF\xDCE0\xDC80\xDCAF\xDCF0\xDC80\xDC80\xDCAF",
       "\\xC0\\xAF\\xE0\\x80\\xAF\\xF0\\x80\\x80\\xAF"},
      {"lone continuation bytes", "x\x80y\xBF", u"x\xDC80y\xDCBF", "x\\x80y\\xBF"},
      {"a sequence cut short", "\xE3\x82.mcr", u"\xDCE3\xDC82.mcr", "\\xE3\\x82.mcr"},
      {"an encoded surrogate, a code point past U+10FFFF", "\xED\xA0\x80\xF4\x90\x80\x80",
       u"\xDCED\xDCA0\xDC80\xDCF4\xDC90\xDC80\xDC80", "\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80"},
      {"every byte that is not ASCII, in a row: none is UTF-8", "", u"", ""},
  };
  for (int b = 0x80; b <= 0xFF; ++b) {
    constexpr const char* kDigits = "0123456789ABCDEF";
    cases.back().bytes += static_cast<char>(b);
    cases.back().text += static_cast<char16_t>(0xDC00 + b);
    cases.back().shown += std::string("\\x") + kDigits[b >> 4] + kDigits[b & 15];
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(TextFromBytes(c.bytes), c.text);
    EXPECT_EQ(BytesFromText(c.text), c.bytes);
    const std::filesystem::path path = PathFromText(c.text);
    if (kPathsAreBytes) {
      EXPECT_EQ(path.string(), c.bytes);
    }
    EXPECT_EQ(TextFromPath(path), c.text);
    EXPECT_EQ(PathBytes(path), c.bytes);
    EXPECT_EQ(PathText(path), c.shown);
  }
  // Every name of two bytes.
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      const std::string bytes{static_cast<char>(a), static_cast<char>(b)};
      ASSERT_EQ(BytesFromText(TextFromBytes(bytes)), bytes) << a << ' ' << b;
    }
  }
  // A lone surrogate no name decodes to is written as U+FFFD.
  EXPECT_EQ(BytesFromText(u"a\xD800" u"b\xDC41"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

}  // namespace
}  // namespace zovek
